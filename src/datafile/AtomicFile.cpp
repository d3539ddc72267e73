#include "datafile/AtomicFile.h"

#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

[[noreturn]] void ThrowSystemError(int error)
{
    throw TError(qt_error_string(error));
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

// A hidden name beside the target that no other writer uses.
QByteArray TemporaryNameFor(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    return target.left(slash + 1) + '.' + target.mid(slash + 1) + '.' +
           QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp";
}

int OpenTemporary(QByteArray& name, const QByteArray& target)
{
    for (int attempt = 0;; ++attempt) {
        name = TemporaryNameFor(target);
        const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                      S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH);
        if (descriptor >= 0)
            return descriptor;
        if (errno != EEXIST || attempt == 10)
            ThrowSystemError(errno);
    }
}

// The rename reaches the disk only with the folder's own entry; some file systems cannot flush a
// folder, and then the rename stands as the system keeps it.
void SyncFolder(const QByteArray& folder)
{
    const int descriptor = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    ::fsync(descriptor);
    ::close(descriptor);
}

} // namespace

TAtomicFile::TAtomicFile(const QString& targetPath, const QString& permissionsFrom)
{
    const QFileInfo target(targetPath);
    target_ = QFile::encodeName(target.isSymLink() && target.exists() ? target.canonicalFilePath()
                                                                      : targetPath);
    // The rename would replace even a write-protected file; its user has said it must stay.
    if (::access(target_.constData(), F_OK) == 0 &&
        ::faccessat(AT_FDCWD, target_.constData(), W_OK, AT_EACCESS) != 0)
        ThrowSystemError(errno);
    descriptor_ = OpenTemporary(temporary_, target_);

    struct stat model {};
    const bool hasModel = ::stat(target_.constData(), &model) == 0 ||
                          (!permissionsFrom.isEmpty() &&
                           ::stat(QFile::encodeName(permissionsFrom).constData(), &model) == 0);
    if (hasModel) {
        ::fchmod(descriptor_, model.st_mode & 07777);
        // Only a privileged user may give a file away; for everyone else the owner stays theirs.
        [[maybe_unused]] const int owned = ::fchown(descriptor_, model.st_uid, model.st_gid);
    }
}

TAtomicFile::~TAtomicFile()
{
    Discard();
}

void TAtomicFile::Write(const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(descriptor_, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            Discard();
            ThrowSystemError(error);
        }
        data += written;
        size -= std::size_t(written);
    }
}

void TAtomicFile::Commit()
{
    if (::fsync(descriptor_) != 0 || ::close(std::exchange(descriptor_, -1)) != 0 ||
        ::rename(temporary_.constData(), target_.constData()) != 0) {
        const int error = errno;
        Discard();
        ThrowSystemError(error);
    }
    temporary_.clear();
    SyncFolder(FolderOf(target_));
}

void TAtomicFile::Copy(const QString& sourcePath, const QString& targetPath)
{
    const int source = ::open(QFile::encodeName(sourcePath).constData(), O_RDONLY | O_CLOEXEC);
    if (source < 0)
        ThrowSystemError(errno);
    try {
        TAtomicFile target(targetPath, sourcePath);
        std::array<char, 1 << 16> buffer;
        for (;;) {
            const ssize_t count = ::read(source, buffer.data(), buffer.size());
            if (count < 0 && errno == EINTR)
                continue;
            if (count < 0)
                ThrowSystemError(errno);
            if (count == 0)
                break;
            target.Write(buffer.data(), std::size_t(count));
        }
        target.Commit();
    } catch (...) {
        ::close(source);
        throw;
    }
    ::close(source);
}

void TAtomicFile::Discard() noexcept
{
    if (descriptor_ >= 0)
        ::close(std::exchange(descriptor_, -1));
    if (!temporary_.isEmpty())
        ::unlink(std::exchange(temporary_, QByteArray()).constData());
}
