#pragma once

#include <QString>
#include <QStringList>

// The text box the debug log writes into: the Debug page, or a plain list of lines.
class IDebugMemo {
public:
    virtual ~IDebugMemo() = default;
    virtual void ClearLines() = 0;
    virtual void InsertFirstLine(const QString& line) = 0;
};

class TStringListMemo final : public IDebugMemo {
public:
    void ClearLines() override { lines_.clear(); }
    void InsertFirstLine(const QString& line) override { lines_.prepend(line); }
    const QStringList& Lines() const { return lines_; } // newest first

private:
    QStringList lines_;
};

// Time-stamped internal messages, newest first. Lines logged before a memo is attached are lost.
class TDebug {
public:
    void AttachMemo(IDebugMemo* memo);
    void AddLine(const QString& message);

private:
    IDebugMemo* memo_ = nullptr;
};
