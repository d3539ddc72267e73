#pragma once

#include <QHash>
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
    // "Czech" or "English"; empty for a value that names neither.
    QString GetLanguageName() const;
    // The text of the key in the current language: an exact match first, then a match with
    // A to Z folded; otherwise the key itself, and a line in the log.
    QString Translate(const QString& key) const;

    // In the order they were added: per key, Czech then English.
    const QList<TLocalString>& Entries() const { return entries_; }

private:
    // The first entry's text for each key of one language, as the key stands and with A to Z
    // folded: the answers of scanning the entries in order, without the scans.
    struct TLookup {
        QHash<QString, QString> exact;
        QHash<QString, QString> folded;
    };

    void AddString(const QString& key, TLanguage language, const QString& text);
    void BuildTable(); // the table itself lives in TranslationTable.cpp

    QList<TLocalString> entries_;
    QHash<TLanguage, TLookup> lookups_;
    TLanguage language_ = TLanguage::Czech;
};

// The language a configured name selects: "Czech" exactly gives Czech, anything else English.
TLanguage LanguageFromConfigName(const QString& name);
