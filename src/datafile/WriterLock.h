#pragma once

#include "platform/Error.h"
#include "platform/Files.h"

#include <QByteArray>
#include <QString>

#include <chrono>

// The writer's lock of one data file: whoever holds it may read the file to change it and
// replace it; every other writer waits. It lives on a hidden lock file beside the data file
// (SideFiles::LockPath), never on the data file itself, which each save replaces. The kernel
// releases it when its holder ends, however that happens, so a lock file left behind by a
// killed program stands in nobody's way. The holder removes the lock file as it lets go.
//
// Reading needs no lock: a save replaces the file as a whole, so a reader always sees a whole
// file. On a file system that cannot lock (some network mounts) the lock is held in name only
// (IsEffective), and writers there are back to taking their chances.
class TWriterLock {
public:
    static constexpr std::chrono::milliseconds DefaultWait{10000};

    // Another program held the lock for longer than the wait.
    class TBusy : public TError {
    public:
        using TError::TError;
    };

    // Takes the lock of the data file at the path, waiting up to `wait` for another holder.
    // TBusy when it does not come free in time; TError with the system's reason when the lock
    // file cannot be opened or made (the folder takes no new files, for example).
    TWriterLock(const QString& dataPath, std::chrono::milliseconds wait);
    ~TWriterLock();
    TWriterLock(const TWriterLock&) = delete;
    TWriterLock& operator=(const TWriterLock&) = delete;

    // Whether this lock covers the data file at the path (the same file, links resolved).
    bool Covers(const QString& dataPath) const;
    // False on a file system that cannot lock.
    bool IsEffective() const { return effective_; }

private:
    // One try: true when the lock is ours (or cannot be had on this file system at all).
    bool TryLock();
    TFileDescriptor OpenLockFile() const;

    QByteArray lockPath_;
    TFileDescriptor file_;
    bool effective_ = true;
};
