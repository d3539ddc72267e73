#pragma once

#include <QObject>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolBar;
class QToolButton;

// The main window's commands as the user reaches them: the menu bar with its entries, keys and
// separators, the tool bar's nine buttons and the pop-up menu. Every entry and button carries
// its control's name. Which handler runs and when an entry is enabled is the window's.
class TMainActions final : public QObject {
    Q_OBJECT

public:
    explicit TMainActions(QMainWindow& window);

    // Menus and entries in the current language; then the buttons take caption and hint from
    // their menu entries.
    void RetranslateCaptions();
    // Captions on the buttons, or pictures alone with the caption as hint; the Print button
    // keeps its picture alone.
    void ShowToolBarCaptions(bool show);

    // File
    QAction* mnNewFile;
    QAction* mnOpenFile;
    QAction* mnSaveFile;
    QAction* mnSaveFileAs;
    QAction* mnPrint;
    QAction* mnExit;
    // Items
    QAction* mnNewItem;
    QAction* mnNewSubitem;
    QAction* mnDeleteItem;
    QAction* mnCollapseAll;
    QAction* mnExpandAll;
    QAction* mnCollapse;
    QAction* mnExpand;
    QAction* mnFind;
    QAction* mnFindAgain;
    QAction* mnClean;
    // Tools
    QAction* mnEnglish;
    QAction* mnCzech;
    QAction* mnSettings;
    // Help
    QAction* mnUserManual;
    QAction* mnSupport;

    // The pop-up menu of the outline and the lists, also behind btnNewTask's arrow.
    QMenu* popup;
    QAction* mnPopNewItem;
    QAction* mnPopNewSubItem;

    QToolBar* MainToolBar;
    QToolButton* btnSave;
    QToolButton* btnPrint;
    QToolButton* btnNewTask;
    QToolButton* btnMoveTaskUp;
    QToolButton* btnMoveTaskDown;
    QToolButton* btnDeletetask;
    QToolButton* btnFind;
    QToolButton* btnClean;
    QToolButton* btnSettings;

private:
    QMenu* AddMenu(QMainWindow& window, const QString& name);
    QAction* AddEntry(QMenu* menu, const QString& name);
    QToolButton* AddButton(const QString& name, const QString& icon);
    void FollowEntry(QToolButton* button, const QAction* entry);

    QMenu* mnFile;
    QMenu* mnItems;
    QMenu* mnTools;
    QMenu* mnLanguage;
    QMenu* mnHelp;
    QActionGroup* languages_;
};
