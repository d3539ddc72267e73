#pragma once

#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTest>
#include <functional>

// Takes the write permission from a file or folder while it lives. The super-user writes anyway,
// so a test asks Blocks() before it relies on the protection.
class TWriteProtection {
public:
    explicit TWriteProtection(QString path)
        : path_(std::move(path)), permissions_(QFile::permissions(path_))
    {
        constexpr QFileDevice::Permissions writable =
            QFileDevice::WriteOwner | QFileDevice::WriteUser | QFileDevice::WriteGroup |
            QFileDevice::WriteOther;
        QFile::setPermissions(path_, permissions_ & ~writable);
    }
    ~TWriteProtection() { QFile::setPermissions(path_, permissions_); }
    TWriteProtection(const TWriteProtection&) = delete;
    TWriteProtection& operator=(const TWriteProtection&) = delete;

    bool Blocks() const { return !QFileInfo(path_).isWritable(); }

private:
    QString path_;
    QFile::Permissions permissions_;
};

inline QByteArray FileContents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteFileContents(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(contents), contents.size());
}

// The message of the TError the work throws; empty when it throws none.
inline QString ErrorOf(const std::function<void()>& work)
{
    try {
        work();
    } catch (const TError& error) {
        return error.Message();
    }
    return {};
}
