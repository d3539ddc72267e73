#pragma once

#include "app/AppCore.h"
#include "app/Config.h"
#include "app/ScriptedPrompts.h"
#include "datafile/DataFile.h"
#include "mainwindow/MainForm.h"
#include "model/Tasks.h"
#include "platform/Clock.h"
#include "views/Outline.h"

#include <QAction>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

// The program as a user starts it: an ini file of the test's own in a temporary folder, the
// data files there too, a fixed today, the questions answered from a script, no splash wait.
class TMainFormFixture {
public:
    // 2026-03-15, the day the fixture's dates are written around.
    static TDateTime Today() { return DateTime::Compose(QDate(2026, 3, 15), QTime(10, 30)); }

    explicit TMainFormFixture(const QString& ini = {}) : clock_(Today())
    {
        QStandardPaths::setTestModeEnabled(true);
        Q_ASSERT(folder_.isValid());
        WriteFile(iniPath(), ini.toUtf8());
        qputenv("TAVOLIN_CONFIG", QFile::encodeName(iniPath()));
    }
    ~TMainFormFixture()
    {
        window_.reset();
        qunsetenv("TAVOLIN_CONFIG");
    }
    TMainFormFixture(const TMainFormFixture&) = delete;
    TMainFormFixture& operator=(const TMainFormFixture&) = delete;

    // The companion's small data file, copied into the folder: Home > Garden > Buy paint,
    // Paint the fence, Water plants; Fitness; Old chores (done) > Sweep; Build a pond; Send
    // report; the contexts Errands, Home, Office, Office PC.
    QString CopySmallFile(const QString& name = u"small.kav"_s) const
    {
        const QString path = folder_.filePath(name);
        QFile::copy(QStringLiteral(TAVOLIN_FIXTURES "/small.kav"), path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }

    // Starts the program with these command-line parameters and shows its window.
    TfrmMainForm& Start(const QStringList& arguments = {},
                        std::chrono::milliseconds splash = std::chrono::milliseconds(0))
    {
        TMainFormOptions options;
        options.arguments = arguments;
        options.splashMinimumTime = splash;
        options.prompts = &prompts_;
        options.clock = &clock_;
        window_ = std::make_unique<TfrmMainForm>(options);
        window_->show();
        // Keys reach the window's shortcuts only while it is the active window.
        window_->activateWindow();
        if (!QTest::qWaitForWindowActive(window_.get()))
            qWarning("The main window did not become active");
        return *window_;
    }
    TfrmMainForm& window() { return *window_; }
    TCore& core() { return window_->Registry(); }
    TScriptedPrompts& prompts() { return prompts_; }
    QString iniPath() const { return folder_.filePath(u"tavolin.ini"_s); }
    QString FilePath(const QString& name) const { return folder_.filePath(name); }
    QByteArray IniContent() const { return ReadFile(iniPath()); }

    template <typename T> T* Find(const QString& name) const
    {
        T* found = window_->findChild<T*>(name);
        if (!found)
            qWarning("No %s in the main window", qPrintable(name));
        return found;
    }
    QAction* Action(const QString& name) const { return Find<QAction>(name); }
    QToolButton* Button(const QString& name) const { return Find<QToolButton>(name); }
    TTask* Item(const QString& name) const
    {
        for (TTask& item : Core().Tasks()->Items()) {
            if (item.Name() == name)
                return &item;
        }
        return nullptr;
    }
    QString CurrentName() const
    {
        const TTask* current = Core().CurrentItem();
        return current ? current->Name() : QString();
    }
    // The outline's names in pre-order, a blank per level.
    QStringList Outline() const
    {
        QStringList lines;
        Core().Tasks()->ForEachInOutline([&lines](const TTask& item) {
            lines.append(QString(item.Depth(), u' ') + item.Name());
        });
        return lines;
    }
    // Selects the item as a click in the outline would.
    void Select(const QString& name) { Core().Outline()->SelectItemNode(Item(name)); }

    static QByteArray ReadFile(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static void WriteFile(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qWarning("Cannot write %s", qPrintable(path));
    }
    // Another program's save: a new file renamed over the old one.
    static void ReplaceFile(const QString& path, const QByteArray& content)
    {
        const QString next = path + u".theirs"_s;
        WriteFile(next, content);
        if (std::rename(QFile::encodeName(next).constData(), QFile::encodeName(path).constData()))
            qWarning("Cannot replace %s", qPrintable(path));
    }

private:
    QTemporaryDir folder_;
    TFixedClock clock_;
    TScriptedPrompts prompts_;
    std::unique_ptr<TfrmMainForm> window_;
};
