#include "mainwindow/FormPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// How much of a window's top edge must show on one screen for the user to reach it.
constexpr int ReachableWidth = 100;
constexpr int ReachableHeight = 30;

} // namespace

QRect TFormPlacement::NormalFrame() const
{
    // While maximised the stored placement is the one it goes back to.
    const QRect normal = window_.isMaximized() ? window_.normalGeometry() : window_.geometry();
    const QPoint frame = window_.isMaximized() ? normal.topLeft() : window_.pos();
    return {frame, normal.size()};
}

int TFormPlacement::Top() const
{
    return NormalFrame().top();
}

int TFormPlacement::Left() const
{
    return NormalFrame().left();
}

int TFormPlacement::Width() const
{
    return NormalFrame().width();
}

int TFormPlacement::Height() const
{
    return NormalFrame().height();
}

bool TFormPlacement::IsMaximized() const
{
    return window_.isMaximized();
}

void TFormPlacement::SetTop(int top)
{
    window_.move(window_.pos().x(), top);
}

void TFormPlacement::SetLeft(int left)
{
    window_.move(left, window_.pos().y());
}

void TFormPlacement::SetWidth(int width)
{
    window_.resize(width, window_.height());
}

void TFormPlacement::SetHeight(int height)
{
    window_.resize(window_.width(), height);
}

void TFormPlacement::Maximize()
{
    window_.setWindowState(window_.windowState() | Qt::WindowMaximized);
}

bool TFormPlacement::IsReachable(const QRect& frame, const QList<QRect>& screens)
{
    const QRect top(frame.topLeft(), QSize(frame.width(), ReachableHeight));
    return std::any_of(screens.begin(), screens.end(), [&top](const QRect& screen) {
        const QRect shown = screen.intersected(top);
        return shown.width() >= std::min(ReachableWidth, top.width()) &&
               shown.height() >= std::min(ReachableHeight, top.height());
    });
}

void TFormPlacement::KeepOnScreen()
{
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QRect frame(window_.pos(), window_.size());
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary || IsReachable(frame, screens))
        return;
    const QRect available = primary->availableGeometry();
    const QSize size = window_.size().boundedTo(available.size());
    window_.resize(size);
    window_.move(available.topLeft() + QPoint((available.width() - size.width()) / 2,
                                              (available.height() - size.height()) / 2));
}
