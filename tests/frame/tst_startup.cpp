#include "ComboDayFilter.h"
#include "ModalAnswerer.h"
#include "SettingsCheck.h"
#include "Startup.h"
#include "TextTable.h"

#include <QSettings>
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
    void unreadableSettingsAreKeptAside_data();
    void unreadableSettingsAreKeptAside();
    void userIsToldWhereTheSettingsWent();
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

void TestStartup::unreadableSettingsAreKeptAside_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("earlierKeptFile");
    QTest::addColumn<QString>("keptAs"); // suffix; empty when the file stays
    // A string list claiming 2^31-1 entries: Qt's read of it ends the process.
    const QByteArray damaged = "[General]\nSomeKey=@Variant(\\0\\0\\0\\v\\x7f\\xff\\xff\\xff)\n";
    QTest::newRow("damaged") << damaged << false << ".damaged";
    QTest::newRow("damaged, kept once before") << damaged << true << ".damaged-2";
    QTest::newRow("readable") << QByteArray("[General]\nFileExportDir=/home/export\n") << false << "";
}

void TestStartup::unreadableSettingsAreKeptAside()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, earlierKeptFile);
    QFETCH(QString, keptAs);
    nameVozudoz();
    const QString path = CSettingsCheck::settingsPath();
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    const auto write = [](const QString& name, const QByteArray& bytes)
    {
        QFile file(name);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write(path, content));
    if (earlierKeptFile)
        QVERIFY(write(path + ".damaged", "earlier"));

    const QString kept = CSettingsCheck::setAsideIfUnreadable(path);
    QCOMPARE(kept, keptAs.isEmpty() ? QString() : path + keptAs);
    const QString remaining = kept.isEmpty() ? path : kept;
    QFile file(remaining);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), content); // whole, under its old or its new name
    if (earlierKeptFile)
    {
        QFile earlier(path + ".damaged");
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    }

    // Qt finds the file where the program looks for it, and starts on the defaults.
    QSettings settings;
    QCOMPARE(settings.fileName(), path);
    QCOMPARE(settings.allKeys(), kept.isEmpty() ? QStringList{"FileExportDir"} : QStringList());
    QFile::remove(path);
    QFile::remove(path + ".damaged");
    QFile::remove(path + ".damaged-2");
}

void TestStartup::userIsToldWhereTheSettingsWent()
{
    QSharedMemory other(KEY); // ends the start after the message
    QVERIFY(acquireSingleInstance(other));
    CBoxAnswerer answerer;
    QCOMPARE(runVozudoz(*qApp, "/home/u/.config/Quorvanix/tolVane-Vozudoz.conf.damaged"), -1);
    QCOMPARE(answerer.seen.count(), 2);
    QCOMPARE(answerer.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(answerer.seen[0].text, QString("The settings could not be read. The file was kept as "
                                            "'/home/u/.config/Quorvanix/tolVane-Vozudoz.conf.damaged'; the "
                                            "default settings are used."));
    QVERIFY(answerer.seen[1].text.startsWith("An instance of"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
