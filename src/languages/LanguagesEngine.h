#pragma once

#include <QList>
#include <QString>

enum class TLanguage : quint8 { Czech = 0, English = 1 };

// One entry of the translation table.
struct TLocalString {
    TLanguage language;
    QString key;
    QString text;
};

// Every translatable text of the program, in Czech and English, looked up by key.
class TLanguagesEngine {
public:
    TLanguagesEngine(); // builds the table; the language is Czech

    void SetLanguage(TLanguage language) { language_ = language; }
    TLanguage Language() const { return language_; }
    // "Czech" or "English".
    QString GetLanguageName() const;
    // The text of the key in the current language: an exact match first, then a match with
    // A to Z folded; otherwise the key itself, and a line in the log.
    QString Translate(const QString& key) const;

    const QList<TLocalString>& Entries() const { return entries_; }

private:
    void AddString(const QString& key, TLanguage language, const QString& text);
    void BuildTable();

    QList<TLocalString> entries_;
    TLanguage language_ = TLanguage::Czech;
};

// The language a configured name selects: "Czech" exactly gives Czech, anything else English.
TLanguage LanguageFromConfigName(const QString& name);
