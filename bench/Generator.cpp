#include "Generator.h"

#include "app/AppCore.h"
#include "model/Contexts.h"
#include "model/SubContexts.h"
#include "model/Tasks.h"

#include <QList>
#include <QStringList>
#include <random>

namespace {

class TRandom {
public:
    explicit TRandom(quint32 seed) : engine_(seed) {}
    int Between(int low, int high) { return std::uniform_int_distribution(low, high)(engine_); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }
    template <typename T> const T& Pick(const QList<T>& from)
    {
        return from.at(Between(0, int(from.size()) - 1));
    }
    QUuid Id()
    {
        std::array<quint32, 4> words{};
        for (quint32& word : words)
            word = engine_();
        return QUuid(words[0], quint16(words[1]), quint16(words[1] >> 16), quint8(words[2]),
                     quint8(words[2] >> 8), quint8(words[2] >> 16), quint8(words[2] >> 24),
                     quint8(words[3]), quint8(words[3] >> 8), quint8(words[3] >> 16),
                     quint8(words[3] >> 24));
    }

private:
    std::mt19937 engine_;
};

const QStringList verbs = {u"Call"_qs,  u"Buy"_qs,     u"Write"_qs, u"Fix"_qs,   u"Plan"_qs,
                           u"Check"_qs, u"Review"_qs,  u"Send"_qs,  u"Clean"_qs, u"Book"_qs,
                           u"Read"_qs,  u"Prepare"_qs, u"Order"_qs, u"Ask"_qs,   u"Paint"_qs};
const QStringList things = {u"the report"_qs,  u"paint"_qs,        u"the dentist"_qs,
                            u"tickets"_qs,     u"the fence"_qs,    u"a budget"_qs,
                            u"the garden"_qs,  u"invoices"_qs,     u"the car"_qs,
                            u"a present"_qs,   u"the roof"_qs,     u"slides"_qs,
                            u"the backups"_qs, u"Zahrada plán"_qs, u"the <draft> & notes"_qs};
const QStringList noteLines = {u"Ask about the price first."_qs, u"See the e-mail from Monday."_qs,
                               u"Needs the ladder from the garage."_qs,
                               u"Poznámka: zavolat předem."_qs,
                               u"Line one\nLine two\nLine three"_qs};

struct TContextSeed {
    const char16_t* name;
    TContextType type;
};
constexpr TContextSeed contextSeeds[] = {
    {u"Home", TContextType::Place},       {u"Office", TContextType::Place},
    {u"Errands", TContextType::Place},    {u"Garden", TContextType::Place},
    {u"Garage", TContextType::Place},     {u"Town", TContextType::Place},
    {u"@Shop", TContextType::Place},      {u"Cottage", TContextType::Place},
    {u"Anna", TContextType::Person},      {u"Boss", TContextType::Person},
    {u"Petr", TContextType::Person},      {u"Team", TContextType::Person},
    {u"Laptop", TContextType::Computer},  {u"Office PC", TContextType::Computer},
    {u"Server", TContextType::Computer},  {u"Home PC", TContextType::Computer},
    {u"Mobile", TContextType::Phone},     {u"Office phone", TContextType::Phone},
    {u"Home phone", TContextType::Phone}, {u"Skype", TContextType::Phone},
};

} // namespace

TOutlineGenerator::TOutlineGenerator(int itemCount, quint32 seed, TDateTime today)
    : itemCount_(itemCount), seed_(seed), today_(today)
{}

