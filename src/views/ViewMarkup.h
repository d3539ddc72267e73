#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

// The small HTML-like markup of rows, nodes, chooser entries and labels knows six constructs:
//   <img src="idx:N">  <font color="C">…</font>  <font size="6">…</font>
//   <a href="T">…</a>  <b>…</b>  <br>
// User text goes into markup unchanged, so the parser is strict: a tag counts only when it is
// exactly one of these, with a known colour or image index, and a paired tag only when it is
// closed later. Everything else (a lone "<b>", a stray "</font>", "x < y") shows as typed.

enum class TMarkupColor : quint8 { Default, Black, Silver, Red, Green };

// 0xRRGGBB of a named colour; none for Default, which leaves the control's own colour.
std::optional<quint32> MarkupColorRgb(TMarkupColor color);

struct TMarkupStyle {
    TMarkupColor color = TMarkupColor::Default; // the innermost colour font
    bool smallFont = false;                     // inside <font size="6">
    bool bold = false;
    std::optional<QString> link; // the innermost link's target

    bool operator==(const TMarkupStyle&) const = default;
};

struct TMarkupRun {
    enum class TKind : quint8 { Text, Image, LineBreak };

    TKind kind = TKind::Text;
    QString text;   // of a text run
    int image = -1; // icon-list index of an image
    TMarkupStyle style;

    bool operator==(const TMarkupRun&) const = default;
};

// The runs in reading order; neighbouring text of one style forms one run. Linear in the input.
QList<TMarkupRun> ParseMarkup(QStringView markup);

// What the markup reads as: the texts, images dropped, a line break for each <br>.
QString PlainText(QStringView markup);
