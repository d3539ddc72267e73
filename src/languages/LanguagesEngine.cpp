// PLACEHOLDER: being written; replaced as a whole.
#include "languages/LanguagesEngine.h"
TLanguagesEngine::TLanguagesEngine() { BuildTable(); }
void TLanguagesEngine::AddString(const QString& key, TLanguage language, const QString& text) { entries_.append({language, key, text}); }
void TLanguagesEngine::BuildTable() {}
QString TLanguagesEngine::GetLanguageName() const { return language_ == TLanguage::Czech ? u"Czech"_qs : u"English"_qs; }
QString TLanguagesEngine::Translate(const QString& key) const { return key; }
TLanguage LanguageFromConfigName(const QString& name) { return name == u"Czech" ? TLanguage::Czech : TLanguage::English; }
