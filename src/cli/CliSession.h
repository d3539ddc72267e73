#pragma once

#include "app/AppCore.h"
#include "cli/CliArguments.h"
#include "cli/CliPrompts.h"
#include "platform/Clock.h"

#include <memory>
#include <optional>

class TKavContext;
class TTask;

// One run of the companion: the registry with every module, set up as the windows set it up,
// with the companion's clock, language and answers, and the data file it works on.
class TCliSession {
public:
    explicit TCliSession(const TCliOptions& options);
    ~TCliSession();
    TCliSession(const TCliSession&) = delete;
    TCliSession& operator=(const TCliSession&) = delete;

    TCore& core() { return core_; }
    TCliPrompts& prompts() { return prompts_; }

    // Opens the data file as the windows open it. A command that only reads makes no backup and
    // takes no lock; one that changes the file holds the writer's lock from before it reads the
    // file until the session ends (HoldWriterLock). A file that does not exist or fails to load
    // ends the run (exit status 2), and so does a lock that cannot be had (exit status 3).
    void Open(bool forChange);
    // The writer's lock of the data file's path, held to the end; exit status 3 without it.
    void HoldWriterLock();
    // The path of the data file the command names or the configuration holds.
    QString DataFilePath() const;
    // Fills every view for the current data, with the to-do page's context and included
    // contexts as given (all contexts and the configured check box when not).
    void RefreshViews(const TKavContext* context = nullptr,
                      std::optional<bool> includeIncluded = std::nullopt);
    // Saves the changed data file; a failure ends the run (exit status 3), and so does a file
    // that another program changed behind the lock when the user does not want it overwritten.
    void Save();

    // The item with the id, or the end of the run (exit status 4).
    TTask& Item(const QString& idText);
    // The context with the id, else the first one with that name, or the end of the run.
    TKavContext& Context(const QString& nameOrId);

private:
    static QString ConfigPath(const TCliOptions& options);

    const TCliOptions& options_;
    std::unique_ptr<TFixedClock> fixedClock_;
    TCliPrompts prompts_;
    TCore core_;
};
