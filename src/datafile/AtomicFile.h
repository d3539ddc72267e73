#pragma once

#include "datafile/FileIdentity.h"
#include "platform/Files.h"

#include <QByteArray>
#include <QString>
#include <cstddef>

// Replaces a file as a whole or not at all. The new content goes into a hidden temporary file
// beside the target (SideFiles::CreateTemporary); Commit flushes it to disk, renames it over the
// target and flushes the folder, so a crash, a kill or a full disk at any moment leaves either
// the old file or the new one. A target that is a symbolic link stays one: the file it leads to
// is replaced, even when that does not exist yet. The new file keeps the permissions (and, where
// allowed, the owner) of the file it replaces; a file that its user may not write is refused, as
// writing it in place would be, and so is anything but a regular file (a FIFO, a device, a
// folder). Without a Commit the temporary file is removed. Failures throw TError with the
// system's reason.
class TAtomicFile {
public:
    // permissionsFrom: the file whose permissions the new one takes when the target does not
    // exist yet (a backup takes its data file's); none gives the user's defaults.
    explicit TAtomicFile(const QString& targetPath, const QString& permissionsFrom = {});
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;

    void Write(const char* data, std::size_t size);
    // The identity of the file now at the target: exactly what was written.
    TFileIdentity Commit();

    // Copies source over target the same way: target is the old copy or the new one, whole.
    static void Copy(const QString& sourcePath, const QString& targetPath);

private:
    void Discard() noexcept;

    QByteArray target_;    // with symbolic links resolved, so the links themselves stay
    QByteArray temporary_; // empty once committed or discarded
    TFileDescriptor file_;
    TContentHash hash_;
};
