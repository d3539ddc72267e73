#include "cli/CliSession.h"

#include "app/Config.h"
#include "datafile/DataFile.h"
#include "languages/LanguagesEngine.h"
#include "model/Contexts.h"
#include "model/Tasks.h"
#include "platform/Error.h"
#include "views/ToDo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

[[noreturn]] void Fail(TCliFailure::Status status, const QString& message)
{
    throw TCliFailure{status, message};
}

} // namespace

TCliSession::TCliSession(const TCliOptions& options)
    : options_(options), prompts_(options.yes), core_()
{
    if (!options.now.isEmpty()) {
        const std::optional<TDateTime> now = DateTime::FromIsoStamp(options.now);
        if (!now)
            Fail(TCliFailure::Usage, u"--now takes YYYY-MM-DD or YYYY-MM-DDTHH:MM[:SS]"_qs);
        fixedClock_ = std::make_unique<TFixedClock>(*now);
        core_.SetClock(fixedClock_.get());
    }
    core_.SetPrompts(&prompts_);
    qputenv("TAVOLIN_CONFIG", ConfigPath(options).toLocal8Bit());
    core_.CreateModules();
    const TLanguage language =
        options.language.isEmpty()
            ? LanguageFromConfigName(core_.Config()->Language())
            : (options.language == u"cs" ? TLanguage::Czech : TLanguage::English);
    core_.LanguagesEngine()->SetLanguage(language);
    if (options.wait)
        core_.DataFile()->SetLockWait(*options.wait);
}

TCliSession::~TCliSession() = default;

QString TCliSession::ConfigPath(const TCliOptions& options)
{
    if (!options.config.isEmpty())
        return options.config;
    if (const QString fromEnvironment = qEnvironmentVariable("TAVOLIN_CONFIG");
        !fromEnvironment.isEmpty())
        return fromEnvironment;
    // The windows' own ini: the companion shares the user's settings and last data file.
    return TConfig::DefaultPathFor(QCoreApplication::applicationDirPath() + u"/tavolin");
}

QString TCliSession::DataFilePath() const
{
    const QString path = options_.file.isEmpty() ? core_.Config()->FileName() : options_.file;
    if (path.trimmed().isEmpty())
        Fail(TCliFailure::Usage,
             u"No data file: name one with --file, or open one in Tavolin first"_qs);
    return QFileInfo(path).absoluteFilePath();
}

void TCliSession::Open(bool forChange)
{
    const QString path = DataFilePath();
    // Anything else that is there, a FIFO say, the load refuses with its own message.
    if (!QFileInfo::exists(path))
        Fail(TCliFailure::LoadFailed, core_.Translate(u"ErrorLoad"_qs) + u" | " +
                                          QDir::toNativeSeparators(path) + u": no such file"_qs);
    TDataFile& dataFile = *core_.DataFile();
    dataFile.ChooseStartupFile({path});
    // Reading commands leave no trace on disk, not even a backup.
    if (forChange)
        HoldWriterLock();
    else
        core_.Config()->SetAutoBackup(false);
    if (!dataFile.Load())
        throw TCliFailure{TCliFailure::LoadFailed, QString()}; // the error is shown already
}

void TCliSession::RefreshViews(const TKavContext* context, std::optional<bool> includeIncluded)
{
    TTodoView& todo = *core_.TodoView();
    todo.SelectContext(context);
    todo.SetIncludeIncluded(includeIncluded.value_or(core_.Config()->ToDoIncludedSubContexts()));
    core_.Tasks()->UpdateViews();
}

void TCliSession::HoldWriterLock()
{
    try {
        core_.DataFile()->HoldWriterLock();
    } catch (const std::exception& error) {
        Fail(TCliFailure::SaveFailed,
             core_.Translate(u"ErrorSave"_qs) + u" | " + ErrorMessage(error));
    }
}

void TCliSession::Save()
{
    TDataFile& dataFile = *core_.DataFile();
    dataFile.SetModified(true);
    const qsizetype errors = prompts_.Errors().size();
    if (dataFile.Save())
        return;
    // A failure has been shown; a question answered no has not.
    Fail(TCliFailure::SaveFailed,
         prompts_.Errors().size() > errors
             ? QString()
             : u"Nothing was written to " + QDir::toNativeSeparators(dataFile.Path()));
}

TTask& TCliSession::Item(const QString& idText)
{
    if (TTask* item = core_.Tasks()->FindByIdText(idText.trimmed()))
        return *item;
    Fail(TCliFailure::NotFound, u"No item with the id " + idText);
}

TKavContext& TCliSession::Context(const QString& nameOrId)
{
    TContexts& contexts = *core_.Contexts();
    if (TKavContext* byId = contexts.FindByIdText(nameOrId.trimmed()))
        return *byId;
    for (int i = 0; i < contexts.Count(); ++i) {
        if (contexts.Get(i)->Name() == nameOrId)
            return *contexts.Get(i);
    }
    Fail(TCliFailure::NotFound, u"No context named " + nameOrId);
}
