#include "RealisticFile.h"

#include "app/AppCore.h"
#include "app/ScriptedPrompts.h"
#include "datafile/DataFile.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"
#include "platform/Clock.h"

#include <QFileInfo>
#include <QHash>
#include <QStringList>
#include <optional>

using namespace Qt::StringLiterals;

namespace RealisticFile {

namespace {

struct TContextLine {
    QString english;
    QString czech;
    TContextType type;
};

// One item: depth, type, names, context (by English name, empty for Anywhere) and what is
// special about it, in a few words: "done", "suspended", "expanded", "notes", "routine N"
// (days), "due N" (days from today), "lead N" (days), "depends", "importance N".
struct TItemLine {
    int depth;
    TTaskType type;
    QString english;
    QString czech;
    QString context;
    QString traits;
};

const QList<TContextLine> contexts = {
    {u"Errands"_s, u"Pochůzky"_s, TContextType::Place},
    {u"Home"_s, u"Doma"_s, TContextType::Place},
    {u"Office"_s, u"Kancelář"_s, TContextType::Place},
    {u"Office PC"_s, u"Pracovní počítač"_s, TContextType::Computer},
    {u"Phone"_s, u"Telefon"_s, TContextType::Phone},
    {u"Anna"_s, u"Anna"_s, TContextType::Person},
};

// clang-format off
const QList<TItemLine> items = {
    {0, TTaskType::Area,    u"My tasks"_s,                    u"Moje úkoly"_s,                  {}, u"expanded"_s},
    {1, TTaskType::Area,    u"Home"_s,                        u"Domov"_s,                       {}, u"expanded"_s},
    {2, TTaskType::Project, u"Garden"_s,                      u"Zahrada"_s,                     u"Home"_s, u"expanded importance 80"_s},
    {3, TTaskType::Task,    u"Buy paint"_s,                   u"Koupit barvu"_s,                u"Errands"_s, u"notes importance 70"_s},
    {3, TTaskType::Task,    u"Paint the fence"_s,             u"Natřít plot"_s,                 u"Home"_s, u"depends"_s},
    {3, TTaskType::Task,    u"Water the plants"_s,            u"Zalévat květiny"_s,             u"Home"_s, u"routine 3 due 0 importance 60"_s},
    {3, TTaskType::Task,    u"Mow the lawn"_s,                u"Posekat trávník"_s,             u"Home"_s, u"due 5 lead 7"_s},
    {2, TTaskType::Project, u"Kitchen renovation"_s,          u"Rekonstrukce kuchyně"_s,        {}, u"expanded importance 90"_s},
    {3, TTaskType::Task,    u"Get three quotes"_s,            u"Získat tři nabídky"_s,          u"Phone"_s, u"importance 90"_s},
    {3, TTaskType::Task,    u"Choose the tiles"_s,            u"Vybrat obklady"_s,              u"Errands"_s, u"notes"_s},
    {3, TTaskType::Task,    u"Order the worktop"_s,           u"Objednat pracovní desku"_s,     u"Office PC"_s, u"done"_s},
    {2, TTaskType::Goal,    u"Run a half marathon"_s,         u"Uběhnout půlmaraton"_s,         {}, u"expanded importance 70"_s},
    {3, TTaskType::Task,    u"Run 5 km"_s,                    u"Uběhnout 5 km"_s,               {}, u"routine 2 due 1 lead 1"_s},
    {3, TTaskType::Task,    u"Buy running shoes"_s,           u"Koupit běžecké boty"_s,         u"Errands"_s, u"done"_s},
    {2, TTaskType::Idea,    u"Build a pond"_s,                u"Postavit jezírko"_s,            {}, u"notes"_s},
    {1, TTaskType::Area,    u"Work"_s,                        u"Práce"_s,                       {}, u"expanded"_s},
    {2, TTaskType::Project, u"Quarterly report"_s,            u"Čtvrtletní zpráva"_s,           u"Office"_s, u"expanded importance 95"_s},
    {3, TTaskType::Task,    u"Collect the sales figures"_s,   u"Sebrat čísla prodeje"_s,        u"Office PC"_s, u"due 2 lead 3 importance 95"_s},
    {3, TTaskType::Task,    u"Draft the summary"_s,           u"Napsat shrnutí"_s,              u"Office PC"_s, u"depends notes"_s},
    {3, TTaskType::Task,    u"Send the report to Anna"_s,     u"Poslat zprávu Anně"_s,          u"Anna"_s, u"depends"_s},
    {2, TTaskType::Project, u"Website relaunch"_s,            u"Nový web"_s,                    u"Office"_s, u"expanded"_s},
    {3, TTaskType::Task,    u"Call the designer"_s,           u"Zavolat grafikovi"_s,           u"Phone"_s, u"importance 75"_s},
    {3, TTaskType::Task,    u"Review the mock-ups"_s,         u"Projít návrhy"_s,               u"Office"_s, {}},
    {3, TTaskType::Task,    u"Write the new texts"_s,         u"Napsat nové texty"_s,           u"Office PC"_s, u"suspended"_s},
    {2, TTaskType::Goal,    u"Learn Spanish"_s,               u"Naučit se španělsky"_s,         {}, u"importance 40"_s},
    {2, TTaskType::Task,    u"Book the team dinner"_s,        u"Zarezervovat týmovou večeři"_s, u"Phone"_s, u"due -1 importance 85"_s},
    {2, TTaskType::Idea,    u"Try a four-day week"_s,         u"Zkusit čtyřdenní týden"_s,      {}, {}},
    {1, TTaskType::Area,    u"Family"_s,                      u"Rodina"_s,                      {}, u"expanded"_s},
    {2, TTaskType::Task,    u"Birthday present for Eva"_s,    u"Dárek k narozeninám pro Evu"_s, u"Errands"_s, u"due 3 lead 4 importance 90"_s},
    {2, TTaskType::Task,    u"Call grandma"_s,                u"Zavolat babičce"_s,             u"Phone"_s, u"routine 7 due 0"_s},
    {2, TTaskType::Project, u"Summer holiday"_s,              u"Letní dovolená"_s,              {}, u"importance 60"_s},
    {3, TTaskType::Task,    u"Compare flights"_s,             u"Porovnat letenky"_s,            u"Office PC"_s, u"notes"_s},
    {3, TTaskType::Task,    u"Renew the passports"_s,         u"Obnovit pasy"_s,                u"Errands"_s, u"importance 80"_s},
    {2, TTaskType::Project, u"Move the wardrobe"_s,           u"Přestěhovat skříň"_s,           u"Home"_s, u"done"_s},
};
// clang-format on

// The number after a trait's word; none when the word is not there.
std::optional<int> Trait(const QString& traits, const QString& word)
{
    const QStringList words = traits.split(u' ', Qt::SkipEmptyParts);
    const qsizetype at = words.indexOf(word);
    if (at < 0)
        return std::nullopt;
    return at + 1 < words.size() ? words.at(at + 1).toInt() : 0;
}

void Build(TLanguageOfContent language, TDateTime today)
{
    const bool czech = language == TLanguageOfContent::Czech;
    TCore& core = Core();
    QHash<QString, TKavContext*> contextByName;
    for (const TContextLine& line : contexts) {
        TKavContext* context = core.Contexts()->Add();
        context->SetName(czech ? line.czech : line.english);
        context->SetContextType(line.type);
        contextByName.insert(line.english, context);
    }
    core.SubContexts()->SetIncluded(*contextByName.value(u"Office"_s),
                                    *contextByName.value(u"Office PC"_s), true);

    QList<TTask*> ancestors;
    for (const TItemLine& line : items) {
        ancestors.resize(line.depth);
        TTask* item = core.Tasks()->Add(line.depth > 0 ? ancestors.last() : nullptr);
        ancestors.append(item);
        item->SetName(czech ? line.czech : line.english);
        item->SetTaskType(line.type);
        if (const TKavContext* context = contextByName.value(line.context))
            item->SetContextId(context->Id());
        item->SetExpanded(line.traits.contains(u"expanded"));
        item->SetDependOnPrevious(line.traits.contains(u"depends"));
        if (line.traits.contains(u"suspended"))
            item->SetStatus(TTaskStatus::Suspended);
        if (line.traits.contains(u"done")) {
            item->SetStatus(TTaskStatus::Finished);
            item->SetChecked(true);
        }
        if (line.traits.contains(u"notes"))
            item->SetNote(czech ? u"Zeptat se předem na ceny."_s : u"Ask about prices first."_s);
        if (const auto importance = Trait(line.traits, u"importance"_s))
            item->SetImportance(*importance);
        if (const auto routine = Trait(line.traits, u"routine"_s)) {
            item->SetAccomplishType(TAccomplishType::Routinely);
            item->SetRepeatValue(*routine);
        } else if (Trait(line.traits, u"due"_s)) {
            item->SetAccomplishType(TAccomplishType::ByDueDate);
        }
        if (const auto due = Trait(line.traits, u"due"_s))
            item->SetNextDate(DateTime::DayOf(today) + *due);
        if (const auto lead = Trait(line.traits, u"lead"_s))
            item->SetLeadValue(*lead);
        item->SetCreated(today - 20 - line.depth);
        item->SetLastModified(today - 1);
    }
}

} // namespace

void Write(const QString& path, TLanguageOfContent language, TDateTime today)
{
    TFixedClock clock(today);
    TScriptedPrompts prompts;
    TCore core;
    core.SetClock(&clock);
    core.SetPrompts(&prompts);
    core.CreateModules();
    Build(language, today);
    TDataFile& file = *core.DataFile();
    const QFileInfo target(path);
    file.SetFolder(target.absolutePath() + u'/');
    file.SetFileName(target.fileName());
    if (!file.Save())
        qFatal("The realistic data file could not be written: %s",
               qPrintable(prompts.Errors().join(u'\n')));
}

} // namespace RealisticFile
