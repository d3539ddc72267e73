#include "app/AppStatus.h"

#include "app/AppCore.h"

#include <QSet>

QString TAppStatus::AsText() const
{
    if (!progressShown_)
        return text_;
    return text_ + u" (" + QString::number(progress_) + u"%)";
}

void TAppStatusListener::SetHandler(Handler handler, void* owner)
{
    handler_ = std::move(handler);
    owner_ = owner;
}

void TAppStatusListener::Notify(const TAppStatus& status)
{
    status_ = &status;
    if (handler_)
        handler_(owner_, status);
}

TAppStatusProvider::~TAppStatusProvider()
{
    const QSet<TAppStatusListener*> owned(listeners_.cbegin(), listeners_.cend());
    for (TAppStatusListener* listener : owned)
        delete listener;
}

void TAppStatusProvider::ShowStatus(const QString& text)
{
    status_.SetText(text);
    status_.SetProgressShown(false);
    Core().Log(u"Status update: " + status_.AsText());
    // A handler may add or remove listeners while it runs: walk a copy, and skip the ones that
    // were removed in the meantime.
    const QList<TAppStatusListener*> snapshot = listeners_;
    for (TAppStatusListener* listener : snapshot) {
        if (listener && listeners_.contains(listener))
            listener->Notify(status_);
    }
}

void TAppStatusProvider::AddListener(TAppStatusListener* listener)
{
    listeners_.append(listener);
}

void TAppStatusProvider::RemoveListener(TAppStatusListener* listener)
{
    const qsizetype at = listeners_.indexOf(listener);
    if (at < 0)
        return;
    listeners_.removeAt(at);
    if (listener && !listeners_.contains(listener))
        delete listener;
}