void TOutlineGenerator::Generate() const
{
    TCore& core = Core();
    TRandom random(seed_);

    TContexts& contexts = *core.Contexts();
    contexts.Reset();
    core.SubContexts()->Clear();
    QList<TKavContext*> added;
    for (const TContextSeed& seed : contextSeeds) {
        TKavContext* context = contexts.Add();
        context->SetId(random.Id());
        context->SetName(QString::fromUtf16(seed.name));
        context->SetContextType(seed.type);
        contexts.InsertSorted(*context);
        added.append(context);
    }
    // The office includes its computer, phone and boss, home its own, the town the errands.
    constexpr std::pair<int, int> inclusions[] = {{1, 13}, {1, 17}, {1, 9}, {0, 15},
                                                  {0, 18}, {5, 2},  {5, 6}};
    for (const auto& [including, included] : inclusions)
        core.SubContexts()->Add(*added.at(including), *added.at(included));
    QList<TKavContext*> choices = added;
    choices.append(contexts.Get(0)); // Anywhere, a little more often than each of the others
    choices.append(contexts.Get(0));

    TTasks& tasks = *core.Tasks();
    tasks.Clear();
    TTask* root = tasks.Add(nullptr);
    root->SetId(random.Id());
    root->SetName(u"My life"_qs);
    root->SetExpanded(true);

    const auto fill = [&](TTask& item, TTaskType type) {
        item.SetId(random.Id());
        item.SetTaskType(type);
        item.SetName(random.Pick(verbs) + u' ' + random.Pick(things) + u' ' +
                     QString::number(tasks.Count()));
        item.SetImportance(random.Between(0, 100));
        item.SetEffort(random.Between(0, 100));
        item.SetContextId(random.Pick(choices)->Id());
        const int mode = random.Between(1, 100);
        if (mode > 80) {
            item.SetAccomplishType(TAccomplishType::Routinely);
            item.SetRepeatType(TPeriodType(random.Between(0, 2)));
            item.SetRepeatValue(random.Between(1, 4));
        } else if (mode > 60) {
            item.SetAccomplishType(TAccomplishType::ByDueDate);
        }
        item.SetNextDate(today_ + random.Between(-30, 90) +
                         (random.Chance(30) ? random.Between(1, 95) / 96.0 : 0.0));
        item.SetLeadType(TPeriodType(random.Between(0, 1)));
        item.SetLeadValue(random.Between(0, 3));
        item.SetCreated(today_ - random.Between(30, 700) + random.Between(0, 86399) / 86400.0);
        item.SetLastModified(item.Created() + random.Between(0, 29));
        if (random.Chance(20))
            item.SetNote(random.Pick(noteLines));
        if (random.Chance(5))
            item.SetStatus(random.Chance(50) ? TTaskStatus::Suspended : TTaskStatus::Delegated);
        if (random.Chance(10))
            item.SetStatus(TTaskStatus::Finished);
        item.SetDependOnPrevious(type == TTaskType::Task && random.Chance(10));
        item.SetExpanded(random.Chance(60));
    };

    // Areas hold goals and projects, goals hold projects, projects hold tasks, and some tasks
    // hold subtasks two or three levels down; ideas sit under areas.
    QList<TTask*> areas;
    QList<TTask*> goals;
    QList<TTask*> projects;
    QList<TTask*> tasksWithRoom;
    const int areaCount = qMax(2, itemCount_ / 2000);
    while (tasks.Count() < itemCount_) {
        const int roll = random.Between(1, 100);
        TTask* item = nullptr;
        if (areas.size() < areaCount && (areas.isEmpty() || roll <= 2)) {
            item = tasks.Add(root);
            fill(*item, TTaskType::Area);
            areas.append(item);
        } else if (roll <= 6) {
            item = tasks.Add(random.Pick(areas));
            fill(*item, TTaskType::Goal);
            goals.append(item);
        } else if (roll <= 16 || projects.isEmpty()) {
            TTask* parent =
                goals.isEmpty() || random.Chance(40) ? random.Pick(areas) : random.Pick(goals);
            item = tasks.Add(parent);
            fill(*item, TTaskType::Project);
            projects.append(item);
        } else if (roll <= 20) {
            item = tasks.Add(random.Pick(areas));
            fill(*item, TTaskType::Idea);
        } else {
            TTask* parent = tasksWithRoom.isEmpty() || random.Chance(75)
                                ? random.Pick(projects)
                                : random.Pick(tasksWithRoom);
            item = tasks.Add(parent);
            fill(*item, TTaskType::Task);
            if (item->Depth() < 7 && random.Chance(15))
                tasksWithRoom.append(item);
        }
    }
}
