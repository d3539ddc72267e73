#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

class QIODevice;

// An ini file read once and rewritten in place: "[Section]" lines open sections, "Key=Value" lines
// hold values. Section and key names match case-insensitively and blanks around names and values
// do not count. Every line this class does not change stays as it was, comments and keys it does
// not know included, so a file edited by hand keeps its edits.
//
// A damaged file gives what can be read from it: invalid UTF-8 reads as replacement characters,
// and of an oversized file only the first MaxReadSize bytes are read; the rest reads as missing
// but is carried over unchanged whenever the file is rewritten.
//
// Every write reaches the disk at once through an atomic replace; only a file whose folder takes
// no new files, while the file itself may be written, is written in place. A write that fails
// throws TError("Unable to write to " + path) and keeps the new value in memory, so that a later
// write that succeeds saves it too.
class TIniFile {
public:
    static constexpr qsizetype MaxReadSize = 4 * 1024 * 1024;

    // Reads the file; a missing or unreadable file reads as empty, and the first write creates
    // it together with its folder. Anything but a regular file (a FIFO, a folder) is refused
    // with TError rather than waited on or replaced.
    explicit TIniFile(QString path);

    const QString& Path() const { return path_; }

    // A key that is present gives its text, even when empty.
    QString ReadString(QStringView section, QStringView key, const QString& fallback) const;
    // Decimal, or hexadecimal after "$", "0x" or "0X", with an optional sign; anything that does
    // not fit an int gives the fallback.
    int ReadInteger(QStringView section, QStringView key, int fallback) const;
    // Read as an integer: any value but 0 is true.
    bool ReadBool(QStringView section, QStringView key, bool fallback) const;

    // Section and key names are plain names: no "=", "]" or line breaks. A value is written as it
    // stands, except that line breaks, which it cannot hold, become blanks.
    void WriteString(QStringView section, QStringView key, const QString& value);
    void WriteInteger(QStringView section, QStringView key, int value);
    void WriteBool(QStringView section, QStringView key, bool value);

private:
    // Where a key stands in text_, or where it would go.
    struct TPlace {
        qsizetype lineBegin = -1;  // the key's line, -1 when it is missing
        qsizetype lineEnd = -1;    // just after the line's "\n"
        qsizetype sectionEnd = -1; // after the section's last value line, -1 without the section
        QByteArrayView value;      // the key's value, without its blanks
    };

    void Read();
    std::optional<QString> Value(QStringView section, QStringView key) const;
    TPlace Locate(QStringView section, QStringView key) const;
    void Flush();
    bool CopyUnreadTail(QIODevice& target) const;

    QString path_;
    // The lines read, each ending in "\n", as changed since.
    QByteArray text_;
    // Where the part of the file on disk that was never read begins; -1 when it was read whole.
    qint64 unreadTailOffset_ = -1;
};
