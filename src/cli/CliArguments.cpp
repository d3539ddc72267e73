#include "cli/CliArguments.h"

namespace {

[[noreturn]] void UsageError(const QString& message)
{
    throw TCliFailure{TCliFailure::Usage, message};
}

// An empty value is refused too: "--parent $ID" with an empty variable must not quietly mean
// no parent at all.
bool TakeValue(QStringList& words, qsizetype& i, QString& value)
{
    if (i + 1 >= words.size() || words.at(i + 1).isEmpty())
        UsageError(u"Option " + words.at(i) + u" needs a value");
    value = words.at(i + 1);
    words.remove(i, 2);
    return true;
}

} // namespace

TCliOptions TCliOptions::Parse(const QStringList& commandLine)
{
    TCliOptions options;
    QStringList words = commandLine;
    qsizetype i = 0;
    while (i < words.size()) {
        const QString& word = words.at(i);
        if (word == u"--file")
            TakeValue(words, i, options.file);
        else if (word == u"--config")
            TakeValue(words, i, options.config);
        else if (word == u"--lang")
            TakeValue(words, i, options.language);
        else if (word == u"--now")
            TakeValue(words, i, options.now);
        else if (word == u"--wait") {
            QString seconds;
            TakeValue(words, i, seconds);
            bool isNumber = false;
            options.wait = std::chrono::seconds(seconds.toUInt(&isNumber));
            if (!isNumber)
                UsageError(u"--wait takes a number of seconds, 0 for no waiting"_qs);
        } else if (word == u"--json" || word == u"--yes" || word == u"--help" || word == u"-h" ||
                   word == u"--version") {
            if (word == u"--json")
                options.json = true;
            else if (word == u"--yes")
                options.yes = true;
            else if (word == u"--version")
                options.version = true;
            else
                options.help = true;
            words.removeAt(i);
        } else
            ++i;
    }
    if (!options.language.isEmpty() && options.language != u"en" && options.language != u"cs")
        UsageError(u"--lang takes en or cs"_qs);
    for (qsizetype w = 0; w < words.size(); ++w) {
        if (!words.at(w).startsWith(u"--")) {
            options.command = words.takeAt(w);
            break;
        }
    }
    options.arguments = words;
    return options;
}

bool TCommandArguments::Flag(const QString& name)
{
    return words_.removeAll(name) > 0;
}

QString TCommandArguments::Value(const QString& name)
{
    const qsizetype at = words_.indexOf(name);
    if (at < 0)
        return {};
    QString value;
    qsizetype i = at;
    TakeValue(words_, i, value);
    return value;
}

QString TCommandArguments::Positional(const QString& what)
{
    for (qsizetype i = 0; i < words_.size(); ++i) {
        if (!words_.at(i).startsWith(u"--"))
            return words_.takeAt(i);
    }
    UsageError(u"Missing " + what);
}

QStringList TCommandArguments::RemainingPositionals()
{
    QStringList positionals;
    for (qsizetype i = 0; i < words_.size();) {
        if (words_.at(i).startsWith(u"--"))
            ++i;
        else
            positionals.append(words_.takeAt(i));
    }
    return positionals;
}

void TCommandArguments::Finish() const
{
    if (!words_.isEmpty())
        UsageError(u"Unexpected argument " + words_.first());
}
