#include "datafile/FileIdentity.h"

#include "platform/Error.h"
#include "platform/Files.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

constexpr quint64 multiplier = 0x9E3779B97F4A7C15; // odd: every step stays one to one

quint64 Mix(quint64 value)
{
    value ^= value >> 33;
    value *= 0xFF51AFD7ED558CCD;
    value ^= value >> 33;
    value *= 0xC4CEB9FE1A85EC53;
    return value ^ (value >> 33);
}

qint64 Nanoseconds(const timespec& time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

} // namespace

void TContentHash::AddBlock(const char* block)
{
    for (std::size_t lane = 0; lane < lanes_.size(); ++lane) {
        quint64 word;
        std::memcpy(&word, block + 8 * lane, sizeof word);
        lanes_[lane] = (lanes_[lane] ^ word) * multiplier;
    }
}

void TContentHash::Add(QByteArrayView bytes)
{
    length_ += quint64(bytes.size());
    const char* data = bytes.data();
    qsizetype size = bytes.size();
    if (pendingSize_ > 0) {
        const qsizetype taken = qMin(size, BlockSize - pendingSize_);
        std::memcpy(pending_.data() + pendingSize_, data, std::size_t(taken));
        pendingSize_ += taken;
        data += taken;
        size -= taken;
        if (pendingSize_ < BlockSize)
            return;
        AddBlock(pending_.data());
        pendingSize_ = 0;
    }
    for (; size >= BlockSize; data += BlockSize, size -= BlockSize)
        AddBlock(data);
    std::memcpy(pending_.data(), data, std::size_t(size));
    pendingSize_ = size;
}

quint64 TContentHash::Result() const
{
    quint64 result = length_;
    for (const quint64 lane : lanes_)
        result = Mix(result ^ lane) * multiplier;
    // The last partial block, each byte in its place.
    for (qsizetype i = 0; i < pendingSize_; ++i)
        result = (result ^ quint8(pending_[std::size_t(i)])) * multiplier;
    return Mix(result);
}

TFileIdentity::TFileIdentity(const struct stat& status, quint64 contentHash)
    : known_(true), contentHash_(contentHash)
{
    TakeStatus(status);
}

bool TFileIdentity::SameStatus(const struct stat& status) const
{
    return quint64(status.st_dev) == device_ && quint64(status.st_ino) == inode_ &&
           qint64(status.st_size) == size_ && Nanoseconds(status.st_mtim) == modifiedNs_ &&
           Nanoseconds(status.st_ctim) == changedNs_;
}

void TFileIdentity::TakeStatus(const struct stat& status)
{
    device_ = quint64(status.st_dev);
    inode_ = quint64(status.st_ino);
    size_ = qint64(status.st_size);
    modifiedNs_ = Nanoseconds(status.st_mtim);
    changedNs_ = Nanoseconds(status.st_ctim);
}

TFileIdentity::TState TFileIdentity::Check(const QString& path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT ? TState::Gone : TState::Changed;
    if (SameStatus(status))
        return TState::Same;
    if (qint64(status.st_size) != size_)
        return TState::Changed;
    TFileIdentity onDisk;
    try {
        Read(path, onDisk);
    } catch (const TError&) {
        return TState::Changed; // what cannot be read cannot be shown to be the same
    }
    if (onDisk.contentHash_ != contentHash_)
        return TState::Changed;
    *this = onDisk;
    return TState::Same;
}

QByteArray TFileIdentity::Read(const QString& path, TFileIdentity& identity)
{
    const TFileDescriptor file = Files::OpenRegularFile(path);
    if (!file.IsValid())
        Files::ThrowSystemError(errno);
    // The status before the content: a change while it is read shows at the next check.
    struct stat status {};
    if (::fstat(file.Get(), &status) != 0)
        Files::ThrowSystemError(errno);
    QByteArray content = Files::ReadToEnd(file);
    TContentHash hash;
    hash.Add(content);
    identity = TFileIdentity(status, hash.Result());
    return content;
}
