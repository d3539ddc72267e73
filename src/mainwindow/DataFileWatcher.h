#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>

// Watches the open data file for changes by other programs. A save replaces the file through a
// rename, which takes the watched file away; its folder is watched too, so that the file is
// watched again whenever it is back. Changes come in bursts (a lock file, a temporary file, the
// rename), so the check runs once the burst has been quiet for a moment.
class TDataFileWatcher final : public QObject {
    Q_OBJECT

public:
    static constexpr int QuietTime = 300; // ms

    // check: what runs after a burst of changes.
    explicit TDataFileWatcher(std::function<void()> check, QObject* parent = nullptr);

    // Watches the file at the path from now on (none for an empty path); the same path again
    // changes nothing.
    void Follow(const QString& path);
    const QString& Path() const { return path_; }

private:
    void Changed();
    void WatchFile();

    std::function<void()> check_;
    QFileSystemWatcher watcher_;
    QTimer quiet_;
    QString path_;
};
