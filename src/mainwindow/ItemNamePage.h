#pragma once

#include "mainwindow/TaskEditorPort.h"

class QLabel;
class QLineEdit;
class QTabWidget;
class QWidget;
class TIconImages;

// Stands in the details pane until the item editor comes: a Task page that shows the current
// item's name and where it stands in the outline, read-only.
class TItemNamePage final : public ITaskEditor {
public:
    TItemNamePage(QTabWidget& pager, const TIconImages& icons);

    void ShowItem(TTask* item) override;
    void LoadControls() override;
    void RefreshContextChooser() override {}
    void RefreshCaptions() override;
    void StartNaming() override;
    void CommitPendingEdit() override {}

private:
    QTabWidget& pager_;
    QWidget* page_;   // pgTask
    QLabel* caption_; // labTaskName
    QLineEdit* name_; // edTask
    QLabel* path_;    // labTaskPath
};
