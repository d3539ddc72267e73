#include "datafile/SideFiles.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// ".", the name, ".", up to 13 base-36 digits of a random 64-bit number, ".tmp".
constexpr qsizetype temporaryRandomLength = 13;
constexpr qsizetype temporaryExtra = 1 + 1 + temporaryRandomLength + 4;

// The name a file of this folder may have so that its temporary file still fits.
QByteArray FittedStem(QByteArrayView name, const QByteArray& folder)
{
    return Files::FitName(name, Files::NameLimit(folder) - temporaryExtra);
}

QByteArray BackupName(QByteArrayView dataName, const QByteArray& folder, int number)
{
    const QByteArray suffix = " - backup " + QByteArray::number(number) + ".ka~";
    return Files::FitName(dataName, Files::NameLimit(folder) - temporaryExtra - suffix.size()) +
           suffix;
}

QByteArray Joined(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? QByteArray(folder + name) : QByteArray(folder + '/' + name);
}

bool IsRandomPart(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > temporaryRandomLength)
        return false;
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

// What a temporary file's name says it replaces: ".<stem>.<random>.tmp" gives the stem.
std::optional<QByteArrayView> StemOfTemporary(QByteArrayView name)
{
    if (!name.startsWith('.') || !name.endsWith(".tmp"))
        return std::nullopt;
    const QByteArrayView inner = name.sliced(1, name.size() - 5);
    const qsizetype dot = inner.lastIndexOf('.');
    if (dot <= 0 || !IsRandomPart(inner.sliced(dot + 1)))
        return std::nullopt;
    return inner.first(dot);
}

// Whether the stem is the name of one of the data file's backups.
bool IsBackupStem(QByteArrayView stem, const QByteArray& dataName, const QByteArray& folder)
{
    const qsizetype marker = stem.lastIndexOf(" - backup ");
    if (marker < 0 || !stem.endsWith(".ka~"))
        return false;
    bool isNumber = false;
    const int number = stem.sliced(marker + 10, stem.size() - marker - 14).toInt(&isNumber);
    return isNumber && number > 0 && stem == BackupName(dataName, folder, number);
}

// The temporary files in the folder whose stem the test accepts.
QList<QByteArray> TemporariesIn(const QByteArray& folder, auto&& isOurs)
{
    QList<QByteArray> found;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(folder.constData()), ::closedir);
    if (!listing)
        return found;
    while (const dirent* entry = ::readdir(listing.get())) {
        const QByteArrayView name(entry->d_name);
        if (const std::optional<QByteArrayView> stem = StemOfTemporary(name); stem && isOurs(*stem))
            found.append(Joined(folder, name.toByteArray()));
    }
    return found;
}

// A leftover's writer is gone when its lock can be had; then the file goes.
bool RemoveIfAbandoned(const QByteArray& path)
{
    const TFileDescriptor file(
        ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (!file.IsValid() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode))
        return false;
    if (::flock(file.Get(), LOCK_EX | LOCK_NB) != 0)
        return false;
    return ::unlink(path.constData()) == 0;
}

} // namespace

namespace SideFiles {

QString BackupPath(const QString& dataPath, int number)
{
    const QByteArray path = QFile::encodeName(dataPath);
    const QByteArray name = Files::NameOf(path);
    return QFile::decodeName(path.chopped(name.size()) +
                             BackupName(name, Files::FolderOf(path), number));
}

QByteArray LockPath(const QString& dataPath)
{
    const QByteArray target = QFile::encodeName(Files::ResolveSymLinks(dataPath));
    const QByteArray folder = Files::FolderOf(target);
    return Joined(folder, '.' + FittedStem(Files::NameOf(target), folder) + ".lock");
}

TFileDescriptor CreateTemporary(const QByteArray& targetPath, QByteArray& temporaryPath)
{
    const QByteArray folder = Files::FolderOf(targetPath);
    const QByteArray stem = FittedStem(Files::NameOf(targetPath), folder);
    for (int attempt = 0;; ++attempt) {
        temporaryPath = Joined(
            folder, '.' + stem + '.' +
                        QByteArray::number(QRandomGenerator::global()->generate64(), 36) + ".tmp");
        TFileDescriptor file(::open(temporaryPath.constData(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                    S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH));
        if (file.IsValid()) {
            // Where the file system cannot lock, leftovers are simply never removed.
            ::flock(file.Get(), LOCK_EX | LOCK_NB);
            return file;
        }
        if (errno != EEXIST || attempt == 10)
            Files::ThrowSystemError(errno);
    }
}

QStringList RemoveLeftovers(const QString& dataPath)
{
    const QByteArray target = QFile::encodeName(Files::ResolveSymLinks(dataPath));
    const QByteArray targetFolder = Files::FolderOf(target);
    const QByteArray dataStem = FittedStem(Files::NameOf(target), targetFolder);
    QList<QByteArray> candidates =
        TemporariesIn(targetFolder, [&dataStem](QByteArrayView stem) { return stem == dataStem; });
    // Backups stand beside the data file's own path, which may be a link to elsewhere.
    const QByteArray path = QFile::encodeName(dataPath);
    const QByteArray folder = Files::FolderOf(path);
    const QByteArray name = Files::NameOf(path);
    candidates += TemporariesIn(
        folder, [&name, &folder](QByteArrayView stem) { return IsBackupStem(stem, name, folder); });
    QStringList removed;
    for (const QByteArray& candidate : std::as_const(candidates)) {
        if (RemoveIfAbandoned(candidate))
            removed.append(QFile::decodeName(candidate));
    }
    return removed;
}

} // namespace SideFiles
