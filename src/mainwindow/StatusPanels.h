#pragma once

#include <QObject>
#include <QTimer>

class QLabel;
class QStatusBar;
class TIconImages;
class TMarkupLabel;

// The status bar's three panels: the program's name and version, the current status, and a
// hint that stays for five seconds.
class TStatusPanels final : public QObject {
    Q_OBJECT

public:
    static constexpr int HintInterval = 5000; // ms

    TStatusPanels(QStatusBar& bar, const TIconImages& icons);

    void SetVersionText(const QString& text);
    // Plain text: a status may name a file, and a file's name is no markup.
    void SetStatusText(const QString& text);
    // The text after the hint mark, or an empty panel; either way the five seconds start again.
    void ShowHint(const QString& text);
    QString HintMarkup() const;

private:
    QLabel* version_;    // panVersion
    QLabel* status_;     // panStatus
    TMarkupLabel* hint_; // panHint
    QTimer hintTimer_;   // HelpHintTimer
};
