#pragma once

#include "views/Icons.h"

#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtGlobal>

// The pictures of the icon list, drawn for this program as SVG files in the resources, and the
// program's own artwork. Images are rendered at the device pixel ratio they are asked for, so
// they stay crisp at any scale. The views, choosers, labels and tabs share one instance.
class TIconImages {
public:
    static constexpr int IconSize = 16; // logical pixels

    // Image index of the icon list (0 to 16), as markup's <img src="idx:N"> names it, rendered
    // IconSize square at the ratio; a null pixmap for an index outside the list.
    QPixmap Pixmap(int index, qreal devicePixelRatio) const;
    // For buttons, tabs and status panels: sharp at whatever size they ask for.
    QIcon Icon(int index) const;
    QIcon Icon(TIconKind kind) const { return Icon(TIconProvider::IconIndex(kind)); }
    // A new IconSize square image of the kind, for printing; a scale above 1 gives more pixels
    // (with that device pixel ratio) for a sharper print.
    QImage IconBitmap(TIconKind kind, qreal scale = 1) const;

    // The program's icon, and the picture of the splash window at its size (SplashSize): the
    // list with its contexts on the left, room for the name on the right and a darker band at
    // the bottom for the status text.
    static QIcon ProgramIcon();
    static constexpr QSize SplashSize{320, 175};
    static QPixmap SplashPicture(qreal devicePixelRatio);

private:
    static QImage Render(const QString& path, QSize logicalSize, qreal devicePixelRatio);

    mutable QHash<quint64, QPixmap> pixmaps_; // by index and ratio
};
