#include "AppSettings.h"
#include "ComboDayFilter.h"
#include "DBBase.h"
#include "MainWindow.h"
#include "MinuteLogTab.h"
#include "ModalAnswerer.h"
#include "SetAside.h"
#include "SettingsCheck.h"
#include "SingleInstance.h"
#include "SingleInstanceSituation.h"
#include "Startup.h"
#include "TextTable.h"
#include "WindowCloser.h"

#include <QSettings>
#include <QSharedMemory>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTranslator>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
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

// The path of the log database, every file of an earlier one gone.
QString freshDatabasePath()
{
    nameVozudoz();
    const QString path = CDBBase::databasePath();
    QDir folder = QFileInfo(path).dir();
    for (const QString& name : folder.entryList({"Log2.sql*"}, QDir::Files))
        folder.remove(name);
    return path;
}

// The log database damaged as named, every file of an earlier one gone; its path.
QString writeDamagedDatabase(const QString& damage = "text")
{
    const QString path = freshDatabasePath();
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
    void singleInstanceCheck_data();
    void singleInstanceCheck();
    void segmentOfCrashedInstanceIsTakenOver();
    void chosenLanguageHoldsEverywhere();
    void damagedDatabaseIsToldInTheUsersLanguage_data();
    void damagedDatabaseIsToldInTheUsersLanguage();
    void startGoesOnAfterADamagedDatabase_data();
    void startGoesOnAfterADamagedDatabase();
    void startRebuildsADamagedKeyIndex();
    void everySettingsFileIsChecked_data();
    void everySettingsFileIsChecked();
    void noLookOutlastsItsLimit_data();
    void noLookOutlastsItsLimit();

    void initTestCase();
    void cleanup();

private:
    QTemporaryDir m_systemFolder; // XDG_CONFIG_DIRS
};

void TestStartup::singleInstanceCheck_data()
{
    SingleInstanceSituation::addRows();
}

