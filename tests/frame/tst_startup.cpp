#include "ComboDayFilter.h"
#include "DBBase.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "SettingsCheck.h"
#include "Startup.h"
#include "TextTable.h"

#include <QSettings>
#include <QSharedMemory>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTranslator>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

// Start-up refusals that end the program before anything else is created.
namespace
{
const char* const KEY = "Quorvanix-prevent-multiple-instances";

bool writeFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The bytes of a database of several pages.
QByteArray databaseBytes()
{
    const QString path = QDir::temp().filePath("tst_startup_database");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "make");
        db.setDatabaseName(path);
        QSqlQuery query(db);
        if (!db.open() || !query.exec("CREATE TABLE ValueLogs (LogTimestamp int, SNR int, ES text)") ||
            !query.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                        "INSERT INTO ValueLogs SELECT i * 60, 4711, hex(randomblob(50)) FROM n"))
            qFatal("cannot make a database: %s", qPrintable(query.lastError().text()));
    }
    QSqlDatabase::removeDatabase("make");
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    file.remove();
    return bytes;
}

// The log database damaged as named, every file of an earlier one gone; its path.
QString writeDamagedDatabase(const QString& damage = "text")
{
    nameVozudoz();
    const QString path = CDBBase::databasePath();
    QDir folder = QFileInfo(path).dir();
    for (const QString& name : folder.entryList({"Log2.sql*"}, QDir::Files))
        folder.remove(name);
    QByteArray bytes = damage == "text" ? QByteArray("Minute values\n").repeated(100) : databaseBytes();
    if (damage == "truncated")
        bytes.truncate(bytes.size() / 2);
    else if (damage == "header byte flipped")
        bytes[0] = bytes[0] ^ 0x01;
    return writeFile(path, bytes) ? path : QString();
}
} // namespace

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
    void damagedDatabaseIsToldInTheUsersLanguage_data();
    void damagedDatabaseIsToldInTheUsersLanguage();
    void startGoesOnAfterADamagedDatabase_data();
    void startGoesOnAfterADamagedDatabase();
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

void TestStartup::damagedDatabaseIsToldInTheUsersLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("freeName");
    QTest::addColumn<QString>("text"); // %1 the file, %2 where it went
    QTest::newRow("kept, English") << "en" << true
                                   << "The log database '%1' is damaged. It was kept "
                                      "as '%2'; a new log database is used.";
    QTest::newRow("kept, German")
        << "de" << true
        << QString::fromUtf8("Die Log-Datenbank '%1' ist beschädigt. Sie wurde als '%2' aufbewahrt; "
                             "eine neue Log-Datenbank wird verwendet.");
    QTest::newRow("no free name, English")
        << "en" << false << "The log database '%1' is damaged and cannot be renamed: %2";
    QTest::newRow("no free name, German")
        << "de" << false
        << QString::fromUtf8("Die Log-Datenbank '%1' ist beschädigt und kann nicht umbenannt werden: %2");
}

void TestStartup::damagedDatabaseIsToldInTheUsersLanguage()
{
    QFETCH(QString, language);
    QFETCH(bool, freeName);
    QFETCH(QString, text);
    const QString path = writeDamagedDatabase();
    QVERIFY(!path.isEmpty());
    if (!freeName)
        for (int i = 1; i <= 100; ++i)
            QVERIFY(writeFile(path + ".damaged" + (i > 1 ? QString("-%1").arg(i) : QString()), "earlier"));
    QTranslator program, common, qt;
    QVERIFY(useLocale(language, program, common, qt));
    qApp->installTranslator(&program);
    CBoxAnswerer answerer;
    const bool bGoesOn = setAsideDamagedLogDatabase();
    qApp->removeTranslator(&program);
    QLocale::setDefault(QLocale::system());

    QCOMPARE(bGoesOn, freeName);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].icon, freeName ? QMessageBox::Warning : QMessageBox::Critical);
    QCOMPARE(answerer.seen[0].title, QString("tolVane-Vozudoz"));
    QCOMPARE(answerer.seen[0].text, text.arg(path, freeName ? path + ".damaged" : qt_error_string(EEXIST)));
    QCOMPARE(QFile::exists(path), !freeName);
}

void TestStartup::startGoesOnAfterADamagedDatabase_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("not a database") << "text";
    QTest::newRow("truncated") << "truncated";
    QTest::newRow("header byte flipped") << "header byte flipped";
}

void TestStartup::startGoesOnAfterADamagedDatabase()
{
    // Each damage ended every start with SQLite's text and exit code 1.
    QFETCH(QString, damage);
    const QString path = writeDamagedDatabase(damage);
    QVERIFY(!path.isEmpty());
    const qint64 nSize = QFileInfo(path).size();
    QTimer closer;
    bool bShown = false;
    connect(&closer, &QTimer::timeout, this,
            [&]
            {
                CMainWindow* pWindow = CMainWindow::getInstance();
                if (!pWindow || !pWindow->isVisible() || QApplication::activeModalWidget())
                    return;
                bShown = true;
                pWindow->close();
            });
    closer.start(5);
    CBoxAnswerer answerer;
    QCOMPARE(runVozudoz(*qApp), 0);
    QVERIFY(bShown);
    QCOMPARE(answerer.seen.size(), 1);
    QVERIFY2(answerer.seen[0].text.contains(path + ".damaged"), qPrintable(answerer.seen[0].text));
    QCOMPARE(QFileInfo(path + ".damaged").size(), nSize);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
