#include "views/ViewMarkup.h"

#include "views/Icons.h"

#include <array>
#include <vector>

std::optional<quint32> MarkupColorRgb(TMarkupColor color)
{
    switch (color) {
    case TMarkupColor::Default:
        return std::nullopt;
    case TMarkupColor::Black:
        return 0x000000;
    case TMarkupColor::Silver:
        return 0xC0C0C0;
    case TMarkupColor::Red:
        return 0xFF0000;
    case TMarkupColor::Green:
        return 0x008000;
    }
    return std::nullopt;
}

namespace {

enum class TTagKind : quint8 {
    Image,
    Break,
    FontOpen,
    FontClose,
    LinkOpen,
    LinkClose,
    BoldOpen,
    BoldClose
};

struct TTag {
    TTag(TTagKind tagKind, qsizetype tagLength) : kind(tagKind), length(tagLength) {}

    TTagKind kind;
    qsizetype length;
    int image = -1;
    TMarkupColor color = TMarkupColor::Default;
    bool smallFont = false;
    QStringView target;
};

// The value of attr="value"> when rest continues so at valueStart; a value holds no quote.
std::optional<QStringView> QuotedValue(QStringView rest, qsizetype valueStart)
{
    const qsizetype quote = rest.indexOf(u'"', valueStart);
    if (quote < 0 || quote + 1 >= rest.size() || rest[quote + 1] != u'>')
        return std::nullopt;
    return rest.sliced(valueStart, quote - valueStart);
}

std::optional<TTag> ReadImage(QStringView rest)
{
    constexpr QStringView opening = u"<img src=\"idx:";
    const std::optional<QStringView> digits = QuotedValue(rest, opening.size());
    if (!digits || digits->isEmpty())
        return std::nullopt;
    int index = 0;
    for (const QChar digit : *digits) {
        if (digit.unicode() < u'0' || digit.unicode() > u'9')
            return std::nullopt;
        index = index * 10 + (digit.unicode() - u'0');
        // Only the icon list's pictures are images; a larger number is text, and stopping here
        // keeps a long run of digits from overflowing.
        if (index >= IconImageCount)
            return std::nullopt;
    }
    TTag tag{TTagKind::Image, opening.size() + digits->size() + 2};
    tag.image = index;
    return tag;
}

std::optional<TTag> ReadFontColor(QStringView rest)
{
    constexpr QStringView opening = u"<font color=\"";
    struct TNamedColor {
        QStringView name;
        TMarkupColor color;
    };
    static constexpr std::array<TNamedColor, 4> names = {{{u"clBlack", TMarkupColor::Black},
                                                          {u"clSilver", TMarkupColor::Silver},
                                                          {u"clRed", TMarkupColor::Red},
                                                          {u"clGreen", TMarkupColor::Green}}};
    const std::optional<QStringView> value = QuotedValue(rest, opening.size());
    if (!value)
        return std::nullopt;
    for (const TNamedColor& named : names) {
        if (*value == named.name) {
            TTag tag{TTagKind::FontOpen, opening.size() + value->size() + 2};
            tag.color = named.color;
            return tag;
        }
    }
    return std::nullopt;
}

std::optional<TTag> ReadLink(QStringView rest)
{
    constexpr QStringView opening = u"<a href=\"";
    const std::optional<QStringView> target = QuotedValue(rest, opening.size());
    if (!target)
        return std::nullopt;
    TTag tag{TTagKind::LinkOpen, opening.size() + target->size() + 2};
    tag.target = *target;
    return tag;
}

// The construct at the start of rest (which begins with "<"), if it is exactly one.
std::optional<TTag> ReadTag(QStringView rest)
{
    struct TFixedTag {
        QStringView text;
        TTagKind kind;
    };
    static constexpr std::array<TFixedTag, 5> fixedTags = {{{u"<br>", TTagKind::Break},
                                                            {u"<b>", TTagKind::BoldOpen},
                                                            {u"</b>", TTagKind::BoldClose},
                                                            {u"</a>", TTagKind::LinkClose},
                                                            {u"</font>", TTagKind::FontClose}}};
    for (const TFixedTag& fixed : fixedTags) {
        if (rest.startsWith(fixed.text))
            return TTag{fixed.kind, fixed.text.size()};
    }
    constexpr QStringView smallFont = u"<font size=\"6\">";
    if (rest.startsWith(smallFont)) {
        TTag tag{TTagKind::FontOpen, smallFont.size()};
        tag.smallFont = true;
        return tag;
    }
    if (rest.startsWith(u"<font color=\""))
        return ReadFontColor(rest);
    if (rest.startsWith(u"<img src=\"idx:"))
        return ReadImage(rest);
    if (rest.startsWith(u"<a href=\""))
        return ReadLink(rest);
    return std::nullopt;
}

// Calls visit(position, tag) for every well-formed tag, left to right.
template <typename Visit> void ForEachTag(QStringView markup, Visit&& visit)
{
    qsizetype position = markup.indexOf(u'<');
    while (position >= 0) {
        qsizetype next = position + 1;
        if (const std::optional<TTag> tag = ReadTag(markup.sliced(position))) {
            visit(position, *tag);
            next = position + tag->length;
        }
        position = markup.indexOf(u'<', next);
    }
}

// Which tags take effect, by their number in reading order. Each pair kind nests on its own, so
// "<b>x<font color="clRed">y</b>z</font>" is bold "xy" and red "yz", and an opening tag without
// its closing tag (or a closing tag without an opening one) stays text.
std::vector<bool> MatchTags(QStringView markup)
{
    std::vector<bool> matched;
    std::vector<std::size_t> openFonts, openLinks, openBolds;
    ForEachTag(markup, [&](qsizetype, const TTag& tag) {
        const std::size_t number = matched.size();
        matched.push_back(tag.kind == TTagKind::Image || tag.kind == TTagKind::Break);
        const auto close = [&](std::vector<std::size_t>& open) {
            if (open.empty())
                return;
            matched[open.back()] = true;
            matched[number] = true;
            open.pop_back();
        };
        switch (tag.kind) {
        case TTagKind::Image:
        case TTagKind::Break:
            break;
        case TTagKind::FontOpen:
            openFonts.push_back(number);
            break;
        case TTagKind::LinkOpen:
            openLinks.push_back(number);
            break;
        case TTagKind::BoldOpen:
            openBolds.push_back(number);
            break;
        case TTagKind::FontClose:
            close(openFonts);
            break;
        case TTagKind::LinkClose:
            close(openLinks);
            break;
        case TTagKind::BoldClose:
            close(openBolds);
            break;
        }
    });
    return matched;
}

// The style in force while reading: each matched opening tag saves what its closing tag restores.
class TStyleState {
public:
    const TMarkupStyle& Style() const { return style_; }

