#pragma once

#include <QTranslator>

enum class TLanguage : quint8;

// Qt's own texts (the buttons of message boxes, the file dialogs) in the program's language,
// from the translations the system's Qt ships. English needs none.
class TQtTranslation {
public:
    TQtTranslation() = default;
    ~TQtTranslation();
    TQtTranslation(const TQtTranslation&) = delete;
    TQtTranslation& operator=(const TQtTranslation&) = delete;

    // False when the system has no translation for the language: Qt's texts stay English.
    bool Apply(TLanguage language);

private:
    QTranslator translator_;
    bool installed_ = false;
};
