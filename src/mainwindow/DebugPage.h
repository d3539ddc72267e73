#pragma once

#include "app/Debug.h"

class QPlainTextEdit;

// The Debug page's text box as the debug log's memo: newest line first, kept for the life of
// the program whether the page is shown or not.
class TDebugMemo final : public IDebugMemo {
public:
    explicit TDebugMemo(QPlainTextEdit& box) : box_(box) {}

    void ClearLines() override;
    void InsertFirstLine(const QString& line) override;

private:
    QPlainTextEdit& box_;
};