    void Apply(const TTag& tag)
    {
        switch (tag.kind) {
        case TTagKind::FontOpen:
            savedFonts_.push_back({style_.color, style_.smallFont});
            if (tag.color != TMarkupColor::Default)
                style_.color = tag.color;
            style_.smallFont = style_.smallFont || tag.smallFont;
            break;
        case TTagKind::FontClose:
            style_.color = savedFonts_.back().color;
            style_.smallFont = savedFonts_.back().smallFont;
            savedFonts_.pop_back();
            break;
        case TTagKind::LinkOpen:
            savedLinks_.push_back(style_.link);
            style_.link = tag.target.toString();
            break;
        case TTagKind::LinkClose:
            style_.link = savedLinks_.back();
            savedLinks_.pop_back();
            break;
        case TTagKind::BoldOpen:
            ++boldDepth_;
            style_.bold = true;
            break;
        case TTagKind::BoldClose:
            --boldDepth_;
            style_.bold = boldDepth_ > 0;
            break;
        case TTagKind::Image:
        case TTagKind::Break:
            break;
        }
    }

private:
    struct TSavedFont {
        TMarkupColor color;
        bool smallFont;
    };
    TMarkupStyle style_;
    std::vector<TSavedFont> savedFonts_;
    std::vector<std::optional<QString>> savedLinks_;
    int boldDepth_ = 0;
};

// Reads the markup into a sink that takes Text(text, style), Image(index, style), Break(style).
template <typename Sink> void ReadMarkup(QStringView markup, Sink& sink)
{
    const std::vector<bool> matched = MatchTags(markup);
    TStyleState state;
    qsizetype textStart = 0;
    std::size_t number = 0;
    ForEachTag(markup, [&](qsizetype position, const TTag& tag) {
        if (!matched[number++])
            return; // stays part of the text around it
        sink.Text(markup.sliced(textStart, position - textStart), state.Style());
        textStart = position + tag.length;
        if (tag.kind == TTagKind::Image)
            sink.Image(tag.image, state.Style());
        else if (tag.kind == TTagKind::Break)
            sink.Break(state.Style());
        else
            state.Apply(tag);
    });
    sink.Text(markup.sliced(textStart), state.Style());
}

class TRunCollector {
public:
    QList<TMarkupRun> runs;

    void Text(QStringView text, const TMarkupStyle& style)
    {
        if (text.isEmpty())
            return;
        if (!runs.isEmpty() && runs.last().kind == TMarkupRun::TKind::Text &&
            runs.last().style == style) {
            runs.last().text += text;
            return;
        }
        runs.append({TMarkupRun::TKind::Text, text.toString(), -1, style});
    }
    void Image(int index, const TMarkupStyle& style)
    {
        runs.append({TMarkupRun::TKind::Image, QString(), index, style});
    }
    void Break(const TMarkupStyle& style)
    {
        runs.append({TMarkupRun::TKind::LineBreak, QString(), -1, style});
    }
};

class TPlainCollector {
public:
    QString text;

    void Text(QStringView part, const TMarkupStyle&) { text += part; }
    void Image(int, const TMarkupStyle&) {}
    void Break(const TMarkupStyle&) { text += u'\n'; }
};

} // namespace

QList<TMarkupRun> ParseMarkup(QStringView markup)
{
    TRunCollector collector;
    ReadMarkup(markup, collector);
    return collector.runs;
}

QString PlainText(QStringView markup)
{
    TPlainCollector collector;
    ReadMarkup(markup, collector);
    return collector.text;
}
