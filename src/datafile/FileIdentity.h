#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

struct stat;

// A fast 64-bit hash of a stream of bytes, the same however the stream is cut into pieces. It
// tells a changed file from an unchanged one; it is no defence against anyone forging content.
class TContentHash {
public:
    void Add(QByteArrayView bytes);
    quint64 Result() const;

private:
    static constexpr qsizetype BlockSize = 32; // four 8-byte lanes

    void AddBlock(const char* block);

    std::array<quint64, 4> lanes_ = {0x243F6A8885A308D3, 0x13198A2E03707344, 0xA4093822299F31D0,
                                     0x082EFA98EC4E6C89};
    std::array<char, BlockSize> pending_{};
    qsizetype pendingSize_ = 0;
    quint64 length_ = 0;
};

// What a file on disk held when this program last read or wrote it, so that a later save can
// tell whether another program has changed it since. The same device, inode, size and change
// and modification times to the nanosecond mean unchanged; when any of them differs, the content
// decides, so a file that was only touched, or rewritten as it was, counts as unchanged. Only
// equality counts, never "newer than": a clock set back cannot make a change look old.
class TFileIdentity {
public:
    enum class TState : quint8 { Same, Changed, Gone };

    TFileIdentity() = default; // none: nothing was read or written
    TFileIdentity(const struct stat& status, quint64 contentHash);

    bool IsKnown() const { return known_; }
    // The file at the path now (links followed). When only its times or inode moved on while
    // its content stayed, this identity takes them over, so the next check is cheap again.
    TState Check(const QString& path);

    // Reads the whole regular file (Files::OpenRegularFile) and the identity of exactly what was
    // read; TError with the reason when it cannot.
    static QByteArray Read(const QString& path, TFileIdentity& identity);

private:
    bool SameStatus(const struct stat& status) const;
    void TakeStatus(const struct stat& status);

    bool known_ = false;
    quint64 device_ = 0;
    quint64 inode_ = 0;
    qint64 size_ = 0;
    qint64 modifiedNs_ = 0;
    qint64 changedNs_ = 0;
    quint64 contentHash_ = 0;
};
