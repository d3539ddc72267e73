#pragma once

#include <QObject>

class QCheckBox;
class QLabel;
class QTabWidget;
class QTreeView;
class QWidget;
class TIconImages;
class TMarkupComboBox;
class TMarkupLabel;
class TOutlineModel;
class TOutlineTreeView;
class TRowListModel;

// The list pager and its pages, Outline, To Do, Projects, Goals, Statistics and Done, each
// showing its core view through a model of its own; the user's choices in the pages' choosers
// and check box go to the views. Every widget carries its control's name.
class TListPages final : public QObject {
    Q_OBJECT

public:
    // The core's views must exist; they outlive the pages.
    TListPages(const TIconImages& icons, QWidget* parent);
    ~TListPages() override;

    QTabWidget* Pager() const { return pgrLists; }
    // The outline's tree and the four lists, where the pop-up menu opens.
    QList<QWidget*> ItemViews() const;
    bool IsOutlineInFront() const;
    void ShowOutlinePage();
    void RetranslateCaptions();

    QTabWidget* pgrLists;
    QWidget* pgOutline;
    QWidget* pgToDo;
    QWidget* pgProjects;
    QWidget* pgGoals;
    QWidget* pgStatistics;
    QWidget* pgDone;
    TOutlineTreeView* treeOutline;
    QLabel* labToDoContext;
    TMarkupComboBox* cboxToDoContext;
    QCheckBox* chkToDoSubContexts;
    QTreeView* tlToDo;
    QLabel* labProjectsFilter;
    TMarkupComboBox* cboxProjectsFilter;
    QTreeView* tlProjects;
    QTreeView* tlGoals;
    TMarkupLabel* labStats;
    QTreeView* tlDone;

    TOutlineModel* outlineModel;
    TRowListModel* toDoModel;
    TRowListModel* projectsModel;
    TRowListModel* goalsModel;
    TRowListModel* doneModel;

private:
    QWidget* AddPage(const QString& name);
    QTreeView* AddList(QWidget* page, const QString& name, TRowListModel* model,
                       const TIconImages& icons);
    void BuildOutlinePage(const TIconImages& icons);
    void BuildToDoPage(const TIconImages& icons);
    void BuildProjectsPage(const TIconImages& icons);
    void BuildGoalsPage(const TIconImages& icons);
    void BuildStatisticsPage(const TIconImages& icons);
    void BuildDonePage(const TIconImages& icons);
    void ShowIncludeIncluded();
};
