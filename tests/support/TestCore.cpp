#include "support/TestCore.h"

#include "app/Debug.h"

#include <QStandardPaths>

TDateTime TTestCore::DefaultNow()
{
    return DateTime::Compose(QDate(2026, 3, 15), QTime(10, 30));
}

TTestCore::TTestCore(const QLocale& locale, TDateTime now) : clock_(now)
{
    QStandardPaths::setTestModeEnabled(true);
    Q_ASSERT(folder_.isValid());
    qputenv("TAVOLIN_CONFIG", iniPath().toLocal8Bit());
    core_ = std::make_unique<TCore>();
    core_->SetClock(&clock_);
    core_->SetPrompts(&prompts_);
    core_->SetRegionalSettings(TRegionalSettings::FromLocale(locale));
    core_->CreateModules();
    core_->Debug()->AttachMemo(&memo_);
}

TTestCore::~TTestCore()
{
    core_.reset();
    qunsetenv("TAVOLIN_CONFIG");
}

QStringList TTestCore::logMessages() const
{
    // A line is the stamp (date, blank, time), a blank and the message; the stamp of the fixed
    // clock is the same on every line.
    const QString stamp = core_->Regional().FormatStamp(clock_.Now()) + u' ';
    QStringList messages;
    for (const QString& line : memo_.Lines())
        messages.append(line.startsWith(stamp) ? line.mid(stamp.size()) : line);
    return messages;
}

QString TTestCore::iniPath() const
{
    return folder_.filePath(u"tavolin.ini"_qs);
}
