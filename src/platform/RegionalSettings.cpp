#include "platform/RegionalSettings.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// ---- Forms -------------------------------------------------------------------------------------

// One piece of a form in Qt's letters: a field (a run of one field letter) or literal text.
struct TFormToken {
    enum class TKind { Literal, Day, Month, Year, Hour, Hour24, Minute, Second, DayPeriod };
    TKind kind;
    QStringView text; // the letters, or the literal text (inside quotes as it stands)
    bool quoted;      // literal text in quotes, never taken as a separator
};
using TKind = TFormToken::TKind;
using TFormTokens = std::vector<TFormToken>;

std::optional<TKind> FieldKind(QChar letter)
{
    switch (letter.unicode()) {
    case u'd':
        return TKind::Day;
    case u'M':
        return TKind::Month;
    case u'y':
        return TKind::Year;
    case u'h':
        return TKind::Hour;
    case u'H':
        return TKind::Hour24;
    case u'm':
        return TKind::Minute;
    case u's':
        return TKind::Second;
    case u'A':
    case u'a':
    case u'B': // a few locales ask for the flexible day period that Qt does not have
        return TKind::DayPeriod;
    default:
        return std::nullopt;
    }
}

TFormTokens Tokenize(QStringView form)
{
    TFormTokens tokens;
    qsizetype i = 0;
    while (i < form.size()) {
        const QChar c = form[i];
        if (c == u'\'') {
            // Up to the closing quote; '' stands for a quote inside.
            qsizetype close = i + 1;
            while (close < form.size()) {
                if (form[close] == u'\'' && !(close + 1 < form.size() && form[close + 1] == u'\''))
                    break;
                close += form[close] == u'\'' ? 2 : 1;
            }
            tokens.push_back({TKind::Literal, form.sliced(i + 1, close - i - 1), true});
            i = close + 1;
            continue;
        }
        qsizetype end = i + 1;
        const std::optional<TKind> kind = FieldKind(c);
        if (!kind) {
            while (end < form.size() && form[end] != u'\'' && !FieldKind(form[end]))
                ++end;
            tokens.push_back({TKind::Literal, form.sliced(i, end - i), false});
        } else {
            if (*kind == TKind::DayPeriod) {
                if (end < form.size() && (form[end] == u'P' || form[end] == u'p'))
                    ++end;
            } else {
                while (end < form.size() && form[end] == c)
                    ++end;
            }
            tokens.push_back({*kind, form.sliced(i, end - i), false});
        }
        i = end;
    }
    return tokens;
}

// The tokens of a form, tokenized once: a save formats three stamps per item and a load reads as
// many, all in the same two forms. Each form is kept with its tokens, which point into it; the
// few forms a run meets are all kept, per thread.
const TFormTokens& TokensOf(QStringView form)
{
    struct TTokenized {
        QString form;
        TFormTokens tokens;
    };
    static thread_local std::vector<std::unique_ptr<TTokenized>> known;
    for (const std::unique_ptr<TTokenized>& entry : known) {
        if (entry->form == form)
            return entry->tokens;
    }
    constexpr std::size_t maxForms = 64; // far more than one run meets but for tests of locales
    if (known.size() == maxForms)
        known.erase(known.begin());
    auto entry = std::make_unique<TTokenized>();
    entry->form = form.toString();
    entry->tokens = Tokenize(entry->form);
    known.push_back(std::move(entry));
    return known.back()->tokens;
}

// Any white space, line breaks too: a hand-edited file may wrap a value.
bool IsBlank(QChar c)
{
    return c.isSpace();
}

// Some locales put direction marks around their separators.
bool IsFormatMark(QChar c)
{
    return c.category() == QChar::Other_Format;
}

// The separator between two fields: the one character of the literal text between them, not
// counting blanks and direction marks. Quoted words and letters are no separator.
std::optional<QChar> SeparatorBetween(const TFormTokens& tokens, size_t from, size_t to)
{
    std::optional<QChar> separator;
    for (size_t i = from; i < to; ++i) {
        if (tokens[i].kind != TKind::Literal || tokens[i].quoted)
            return std::nullopt;
        for (QChar c : tokens[i].text) {
            if (IsBlank(c) || IsFormatMark(c))
                continue;
            if (separator || c.isLetterOrNumber())
                return std::nullopt;
            separator = c;
        }
    }
    return separator;
}

