#pragma once

class TTask;

// The details pane's item editor as the main window drives it. The window creates it with the
// details pager, into which the editor puts its pages (Task, Notes, Info) in front of the Debug
// page, and owns it; the core reaches it through the window.
class ITaskEditor {
public:
    virtual ~ITaskEditor() = default;

    // The item (none: the details pager hides) becomes the editor's, and its controls load.
    virtual void ShowItem(TTask* item) = 0;
    // The current item's values into the controls again, after a command changed the item.
    virtual void LoadControls() = 0;
    // The context chooser refilled from the contexts.
    virtual void RefreshContextChooser() = 0;
    // Captions and chooser texts in the current language.
    virtual void RefreshCaptions() = 0;
    // A new item to be named: its page to the front and the keyboard in the name box.
    virtual void StartNaming() = 0;
    // A change still waiting to be written into the item is written now: before a save, a
    // close, another data file, or a command that works on the items.
    virtual void CommitPendingEdit() = 0;
};
