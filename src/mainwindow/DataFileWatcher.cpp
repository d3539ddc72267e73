#include "mainwindow/DataFileWatcher.h"

#include <QFileInfo>
#include <utility>

TDataFileWatcher::TDataFileWatcher(std::function<void()> check, QObject* parent)
    : QObject(parent), check_(std::move(check))
{
    quiet_.setSingleShot(true);
    quiet_.setInterval(QuietTime);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &TDataFileWatcher::Changed);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &TDataFileWatcher::Changed);
    connect(&quiet_, &QTimer::timeout, this, [this] {
        WatchFile();
        check_();
    });
}

void TDataFileWatcher::Follow(const QString& path)
{
    if (path == path_)
        return;
    if (const QStringList watched = watcher_.files() + watcher_.directories(); !watched.isEmpty())
        watcher_.removePaths(watched);
    quiet_.stop();
    path_ = path;
    if (path_.isEmpty())
        return;
    const QString folder = QFileInfo(path_).absolutePath();
    if (QFileInfo(folder).isDir())
        watcher_.addPath(folder);
    WatchFile();
}

void TDataFileWatcher::Changed()
{
    WatchFile();
    quiet_.start();
}

void TDataFileWatcher::WatchFile()
{
    // A file replaced by a rename is a new file: the old one's watch went with it.
    if (!path_.isEmpty() && !watcher_.files().contains(path_) && QFileInfo::exists(path_))
        watcher_.addPath(path_);
}