struct TWrittenForm {
    QString form;
    QChar separator;
};

std::optional<size_t> FirstOf(const TFormTokens& tokens, TKind kind, size_t from = 0,
                              qsizetype maxWidth = std::numeric_limits<qsizetype>::max())
{
    for (size_t i = from; i < tokens.size(); ++i) {
        if (tokens[i].kind == kind && tokens[i].text.size() <= maxWidth)
            return i;
    }
    return std::nullopt;
}

// The date form the program writes for a short date form: its numeric day, month and year in its
// order, with a four-digit year and its first separator. Blanks beside the separators are dropped
// (the reader skips them anyway, and the dates stay as compact as the Windows forms); so are
// words; a separator that closes the form is kept, as Hungarian and Korean dates end with one.
std::optional<TWrittenForm> WrittenDateForm(QStringView form)
{
    const TFormTokens tokens = Tokenize(form);
    // Three or four d are the weekday's name, not the day.
    const std::optional<size_t> day = FirstOf(tokens, TKind::Day, 0, 2);
    const std::optional<size_t> month = FirstOf(tokens, TKind::Month);
    const std::optional<size_t> year = FirstOf(tokens, TKind::Year);
    if (!day || !month || !year)
        return std::nullopt;
    std::array<size_t, 3> fields = {*day, *month, *year};
    std::sort(fields.begin(), fields.end());
    const std::optional<QChar> separator = SeparatorBetween(tokens, fields[0] + 1, fields[1]);
    if (!separator)
        return std::nullopt;

    QString written;
    for (size_t field : fields) {
        if (!written.isEmpty())
            written += *separator;
        const TFormToken& token = tokens[field];
        switch (token.kind) {
        case TKind::Day:
            written += token.text.size() == 1 ? u"d" : u"dd";
            break;
        case TKind::Month:
            // Month names become numbers: the reader reads numbers only.
            written += token.text.size() == 1 ? u"M" : u"MM";
            break;
        default:
            written += u"yyyy";
            break;
        }
    }
    const size_t after = fields[2] + 1;
    if (after < tokens.size() && tokens[after].kind == TKind::Literal && !tokens[after].quoted) {
        const auto first =
            std::find_if_not(tokens[after].text.begin(), tokens[after].text.end(), IsFormatMark);
        if (first != tokens[after].text.end() && *first == *separator)
            written += *separator;
    }
    return TWrittenForm{written, *separator};
}

// The literal text between a day period and the clock: kept when it is only blanks (Chinese
// writes none), else one blank in place of the words.
QString GapBetween(const TFormTokens& tokens, size_t from, size_t to)
{
    QString gap;
    for (size_t i = from; i < to; ++i) {
        const TFormToken& token = tokens[i];
        if (token.kind != TKind::Literal || token.quoted ||
            !std::all_of(token.text.begin(), token.text.end(), IsBlank))
            return u" "_qs;
        gap += token.text;
    }
    return gap;
}

// The time form the program writes for a long time form: its hours, then minutes and seconds in
// two digits with its separator between hours and minutes (a colon where it has words instead),
// its day period where it stands, and neither words nor the time zone.
std::optional<TWrittenForm> WrittenTimeForm(QStringView form)
{
    const TFormTokens tokens = Tokenize(form);
    std::optional<size_t> hour = FirstOf(tokens, TKind::Hour);
    if (const std::optional<size_t> hour24 = FirstOf(tokens, TKind::Hour24);
        !hour || (hour24 && *hour24 < *hour))
        hour = hour24;
    if (!hour)
        return std::nullopt;
    const std::optional<size_t> minute = FirstOf(tokens, TKind::Minute, *hour);
    const QChar separator =
        minute ? SeparatorBetween(tokens, *hour + 1, *minute).value_or(u':') : QChar(u':');
    const QString clock = tokens[*hour].text.left(2) + separator + u"mm" + separator + u"ss";

    const std::optional<size_t> period = FirstOf(tokens, TKind::DayPeriod);
    if (!period)
        return TWrittenForm{clock, separator};
    const QStringView periodText = tokens[*period].text == u"B" ? u"AP" : tokens[*period].text;
    if (*period < *hour)
        return TWrittenForm{periodText + GapBetween(tokens, *period + 1, *hour) + clock, separator};
    size_t clockEnd = *period;
    while (clockEnd > *hour + 1 && tokens[clockEnd - 1].kind == TKind::Literal)
        --clockEnd;
    return TWrittenForm{clock + GapBetween(tokens, clockEnd, *period) + periodText, separator};
}

