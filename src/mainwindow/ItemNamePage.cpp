#include "mainwindow/ItemNamePage.h"

#include "app/AppCore.h"
#include "model/Task.h"
#include "widgets/IconImages.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

TItemNamePage::TItemNamePage(QTabWidget& pager, const TIconImages& icons)
    : pager_(pager), page_(new QWidget), caption_(new QLabel), name_(new QLineEdit),
      path_(new QLabel)
{
    page_->setObjectName(u"pgTask"_qs);
    caption_->setObjectName(u"labTaskName"_qs);
    name_->setObjectName(u"edTask"_qs);
    path_->setObjectName(u"labTaskPath"_qs);
    name_->setReadOnly(true);
    caption_->setBuddy(name_);
    // Names and paths are the user's text, never markup.
    path_->setTextFormat(Qt::PlainText);
    path_->setWordWrap(true);
    path_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    path_->setForegroundRole(QPalette::PlaceholderText);

    auto* layout = new QVBoxLayout(page_);
    layout->addWidget(caption_);
    layout->addWidget(name_);
    layout->addWidget(path_);
    layout->addStretch();
    pager_.insertTab(0, page_, icons.Icon(TIconKind::TaskPage), QString());
}

void TItemNamePage::ShowItem(TTask*)
{
    LoadControls();
}

void TItemNamePage::LoadControls()
{
    const TTask* item = Core().CurrentItem();
    pager_.setVisible(item != nullptr);
    if (!item)
        return;
    caption_->setText(Core().Translate(item->TypeName()));
    name_->setText(item->Name());
    name_->setCursorPosition(0);
    path_->setText(item->Path());
}

void TItemNamePage::RefreshCaptions()
{
    pager_.setTabText(pager_.indexOf(page_), Core().Translate(u"Task"_qs));
    LoadControls();
}

void TItemNamePage::StartNaming()
{
    pager_.setCurrentWidget(page_);
    name_->setFocus();
    name_->selectAll();
}