void TestStartup::singleInstanceCheck()
{
    // A temporary folder that cannot be written was taken for another instance.
    QFETCH(QString, situation);
    QFETCH(bool, otherInstance);
    const SingleInstanceSituation::CSituation current(situation, KEY);
    QVERIFY(current.isReady());
    CBoxAnswerer answerer;
    QCOMPARE(runVozudoz(*qApp), -1);
    QCOMPARE(answerer.seen.count(), 1);
    QCOMPARE(answerer.seen[0].icon, QMessageBox::Warning);
    QCOMPARE(answerer.seen[0].title, QString("tolVane-Vozudoz"));
    QCOMPARE(answerer.seen[0].text,
             otherInstance
                 ? QString("An instance of Update-tolVane or tolVane-Vozudoz is already running.\nIt is not "
                           "possible to run more than one of those applications at the same time.")
                 : QString("The folder '%1' for the single-instance check cannot be written.")
                       .arg(current.folder()));
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
    QVERIFY(acquireSingleInstance(mine) == ESingleInstance::HELD);
    QSharedMemory second(KEY);
    QVERIFY(acquireSingleInstance(second) == ESingleInstance::OTHER_INSTANCE); // while this one holds it
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

namespace
{
// A string list claiming 2^31-1 entries: Qt's read of it ends the process.
const QByteArray DAMAGED = "[General]\nSomeKey=@Variant(\\0\\0\\0\\v\\x7f\\xff\\xff\\xff)\n";
// The key each readable file holds, in the order Qt reads the files.
const QStringList KEYS{"FileExportDir", "OrganisationKey", "SystemProgramKey", "SystemOrganisationKey"};

bool write(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    return QDir().mkpath(QFileInfo(name).path()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QString fileType(const QString& name)
{
    struct stat info;
    if (::lstat(QFile::encodeName(name).constData(), &info) != 0)
        return "absent";
    return S_ISFIFO(info.st_mode) ? "FIFO" : S_ISDIR(info.st_mode) ? "folder" : "file";
}

// Of a regular file only: opening a FIFO would wait for a writer.
QByteArray contents(const QString& name)
{
    QFile file(name);
    return fileType(name) == "file" && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The settings check's clock: a child that ends takes no time, and once a child stalls (through
// stall()) the clock runs, so that the limit passes at once, without a real wait.
class CStallClock
{
public:
    CStallClock()
    {
        if (::pipe2(m_stalled, O_CLOEXEC) != 0)
            qFatal("no pipe");
    }
    ~CStallClock()
    {
        ::close(m_stalled[0]);
        ::close(m_stalled[1]);
    }
    CStallClock(const CStallClock&) = delete;
    CStallClock& operator=(const CStallClock&) = delete;

    void drive(CSettingsCheck& check)
    {
        check.setClock([this] { return m_now; }, [this](int ms) { sleep(ms); });
    }
    // In a child: says that it stalls, and never returns.
    [[noreturn]] void stall() const
    {
        const char byte = 1;
        if (::write(m_stalled[1], &byte, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }
    qint64 now() const { return m_now; }

private:
    void sleep(int ms)
    {
        while (!m_bStalled)
        {
            siginfo_t info = {};
            if (::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != 0)
                return; // the child has ended
            pollfd stalled = {m_stalled[0], POLLIN, 0};
            m_bStalled = ::poll(&stalled, 1, 1) > 0;
        }
        m_now += ms;
    }

    int m_stalled[2] = {-1, -1};
    qint64 m_now = 0;
    bool m_bStalled = false;
};
} // namespace

void TestStartup::initTestCase()
{
    QVERIFY(m_systemFolder.isValid());
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_systemFolder.path()));
    nameVozudoz();
}

void TestStartup::cleanup()
{
    QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).removeRecursively();
    for (const QString& name :
         QDir(m_systemFolder.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
    {
        QDir(m_systemFolder.filePath(name)).removeRecursively();
        QFile::remove(m_systemFolder.filePath(name));
    }
    CAppSettings::setSources(CAppSettings::ALL_FILES);
}

// Every file the settings read is checked before the start: the user's own and the organisation's,
// and those of the system-wide folders. A damaged file is renamed aside, never over another file;
// one that cannot be renamed, is no regular file or is not read in time is left out, and with it
// every file but the program's own (or every file, when it is the program's own). One box names
// them all, and the settings then read without ending or stopping the program.
void TestStartup::everySettingsFileIsChecked_data()
{
    QTest::addColumn<int>("location"); // in Qt's order of reading
    QTest::addColumn<QString>("kind");
    const char* const locations[] = {"own", "organisation's", "system-wide program's",
                                     "system-wide organisation's"};
    for (int location = 0; location < 4; ++location)
        for (const char* kind :
             {"readable", "damaged", "damaged, every name taken", "FIFO", "folder", "not read in time"})
            QTest::newRow(qPrintable(QString("%1, %2").arg(locations[location], kind))) << location << kind;
    QTest::newRow("own, damaged, kept once before") << 0 << "damaged, kept once before";
}

void TestStartup::everySettingsFileIsChecked()
{
    QFETCH(int, location);
    QFETCH(QString, kind);
    const QStringList files = CAppSettings::readFiles();
    QCOMPARE(files.size(), 4);
    const auto writeReadable = [&files](int i)
    { return write(files[i], "[General]\n" + KEYS[i].toLatin1() + "=" + QByteArray::number(i) + "\n"); };
    const bool hangs = kind == "not read in time";
    for (int i = 0; i < 4; ++i)
        QVERIFY(writeReadable(i));
    const QString subject = files[location];
    const bool damaged = kind.startsWith("damaged");
    if (damaged)
        QVERIFY(write(subject, DAMAGED));
    if (kind == "damaged, kept once before")
        QVERIFY(write(subject + ".damaged", "earlier"));
    if (kind == "damaged, every name taken")
        for (int i = 1; i <= MAX_SET_ASIDE_NAMES; ++i)
            QVERIFY(write(subject + ".damaged" + (i > 1 ? QString("-%1").arg(i) : QString()), "earlier"));
    if (kind == "FIFO" || kind == "folder")
    {
        QVERIFY(QFile::remove(subject));
        QCOMPARE(kind == "FIFO" ? ::mkfifo(QFile::encodeName(subject).constData(), 0600)
                                : ::mkdir(QFile::encodeName(subject).constData(), 0700),
                 0);
    }
    const QByteArray before = contents(subject);

    CSettingsCheck check;
    CStallClock clock;
    clock.drive(check);
    check.setRead(
        [&](const QString& path)
        {
            if (hangs && path == subject)
                clock.stall();
            CSettingsCheck::readSettingsFile(path);
        });
    check.run();

    // What happened to the file.
    const bool leftOut = kind != "readable" && kind != "damaged" && kind != "damaged, kept once before";
    QString keptAs;
    if (damaged && !leftOut)
        keptAs = subject + (kind == "damaged" ? ".damaged" : ".damaged-2");
    if (kind == "readable")
        QVERIFY(check.findings().isEmpty());
    else
    {
        QCOMPARE(check.findings().size(), 1);
        QCOMPARE(check.findings()[0].strPath, subject);
        QCOMPARE(check.findings()[0].strKeptAs, keptAs);
    }
    if (keptAs.isEmpty())
    {
        QCOMPARE(fileType(subject), kind == "FIFO" || kind == "folder" ? kind : QString("file"));
        QCOMPARE(contents(subject), before);
    }
    else
    {
        QCOMPARE(fileType(subject), QString("absent"));
        QCOMPARE(contents(keptAs), DAMAGED);
    }
    QCOMPARE(clock.now(), hangs ? qint64(CSettingsCheck::READ_LIMIT_MS) : 0);
    if (kind == "damaged, every name taken" || kind == "damaged, kept once before")
        QCOMPARE(contents(subject + ".damaged"), QByteArray("earlier"));

    // The program's settings read at once.
    QStringList keys;
    if (!leftOut)
    {
        keys = KEYS;
        if (damaged)
            keys.removeAt(location);
    }
    else if (location > 0)
        keys = QStringList{KEYS[0]};
    QStringList read = CAppSettings::open()->allKeys();
    read.sort();
    keys.sort();
    QCOMPARE(read, keys);
    QCOMPARE(check.sources(), !leftOut        ? CAppSettings::ALL_FILES
                              : location == 0 ? CAppSettings::NO_FILE
                                              : CAppSettings::OWN_FILE_ONLY);

    // The one box of the start.
    QStringList paragraphs;
    if (!keptAs.isEmpty())
        paragraphs << (location == 0
                           ? QString("The settings could not be read. The file was kept as '%1'; the "
                                     "default settings are used.")
                                 .arg(keptAs)
                           : QString("The settings file '%1' could not be read. It was kept as '%2'.")
                                 .arg(subject, keptAs));
    else if (damaged)
        paragraphs << QString("The settings file '%1' could not be read, nor renamed.").arg(subject);
    else if (hangs)
        paragraphs << QString("The settings file '%1' could not be read within 5 seconds.").arg(subject);
    else if (leftOut)
        paragraphs << QString("The settings file '%1' is not a regular file.").arg(subject);
    if (leftOut)
        paragraphs << (location == 0
                           ? QString("In this run no settings file is read: the default settings are "
                                     "used, and settings changed now are not kept.")
                           : QString("In this run only the program's own settings file is read; every "
                                     "organisation-wide and system-wide settings file is left out."));
    QSharedMemory other(KEY); // ends the start after the box
    QVERIFY(acquireSingleInstance(other) == ESingleInstance::HELD);
    CBoxAnswerer answerer;
    QCOMPARE(runVozudoz(*qApp, check), -1);
    QCOMPARE(answerer.seen.count(), paragraphs.isEmpty() ? 1 : 2);
    if (!paragraphs.isEmpty())
    {
        QCOMPARE(answerer.seen[0].icon, QMessageBox::Warning);
        QCOMPARE(answerer.seen[0].title, QString("tolVane-Vozudoz"));
        QCOMPARE(answerer.seen[0].text, paragraphs.join("\n\n"));
    }
    QVERIFY(answerer.seen.last().text.startsWith("An instance of"));
}

void TestStartup::noLookOutlastsItsLimit_data()
{
    QTest::addColumn<QString>("stallsAt"); // where each slow file stalls
    QTest::addColumn<int>("first");        // the first file that is left out, in Qt's order
    QTest::addColumn<bool>("fifo");        // it is a FIFO, and the files after it are slow
    QTest::newRow("four slow files, at the look") << "look" << 0 << false;
    QTest::newRow("four slow files, at the read") << "read" << 0 << false;
    QTest::newRow("own file read, three slow ones") << "look" << 1 << false;
    QTest::newRow("own file read, a FIFO, two slow ones") << "look" << 1 << true;
}

void TestStartup::noLookOutlastsItsLimit()
{
    // A settings file that is a link onto a stalled network mount held up the start at its first
    // look (stat), which the program made itself; and once the outcome was settled, each further
    // slow file still cost the limit (four files: 21.7 s).
    QFETCH(QString, stallsAt);
    QFETCH(int, first);
    QFETCH(bool, fifo);
    const QStringList files = CAppSettings::readFiles();
    for (int i = 0; i < files.size(); ++i)
        QVERIFY(write(files[i], "[General]\n" + KEYS[i].toLatin1() + "=1\n"));
    if (fifo)
    {
        QVERIFY(QFile::remove(files[first]));
        QCOMPARE(::mkfifo(QFile::encodeName(files[first]).constData(), 0600), 0);
    }
    const auto slow = [&](const QString& path) { return files.indexOf(path) >= first + (fifo ? 1 : 0); };
    // Every look, from the child that makes it or from the program itself.
    QTemporaryDir logFolder;
    const QByteArray log = QFile::encodeName(logFolder.filePath("looks"));
    const pid_t program = ::getpid();

    CSettingsCheck check;
    CStallClock clock;
    clock.drive(check);
    check.setStat(
        [&](const QString& path)
        {
            const bool inProgram = ::getpid() == program;
            const QByteArray line = (inProgram ? "in the program: " : "") + QFile::encodeName(path) + "\n";
            const int fd = ::open(log.constData(), O_WRONLY | O_APPEND | O_CREAT, 0600);
            if (fd < 0 || ::write(fd, line.constData(), size_t(line.size())) != line.size())
                qFatal("cannot note the look");
            ::close(fd);
            if (!inProgram && stallsAt == "look" && slow(path))
                clock.stall();
            return CSettingsCheck::statFile(path);
        });
    check.setRead(
        [&](const QString& path)
        {
            if (stallsAt == "read" && slow(path))
                clock.stall();
            CSettingsCheck::readSettingsFile(path);
        });
    check.run();

    QCOMPARE(QString::fromLocal8Bit(contents(QFile::decodeName(log))),
             files.mid(0, first + 1).join('\n') + '\n');
    QCOMPARE(clock.now(), fifo ? 0 : qint64(CSettingsCheck::READ_LIMIT_MS));
    QCOMPARE(check.findings().size(), 1);
    QCOMPARE(check.findings()[0].strPath, files[first]);
    QCOMPARE(check.findings()[0].eReason,
             fifo ? CSettingsCheck::NOT_REGULAR : CSettingsCheck::NOT_READ_IN_TIME);
    QCOMPARE(check.sources(), first == 0 ? CAppSettings::NO_FILE : CAppSettings::OWN_FILE_ONLY);
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
    const CWindowCloser<CMainWindow> closer(&CMainWindow::getInstance);
    CBoxAnswerer answerer;
    QCOMPARE(runVozudoz(*qApp), 0);
    QVERIFY(closer.closed());
    QCOMPARE(answerer.seen.size(), 1);
    QVERIFY2(answerer.seen[0].text.contains(path + ".damaged"), qPrintable(answerer.seen[0].text));
    QCOMPARE(QFileInfo(path + ".damaged").size(), nSize);
}

void TestStartup::startRebuildsADamagedKeyIndex()
{
    // Three logged days behind a damaged key index: the day list offered today alone, and no box
    // said why. The start rebuilds the file from its rows, without a box, and the days are there.
    // As in a new process: the connections of the starts before would still read their files.
    for (const QString& name : QSqlDatabase::connectionNames())
        QSqlDatabase::removeDatabase(name);
    const QString path = freshDatabasePath();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "make");
        db.setDatabaseName(path);
        QSqlQuery query(db);
        QVERIFY(db.open());
        QVERIFY(
            query.exec("CREATE TABLE ValueLogs (LogTimestamp int, SNR int, PRIMARY KEY(LogTimestamp, SNR))"));
        QVERIFY(query.exec("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 4319) "
                           "INSERT INTO ValueLogs SELECT 1704067200 + 60 * i, 4711 FROM n")); // 1.-3.1.2024
        QVERIFY(query.exec(
                    "SELECT rootpage * 4096 - 4096 FROM sqlite_master WHERE name = "
                    "'sqlite_autoindex_ValueLogs_1' AND (SELECT page_size FROM pragma_page_size) = 4096") &&
                query.next());
        const qint64 nIndexPage = query.value(0).toLongLong();
        db.close();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(nIndexPage));
        QCOMPARE(file.write(QByteArray(16, '\xff')), qint64(16));
    }
    QSqlDatabase::removeDatabase("make");

    QList<QDate> offered;
    const CWindowCloser<CMainWindow> closer(&CMainWindow::getInstance,
                                            [&offered](CMainWindow& window)
                                            {
                                                const CComboDayFilter* pDays =
                                                    window.minuteLogTab()->dayFilter();
                                                for (int i = 0; i < pDays->count(); ++i)
                                                    offered << pDays->itemData(i).toDate();
                                            });
    CBoxAnswerer answerer;
    QCOMPARE(runVozudoz(*qApp), 0);
    QCOMPARE(answerer.seen.size(), 0);
    QCOMPARE(offered.mid(0, 3), (QList<QDate>{QDate(2024, 1, 1), QDate(2024, 1, 2), QDate(2024, 1, 3)}));
    QVERIFY(!QFile::exists(path + ".damaged"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
