// PLACEHOLDER: being written; replaced as a whole.
#include "app/Config.h"
#include "app/IniFile.h"
QString TConfig::DefaultPath() { return qEnvironmentVariable("TAVOLIN_CONFIG"); }
TConfig::TConfig(const QString& iniPath) : ini_(std::make_unique<TIniFile>(iniPath)), language_(u"English"_qs) {}
TConfig::~TConfig() = default;
const QString& TConfig::Path() const { return ini_->Path(); }
void TConfig::Load() {}
void TConfig::Save() {}
void TConfig::SetLanguage(const QString& l) { language_ = l; }
void TConfig::SetAutoSave(bool on) { autoSave_ = on; }
void TConfig::SetFileName(const QString& p) { fileName_ = p; }
void TConfig::AdvanceBackupNo() { ++nextBackupNo_; if (backupsCount_ < nextBackupNo_) nextBackupNo_ = 1; }
void TConfig::RestoreForm(const QString&, IFormPlacement&) {}
void TConfig::StoreForm(const QString&, const IFormPlacement&) {}
