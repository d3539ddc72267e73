#include "app/Debug.h"

#include "app/AppCore.h"

void TDebug::AttachMemo(IDebugMemo* memo)
{
    memo_ = memo;
    if (memo_)
        memo_->ClearLines();
}

void TDebug::AddLine(const QString& message)
{
    if (!memo_)
        return;
    const TCore& core = Core();
    memo_->InsertFirstLine(core.Regional().FormatStamp(core.Clock().Now()) + u' ' + message);
}
