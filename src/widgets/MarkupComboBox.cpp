#include "widgets/MarkupComboBox.h"

#include "views/ViewMarkup.h"
#include "widgets/ChooserModel.h"
#include "widgets/CoreItemModel.h"
#include "widgets/MarkupDelegate.h"
#include "widgets/MarkupInks.h"
#include "widgets/MarkupLayout.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int FieldMargin = 2;

bool IsQuickKey(const QKeyEvent& event)
{
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int key = event.key();
    return (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
}

} // namespace

TMarkupComboBox::TMarkupComboBox(TChooser& chooser, const TIconImages& icons, QWidget* parent)
    : QComboBox(parent), chooser_(chooser), icons_(icons)
{
    auto* model = new TChooserModel(chooser, this);
    setModel(model);
    setItemDelegate(new TMarkupDelegate(icons_, this));
    // After the box's own handlers, which pick an entry of their own when entries come.
    connect(model, &QAbstractItemModel::modelReset, this, &TMarkupComboBox::ShowChooserSelection);
    connect(model, &QAbstractItemModel::rowsInserted, this, &TMarkupComboBox::ShowChooserSelection);
    connect(model, &QAbstractItemModel::dataChanged, this, [this] { update(); });
    connect(model, &TChooserModel::selectionChanged, this, &TMarkupComboBox::ShowChooserSelection);
    connect(this, &QComboBox::activated, this, [this](int index) {
        Q_EMIT entryChosen(index);
        ShowChooserSelection();
    });
    ShowChooserSelection();
}

void TMarkupComboBox::ShowChooserSelection()
{
    setCurrentIndex(chooser_.SelectedIndex());
    setAccessibleName(PlainText(CurrentMarkup()));
    update();
}

QString TMarkupComboBox::CurrentMarkup() const
{
    const int index = currentIndex();
    return index >= 0 && index < chooser_.Count() ? chooser_.Entry(index) : QString();
}

QSize TMarkupComboBox::sizeHint() const
{
    qreal widest = 0;
    for (const QString& entry : chooser_.Entries())
        widest = std::max(widest, TMarkupLayout::NaturalSize(entry, font()).width());
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize contents(int(std::ceil(widest)) + 2 * FieldMargin,
                         int(std::ceil(TMarkupLayout::LineHeight(font()))));
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
}

void TMarkupComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    TMarkupLayout(CurrentMarkup(), font(), field.adjusted(FieldMargin, 0, -FieldMargin, 0))
        .Paint(painter,
               TMarkupInks::FromPalette(palette(), group, QPalette::ButtonText, QPalette::Button),
               icons_);
}

void TMarkupComboBox::keyPressEvent(QKeyEvent* event)
{
    static const QMetaMethod quickKey = QMetaMethod::fromSignal(&TMarkupComboBox::quickKeyPressed);
    if (isSignalConnected(quickKey) && IsQuickKey(*event)) {
        Q_EMIT quickKeyPressed(QChar(char16_t(event->key())));
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}
