#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Every failure the program reports carries the text that follows " | " in the message box.
class TError : public std::exception {
public:
    explicit TError(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}

    const QString& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// The message of any exception, as the program shows it.
QString ErrorMessage(const std::exception& error);
