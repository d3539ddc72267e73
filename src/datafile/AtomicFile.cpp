#include "datafile/AtomicFile.h"

#include "datafile/SideFiles.h"
#include "platform/Error.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The rename reaches the disk only with the folder's own entry; some file systems cannot flush a
// folder, and then the rename stands as the system keeps it.
void SyncFolder(const QByteArray& folder)
{
    const TFileDescriptor descriptor(
        ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (descriptor.IsValid())
        ::fsync(descriptor.Get());
}

} // namespace

TAtomicFile::TAtomicFile(const QString& targetPath, const QString& permissionsFrom)
{
    const QString target = Files::ResolveSymLinks(targetPath);
    target_ = QFile::encodeName(target);
    struct stat model {};
    const bool exists = ::stat(target_.constData(), &model) == 0;
    if (exists && !S_ISREG(model.st_mode))
        throw TError(target + u" is not a regular file");
    // The rename would replace even a write-protected file; its user has said it must stay.
    if (exists && ::faccessat(AT_FDCWD, target_.constData(), W_OK, AT_EACCESS) != 0)
        Files::ThrowSystemError(errno);
    file_ = SideFiles::CreateTemporary(target_, temporary_);

    const bool hasModel =
        exists || (!permissionsFrom.isEmpty() &&
                   ::stat(QFile::encodeName(permissionsFrom).constData(), &model) == 0);
    if (hasModel) {
        ::fchmod(file_.Get(), model.st_mode & 07777);
        // Only a privileged user may give a file away; for everyone else the owner stays theirs.
        [[maybe_unused]] const int owned = ::fchown(file_.Get(), model.st_uid, model.st_gid);
    }
}

TAtomicFile::~TAtomicFile()
{
    Discard();
}

void TAtomicFile::Write(const char* data, std::size_t size)
{
    hash_.Add(QByteArrayView(data, qsizetype(size)));
    while (size > 0) {
        const ssize_t written = ::write(file_.Get(), data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            Discard();
            Files::ThrowSystemError(error);
        }
        data += written;
        size -= std::size_t(written);
    }
}

TFileIdentity TAtomicFile::Commit()
{
    // The descriptor stays open, and the temporary file locked, until the rename is done: until
    // then nobody may take it for a leftover. Its status comes after the rename, which may
    // touch its change time.
    struct stat written {};
    if (::fsync(file_.Get()) != 0 || ::rename(temporary_.constData(), target_.constData()) != 0) {
        const int error = errno;
        Discard();
        Files::ThrowSystemError(error);
    }
    temporary_.clear();
    const bool hasStatus = ::fstat(file_.Get(), &written) == 0;
    file_.Close();
    SyncFolder(Files::FolderOf(target_));
    return hasStatus ? TFileIdentity(written, hash_.Result()) : TFileIdentity();
}

void TAtomicFile::Copy(const QString& sourcePath, const QString& targetPath)
{
    const TFileDescriptor source = Files::OpenRegularFile(sourcePath);
    if (!source.IsValid())
        Files::ThrowSystemError(errno);
    TAtomicFile target(targetPath, sourcePath);
    Files::ReadChunks(source, [&target](QByteArrayView chunk) {
        target.Write(chunk.data(), std::size_t(chunk.size()));
    });
    target.Commit();
}

void TAtomicFile::Discard() noexcept
{
    // Gone before its lock is let go, so nobody else takes it for a leftover meanwhile.
    if (!temporary_.isEmpty())
        ::unlink(std::exchange(temporary_, QByteArray()).constData());
    file_.Close();
}
