#pragma once

#include <QImage>

// The pictures of the icon list, which the windows own: image N of the list, 16 × 16 pixels.
class IIconImages {
public:
    virtual ~IIconImages() = default;
    // A null image draws nothing.
    virtual QImage Image(int index) const = 0;
};

// A progress bar that follows a print job row by row; the print dialog's status panel.
class IPrintProgress {
public:
    virtual ~IPrintProgress() = default;
    virtual void SetMaximum(int maximum) = 0;
    virtual void SetPosition(int position) = 0;
    // Whether the bar shows its percentage.
    virtual void SetPercentShown(bool shown) = 0;
};
