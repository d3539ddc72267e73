#pragma once

#include "app/AppCore.h"
#include "app/Debug.h"
#include "app/ScriptedPrompts.h"
#include "platform/Clock.h"

#include <QTemporaryDir>
#include <memory>

// A module registry for one test: its own ini file in a temporary folder, a fixed clock, the
// regional forms of one locale, scripted answers and a log that keeps every line.
class TTestCore {
public:
    // 2026-03-15 10:30:00 unless the test says otherwise.
    static TDateTime DefaultNow();

    explicit TTestCore(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedStates),
                       TDateTime now = DefaultNow());
    ~TTestCore();

    TCore& core() { return *core_; }
    TFixedClock& clock() { return clock_; }
    TScriptedPrompts& prompts() { return prompts_; }
    const QStringList& logLines() const { return memo_.Lines(); } // newest first
    // The log's messages without their time stamps, newest first.
    QStringList logMessages() const;
    QString iniPath() const;
    const QTemporaryDir& folder() const { return folder_; }

private:
    QTemporaryDir folder_;
    TFixedClock clock_;
    TScriptedPrompts prompts_;
    TStringListMemo memo_;
    std::unique_ptr<TCore> core_;
};
