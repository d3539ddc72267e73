#pragma once

#include <QList>
#include <QString>
#include <functional>

// One status message of the application.
class TAppStatus {
public:
    const QString& Text() const { return text_; }
    void SetText(const QString& text) { text_ = text; }
    int Progress() const { return progress_; }
    void SetProgress(int percent) { progress_ = percent; }
    bool ProgressShown() const { return progressShown_; }
    void SetProgressShown(bool shown) { progressShown_ = shown; }

    // The text, and " (N%)" when progress is shown.
    QString AsText() const;

private:
    QString text_;
    int progress_ = 0;
    bool progressShown_ = false;
};

// A display that follows the current status: the splash window, the status bar, the print dialog.
class TAppStatusListener {
public:
    using Handler = std::function<void(void* owner, const TAppStatus& status)>;

    void SetHandler(Handler handler, void* owner);
    // The last status passed on to this listener; none before the first change.
    const TAppStatus* Status() const { return status_; }

private:
    friend class TAppStatusProvider;
    void Notify(const TAppStatus& status);

    Handler handler_;
    void* owner_ = nullptr;
    const TAppStatus* status_ = nullptr;
};

// Holds the one current status and passes every change on to its listeners, in the order they
// were added (a listener added twice hears each change twice).
class TAppStatusProvider {
public:
    TAppStatusProvider() = default;
    TAppStatusProvider(const TAppStatusProvider&) = delete;
    TAppStatusProvider& operator=(const TAppStatusProvider&) = delete;
    // Destroys the listeners still registered: the provider owns every listener added to it.
    ~TAppStatusProvider();

    void ShowStatus(const QString& text);
    const TAppStatus& Status() const { return status_; }

    // The listener is created by the caller with new; the provider destroys it when it is removed
    // or when the provider goes.
    void AddListener(TAppStatusListener* listener);
    // Removes the first entry of this listener. It is destroyed once no entry refers to it any
    // more, so a listener added twice survives its first removal.
    void RemoveListener(TAppStatusListener* listener);
    int ListenerCount() const { return int(listeners_.size()); }

private:
    QList<TAppStatusListener*> listeners_;
    TAppStatus status_;
};
