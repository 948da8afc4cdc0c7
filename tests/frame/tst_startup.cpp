#include "ComboDayFilter.h"
#include "ModalAnswerer.h"
#include "Startup.h"
#include "TextTable.h"

#include <QSharedMemory>
#include <QTranslator>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

// Start-up refusals that end the program before anything else is created.
namespace
{
const char* const KEY = "Quorvanix-prevent-multiple-instances";
}

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void refusesSecondInstance();
    void segmentOfCrashedInstanceIsTakenOver();
    void chosenLanguageHoldsEverywhere();
};

void TestStartup::refusesSecondInstance()
{
    QSharedMemory other(KEY); // the updater or another instance
    QVERIFY(acquireSingleInstance(other));
    CBoxAnswerer answerer;
    QCOMPARE(runVozudoz(*qApp), -1);
    QCOMPARE(answerer.seen.count(), 1);
    QCOMPARE(answerer.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(answerer.seen[0].title, QString("tolVane-Vozudoz"));
    QCOMPARE(
        answerer.seen[0].text,
        QString("An instance of Update-tolVane or tolVane-Vozudoz is already running.\nIt is not possible to "
                "run more than one of those applications at the same time."));
    QVERIFY(!answerer.seen[0].bHasParent);
}

void TestStartup::segmentOfCrashedInstanceIsTakenOver()
{
    // A child creates the segment and dies without releasing it, as a crashed program would.
    const pid_t child = fork();
    if (child == 0)
    {
        QSharedMemory segment(KEY);
        _exit(segment.create(1) ? 0 : 1);
    }
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    QCOMPARE(WEXITSTATUS(status), 0);

    QSharedMemory mine(KEY);
    QVERIFY(acquireSingleInstance(mine));
    QSharedMemory second(KEY);
    QVERIFY(!acquireSingleInstance(second)); // while this one holds it
}

void TestStartup::chosenLanguageHoldsEverywhere()
{
    // -l de on a system whose locale is C: the text table and the day selector's dates are German
    // too, not only the translated texts.
    QCOMPARE(QLocale::system().language(), QLocale::C);
    QTranslator program, common, qt;
    QVERIFY(!useLocale("xx", program, common, qt));
    QCOMPARE(QLocale().language(), QLocale::C);
    QVERIFY(useLocale("de", program, common, qt));
    CComboDayFilter days;
    days.addDate(QDate(2026, 10, 25));
    const QString title = QString::fromUtf8(GetText(2));
    const QString day = days.itemText(0);
    QLocale::setDefault(QLocale::system());
    QCOMPARE(title, QString("Minuten-Werte"));
    QCOMPARE(day, QString("25.10.26"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