QString Number(int value, qsizetype width)
{
    return QString::number(value).rightJustified(std::min<qsizetype>(width, 2), u'0');
}

// As Qt reads h: 1 to 12 in a form with a day period, 0 to 23 without.
int ClockHour(QTime time, bool twelveHours)
{
    if (!twelveHours)
        return time.hour();
    return time.hour() % 12 == 0 ? 12 : time.hour() % 12;
}

// A day period as Qt spells it: AP upper case, ap lower case, Ap or aP as the locale writes it.
QString DayPeriodText(QStringView letters, const QString& designator)
{
    if (letters == u"AP" || letters == u"A")
        return designator.toUpper();
    if (letters == u"ap" || letters == u"a")
        return designator.toLower();
    return designator;
}

// Writes a date and time in one of the written forms (numeric fields, four-digit years, no
// quotes), always in ASCII digits.
QString Format(QStringView form, QDate date, QTime time, const QString& am, const QString& pm)
{
    const TFormTokens& tokens = TokensOf(form);
    const bool twelveHours = FirstOf(tokens, TKind::DayPeriod).has_value();
    QString text;
    for (const TFormToken& token : tokens) {
        const qsizetype width = token.text.size();
        switch (token.kind) {
        case TKind::Literal:
            text += token.text;
            break;
        case TKind::Day:
            text += Number(date.day(), width);
            break;
        case TKind::Month:
            text += Number(date.month(), width);
            break;
        case TKind::Year:
            text += (date.year() < 0 ? u"-" : u"") +
                    QString::number(std::abs(date.year())).rightJustified(4, u'0');
            break;
        case TKind::Hour:
            text += Number(ClockHour(time, twelveHours), width);
            break;
        case TKind::Hour24:
            text += Number(time.hour(), width);
            break;
        case TKind::Minute:
            text += Number(time.minute(), width);
            break;
        case TKind::Second:
            text += Number(time.second(), width);
            break;
        case TKind::DayPeriod:
            text += DayPeriodText(token.text, time.hour() < 12 ? am : pm);
            break;
        }
    }
    return text;
}

// ---- Reading -----------------------------------------------------------------------------------

struct TNumber {
    int value;
    int digits;
};

// Takes the pieces of a date or time from the front of a text; blanks may stand before each.
class TScanner {
public:
    explicit TScanner(QStringView text) : rest_(text) {}

    bool AtEnd()
    {
        SkipBlanks();
        return rest_.isEmpty();
    }

    bool Take(QChar c)
    {
        SkipBlanks();
        if (!rest_.startsWith(c))
            return false;
        rest_ = rest_.sliced(1);
        return true;
    }

    // Decimal digits until a non-digit follows or the value has reached 1000.
    std::optional<TNumber> Number()
    {
        SkipBlanks();
        TNumber number{0, 0};
        while (number.digits < rest_.size() && number.value < 1000) {
            const char16_t c = rest_[number.digits].unicode();
            if (c < u'0' || c > u'9')
                break;
            number.value = number.value * 10 + (c - u'0');
            ++number.digits;
        }
        if (number.digits == 0)
            return std::nullopt;
        rest_ = rest_.sliced(number.digits);
        return number;
    }

    // The length of word if the text goes on with it, in any case; 0 otherwise.
    qsizetype Matches(QStringView word)
    {
        SkipBlanks();
        return !word.isEmpty() && rest_.startsWith(word, Qt::CaseInsensitive) ? word.size() : 0;
    }

    void Skip(qsizetype length) { rest_ = rest_.sliced(length); }

private:
    void SkipBlanks()
    {
        while (!rest_.isEmpty() && IsBlank(rest_.front()))
            rest_ = rest_.sliced(1);
    }

