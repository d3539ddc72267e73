#include "languages/LanguagesEngine.h"

#include "app/AppCore.h"
#include "platform/Text.h"

TLanguagesEngine::TLanguagesEngine()
{
    BuildTable();
}

void TLanguagesEngine::AddString(const QString& key, TLanguage language, const QString& text)
{
    entries_.append({language, key, text});
    // A key added again keeps its first text, as a scan from the start would find it.
    TLookup& lookup = lookups_[language];
    if (!lookup.exact.contains(key))
        lookup.exact.insert(key, text);
    const QString folded = AsciiLower(key);
    if (!lookup.folded.contains(folded))
        lookup.folded.insert(folded, text);
}

QString TLanguagesEngine::GetLanguageName() const
{
    switch (language_) {
    case TLanguage::Czech:
        return u"Czech"_qs;
    case TLanguage::English:
        return u"English"_qs;
    }
    return {};
}

QString TLanguagesEngine::Translate(const QString& key) const
{
    if (const auto lookup = lookups_.constFind(language_); lookup != lookups_.cend()) {
        // Every exact match comes before any folded one, wherever they stand in the table.
        if (const auto exact = lookup->exact.constFind(key); exact != lookup->exact.cend())
            return *exact;
        const auto& folded = lookup->folded;
        if (const auto match = folded.constFind(AsciiLower(key)); match != folded.cend())
            return *match;
    }
    if (CoreExists())
        Core().Log(u"String \"" + key + u"\" was not found for " + GetLanguageName());
    return key;
}

TLanguage LanguageFromConfigName(const QString& name)
{
    return name == u"Czech" ? TLanguage::Czech : TLanguage::English;
}
