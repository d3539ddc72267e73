#include "datafile/WriterLock.h"

#include "datafile/SideFiles.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// Errors by which a file system says that it cannot lock at all.
bool LockingUnsupported(int error)
{
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOTSUP || error == EINVAL;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

TWriterLock::TWriterLock(const QString& dataPath, std::chrono::milliseconds wait)
    : lockPath_(SideFiles::LockPath(dataPath))
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + wait;
    std::chrono::milliseconds pause{2};
    while (!TryLock()) {
        const Clock::time_point now = Clock::now();
        if (now >= deadline)
            throw TBusy(u"Another program is writing the file "_qs + dataPath);
        // Writers that wait together should not all wake together.
        const std::chrono::milliseconds jittered =
            pause / 2 + std::chrono::milliseconds(
                            QRandomGenerator::global()->bounded(int(pause.count()) / 2 + 1));
        std::this_thread::sleep_for(std::min<Clock::duration>(jittered, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

TWriterLock::~TWriterLock()
{
    // Removed while still held: a waiter that opened this file before finds, once it has the
    // lock, that the path names another file or none, and starts again on a fresh one.
    ::unlink(lockPath_.constData());
}

bool TWriterLock::TryLock()
{
    for (;;) {
        TFileDescriptor file = OpenLockFile();
        struct stat opened {};
        if (::fstat(file.Get(), &opened) != 0)
            Files::ThrowSystemError(errno);
        if (!S_ISREG(opened.st_mode))
            throw TError(QFile::decodeName(lockPath_) + u" is not a regular file");
        if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK || errno == EINTR)
                return false;
            if (!LockingUnsupported(errno))
                Files::ThrowSystemError(errno);
            effective_ = false;
        }
        // The previous holder may have removed the file between our open and our lock: then
        // the lock is free, on a new file.
        struct stat current {};
        if (!effective_ ||
            (::stat(lockPath_.constData(), &current) == 0 && SameFile(opened, current))) {
            file_ = std::move(file);
            return true;
        }
    }
}

TFileDescriptor TWriterLock::OpenLockFile() const
{
    TFileDescriptor file(::open(lockPath_.constData(),
                                O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                                S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH));
    if (file.IsValid())
        return file;
    const int error = errno;
    // Someone else's lock file, which this user may only read, locks just as well.
    file = TFileDescriptor(
        ::open(lockPath_.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.IsValid())
        Files::ThrowSystemError(error);
    return file;
}

bool TWriterLock::Covers(const QString& dataPath) const
{
    return SideFiles::LockPath(dataPath) == lockPath_;
}
