#include "app/IniFile.h"

#include "platform/Error.h"
#include "platform/Files.h"

#include <QAnyStringView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <limits>

namespace {

struct TLine {
    enum Kind { Other, Section, Value };
    Kind kind = Other;
    QByteArrayView name;
    QByteArrayView value;
};

TLine ParseLine(QByteArrayView line)
{
    const QByteArrayView text = line.trimmed();
    if (text.startsWith('[')) {
        const qsizetype close = text.indexOf(']');
        if (close > 0)
            return {TLine::Section, text.sliced(1, close - 1).trimmed(), {}};
    }
    if (text.startsWith(';') || text.startsWith('#'))
        return {};
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return {};
    return {TLine::Value, text.first(equals).trimmed(), text.sliced(equals + 1).trimmed()};
}

bool SameName(QByteArrayView utf8, QStringView name)
{
    return QAnyStringView::compare(QUtf8StringView(utf8), name, Qt::CaseInsensitive) == 0;
}

bool EndsWithBlankLine(QByteArrayView text)
{
    text = text.chopped(1); // the last line's "\n"
    return text.sliced(text.lastIndexOf('\n') + 1).trimmed().isEmpty();
}

QString SingleLine(const QString& value)
{
    QString line = value;
    line.replace(u"\r\n"_qs, u" "_qs);
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (base == 16 && u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (base == 16 && u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

std::optional<int> ParseInteger(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.sliced(1);
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.sliced(1);
    } else if (text.startsWith(u"0x") || text.startsWith(u"0X")) {
        base = 16;
        text = text.sliced(2);
    }
    if (text.isEmpty())
        return {};
    // One past the largest magnitude, so that the most negative int still fits.
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 magnitude = 0;
    for (const QChar c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return {};
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return {};
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return {};
    return int(value);
}

} // namespace

TIniFile::TIniFile(QString path) : path_(std::move(path))
{
    Read();
}

void TIniFile::Read()
{
    const TFileDescriptor descriptor = Files::OpenRegularFile(path_);
    QFile file;
    if (!descriptor.IsValid() || !file.open(descriptor.Get(), QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.read(MaxReadSize);
    if (!file.isSequential() && !file.atEnd()) {
        // Too big to be ours: keep whole lines only, and the rest on disk as it is.
        bytes.truncate(bytes.lastIndexOf('\n') + 1);
        unreadTailOffset_ = bytes.size();
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    bytes.replace("\r\n", "\n");
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes.append('\n');
    text_ = std::move(bytes);
}

TIniFile::TPlace TIniFile::Locate(QStringView section, QStringView key) const
{
    TPlace place;
    bool inSection = false;
    const QByteArrayView text(text_);
    for (qsizetype begin = 0; begin < text.size();) {
        const qsizetype end = text.indexOf('\n', begin) + 1; // every line ends in "\n"
        const TLine line = ParseLine(text.sliced(begin, end - begin));
        if (line.kind == TLine::Section) {
            // A section that comes again goes on where it left off.
            inSection = SameName(line.name, section);
            if (inSection)
                place.sectionEnd = end;
        } else if (inSection && line.kind == TLine::Value) {
            if (SameName(line.name, key)) {
                place.lineBegin = begin;
                place.lineEnd = end;
                place.value = line.value;
                return place;
            }
            place.sectionEnd = end;
        }
        begin = end;
    }
    return place;
}

std::optional<QString> TIniFile::Value(QStringView section, QStringView key) const
{
    const TPlace place = Locate(section, key);
    if (place.lineBegin < 0)
        return {};
    return QString::fromUtf8(place.value);
}

QString TIniFile::ReadString(QStringView section, QStringView key, const QString& fallback) const
{
    return Value(section, key).value_or(fallback);
}

int TIniFile::ReadInteger(QStringView section, QStringView key, int fallback) const
{
    const std::optional<QString> text = Value(section, key);
    if (!text)
        return fallback;
    return ParseInteger(*text).value_or(fallback);
}

bool TIniFile::ReadBool(QStringView section, QStringView key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void TIniFile::WriteString(QStringView section, QStringView key, const QString& value)
{
    const QByteArray line = key.toUtf8() + '=' + SingleLine(value).toUtf8() + '\n';
    const TPlace place = Locate(section, key);
    if (place.lineBegin >= 0) {
        text_.replace(place.lineBegin, place.lineEnd - place.lineBegin, line);
    } else if (place.sectionEnd >= 0) {
        text_.insert(place.sectionEnd, line);
    } else {
        if (!text_.isEmpty() && !EndsWithBlankLine(text_))
            text_.append('\n');
        text_.append('[' + section.toUtf8() + "]\n" + line);
    }
    Flush();
}

void TIniFile::WriteInteger(QStringView section, QStringView key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(QStringView section, QStringView key, bool value)
{
    WriteString(section, key, value ? u"1"_qs : u"0"_qs);
}

void TIniFile::Flush()
{
    QSaveFile file(path_);
    // A file that only its own folder forbids replacing is written in place, unless the unread
    // tail must still be copied from it.
    file.setDirectWriteFallback(unreadTailOffset_ < 0);
    const bool written = QDir().mkpath(QFileInfo(path_).absolutePath()) &&
                         file.open(QIODevice::WriteOnly) && file.write(text_) == text_.size() &&
                         CopyUnreadTail(file) && file.commit();
    if (!written)
        throw TError(u"Unable to write to "_qs + path_);
    if (unreadTailOffset_ >= 0)
        unreadTailOffset_ = text_.size();
}

bool TIniFile::CopyUnreadTail(QIODevice& target) const
{
    if (unreadTailOffset_ < 0)
        return true;
    QFile source(path_);
    if (!source.open(QIODevice::ReadOnly))
        return !source.exists(); // a file that has gone took its tail with it
    if (!source.seek(unreadTailOffset_))
        return false;
    constexpr qint64 chunkSize = 1024 * 1024;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(chunkSize);
        if (chunk.isEmpty() || target.write(chunk) != chunk.size())
            return false;
    }
    return true;
}
