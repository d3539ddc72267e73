#pragma once

#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>
#include <stdexcept>

// A failure that ends the companion with an exit status and a line on standard error. SaveFailed
// also stands for another program writing the file for longer than the companion would wait.
struct TCliFailure {
    enum Status { Usage = 1, LoadFailed = 2, SaveFailed = 3, NotFound = 4 };
    Status status;
    QString message;
};

// The options that hold for every command, taken from anywhere on the command line; the first
// other word is the command and the rest are its own arguments.
struct TCliOptions {
    QString file;
    QString config;
    QString language; // "en", "cs" or empty for the configured one
    QString now;      // empty for the system's clock; an option is never given an empty value
    // How long to wait for another program writing the data file; none for the usual wait.
    std::optional<std::chrono::seconds> wait;
    bool json = false;
    bool yes = false;
    bool help = false;
    bool version = false;
    QString command;
    QStringList arguments;

    static TCliOptions Parse(const QStringList& commandLine); // without the program's path
};

// A command's own arguments: options with values, flags and positional words. Everything a
// command does not ask for is a usage error when it calls Finish().
class TCommandArguments {
public:
    explicit TCommandArguments(QStringList words) : words_(std::move(words)) {}

    bool Flag(const QString& name);
    // The value after the option; a usage error when it is missing.
    QString Value(const QString& name);
    QString Positional(const QString& what); // a usage error when there is none left
    QStringList RemainingPositionals();
    void Finish() const;

private:
    QStringList words_;
};
