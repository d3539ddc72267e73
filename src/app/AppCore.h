#pragma once

#include "platform/Clock.h"
#include "platform/RegionalSettings.h"

#include <QString>
#include <exception>
#include <memory>

class IItemViews;
class IMainWindowPort;
class IUserPrompts;
class TAppStatusProvider;
class TConfig;
class TContexts;
class TDataFile;
class TDebug;
class TDoneView;
class TGoalsView;
class TIconProvider;
class TItemRows;
class TLanguagesEngine;
class TOutline;
class TProjectsView;
class TStatisticsView;
class TSubContexts;
class TTask;
class TTasks;
class TTodoView;
class TKavView;

// The module registry: creates every module in a fixed order, owns them, and hands them out.
// Exactly one exists at a time; Core() reaches it from everywhere.
class TCore {
public:
    TCore();
    ~TCore();
    TCore(const TCore&) = delete;
    TCore& operator=(const TCore&) = delete;

    void CreateModules();

    TLanguagesEngine* LanguagesEngine() const { return languagesEngine_.get(); }
    TOutline* Outline() const { return outline_.get(); }
    TTodoView* TodoView() const { return todoView_.get(); }
    TProjectsView* ProjectsView() const { return projectsView_.get(); }
    TGoalsView* GoalsView() const { return goalsView_.get(); }
    TDoneView* DoneView() const { return doneView_.get(); }
    TStatisticsView* StatisticsView() const { return statisticsView_.get(); }
    TTasks* Tasks() const { return tasks_.get(); }
    TConfig* Config() const { return config_.get(); }
    TContexts* Contexts() const { return contexts_.get(); }
    TDataFile* DataFile() const { return dataFile_.get(); }
    TDebug* Debug() const { return debug_.get(); }
    TSubContexts* SubContexts() const { return subContexts_.get(); }
    TAppStatusProvider* StatusProvider() const { return statusProvider_.get(); }
    TIconProvider* IconProvider() const { return iconProvider_.get(); }
    // The views' side of every item's rows; none before the views exist.
    IItemViews* ItemViews() const { return itemViews_; }
    void SetItemViews(IItemViews* views) { itemViews_ = views; }

    void Log(const QString& message) const;
    // "caption | detail"; the separator stands even when the detail is empty.
    void ShowError(const QString& caption, const QString& detail) const;
    void ShowMessage(const QString& text) const;
    // A Yes/No question titled "Confirmation" (which has no translation), No by default.
    bool Confirm(const QString& text) const;
    // The text of a key in the current language; the key itself before the engine exists.
    QString Translate(const QString& key) const;
    void ShowStatus(const QString& text) const;

    static QString GetAppName();
    static QString GetVersion();

    void BeginUpdateViews();
    void EndUpdateViews();
    void ClearViews();

    // The item last selected in any view; none while the outline is empty.
    TTask* CurrentItem() const { return currentItem_; }
    // Forgets the current item if it is this one; called for every item that is released.
    void ForgetCurrentItem(const TTask* released);

    // Marks the open data file modified (or not); the window follows through AdjustControls.
    void SetModified(bool modified);

    void AdjustControls();
    void SelectItem(TTask* item);
    void ShowHint(const QString& text);
    void ApplyStyle();
    void ShowSettings();
    void ShowOutlinePage();
    void LoadEditorControls();

    // The handler of every error that no other handler catches.
    void HandleException(const std::exception& error) const;
    // Runs an event's work; an error escaping it goes to HandleException.
    template <typename Work> void Guarded(Work&& work) const
    {
        try {
            work();
        } catch (const std::exception& error) {
            HandleException(error);
        }
    }

    // The ports. Without a window the registry talks to no one and answers No.
    void SetMainWindow(IMainWindowPort* window);
    void SetPrompts(IUserPrompts* prompts);
    IUserPrompts& Prompts() const { return *prompts_; }
    void SetClock(const IClock* clock);
    const IClock& Clock() const { return *clock_; }
    void SetRegionalSettings(const TRegionalSettings& settings) { regional_ = settings; }
    const TRegionalSettings& Regional() const { return regional_; }

private:
    // The list views in the order to-do, projects, goals, done.
    static constexpr int ListViewCount = 4;
    TKavView* ListView(int position) const;

    // Declared in the order of the module table; created in the order CreateModules gives.
    std::unique_ptr<TLanguagesEngine> languagesEngine_;
    std::unique_ptr<TOutline> outline_;
    std::unique_ptr<TTodoView> todoView_;
    std::unique_ptr<TProjectsView> projectsView_;
    std::unique_ptr<TGoalsView> goalsView_;
    std::unique_ptr<TDoneView> doneView_;
    std::unique_ptr<TStatisticsView> statisticsView_;
    std::unique_ptr<TTasks> tasks_;
    std::unique_ptr<TConfig> config_;
    std::unique_ptr<TContexts> contexts_;
    std::unique_ptr<TDataFile> dataFile_;
    std::unique_ptr<TDebug> debug_;
    std::unique_ptr<TSubContexts> subContexts_;
    std::unique_ptr<TAppStatusProvider> statusProvider_;
    std::unique_ptr<TIconProvider> iconProvider_;

    std::unique_ptr<IMainWindowPort> nullWindow_;
    std::unique_ptr<IUserPrompts> defaultPrompts_;
    TSystemClock systemClock_;
    IMainWindowPort* mainWindow_;
    IUserPrompts* prompts_;
    const IClock* clock_;
    TRegionalSettings regional_;
    TTask* currentItem_ = nullptr;
    std::unique_ptr<TItemRows> itemRows_;
    IItemViews* itemViews_ = nullptr;
};

// The registry of this process. Only valid while one exists.
TCore& Core();
bool CoreExists();
