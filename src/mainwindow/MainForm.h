#pragma once

#include "app/Ports.h"
#include "mainwindow/HelpPages.h"
#include "mainwindow/QtTranslation.h"
#include "mainwindow/SplashScreen.h"
#include "widgets/IconImages.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <chrono>
#include <memory>

class IClock;
class ITaskEditor;
class QPlainTextEdit;
class QSplitter;
class QTabWidget;
class TCore;
class TDataFileWatcher;
class TDebugMemo;
class TListPages;
class TMainActions;
class TStatusPanels;

// What the program starts with; tests change the last three.
struct TMainFormOptions {
    QStringList arguments; // the command line without the program's own path
    std::chrono::milliseconds splashMinimumTime = TfrmSplashScreen::DefaultMinimumTime;
    IUserPrompts* prompts = nullptr; // none: message boxes and file dialogs
    const IClock* clock = nullptr;   // none: the system's clock
};

// The program's one working window: the tool bar, the list pages beside the details pane, the
// status bar, the menus and the pop-up menu. It creates the module registry with every module
// and owns it, so it is the program; it is also the core's main-window port. Every command runs
// through the core (its item commands, the data file, the views) and every handler is guarded:
// an error that escapes one is shown as a general application error and the program goes on.
class TfrmMainForm final : public QMainWindow, public IMainWindowPort {
    Q_OBJECT

public:
    // The start-up: throws when the modules cannot be created (the ini file cannot be read),
    // after the splash window has gone.
    explicit TfrmMainForm(const TMainFormOptions& options = {});
    ~TfrmMainForm() override;

    // The core's main-window port.
    void AdjustControls() override;
    void SelectItem(TTask* item) override;
    void ShowHint(const QString& text) override;
    void ApplyStyle() override;
    void ShowSettings() override;
    void ShowOutlinePage() override;
    void LoadEditorControls() override;

    // Loads the data file and restores the current item and the to-do context from the
    // configuration; also the Open command's last step.
    void OpenAndRestore();
    void UpdateTitle();
    void RefreshContextLists();
    void ApplyConfiguredLanguage();
    // Every caption of the window in the current language, and the captions and texts of the
    // parts that depend on it.
    void ApplyLanguage();

    // Until the splash window has gone.
    TfrmSplashScreen* SplashScreen() const { return splash_; }
    TCore& Registry() const { return *core_; }

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLayout();
    QWidget* BuildDetailsPager();
    void ConnectCommands();
    void ListenToStatus();
    void FormShow();
    void FormClose();
    // A user's command: a change the editor still holds is written first, and an error that
    // escapes goes to the application-wide handler.
    template <typename Work> void Command(Work&& work);

    void mnNewFileClick();
    void mnOpenFileClick();
    void btnSaveClick();
    void btnNewTaskClick();
    void mnPopNewItemClick();
    void btnDeletetaskClick();
    void btnMoveTaskUpClick();
    void btnMoveTaskDownClick();
    void btnCleanClick();
    void SwitchLanguage(TLanguage language);
    void OpenHelpPage(HelpPages::TPage page);
    void ShowPopup(QWidget* view, const QPoint& point);

    // Declared first, so that it goes last: everything below shows it.
    std::unique_ptr<TCore> core_;
    std::unique_ptr<IUserPrompts> widgetPrompts_;
    TIconImages icons_;
    QPointer<TfrmSplashScreen> splash_;
    TMainActions* actions_ = nullptr;
    TListPages* lists_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QTabWidget* pgrDetails_ = nullptr;
    QWidget* pgDebug_ = nullptr;
    QPlainTextEdit* memDebug_ = nullptr;
    std::unique_ptr<TDebugMemo> debugMemo_;
    TStatusPanels* panels_ = nullptr;
    std::unique_ptr<ITaskEditor> editor_;
    TQtTranslation qtTranslation_;
    TDataFileWatcher* watcher_ = nullptr;
    bool shownOnce_ = false;
};
