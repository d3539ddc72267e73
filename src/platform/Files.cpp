#include "platform/Files.h"

#include "platform/Error.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

TFileDescriptor& TFileDescriptor::operator=(TFileDescriptor&& other) noexcept
{
    if (this != &other) {
        Close();
        descriptor_ = other.Release();
    }
    return *this;
}

int TFileDescriptor::Release() noexcept
{
    return std::exchange(descriptor_, -1);
}

void TFileDescriptor::Close() noexcept
{
    if (descriptor_ >= 0)
        ::close(Release());
}

namespace Files {

void ThrowSystemError(int error)
{
    throw TError(qt_error_string(error));
}

TFileDescriptor OpenRegularFile(const QString& path)
{
    // Without O_NONBLOCK the open itself would wait for a FIFO's writer.
    TFileDescriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.IsValid())
        return file;
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0)
        ThrowSystemError(errno);
    if (!S_ISREG(status.st_mode))
        throw TError(path + u" is not a regular file");
    ::fcntl(file.Get(), F_SETFL, ::fcntl(file.Get(), F_GETFL) & ~O_NONBLOCK);
    return file;
}

void ReadChunks(const TFileDescriptor& file, const std::function<void(QByteArrayView)>& take)
{
    std::array<char, 1 << 16> buffer;
    for (;;) {
        const ssize_t count = ::read(file.Get(), buffer.data(), buffer.size());
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            ThrowSystemError(errno);
        if (count == 0)
            return;
        take(QByteArrayView(buffer.data(), qsizetype(count)));
    }
}

QByteArray ReadToEnd(const TFileDescriptor& file)
{
    struct stat status {};
    QByteArray content;
    if (::fstat(file.Get(), &status) == 0 && status.st_size > 0)
        content.reserve(qsizetype(status.st_size));
    ReadChunks(file, [&content](QByteArrayView chunk) { content.append(chunk); });
    return content;
}

QString ResolveSymLinks(const QString& path)
{
    // The kernel's own limit on links followed in one path.
    constexpr int maxLinks = 40;
    QString resolved = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; QFileInfo(resolved).isSymLink(); ++hop) {
        if (hop == maxLinks)
            ThrowSystemError(ELOOP);
        resolved = QFileInfo(resolved).symLinkTarget();
    }
    return resolved;
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray NameOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

qsizetype NameLimit(const QByteArray& folder)
{
    const long limit = ::pathconf(folder.constData(), _PC_NAME_MAX);
    return limit > 0 ? qsizetype(limit) : 255;
}

QByteArray FitName(QByteArrayView name, qsizetype limit)
{
    if (name.size() <= limit)
        return name.toByteArray();
    const QByteArray hash =
        QCryptographicHash::hash(name, QCryptographicHash::Sha256).toHex().left(12);
    qsizetype keep = qMax<qsizetype>(0, limit - 1 - hash.size());
    // Never cut a character in two: step back over UTF-8 continuation bytes.
    while (keep > 0 && (quint8(name[keep]) & 0xC0) == 0x80)
        --keep;
    return name.first(keep).toByteArray() + '~' + hash;
}

} // namespace Files
