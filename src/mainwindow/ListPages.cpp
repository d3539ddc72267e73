#include "mainwindow/ListPages.h"

#include "app/AppCore.h"
#include "views/Done.h"
#include "views/Goals.h"
#include "views/Outline.h"
#include "views/Projects.h"
#include "views/Statistics.h"
#include "views/ToDo.h"
#include "widgets/MarkupComboBox.h"
#include "widgets/MarkupLabel.h"
#include "widgets/OutlineModel.h"
#include "widgets/OutlineTreeView.h"
#include "widgets/RowListBinding.h"
#include "widgets/RowListModel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// Wide enough for a date with the repetition mark, and for a context's name.
constexpr int DateWidth = 112;
constexpr int ContextWidth = 130;

// A column's width, or the rest of the list's width (Stretch).
struct TColumn {
    int width;
    bool stretch = false;
};

void SetColumns(QTreeView* list, std::initializer_list<TColumn> columns)
{
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(0);
    int index = 0;
    for (const TColumn& column : columns) {
        header->setSectionResizeMode(index,
                                     column.stretch ? QHeaderView::Stretch : QHeaderView::Fixed);
        if (!column.stretch)
            header->resizeSection(index, column.width);
        // The sort key is the rows' order, never shown.
        list->setColumnHidden(index, column.width == 0 && !column.stretch);
        ++index;
    }
}

QVBoxLayout* PageLayout(QWidget* page)
{
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    return layout;
}

} // namespace

TListPages::TListPages(const TIconImages& icons, QWidget* parent)
    : QObject(parent), pgrLists(new QTabWidget(parent))
{
    pgrLists->setObjectName(u"pgrLists"_qs);
    pgrLists->setDocumentMode(true);
    BuildOutlinePage(icons);
    BuildToDoPage(icons);
    BuildProjectsPage(icons);
    BuildGoalsPage(icons);
    BuildStatisticsPage(icons);
    BuildDonePage(icons);
}

// The views and their models go with the pager, which the window destroys before the core.
TListPages::~TListPages()
{
    Core().TodoView()->SetOnIncludeIncludedChange(nullptr);
}

QWidget* TListPages::AddPage(const QString& name)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    pgrLists->addTab(page, QString());
    return page;
}

QTreeView* TListPages::AddList(QWidget* page, const QString& name, TRowListModel* model,
                               const TIconImages& icons)
{
    auto* list = new QTreeView(page);
    list->setObjectName(name);
    new TRowListBinding(list, model, icons);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    return list;
}

void TListPages::BuildOutlinePage(const TIconImages& icons)
{
    pgOutline = AddPage(u"pgOutline"_qs);
    outlineModel = new TOutlineModel(Core().Outline()->Tree(), pgOutline);
    treeOutline = new TOutlineTreeView(outlineModel, icons, pgOutline);
    treeOutline->setObjectName(u"treeOutline"_qs);
    treeOutline->setContextMenuPolicy(Qt::CustomContextMenu);
    PageLayout(pgOutline)->addWidget(treeOutline);
    // Entering the page goes on to the tree.
    pgOutline->setFocusProxy(treeOutline);
}

void TListPages::BuildToDoPage(const TIconImages& icons)
{
    pgToDo = AddPage(u"pgToDo"_qs);
    TTodoView& view = *Core().TodoView();
    labToDoContext = new QLabel(pgToDo);
    labToDoContext->setObjectName(u"labToDoContext"_qs);
    cboxToDoContext = new TMarkupComboBox(view.ContextChooser(), icons, pgToDo);
    cboxToDoContext->setObjectName(u"cboxToDoContext"_qs);
    cboxToDoContext->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cboxToDoContext->setMinimumContentsLength(16);
    labToDoContext->setBuddy(cboxToDoContext);
    chkToDoSubContexts = new QCheckBox(pgToDo);
    chkToDoSubContexts->setObjectName(u"chkToDoSubContexts"_qs);
    toDoModel = new TRowListModel(view.List(), pgToDo);
    tlToDo = AddList(pgToDo, u"tlToDo"_qs, toDoModel, icons);
    SetColumns(tlToDo, {{0}, {25}, {0, true}, {DateWidth}, {24}, {ContextWidth}});

    auto* chooserRow = new QHBoxLayout;
    chooserRow->addWidget(cboxToDoContext, 1);
    chooserRow->addWidget(chkToDoSubContexts);
    QVBoxLayout* layout = PageLayout(pgToDo);
    layout->addWidget(labToDoContext);
    layout->addLayout(chooserRow);
    layout->addWidget(tlToDo, 1);

    connect(cboxToDoContext, &TMarkupComboBox::entryChosen, this, [](int index) {
        Core().Guarded([index] { Core().TodoView()->cboxToDoContextChange(index); });
    });
    connect(cboxToDoContext, &TMarkupComboBox::quickKeyPressed, this, [](QChar key) {
        Core().Guarded([key] { Core().TodoView()->cboxToDoContextKeyDown(key); });
    });
    connect(chkToDoSubContexts, &QCheckBox::clicked, this, [](bool include) {
        Core().Guarded([include] { Core().TodoView()->chkToDoSubContextsClick(include); });
    });
    view.SetOnIncludeIncludedChange([this] { ShowIncludeIncluded(); });
    ShowIncludeIncluded();
}

