#include "ViewsFixture.h"

#include "languages/LanguagesEngine.h"
#include "views/Statistics.h"

#include <QTest>

class TestStatistics : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void refreshStats_data();
    void refreshStats();
    void refreshStats_sevenLinesJoinedByTheLabel();
};

void TestStatistics::refreshStats_data()
{
    QTest::addColumn<TLanguage>("language");
    // Per item its type's initial and "+" when it is done: "T+" a done task.
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << TLanguage::English << QStringList()
                           << u"Items: 0 (0 active, 0 done)<br><br>Tasks: 0<br>Projects: 0<br>"
                              u"Goals: 0<br>Ideas: 0<br>"_s;
    QTest::newRow("areas count in the total only")
        << TLanguage::English << QStringList({u"A"_s, u"A+"_s, u"A"_s})
        << u"Items: 3 (2 active, 1 done)<br><br>Tasks: 0<br>Projects: 0<br>Goals: 0<br>"
           u"Ideas: 0<br>"_s;
    QTest::newRow("every type, suspended counts as active")
        << TLanguage::English
        << QStringList({u"A"_s, u"G"_s, u"P"_s, u"P+"_s, u"T"_s, u"T"_s, u"T+"_s, u"T-"_s, u"I"_s,
                        u"I"_s, u"I"_s, u"G"_s})
        << u"Items: 12 (10 active, 2 done)<br><br>Tasks: 4<br>Projects: 2<br>Goals: 2<br>"
           u"Ideas: 3<br>"_s;
    QTest::newRow("Czech") << TLanguage::Czech << QStringList({u"T"_s, u"P+"_s, u"I"_s})
                           << u"Položky: 3 (2 aktivní, 1 hotovo)<br><br>Úkoly: 1<br>"
                              u"Projekty: 1<br>Cíle: 0<br>Nápady: 1<br>"_s;
}

void TestStatistics::refreshStats()
{
    QFETCH(TLanguage, language);
    QFETCH(QStringList, items);
    QFETCH(QString, text);

    TTestCore test;
    Core().LanguagesEngine()->SetLanguage(language);
    const QHash<QChar, TTaskType> types = {{u'A', TTaskType::Area},
                                           {u'G', TTaskType::Goal},
                                           {u'P', TTaskType::Project},
                                           {u'T', TTaskType::Task},
                                           {u'I', TTaskType::Idea}};
    for (const QString& item : items) {
        TTask* added = AddItem(nullptr, item, types.value(item.at(0)));
        added->SetChecked(item.endsWith(u'+'));
        if (item.endsWith(u'-'))
            added->SetStatus(TTaskStatus::Suspended);
    }

    Core().StatisticsView()->RefreshStats();

    QCOMPARE(Core().StatisticsView()->Label().Markup(), text);
}

void TestStatistics::refreshStats_sevenLinesJoinedByTheLabel()
{
    TTestCore test;
    Core().LanguagesEngine()->SetLanguage(TLanguage::English);
    AddItem(nullptr, u"Paint"_s, TTaskType::Task)->SetChecked(true);

    Core().StatisticsView()->RefreshStats();

    QCOMPARE(Core().StatisticsView()->Label().Lines(),
             QStringList({u"Items: 1"_s, u" (0 active, "_s, u"1 done)<br><br>"_s, u"Tasks: 1<br>"_s,
                          u"Projects: 0<br>"_s, u"Goals: 0<br>"_s, u"Ideas: 0<br>"_s}));
}

QTEST_GUILESS_MAIN(TestStatistics)
#include "tst_statistics.moc"
