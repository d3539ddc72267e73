#include "mainwindow/MainActions.h"

#include "app/AppCore.h"

#include <QActionGroup>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr QSize ToolBarIconSize{20, 20};

QString Caption(const QString& key)
{
    return Core().Translate(key);
}

} // namespace

TMainActions::TMainActions(QMainWindow& window) : QObject(&window)
{
    mnFile = AddMenu(window, u"mnFile"_qs);
    mnNewFile = AddEntry(mnFile, u"mnNewFile"_qs);
    mnOpenFile = AddEntry(mnFile, u"mnOpenFile"_qs);
    mnSaveFile = AddEntry(mnFile, u"mnSaveFile"_qs);
    mnSaveFile->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnSaveFileAs = AddEntry(mnFile, u"mnSaveFileAs"_qs);
    mnFile->addSeparator();
    mnPrint = AddEntry(mnFile, u"mnPrint"_qs);
    mnFile->addSeparator();
    mnExit = AddEntry(mnFile, u"mnExit"_qs);

    mnItems = AddMenu(window, u"mnItems"_qs);
    mnNewItem = AddEntry(mnItems, u"mnNewItem"_qs);
    mnNewItem->setShortcut(QKeySequence(Qt::Key_Insert));
    mnNewSubitem = AddEntry(mnItems, u"mnNewSubitem"_qs);
    mnNewSubitem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    mnItems->addSeparator();
    mnDeleteItem = AddEntry(mnItems, u"mnDeleteItem"_qs);
    mnDeleteItem->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Delete));
    mnItems->addSeparator();
    mnCollapseAll = AddEntry(mnItems, u"mnCollapseAll"_qs);
    mnCollapseAll->setShortcut(QKeySequence(Qt::Key_F5));
    mnExpandAll = AddEntry(mnItems, u"mnExpandAll"_qs);
    mnExpandAll->setShortcut(QKeySequence(Qt::Key_F6));
    mnCollapse = AddEntry(mnItems, u"mnCollapse"_qs);
    mnCollapse->setShortcut(QKeySequence(Qt::Key_F7));
    mnExpand = AddEntry(mnItems, u"mnExpand"_qs);
    mnExpand->setShortcut(QKeySequence(Qt::Key_F8));
    mnItems->addSeparator();
    mnFind = AddEntry(mnItems, u"mnFind"_qs);
    mnFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnFindAgain = AddEntry(mnItems, u"mnFindAgain"_qs);
    mnFindAgain->setShortcut(QKeySequence(Qt::Key_F3));
    mnItems->addSeparator();
    // Ctrl+C is also Copy: a text box with the focus takes it first, so there it copies.
    mnClean = AddEntry(mnItems, u"mnClean"_qs);
    mnClean->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));

    mnTools = AddMenu(window, u"mnTools"_qs);
    mnLanguage = mnTools->addMenu(QString());
    mnLanguage->setObjectName(u"mnLanguage"_qs);
    // The languages' own names, never translated.
    mnEnglish = AddEntry(mnLanguage, u"mnEnglish"_qs);
    mnEnglish->setText(u"English"_qs);
    mnCzech = AddEntry(mnLanguage, u"mnCzech"_qs);
    mnCzech->setText(u"Česky"_qs);
    languages_ = new QActionGroup(this);
    for (QAction* language : {mnEnglish, mnCzech}) {
        language->setCheckable(true);
        languages_->addAction(language);
    }
    mnEnglish->setChecked(true);
    mnSettings = AddEntry(mnTools, u"mnSettings"_qs);

    mnHelp = AddMenu(window, u"mnHelp"_qs);
    mnUserManual = AddEntry(mnHelp, u"mnUserManual"_qs);
    mnSupport = AddEntry(mnHelp, u"mnSupport"_qs);

    popup = new QMenu(&window);
    popup->setObjectName(u"pmPopup"_qs);
    mnPopNewItem = AddEntry(popup, u"mnPopNewItem"_qs);
    mnPopNewSubItem = AddEntry(popup, u"mnPopNewSubItem"_qs);
    popup->setDefaultAction(mnPopNewSubItem);

    MainToolBar = new QToolBar(&window);
    MainToolBar->setObjectName(u"MainToolBar"_qs);
    MainToolBar->setMovable(false);
    MainToolBar->setFloatable(false);
    MainToolBar->toggleViewAction()->setVisible(false);
    window.addToolBar(Qt::TopToolBarArea, MainToolBar);
    btnSave = AddButton(u"btnSave"_qs, u"save"_qs);
    btnPrint = AddButton(u"btnPrint"_qs, u"print"_qs);
    btnNewTask = AddButton(u"btnNewTask"_qs, u"newsubitem"_qs);
    btnNewTask->setMenu(popup);
    btnNewTask->setPopupMode(QToolButton::MenuButtonPopup);
    btnMoveTaskUp = AddButton(u"btnMoveTaskUp"_qs, u"moveup"_qs);
    btnMoveTaskDown = AddButton(u"btnMoveTaskDown"_qs, u"movedown"_qs);
    btnDeletetask = AddButton(u"btnDeletetask"_qs, u"delete"_qs);
    btnFind = AddButton(u"btnFind"_qs, u"find"_qs);
    btnClean = AddButton(u"btnClean"_qs, u"clean"_qs);
    btnSettings = AddButton(u"btnSettings"_qs, u"settings"_qs);
    ShowToolBarCaptions(false);
}

