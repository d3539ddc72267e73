#include "app/Config.h"

#include "app/AppCore.h"
#include "app/IniFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr QStringView Preferences = u"Preferences";
constexpr QStringView Environment = u"Environment";
constexpr QStringView Print = u"Print";
constexpr QStringView Outline = u"Outline";
constexpr QStringView ToDo = u"ToDo";
constexpr QStringView Debug = u"Debug";
constexpr QStringView Data = u"Data";
constexpr QStringView Forms = u"Forms";

QString ExecutablePath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFile::symLinkTarget(u"/proc/self/exe"_qs);
}

QString FormKey(const QString& name, QStringView suffix)
{
    return name + suffix;
}

} // namespace

QString TConfig::DefaultPath()
{
    const QString configured = qEnvironmentVariable("TAVOLIN_CONFIG");
    if (!configured.isEmpty())
        return configured;
    return DefaultPathFor(ExecutablePath());
}

QString TConfig::DefaultPathFor(const QString& executablePath)
{
    if (!executablePath.isEmpty()) {
        const QFileInfo executable(executablePath);
        QString name = executable.fileName();
        if (name.endsWith(u".exe", Qt::CaseInsensitive))
            name.chop(4);
        const QString beside = executable.absolutePath() + u'/' + name + u".ini";
        if (QFileInfo(executable.absolutePath()).isWritable() || QFileInfo::exists(beside))
            return beside;
    }
    // An installed program cannot keep its settings beside itself.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/tavolin/tavolin.ini";
}

TConfig::TConfig(const QString& iniPath) : ini_(std::make_unique<TIniFile>(iniPath))
{
    Load();
}

TConfig::~TConfig() = default;

const QString& TConfig::Path() const
{
    return ini_->Path();
}

void TConfig::Load()
{
    const TValues defaults;
    const TIniFile& ini = *ini_;
    values_.language = ini.ReadString(Preferences, u"Language", defaults.language);
    values_.showOutlineIcons =
        ini.ReadBool(Environment, u"ShowOutlineIcons", defaults.showOutlineIcons);
    values_.showPriorityScore =
        ini.ReadBool(Environment, u"ShowPriorityScore", defaults.showPriorityScore);
    values_.showToolBarButtonCaptions =
        ini.ReadBool(Environment, u"ShowToolBarButtonCaptions", defaults.showToolBarButtonCaptions);
    values_.showDueDatesInOutline =
        ini.ReadBool(Environment, u"ShowDueDatesInOutline", defaults.showDueDatesInOutline);
    values_.styleNo = ini.ReadInteger(Environment, u"StyleNo", defaults.styleNo);
    values_.backupsCount = ini.ReadInteger(Environment, u"BackupsCount", defaults.backupsCount);
    values_.autoSave = ini.ReadBool(Environment, u"AutoSave", defaults.autoSave);
    values_.autoBackup = ini.ReadBool(Environment, u"AutoBackup", defaults.autoBackup);
    values_.toDoIncludedSubContexts =
        ini.ReadBool(Environment, u"ToDoIncludedSubContexts", defaults.toDoIncludedSubContexts);
    values_.autoTypeForSubItems =
        ini.ReadBool(Environment, u"AutoTypeForSubItems", defaults.autoTypeForSubItems);
    values_.lastPrinter = ini.ReadString(Print, u"LastPrinter", defaults.lastPrinter);
    values_.selectedTaskID = ini.ReadString(Outline, u"SelectedTaskID", defaults.selectedTaskID);
    values_.selectedContextID =
        ini.ReadString(ToDo, u"SelectedContextID", defaults.selectedContextID);
    values_.showDebug = ini.ReadBool(Debug, u"ShowDebug", defaults.showDebug);
    values_.fileName = ini.ReadString(Data, u"FileName", defaults.fileName);
}

void TConfig::Save()
{
    // Each write reaches the file before the next one starts, so a failure leaves the earlier
    // values written and the later ones as they were.
    TIniFile& ini = *ini_;
    ini.WriteString(Preferences, u"Language", values_.language);
    ini.WriteBool(Environment, u"ShowOutlineIcons", values_.showOutlineIcons);
    ini.WriteBool(Environment, u"ShowPriorityScore", values_.showPriorityScore);
    ini.WriteBool(Environment, u"ShowToolBarButtonCaptions", values_.showToolBarButtonCaptions);
    ini.WriteBool(Environment, u"ShowDueDatesInOutline", values_.showDueDatesInOutline);
    ini.WriteBool(Environment, u"AutoSave", values_.autoSave);
    ini.WriteBool(Environment, u"AutoBackup", values_.autoBackup);
    ini.WriteBool(Environment, u"ToDoIncludedSubContexts", values_.toDoIncludedSubContexts);
    ini.WriteBool(Environment, u"AutoTypeForSubItems", values_.autoTypeForSubItems);
    ini.WriteInteger(Environment, u"StyleNo", values_.styleNo);
    ini.WriteInteger(Environment, u"BackupsCount", values_.backupsCount);
    ini.WriteString(Print, u"LastPrinter", values_.lastPrinter);
    ini.WriteString(Outline, u"SelectedTaskID", values_.selectedTaskID);
    ini.WriteString(ToDo, u"SelectedContextID", values_.selectedContextID);
    ini.WriteString(Data, u"FileName", values_.fileName);
}

void TConfig::SetLanguage(const QString& language)
{
    values_.language = language;
    Save();
}

void TConfig::SetAutoSave(bool on)
{
    values_.autoSave = on;
    Save();
}

void TConfig::SetFileName(const QString& path)
{
    values_.fileName = path;
    Save();
}

void TConfig::AdvanceBackupNo()
{
    // Backup numbers run from 1 to BackupsCount; one from a damaged data file starts over too.
    const bool wraps = nextBackupNo_ < 1 || nextBackupNo_ >= values_.backupsCount;
    nextBackupNo_ = wraps ? 1 : nextBackupNo_ + 1;
    if (CoreExists())
        Core().Log(u"NextBackupNo changed to "_qs + QString::number(nextBackupNo_));
}

void TConfig::RestoreForm(const QString& name, IFormPlacement& window)
{
    // Applied as stored: a window off the screen is the window manager's to bring back.
    window.SetTop(ini_->ReadInteger(Forms, FormKey(name, u".Top"), window.Top()));
    window.SetLeft(ini_->ReadInteger(Forms, FormKey(name, u".Left"), window.Left()));
    window.SetWidth(ini_->ReadInteger(Forms, FormKey(name, u".Width"), window.Width()));
    window.SetHeight(ini_->ReadInteger(Forms, FormKey(name, u".Height"), window.Height()));
    if (ini_->ReadBool(Forms, FormKey(name, u".Maximized"), false))
        window.Maximize();
}

void TConfig::StoreForm(const QString& name, const IFormPlacement& window)
{
    ini_->WriteInteger(Forms, FormKey(name, u".Top"), window.Top());
    ini_->WriteInteger(Forms, FormKey(name, u".Left"), window.Left());
    ini_->WriteInteger(Forms, FormKey(name, u".Width"), window.Width());
    ini_->WriteInteger(Forms, FormKey(name, u".Height"), window.Height());
    ini_->WriteBool(Forms, FormKey(name, u".Maximized"), window.IsMaximized());
}
