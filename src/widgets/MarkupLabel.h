#pragma once

#include "views/Chooser.h"

#include <QFrame>
#include <QString>

class TIconImages;
class TMarkupLayout;

// A label that shows view markup: the statistics, the splash window's texts, the status bar's
// panels, the item editor's labels. Lines break only at <br>; a line too wide is cut with an
// ellipsis, so the label can shrink. Everything that is not one of the six constructs stands as
// typed. Bound to a core label it follows the label's lines; the label must outlive it.
class TMarkupLabel final : public QFrame, private TLabel::IObserver {
    Q_OBJECT

public:
    explicit TMarkupLabel(const TIconImages& icons, QWidget* parent = nullptr);
    TMarkupLabel(TLabel& label, const TIconImages& icons, QWidget* parent = nullptr);
    ~TMarkupLabel() override;

    const QString& Markup() const { return markup_; }
    void SetMarkup(const QString& markup);
    // Top (the default) or vertically centred; left, centred or right.
    void SetAlignment(Qt::Alignment alignment);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // A click on a link, then the click itself; a double click instead of its second click.
    void linkClicked(const QString& target);
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void LinesChanged() override;
    TMarkupLayout Layout() const;

    const TIconImages& icons_;
    TLabel* label_ = nullptr;
    QString markup_;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
    bool inDoubleClick_ = false; // till the release that ends it
};
