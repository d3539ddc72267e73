#include "mainwindow/StatusPanels.h"

#include "views/Icons.h"
#include "widgets/MarkupLabel.h"
#include "widgets/PlainToolTip.h"

#include <QLabel>
#include <QStatusBar>

namespace {

QLabel* PlainPanel(const QString& name)
{
    auto* panel = new QLabel;
    panel->setObjectName(name);
    panel->setTextFormat(Qt::PlainText);
    panel->setContentsMargins(4, 0, 4, 0);
    return panel;
}

} // namespace

TStatusPanels::TStatusPanels(QStatusBar& bar, const TIconImages& icons)
    : QObject(&bar), version_(PlainPanel(u"panVersion"_qs)), status_(PlainPanel(u"panStatus"_qs)),
      hint_(new TMarkupLabel(icons))
{
    hint_->setObjectName(u"panHint"_qs);
    hint_->SetAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hint_->setContentsMargins(4, 0, 4, 0);
    // A long status or hint is cut rather than widening the window.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    hint_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar.addWidget(version_);
    bar.addWidget(status_, 3);
    bar.addWidget(hint_, 2);

    hintTimer_.setParent(this); // a member, so gone before its parent
    hintTimer_.setObjectName(u"HelpHintTimer"_qs);
    hintTimer_.setSingleShot(true);
    hintTimer_.setInterval(HintInterval);
    connect(&hintTimer_, &QTimer::timeout, hint_, [this] { hint_->SetMarkup(QString()); });
}

void TStatusPanels::SetVersionText(const QString& text)
{
    version_->setText(text);
}

void TStatusPanels::SetStatusText(const QString& text)
{
    status_->setText(text);
    status_->setToolTip(PlainToolTip(text));
}

void TStatusPanels::ShowHint(const QString& text)
{
    hint_->SetMarkup(text.isEmpty() ? text
                                    : TIconProvider::IconMarkup(TIconKind::Idea) + u' ' + text);
    hintTimer_.start();
}

QString TStatusPanels::HintMarkup() const
{
    return hint_->Markup();
}
