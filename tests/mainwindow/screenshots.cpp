// Takes the main window's screenshots for the README: the realistic data file in English, in
// Czech and in the dark scheme. Run it under xvfb-run (scripts/screenshots.sh does), once per
// language: tavolin-screenshots FOLDER English|Czech.

#include "RealisticFile.h"

#include "app/AppCore.h"
#include "mainwindow/Application.h"
#include "mainwindow/ListPages.h"
#include "mainwindow/MainForm.h"
#include "mainwindow/SplashScreen.h"
#include "model/Tasks.h"
#include "platform/Clock.h"
#include "views/Outline.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

struct TShot {
    QString file;
    QString language;
    int styleNo;
    RealisticFile::TLanguageOfContent content;
    QString page;    // the list page in front
    QString current; // the current item's name
};

TDateTime Today()
{
    return DateTime::Compose(QDate(2026, 5, 11), QTime(9, 30));
}

void Take(const TShot& shot, const QString& folder)
{
    QTemporaryDir work;
    const QString data = work.filePath(
        shot.content == RealisticFile::TLanguageOfContent::Czech ? u"ukoly.kav"_s : u"tasks.kav"_s);
    RealisticFile::Write(data, shot.content, Today());
    const QString ini = work.filePath(u"tavolin.ini"_s);
    QFile settings(ini);
    settings.open(QIODevice::WriteOnly);
    settings.write(u"[Preferences]\nLanguage=%1\n[Environment]\nStyleNo=%2\nAutoBackup=0\n"
                   "ShowToolBarButtonCaptions=1\n[Forms]\nMain.Left=0\nMain.Top=0\n"
                   "Main.Width=1100\nMain.Height=720\n"_s.arg(shot.language)
                       .arg(shot.styleNo)
                       .toUtf8());
    settings.close();
    qputenv("TAVOLIN_CONFIG", QFile::encodeName(ini));

    const TFixedClock clock(Today());
    TMainFormOptions options;
    options.arguments = {data};
    options.splashMinimumTime = std::chrono::milliseconds(0);
    options.clock = &clock;
    TfrmMainForm window(options);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("The window did not show");
    auto* pager = window.findChild<QTabWidget*>(u"pgrLists"_s);
    pager->setCurrentWidget(window.findChild<QWidget*>(shot.page));
    TCore& core = window.Registry();
    for (TTask& item : core.Tasks()->Items()) {
        if (item.Name() == shot.current)
            core.Outline()->SelectItemNode(&item);
    }
    QTest::qWait(200);
    window.grab().save(folder + u'/' + shot.file);
    window.close();
}

} // namespace

int main(int argc, char* argv[])
{
    QStandardPaths::setTestModeEnabled(true);
    TApplication application(argc, argv);
    const int font =
        QFontDatabase::addApplicationFont(u"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"_s);
    if (font >= 0)
        QApplication::setFont(QFont(u"DejaVu Sans"_s, 9));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    const QList<TShot> shots = {
        {u"mainwindow-en.png"_s, u"English"_s, 0, RealisticFile::TLanguageOfContent::English,
         u"pgOutline"_s, u"Collect the sales figures"_s},
        {u"mainwindow-todo-en.png"_s, u"English"_s, 0, RealisticFile::TLanguageOfContent::English,
         u"pgToDo"_s, u"Call grandma"_s},
        {u"mainwindow-cs.png"_s, u"Czech"_s, 0, RealisticFile::TLanguageOfContent::Czech,
         u"pgToDo"_s, u"Zavolat babičce"_s},
        {u"mainwindow-dark.png"_s, u"English"_s, 1, RealisticFile::TLanguageOfContent::English,
         u"pgOutline"_s, u"Paint the fence"_s},
    };
    // Each language's shots in a process run under that language's locale, for its dates.
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : u"English"_s;
    for (const TShot& shot : shots) {
        if (shot.language == language)
            Take(shot, folder);
    }
    if (language != u"English")
        return 0;
    TfrmSplashScreen splash(TCore::GetVersion(), std::chrono::milliseconds(0));
    splash.show();
    if (QTest::qWaitForWindowExposed(&splash))
        splash.grab().save(folder + u"/splash.png"_s);
    return 0;
}