    QStringView rest_;
};

TDateOrder DateOrderOf(QStringView form)
{
    for (const TFormToken& token : TokensOf(form)) {
        if (token.kind == TKind::Year)
            return TDateOrder::YearMonthDay;
        if (token.kind == TKind::Day)
            return TDateOrder::DayMonthYear;
        if (token.kind == TKind::Month)
            break;
    }
    return TDateOrder::MonthDayYear;
}

// One or two digits stand for the year in the hundred years that begin 50 years before now.
int FullYear(TNumber year, int currentYear)
{
    if (year.digits > 2)
        return year.value;
    const int windowStart = currentYear - 50;
    const int full = year.value + windowStart / 100 * 100;
    return full < windowStart ? full + 100 : full;
}

std::optional<QDate> ScanDate(TScanner& scanner, const TRegionalSettings& settings, int currentYear)
{
    const QChar separator = settings.DateSeparator();
    const std::optional<TNumber> first = scanner.Number();
    if (!first || !scanner.Take(separator))
        return std::nullopt;
    const std::optional<TNumber> second = scanner.Number();
    if (!second)
        return std::nullopt;
    std::optional<TNumber> third;
    if (scanner.Take(separator)) {
        third = scanner.Number();
        if (third)
            scanner.Take(separator);
    }

    const TDateOrder order = settings.DateOrder();
    int year = 0;
    int month = 0;
    int day = 0;
    if (third && order == TDateOrder::YearMonthDay) {
        year = FullYear(*first, currentYear);
        month = second->value;
        day = third->value;
    } else {
        // Two numbers are month and day unless the form puts the day first, also in a year-first
        // form.
        year = third ? FullYear(*third, currentYear) : currentYear;
        std::tie(day, month) = order == TDateOrder::DayMonthYear
                                   ? std::pair(first->value, second->value)
                                   : std::pair(second->value, first->value);
    }
    if (!QDate::isValid(year, month, day))
        return std::nullopt;
    return QDate(year, month, day);
}

enum class TDayPeriod { Morning, Afternoon };

// The locale's designators and the English ones; the longest that fits wins, so that neither can
// hide a longer one that begins like it.
std::optional<TDayPeriod> ScanDayPeriod(TScanner& scanner, const TRegionalSettings& settings)
{
    const std::array<std::pair<QStringView, TDayPeriod>, 4> designators = {{
        {settings.AmDesignator(), TDayPeriod::Morning},
        {u"AM", TDayPeriod::Morning},
        {settings.PmDesignator(), TDayPeriod::Afternoon},
        {u"PM", TDayPeriod::Afternoon},
    }};
    qsizetype longest = 0;
    std::optional<TDayPeriod> period;
    for (const auto& [word, meaning] : designators) {
        if (const qsizetype length = scanner.Matches(word); length > longest) {
            longest = length;
            period = meaning;
        }
    }
    scanner.Skip(longest);
    return period;
}

std::optional<QTime> ScanTime(TScanner& scanner, const TRegionalSettings& settings)
{
    std::optional<TDayPeriod> period = ScanDayPeriod(scanner, settings);
    const std::optional<TNumber> hours = scanner.Number();
    if (!hours)
        return std::nullopt;
    std::array<int, 3> parts = {0, 0, 0}; // minutes, seconds, milliseconds
    const std::array<QChar, 3> introducers = {settings.TimeSeparator(), settings.TimeSeparator(),
                                              settings.DecimalSeparator()};
    for (size_t i = 0; i < parts.size() && scanner.Take(introducers[i]); ++i) {
        const std::optional<TNumber> part = scanner.Number();
        if (!part)
            return std::nullopt;
        parts[i] = part->value;
    }
    if (!period)
        period = ScanDayPeriod(scanner, settings);

    int hour = hours->value;
    if (period) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (*period == TDayPeriod::Afternoon ? 12 : 0);
    }
    if (!QTime::isValid(hour, parts[0], parts[1], parts[2]))
        return std::nullopt;
    return QTime(hour, parts[0], parts[1], parts[2]);
}

} // namespace

