#pragma once

#include "app/Config.h"

#include <QRect>

class QWidget;

// A window's position, size and maximised state as the configuration keeps them: the position
// of its frame, the size of its client area, the normal placement while it is maximised.
class TFormPlacement final : public IFormPlacement {
public:
    explicit TFormPlacement(QWidget& window) : window_(window) {}

    int Top() const override;
    int Left() const override;
    int Width() const override;
    int Height() const override;
    bool IsMaximized() const override;
    void SetTop(int top) override;
    void SetLeft(int left) override;
    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void Maximize() override;

    // A stored placement from a screen that is gone would put the window where nobody sees
    // it: unless enough of it lies on some screen, it moves onto the primary screen, and no
    // larger than that screen.
    void KeepOnScreen();
    // Whether enough of the rectangle (its top, where a window is dragged from) lies on a
    // screen of these.
    static bool IsReachable(const QRect& frame, const QList<QRect>& screens);

private:
    QRect NormalFrame() const;

    QWidget& window_;
};
