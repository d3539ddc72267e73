#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

// A file descriptor that closes itself.
class TFileDescriptor {
public:
    TFileDescriptor() = default;
    explicit TFileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~TFileDescriptor() { Close(); }
    TFileDescriptor(TFileDescriptor&& other) noexcept : descriptor_(other.Release()) {}
    TFileDescriptor& operator=(TFileDescriptor&& other) noexcept;
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;

    bool IsValid() const { return descriptor_ >= 0; }
    int Get() const { return descriptor_; }
    // Hands the descriptor over; this one holds none afterwards.
    int Release() noexcept;
    void Close() noexcept;

private:
    int descriptor_ = -1;
};

// The few things the program asks of the file system beyond what Qt offers.
namespace Files {

[[noreturn]] void ThrowSystemError(int error);

// Opens a file for reading without ever waiting on it: a FIFO, a device or a folder is refused
// with TError("<path> is not a regular file") instead of blocking the program until someone
// writes to it. A file that cannot be opened gives an invalid descriptor, with errno set.
TFileDescriptor OpenRegularFile(const QString& path);
// The rest of the file, read to its end, in pieces or whole; TError with the system's reason.
void ReadChunks(const TFileDescriptor& file, const std::function<void(QByteArrayView)>& take);
QByteArray ReadToEnd(const TFileDescriptor& file);

// Where a chain of symbolic links ends, as an absolute path; the last link may dangle. A path
// that is no link comes back as it is. TError after too many links, as for a loop.
QString ResolveSymLinks(const QString& path);

// The folder part of a path, without the final separator ("." for none).
QByteArray FolderOf(const QByteArray& path);
QByteArray NameOf(const QByteArray& path);
// The longest file name, in bytes, that the file system holding the folder takes.
qsizetype NameLimit(const QByteArray& folder);
// The name when it has at most limit bytes; otherwise as much of its beginning as fits (whole
// UTF-8 characters), "~" and a hash of the whole name, so that different long names stay
// different and the same name always comes out the same.
QByteArray FitName(QByteArrayView name, qsizetype limit);

} // namespace Files
