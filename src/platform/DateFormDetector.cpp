#include "platform/DateFormDetector.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <utility>

namespace {

constexpr qsizetype unlimited = std::numeric_limits<qsizetype>::max();
// Enough texts to rank the forms before any of them reads the whole file.
constexpr qsizetype sampleSize = 64;
// A damaged file may show any character after a number; the forms tried stay few.
constexpr std::size_t maxDateSeparators = 3;
constexpr std::array<QChar, 2> timeSeparators = {u':', u'.'};
constexpr std::array<TDateOrder, 3> dateOrders = {
    TDateOrder::DayMonthYear, TDateOrder::MonthDayYear, TDateOrder::YearMonthDay};

// The character that follows the first number of a text, blanks aside: a date's separator. A
// quote would open a literal in a form, so it is none.
std::optional<QChar> SeparatorAfterFirstNumber(QStringView text)
{
    qsizetype i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && text[i].isSpace())
            ++i;
    };
    skipBlanks();
    const qsizetype digitsStart = i;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
        ++i;
    if (i == digitsStart)
        return std::nullopt;
    skipBlanks();
    if (i == text.size() || text[i].isLetterOrNumber() || text[i] == u'\'')
        return std::nullopt;
    return text[i];
}

QString DateForm(TDateOrder order, QChar separator)
{
    switch (order) {
    case TDateOrder::DayMonthYear:
        return u"d" + separator + u"M" + separator + u"yyyy";
    case TDateOrder::MonthDayYear:
        return u"M" + separator + u"d" + separator + u"yyyy";
    case TDateOrder::YearMonthDay:
        break;
    }
    return u"yyyy" + separator + u"M" + separator + u"d";
}

// What the reader of a date and time depends on; designators and the decimal separator are
// the regional ones in every form tried.
bool ReadAlike(const TRegionalSettings& one, const TRegionalSettings& other)
{
    return one.DateOrder() == other.DateOrder() && one.DateSeparator() == other.DateSeparator() &&
           one.TimeSeparator() == other.TimeSeparator();
}

} // namespace

TDateFormDetector::TDateFormDetector(TRegionalSettings regional, int currentYear)
    : regional_(std::move(regional)), currentYear_(currentYear)
{}

void TDateFormDetector::Reserve(qsizetype texts)
{
    constexpr qsizetype usualLength = 24; // "12/31/2026 11:59:59 PM" and a little
    texts_.reserve(texts * usualLength);
    spans_.reserve(std::size_t(texts));
}

void TDateFormDetector::AddDate(QStringView text)
{
    Add(text, false);
}

void TDateFormDetector::AddStamp(QStringView text)
{
    Add(text, true);
}

void TDateFormDetector::Add(QStringView text, bool stamp)
{
    if (text.trimmed().isEmpty())
        return;
    spans_.push_back({texts_.size(), text.size(), stamp});
    texts_ += text;
    const std::optional<QChar> separator = SeparatorAfterFirstNumber(text);
    if (!separator)
        return;
    const auto known = std::ranges::find(dateSeparators_, *separator, &TSeparatorCount::separator);
    if (known != dateSeparators_.end())
        ++known->count;
    else
        dateSeparators_.push_back({*separator, 1});
}

TDateFormDetector::TResult TDateFormDetector::Detect() const
{
    TResult result{regional_, true, qsizetype(spans_.size()), 0};
    if (spans_.empty())
        return result;

    std::vector<TCandidate> candidates = Candidates();
    const qsizetype step = std::max<qsizetype>(1, qsizetype(spans_.size()) / sampleSize);
    for (TCandidate& candidate : candidates)
        candidate.sampleFailures = Unreadable(candidate.forms, unlimited, step);
    // The likeliest form reads the whole file first; every other one then stops at the first
    // text too many.
    std::ranges::sort(candidates, [](const TCandidate& a, const TCandidate& b) {
        return std::pair(a.sampleFailures, a.preference) <
               std::pair(b.sampleFailures, b.preference);
    });
    const TCandidate* best = nullptr;
    qsizetype bestFailures = unlimited;
    for (const TCandidate& candidate : candidates) {
        // A tie goes to the form preferred.
        const qsizetype stopAt = !best                                     ? unlimited
                                 : candidate.preference < best->preference ? bestFailures + 1
                                                                           : bestFailures;
        const qsizetype failures = Unreadable(candidate.forms, stopAt);
        if (failures < stopAt) {
            best = &candidate;
            bestFailures = failures;
        }
    }
    result.forms = best->forms;
    result.regional = best->preference == 0;
    result.unreadable = bestFailures;
    return result;
}

// The regional forms first; then the orders, the regional one first, each with the separators
// the texts use, the most frequent first, and either time separator, the regional one first.
std::vector<TDateFormDetector::TCandidate> TDateFormDetector::Candidates() const
{
    std::vector<TCandidate> candidates = {{regional_, 0}};

    std::vector<TDateOrder> orders = {regional_.DateOrder()};
    for (TDateOrder order : dateOrders) {
        if (order != orders.front())
            orders.push_back(order);
    }
    std::vector<TSeparatorCount> separators = dateSeparators_;
    std::ranges::stable_sort(
        separators, [this](const TSeparatorCount& a, const TSeparatorCount& b) {
            return std::pair(a.count, a.separator == regional_.DateSeparator()) >
                   std::pair(b.count, b.separator == regional_.DateSeparator());
        });
    if (separators.size() > maxDateSeparators)
        separators.resize(maxDateSeparators);
    std::vector<QChar> clockSeparators = {regional_.TimeSeparator()};
    for (QChar separator : timeSeparators) {
        if (separator != clockSeparators.front())
            clockSeparators.push_back(separator);
    }

    int preference = 1;
    for (TDateOrder order : orders) {
        for (const TSeparatorCount& date : separators) {
            for (QChar time : clockSeparators) {
                TRegionalSettings forms = regional_.WithForms(
                    DateForm(order, date.separator), QString(u"H" + time + u"mm" + time + u"ss"));
                if (forms.DateSeparator() != date.separator || ReadAlike(forms, regional_))
                    continue;
                candidates.push_back({std::move(forms), preference++});
            }
        }
    }
    return candidates;
}

qsizetype TDateFormDetector::Unreadable(const TRegionalSettings& forms, qsizetype stopAt,
                                        qsizetype step) const
{
    qsizetype failures = 0;
    for (std::size_t i = 0; i < spans_.size() && failures < stopAt; i += std::size_t(step)) {
        const TText& span = spans_[i];
        const QStringView text = QStringView(texts_).sliced(span.start, span.length);
        const bool read = span.stamp ? forms.ParseDateTime(text, currentYear_).has_value()
                                     : forms.ParseDate(text, currentYear_).has_value();
        failures += read ? 0 : 1;
    }
    return failures;
}