TRegionalSettings::TRegionalSettings()
    : shortDateForm_(u"yyyy-MM-dd"_qs), longTimeForm_(u"HH:mm:ss"_qs), dateSeparator_(u'-'),
      timeSeparator_(u':'), decimalSeparator_(u'.'), amDesignator_(u"AM"_qs),
      pmDesignator_(u"PM"_qs)
{}

TRegionalSettings TRegionalSettings::FromLocale(const QLocale& locale)
{
    TRegionalSettings settings;
    settings.amDesignator_ = locale.amText();
    settings.pmDesignator_ = locale.pmText();
    if (const QString point = locale.decimalPoint(); point.size() == 1)
        settings.decimalSeparator_ = point.front();
    // The C locale's short form spells the month as a word: it keeps the ISO forms.
    if (locale.language() == QLocale::C)
        return settings;
    return settings.WithForms(locale.dateFormat(QLocale::ShortFormat),
                              locale.timeFormat(QLocale::LongFormat));
}

TRegionalSettings TRegionalSettings::FromForms(const QString& shortDateForm,
                                               const QString& longTimeForm, const QLocale& locale,
                                               const QString& amDesignator,
                                               const QString& pmDesignator)
{
    TRegionalSettings settings = FromLocale(locale).WithForms(shortDateForm, longTimeForm);
    if (!amDesignator.isEmpty())
        settings.amDesignator_ = amDesignator;
    if (!pmDesignator.isEmpty())
        settings.pmDesignator_ = pmDesignator;
    return settings;
}

TDateOrder TRegionalSettings::DateOrder() const
{
    return DateOrderOf(shortDateForm_);
}

bool TRegionalSettings::UsesDayPeriod() const
{
    return FirstOf(TokensOf(longTimeForm_), TKind::DayPeriod).has_value();
}

TRegionalSettings TRegionalSettings::WithForms(QStringView shortDateForm,
                                               QStringView longTimeForm) const
{
    TRegionalSettings settings = *this;
    if (const std::optional<TWrittenForm> date = WrittenDateForm(shortDateForm)) {
        settings.shortDateForm_ = date->form;
        settings.dateSeparator_ = date->separator;
    }
    if (const std::optional<TWrittenForm> time = WrittenTimeForm(longTimeForm)) {
        settings.longTimeForm_ = time->form;
        settings.timeSeparator_ = time->separator;
    }
    return settings;
}

QString TRegionalSettings::FormatDate(TDateTime value) const
{
    const QDate date = DateTime::ToDate(value);
    return date.isValid() ? Format(shortDateForm_, date, {}, amDesignator_, pmDesignator_)
                          : QString();
}

QString TRegionalSettings::FormatTime(TDateTime value) const
{
    return Format(longTimeForm_, {}, DateTime::ToTime(value), amDesignator_, pmDesignator_);
}

QString TRegionalSettings::FormatDateTime(TDateTime value) const
{
    return DateTime::IsMidnight(value) ? FormatDate(value) : FormatStamp(value);
}

QString TRegionalSettings::FormatStamp(TDateTime value) const
{
    return FormatDate(value) + u' ' + FormatTime(value);
}

std::optional<TDateTime> TRegionalSettings::ParseDate(QStringView text, int currentYear) const
{
    TScanner scanner(text);
    const std::optional<QDate> date = ScanDate(scanner, *this, currentYear);
    if (!date || !scanner.AtEnd())
        return std::nullopt;
    return DateTime::FromDate(*date);
}

std::optional<TDateTime> TRegionalSettings::ParseDateTime(QStringView text, int currentYear) const
{
    TScanner scanner(text);
    if (const std::optional<QDate> date = ScanDate(scanner, *this, currentYear)) {
        if (scanner.AtEnd())
            return DateTime::FromDate(*date);
        if (const std::optional<QTime> time = ScanTime(scanner, *this); time && scanner.AtEnd())
            return DateTime::Compose(*date, *time);
    }
    return ParseTime(text);
}

std::optional<TDateTime> TRegionalSettings::ParseTime(QStringView text) const
{
    TScanner scanner(text);
    const std::optional<QTime> time = ScanTime(scanner, *this);
    if (!time || !scanner.AtEnd())
        return std::nullopt;
    return DateTime::FromTime(*time);
}
