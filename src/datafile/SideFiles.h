#pragma once

#include "platform/Files.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The files this program keeps beside a data file: its numbered backups, the hidden temporary
// files of saves in progress and the writer's lock file. Every name fits the file system's limit
// on name length however long the data file's name is: a name that would not fit is cut short
// and made unique by a hash of the whole (Files::FitName), and each leaves room for the
// temporary file that will replace it.
namespace SideFiles {

// "<data file's name> - backup <number>.ka~", in the data file's folder.
QString BackupPath(const QString& dataPath, int number);
// The hidden lock file beside the data file (links resolved), where writers take turns.
QByteArray LockPath(const QString& dataPath);

// Creates a hidden temporary file beside the target, ".<target's name>.<random>.tmp", and locks
// it for as long as the descriptor stays open, so that everyone can tell that its writer is
// still at work. TError with the system's reason.
TFileDescriptor CreateTemporary(const QByteArray& targetPath, QByteArray& temporaryPath);

// Removes the temporary files that saves of the data file and of its backups left behind when
// their writer died; one whose writer is still running (its lock is taken) stays. Where the file
// system cannot lock, nothing can be told apart and nothing is removed. The paths removed.
QStringList RemoveLeftovers(const QString& dataPath);

} // namespace SideFiles