void TListPages::ShowIncludeIncluded()
{
    chkToDoSubContexts->setChecked(Core().TodoView()->IncludeIncluded());
}

void TListPages::BuildProjectsPage(const TIconImages& icons)
{
    pgProjects = AddPage(u"pgProjects"_qs);
    TProjectsView& view = *Core().ProjectsView();
    labProjectsFilter = new QLabel(pgProjects);
    labProjectsFilter->setObjectName(u"labProjectsFilter"_qs);
    cboxProjectsFilter = new TMarkupComboBox(view.FilterChooser(), icons, pgProjects);
    cboxProjectsFilter->setObjectName(u"cboxProjectsFilter"_qs);
    labProjectsFilter->setBuddy(cboxProjectsFilter);
    projectsModel = new TRowListModel(view.List(), pgProjects);
    tlProjects = AddList(pgProjects, u"tlProjects"_qs, projectsModel, icons);
    SetColumns(tlProjects, {{0}, {20}, {0, true}, {60}, {20}});

    QVBoxLayout* layout = PageLayout(pgProjects);
    layout->addWidget(labProjectsFilter);
    layout->addWidget(cboxProjectsFilter);
    layout->addWidget(tlProjects, 1);
    connect(cboxProjectsFilter, &TMarkupComboBox::entryChosen, this, [](int index) {
        Core().Guarded([index] { Core().ProjectsView()->cboxProjectsFilterChange(index); });
    });
}

void TListPages::BuildGoalsPage(const TIconImages& icons)
{
    pgGoals = AddPage(u"pgGoals"_qs);
    goalsModel = new TRowListModel(Core().GoalsView()->List(), pgGoals);
    tlGoals = AddList(pgGoals, u"tlGoals"_qs, goalsModel, icons);
    SetColumns(tlGoals, {{0}, {20}, {0, true}, {60}, {20}});
    PageLayout(pgGoals)->addWidget(tlGoals);
    auto* binding = tlGoals->findChild<TRowListBinding*>();
    connect(binding, &TRowListBinding::rowHovered, this, [](const TListRow* row) {
        Core().Guarded([row] { Core().GoalsView()->tlGoalsMouseMove(row); });
    });
}

void TListPages::BuildStatisticsPage(const TIconImages& icons)
{
    pgStatistics = AddPage(u"pgStatistics"_qs);
    labStats = new TMarkupLabel(Core().StatisticsView()->Label(), icons, pgStatistics);
    labStats->setObjectName(u"labStats"_qs);
    labStats->setContentsMargins(8, 8, 8, 8);
    PageLayout(pgStatistics)->addWidget(labStats, 1);
}

void TListPages::BuildDonePage(const TIconImages& icons)
{
    pgDone = AddPage(u"pgDone"_qs);
    doneModel = new TRowListModel(Core().DoneView()->List(), pgDone);
    tlDone = AddList(pgDone, u"tlDone"_qs, doneModel, icons);
    SetColumns(tlDone, {{0}, {25}, {0, true}, {ContextWidth}, {20}});
    PageLayout(pgDone)->addWidget(tlDone);
}

QList<QWidget*> TListPages::ItemViews() const
{
    return {treeOutline, tlToDo, tlProjects, tlGoals, tlDone};
}

bool TListPages::IsOutlineInFront() const
{
    return pgrLists->currentWidget() == pgOutline;
}

void TListPages::ShowOutlinePage()
{
    pgrLists->setCurrentWidget(pgOutline);
}

void TListPages::RetranslateCaptions()
{
    const auto caption = [this](QWidget* page, const QString& key) {
        pgrLists->setTabText(pgrLists->indexOf(page), Core().Translate(key));
    };
    caption(pgOutline, u"Outline"_qs);
    caption(pgToDo, u"To Do"_qs);
    caption(pgProjects, u"Projects"_qs);
    caption(pgGoals, u"Goals"_qs);
    chkToDoSubContexts->setText(Core().Translate(u"Included contexts"_qs));
    caption(pgDone, u"Done"_qs);
    caption(pgStatistics, u"Statistics"_qs);
    labToDoContext->setText(Core().Translate(u"Context"_qs));
    labProjectsFilter->setText(Core().Translate(u"Filter"_qs));
}