QMenu* TMainActions::AddMenu(QMainWindow& window, const QString& name)
{
    QMenu* menu = window.menuBar()->addMenu(QString());
    menu->setObjectName(name);
    return menu;
}

QAction* TMainActions::AddEntry(QMenu* menu, const QString& name)
{
    QAction* entry = menu->addAction(QString());
    entry->setObjectName(name);
    return entry;
}

QToolButton* TMainActions::AddButton(const QString& name, const QString& icon)
{
    auto* button = new QToolButton(MainToolBar);
    button->setObjectName(name);
    button->setIcon(QIcon(u":/toolbar/" + icon + u".svg"));
    button->setIconSize(ToolBarIconSize);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    MainToolBar->addWidget(button);
    return button;
}

void TMainActions::RetranslateCaptions()
{
    mnFile->setTitle(Caption(u"File"_qs));
    mnNewFile->setText(Caption(u"New"_qs));
    mnOpenFile->setText(Caption(u"Open"_qs));
    mnSaveFile->setText(Caption(u"Save"_qs));
    mnSaveFileAs->setText(Caption(u"Save As..."_qs));
    mnPrint->setText(Caption(u"Print"_qs));
    mnExit->setText(Caption(u"Exit"_qs));
    mnItems->setTitle(Caption(u"Items"_qs));
    mnNewItem->setText(Caption(u"New item"_qs));
    mnNewSubitem->setText(Caption(u"New subitem"_qs));
    mnPopNewItem->setText(mnNewItem->text());
    mnPopNewSubItem->setText(mnNewSubitem->text());
    mnDeleteItem->setText(Caption(u"Delete"_qs));
    mnClean->setText(Caption(u"Clean"_qs));
    mnTools->setTitle(Caption(u"Tools"_qs));
    mnHelp->setTitle(Caption(u"Help"_qs));
    mnSupport->setText(Caption(u"Support"_qs));
    mnUserManual->setText(Caption(u"User manual"_qs));
    mnLanguage->setTitle(Caption(u"Language"_qs));
    mnSettings->setText(Caption(u"Settings"_qs));
    mnCollapseAll->setText(Caption(u"Collapse all"_qs));
    mnExpandAll->setText(Caption(u"Expand all"_qs));
    mnCollapse->setText(Caption(u"Collapse"_qs));
    mnExpand->setText(Caption(u"Expand"_qs));
    mnFind->setText(Caption(u"Find"_qs));
    mnFindAgain->setText(Caption(u"Find again"_qs));

    FollowEntry(btnClean, mnClean);
    FollowEntry(btnSave, mnSaveFile);
    FollowEntry(btnDeletetask, mnDeleteItem);
    FollowEntry(btnFind, mnFind);
    FollowEntry(btnSettings, mnSettings);
    FollowEntry(btnNewTask, mnNewSubitem);
    FollowEntry(btnPrint, mnPrint);
    btnMoveTaskUp->setText(Caption(u"Move up"_qs));
    btnMoveTaskDown->setText(Caption(u"Move down"_qs));
    ShowToolBarCaptions(btnSave->toolButtonStyle() != Qt::ToolButtonIconOnly);
}

void TMainActions::FollowEntry(QToolButton* button, const QAction* entry)
{
    button->setText(entry->text());
}

void TMainActions::ShowToolBarCaptions(bool show)
{
    for (QToolButton* button : {btnSave, btnNewTask, btnMoveTaskUp, btnMoveTaskDown, btnDeletetask,
                                btnFind, btnClean, btnSettings}) {
        button->setToolButtonStyle(show ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
        button->setToolTip(show ? QString() : button->text());
    }
    btnPrint->setToolButtonStyle(Qt::ToolButtonIconOnly);
    btnPrint->setToolTip(btnPrint->text());
}
