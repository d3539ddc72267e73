#pragma once

#include "views/ViewMarkup.h"

#include <QColor>
#include <QPalette>

// The colours markup is drawn in at one place: the ink of plain text (and of clBlack, which
// means "the normal ink", so that it stays readable on a dark scheme), the ink of links, and
// the ground the text stands on.
struct TMarkupInks {
    QColor text;
    QColor link;
    QColor ground;

    // Text and ground from the palette's roles in the group.
    static TMarkupInks FromPalette(const QPalette& palette, QPalette::ColorGroup group,
                                   QPalette::ColorRole text, QPalette::ColorRole ground);
};

// The colour a markup colour is drawn in on the inks' ground. Red and green are the named
// colours unless they would fall below a 3:1 contrast with a light ground (4.5:1 with a dark
// one); then they move towards white (on a dark ground) or black until they reach it. Silver
// dims the ink: the named grey on a light ground where it stays legible, otherwise halfway
// between the ink and the ground.
QColor MarkupInk(TMarkupColor color, const TMarkupInks& inks);

// The contrast ratio of two colours, from 1 (alike) to 21 (black on white).
qreal ContrastRatio(const QColor& one, const QColor& other);
bool IsDark(const QColor& color);
// The colour share of the way from one colour to the other.
QColor Mix(const QColor& from, const QColor& to, qreal share);
