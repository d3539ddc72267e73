// PLACEHOLDER: being written; replaced as a whole.
#include "platform/RegionalSettings.h"

TRegionalSettings::TRegionalSettings()
    : shortDateForm_(u"yyyy-MM-dd"_qs), longTimeForm_(u"HH:mm:ss"_qs), dateSeparator_(u'-'),
      timeSeparator_(u':'), decimalSeparator_(u'.'), locale_(QLocale::c())
{
}
TRegionalSettings TRegionalSettings::FromLocale(const QLocale&) { return {}; }
TRegionalSettings TRegionalSettings::FromForms(const QString&, const QString&, const QLocale&) { return {}; }
QString TRegionalSettings::FormatDate(TDateTime v) const { return DateTime::ToDate(v).toString(shortDateForm_); }
QString TRegionalSettings::FormatTime(TDateTime v) const { return DateTime::ToTime(v).toString(longTimeForm_); }
QString TRegionalSettings::FormatDateTime(TDateTime v) const { return FormatDate(v) + u' ' + FormatTime(v); }
QString TRegionalSettings::FormatStamp(TDateTime v) const { return FormatDate(v) + u' ' + FormatTime(v); }
std::optional<TDateTime> TRegionalSettings::ParseDate(QStringView, int) const { return std::nullopt; }
std::optional<TDateTime> TRegionalSettings::ParseDateTime(QStringView, int) const { return std::nullopt; }
std::optional<TDateTime> TRegionalSettings::ParseTime(QStringView) const { return std::nullopt; }
