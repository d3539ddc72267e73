#include "widgets/ColourScheme.h"

#include "widgets/MarkupInks.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>
#include <array>

namespace {

struct TScheme {
    QStringView name;
    QRgb window;
    QRgb windowText;
    QRgb base;
    QRgb alternateBase;
    QRgb text;
    QRgb button;
    QRgb buttonText;
    QRgb highlight;
    QRgb highlightedText;
    QRgb link;
    QRgb toolTipBase;
    QRgb toolTipText;
    QRgb barTop; // the bars' gradient and the line that ends them
    QRgb barBottom;
    QRgb barLine;
};

// clang-format off
constexpr std::array<TScheme, ColourSchemeCount> schemes = {{
    // name                    window    windowText base      altBase   text      button    buttonText highlight highlightedText link  toolTipBase toolTipText barTop barBottom barLine
    {u"Office2007 Luna",     0xD5E3F4, 0x102A4C, 0xFFFFFF, 0xF2F7FD, 0x000000, 0xE3EDFA, 0x102A4C, 0xB9D5F7, 0x000000, 0x0B57A4, 0xF7FAFF, 0x102A4C, 0xE4EFFD, 0xBFD6F2, 0x8EB2DE},
    {u"Office2007 Obsidian", 0x2B2D31, 0xE3E5E8, 0x1E1F22, 0x26282C, 0xE3E5E8, 0x3A3C42, 0xE3E5E8, 0x264F78, 0xFFFFFF, 0x79B8FF, 0x383A40, 0xE3E5E8, 0x3B3D43, 0x2B2D31, 0x111214},
    {u"Office2007 Silver",   0xE6E8EB, 0x1F2933, 0xFFFFFF, 0xF4F5F7, 0x000000, 0xEEF0F3, 0x1F2933, 0x5B6776, 0xFFFFFF, 0x2F5C8A, 0xFFFFFF, 0x1F2933, 0xF7F8FA, 0xD3D9E0, 0xAAB3BE},
    {u"Office2003 Blue",     0xC4D8F3, 0x0A2351, 0xFFFFFF, 0xEEF4FD, 0x000000, 0xD7E6FA, 0x0A2351, 0xFFB657, 0x000000, 0x0645AD, 0xFFFFE1, 0x000000, 0xDDECFE, 0x81A9E2, 0x3B619C},
    {u"Office2003 Olive",    0xE2E7CD, 0x2E3A12, 0xFFFFFF, 0xF6F8EE, 0x000000, 0xEDF1DD, 0x2E3A12, 0x5F6F30, 0xFFFFFF, 0x3D6B00, 0xFFFFE1, 0x000000, 0xF4F7DE, 0xB7C691, 0x8C9A64},
    {u"Office2003 Classic",  0xD4D0C8, 0x000000, 0xFFFFFF, 0xF4F3F0, 0x000000, 0xD4D0C8, 0x000000, 0x0A246A, 0xFFFFFF, 0x0000EE, 0xFFFFE1, 0x000000, 0xD4D0C8, 0xD4D0C8, 0x808080},
    {u"Whidbey",             0xF0ECE2, 0x1E1E1E, 0xFFFFFF, 0xFAF8F3, 0x000000, 0xF6F3EC, 0x1E1E1E, 0xA0522D, 0xFFFFFF, 0x8B4513, 0xFFFBEF, 0x1E1E1E, 0xFBFAF6, 0xE3DCC8, 0xC2B79B},
    {u"WindowsXP",           0xECE9D8, 0x000000, 0xFFFFFF, 0xF7F6EF, 0x000000, 0xF4F3EE, 0x000000, 0x316AC5, 0xFFFFFF, 0x0046D5, 0xFFFFE1, 0x000000, 0xFBFAF6, 0xE3DFCB, 0x316AC5},
}};
// clang-format on

const TScheme& SchemeOf(int styleNo)
{
    return schemes.at(styleNo >= 0 && styleNo < ColourSchemeCount ? std::size_t(styleNo) : 0);
}

QString Hex(QRgb rgb)
{
    return QColor(rgb).name();
}

} // namespace

QStringList ColourSchemeNames()
{
    QStringList names;
    for (const TScheme& scheme : schemes)
        names.append(scheme.name.toString());
    return names;
}

QPalette ColourSchemePalette(int styleNo)
{
    const TScheme& scheme = SchemeOf(styleNo);
    // Light, dark, mid and shadow follow from the button and window colours.
    QPalette palette{QColor(scheme.button), QColor(scheme.window)};
    const auto set = [&palette](QPalette::ColorRole role, const QColor& color) {
        palette.setColor(QPalette::All, role, color);
    };
    set(QPalette::WindowText, QColor(scheme.windowText));
    set(QPalette::Base, QColor(scheme.base));
    set(QPalette::AlternateBase, QColor(scheme.alternateBase));
    set(QPalette::Text, QColor(scheme.text));
    set(QPalette::ButtonText, QColor(scheme.buttonText));
    set(QPalette::BrightText, QColor(Qt::white));
    set(QPalette::Highlight, QColor(scheme.highlight));
    set(QPalette::HighlightedText, QColor(scheme.highlightedText));
    set(QPalette::Link, QColor(scheme.link));
    set(QPalette::LinkVisited, QColor(scheme.link));
    set(QPalette::ToolTipBase, QColor(scheme.toolTipBase));
    set(QPalette::ToolTipText, QColor(scheme.toolTipText));
    set(QPalette::PlaceholderText, Mix(QColor(scheme.text), QColor(scheme.base), 0.5));

    // Disabled text fades into its ground; the selection keeps its colour, dimmed.
    const auto disable = [&palette](QPalette::ColorRole role, const QColor& color) {
        palette.setColor(QPalette::Disabled, role, color);
    };
    disable(QPalette::WindowText, Mix(QColor(scheme.windowText), QColor(scheme.window), 0.55));
    disable(QPalette::Text, Mix(QColor(scheme.text), QColor(scheme.base), 0.55));
    disable(QPalette::ButtonText, Mix(QColor(scheme.buttonText), QColor(scheme.button), 0.55));
    disable(QPalette::Highlight, Mix(QColor(scheme.highlight), QColor(scheme.window), 0.5));
    disable(QPalette::HighlightedText,
            Mix(QColor(scheme.highlightedText), QColor(scheme.highlight), 0.3));
    disable(QPalette::Link, Mix(QColor(scheme.link), QColor(scheme.base), 0.55));
    return palette;
}

QString ColourSchemeStyleSheet(int styleNo)
{
    const TScheme& scheme = SchemeOf(styleNo);
    const QString gradient = u"qlineargradient(x1: 0, y1: 0, x2: 0, y2: 1, stop: 0 " +
                             Hex(scheme.barTop) + u", stop: 1 " + Hex(scheme.barBottom) + u')';
    const QString line = u"1px solid " + Hex(scheme.barLine);
    return u"QMenuBar { background: " + Hex(scheme.barTop) + u"; }\n" + u"QToolBar { background: " +
           gradient + u"; border: none; border-bottom: " + line + u"; }\n" +
           u"QStatusBar { background: " + gradient + u"; border-top: " + line + u"; }\n";
}

void ApplyColourScheme(QWidget* window, int styleNo)
{
    if (QApplication::style()->name() != u"fusion")
        QApplication::setStyle(QStyleFactory::create(u"Fusion"_qs));
    QApplication::setPalette(ColourSchemePalette(styleNo));
    window->setStyleSheet(ColourSchemeStyleSheet(styleNo));
}
