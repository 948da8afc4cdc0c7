// The delete and move engine against a temporary drive C:, with the system's delayed move switched
// by the stand-in's knobs.
#include "Engine.h"
#include "System.h"

#include "HostIo.h"
#include "Restart.h"
#include "ShareLock.h"
#include "TestFiles.h"
#include "WinError.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QWaitCondition>
#include <QtTest>

#include <array>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace
{

using TestFiles::readFile;
using TestFiles::writeFile;

void NoSleep(unsigned) {}

// The files made durable, each with whether the file `target` still existed at that moment.
struct SSyncLog
{
    QString target;
    QVector<QPair<QString, bool>> syncs;
};
SSyncLog* g_syncLog = nullptr;

int loggedFsync(int fd)
{
    if (g_syncLog)
        g_syncLog->syncs.push_back(
            {QFile::symLinkTarget("/proc/self/fd/" + QString::number(fd)), QFile::exists(g_syncLog->target)});
    return ::fsync(fd);
}

// Registrations waiting for a lock that the test holds. A pause returns at once until its thread
// has waited `before` ms; then, while the test holds the lock, the thread counts as blocked and
// waits for the test to let it go on; after that, pauses really sleep.
struct SLockWait
{
    QMutex mutex;
    QWaitCondition changed;
    unsigned before = 0;
    int blocked = 0;
    int finished = 0;
    bool released = false;
};
SLockWait* g_lockWait = nullptr;
thread_local unsigned t_waited = 0;

void heldLockPause(unsigned milliseconds)
{
    t_waited += milliseconds;
    if (t_waited <= g_lockWait->before)
        return;
    QMutexLocker lock(&g_lockWait->mutex);
    if (!g_lockWait->released)
    {
        ++g_lockWait->blocked;
        g_lockWait->changed.wakeAll();
        while (!g_lockWait->released)
            g_lockWait->changed.wait(&g_lockWait->mutex);
    }
    lock.unlock();
    usleep(useconds_t(milliseconds) * 1000);
}

// Another program holding a file open without sharing, for the life of the object.
class CHeldOpen
{
public:
    explicit CHeldOpen(const QString& path) : m_fd(open(path.toUtf8().constData(), O_RDONLY))
    {
        flock(m_fd, LOCK_EX);
    }
    ~CHeldOpen() { close(m_fd); }

private:
    int m_fd;
};

} // namespace

class TestKolvestEngine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_drive;
    int m_case = 0;
    const win::SHostCalls m_systemCalls = win::HostCalls();

    QString host(const QString& relative) const { return m_drive + "/" + relative; }

private slots:
    void initTestCase() { SetSleepFunction(&NoSleep); }

    void init()
    {
        m_drive = m_root.path() + "/c" + QString::number(++m_case);
        QVERIFY(QDir().mkpath(host("WINDOWS")));
        QVERIFY(QDir::setCurrent(m_drive));
        setenv("TOLVANE_DRIVES", ("C=" + m_drive).toUtf8().constData(), 1);
        setenv("TOLVANE_WINDIR", "C:\\WINDOWS", 1);
        setenv("TOLVANE_PENDING_OPS", host("pending").toUtf8().constData(), 1);
        setenv("XDG_DATA_HOME", host("data").toUtf8().constData(), 1);
        unsetenv("TOLVANE_WIN_NO_DELAYED_MOVE");
        unsetenv("TOLVANE_WIN_DELAYED_MOVE_REFUSED");
        ResolveMoveFileExA();
    }

    void cleanup()
    {
        SetSleepFunction(&NoSleep);
        win::SetLockPauseFunction(nullptr);
        SetRegisteredMoveHook(nullptr);
        win::HostCalls() = m_systemCalls;
        g_lockWait = nullptr;
        g_syncLog = nullptr;
    }

    void wininitRename_data()
    {
        QTest::addColumn<QByteArray>("before"); // "<none>": no file
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("new file") << QByteArray("<none>") << QByteArray("\r\n[rename]\r\nNUL=C:\\B.TXT");
        QTest::newRow("newest last in the section")
            << QByteArray("[Rename]\r\nNUL=C:\\A.TXT\r\n")
            << QByteArray("[Rename]\r\nNUL=C:\\A.TXT\r\nNUL=C:\\B.TXT");
        QTest::newRow("before the next section")
            << QByteArray("[rename]\r\nNUL=C:\\A.TXT\r\n\r\n [boot]\r\nx=1")
            << QByteArray("[rename]\r\nNUL=C:\\A.TXT\r\n\r\nNUL=C:\\B.TXT\r\n [boot]\r\nx=1");
        QTest::newRow("the last of two sections")
            << QByteArray("[rename]\r\nNUL=C:\\A.TXT\r\n[x]\r\n[RENAME]\r\nNUL=C:\\C.TXT\r\n[y]\r\n")
            << QByteArray("[rename]\r\nNUL=C:\\A.TXT\r\n[x]\r\n[RENAME]\r\nNUL=C:\\C.TXT\r\nNUL=C:\\B."
                          "TXT\r\n[y]\r\n");
        QTest::newRow("section appended after a line break")
            << QByteArray("[boot]\r\nx=1") << QByteArray("[boot]\r\nx=1\r\n[rename]\r\nNUL=C:\\B.TXT");
        QTest::newRow("[renamed] is another section")
            << QByteArray("[renamed]\r\na=b\r\n")
            << QByteArray("[renamed]\r\na=b\r\n[rename]\r\nNUL=C:\\B.TXT");
        QTest::newRow("a value is no header") << QByteArray("[x]\r\nv=[rename]\r\n")
                                              << QByteArray("[x]\r\nv=[rename]\r\n[rename]\r\nNUL=C:\\B.TXT");
        QTest::newRow("blanks after the header") << QByteArray("[rename] \r\nNUL=C:\\A.TXT")
                                                 << QByteArray("[rename] \r\nNUL=C:\\A.TXT\r\nNUL=C:\\B.TXT");
    }

    void wininitRename()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QByteArray wininit = QFile::encodeName(host("WINDOWS/wininit.ini"));
        if (before != "<none>")
            QVERIFY(writeFile(wininit, before) && chmod(wininit.constData(), 0604) == 0);
        const mode_t previous = umask(077);
        const bool added = AddWininitRename("NUL", "C:\\B.TXT");
        umask(previous);
        QVERIFY(added);
        QCOMPARE(readFile(wininit), after);
        struct stat st;
        QCOMPARE(stat(wininit.constData(), &st), 0);
        if (before != "<none>")
            QCOMPARE(int(st.st_mode & 07777), 0604); // the umask does not cut the file's mode
    }

    // The restart replaces wininit.ini while a registration has opened it but not yet locked it:
    // the line must go into the new file, so that the next restart carries it out.
    void registrationRacingARestart()
    {
        QVERIFY(writeFile(host("OLD.TXT"), "o"));
        QVERIFY(writeFile(host("B.TXT"), "b"));
        QVERIFY(writeFile(host("WINDOWS/wininit.ini"), "[boot]\r\nx=1\r\n[rename]\r\nNUL=C:\\OLD.TXT\r\n"));
        QStringList failures;
        const win::Report report = [&failures](const std::string& line)
        { failures << QString::fromStdString(line); };
        int restarts = 0;
        win::SetBeforeLockHook(
            [&](const std::string& path)
            {
                if (QString::fromStdString(path).endsWith("/wininit.ini") && restarts++ == 0)
                    win::ApplyRestartOperations(report);
            });
        const bool added = AddWininitRename("NUL", "C:\\B.TXT");
        win::SetBeforeLockHook(nullptr);
        QVERIFY(added);
        QVERIFY(!QFile::exists(host("OLD.TXT")));
        QCOMPARE(readFile(host("WINDOWS/wininit.ini")),
                 QByteArray("[boot]\r\nx=1\r\n[rename]\r\nNUL=C:\\B.TXT"));
        QCOMPARE(restarts, 3); // the restart's own lock, then the open after the replacement

        QCOMPARE(win::ApplyRestartOperations(report), 0);
        QCOMPARE(failures, QStringList());
        QVERIFY(!QFile::exists(host("B.TXT")));
    }

    void wininitRefusesLineBreaksAndEquals_data()
    {
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("source");
        QTest::newRow("line break in the source") << QByteArray("NUL") << QByteArray("C:\\a\r\n[boot]");
        QTest::newRow("line feed in the target") << QByteArray("C:\\a\nb") << QByteArray("C:\\b");
        QTest::newRow("equals sign") << QByteArray("C:\\a=C:\\x") << QByteArray("C:\\b");
    }

    void wininitRefusesLineBreaksAndEquals()
    {
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, source);
        QVERIFY(writeFile(host("WINDOWS/wininit.ini"), "[rename]\r\n"));
        QVERIFY(!AddWininitRename(target.constData(), source.constData()));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_INVALID_NAME));
        QCOMPARE(readFile(host("WINDOWS/wininit.ini")), QByteArray("[rename]\r\n"));
    }

    void deleteAtRestart()
    {
        QVERIFY(writeFile(host("a.txt"), "a"));
        QVERIFY(DeleteFileOrSchedule("C:\\a.txt", DELETE_AT_RESTART));
        QCOMPARE(readFile(host("pending")), QByteArray("4\tC:\\a.txt\t\n"));
        QVERIFY(!QFile::exists(host("WINDOWS/wininit.ini")));
        QVERIFY(!DeleteFileOrSchedule("", 0));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_INVALID_PARAMETER));
    }

    void missingDelayedMoveIsTheReason()
    {
        setenv("TOLVANE_WIN_NO_DELAYED_MOVE", "1", 1);
        ResolveMoveFileExA();
        QVERIFY(writeFile(host("a.txt"), "a"));
        win::SetLastError(win::ERROR_FILE_NOT_FOUND); // stale
        QVERIFY(!DeleteFileOrSchedule("C:\\a.txt", DELETE_AT_RESTART));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_CALL_NOT_IMPLEMENTED));
        QCOMPARE(Bytes(LastErrorText()), QByteArray("This function is not supported on this system.\r\n"));
    }

    void restartMoveRegistersBeforeTheTargetGoes()
    {
        QVERIFY(writeFile(host("new.txt"), "new"));
        QVERIFY(writeFile(host("old.txt"), "old"));
        setenv("TOLVANE_WIN_DELAYED_MOVE_REFUSED", "1", 1);
        QVERIFY(!MoveFileOrSchedule("C:\\new.txt", "C:\\old.txt", MOVE_AT_RESTART));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_ACCESS_DENIED));
        QCOMPARE(readFile(host("old.txt")), QByteArray("old"));

        unsetenv("TOLVANE_WIN_DELAYED_MOVE_REFUSED");
        {
            CHeldOpen held(host("old.txt")); // cannot go now: replaced at the restart
            QVERIFY(MoveFileOrSchedule("C:\\new.txt", "C:\\old.txt", MOVE_AT_RESTART));
            QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_BUSY));
            QCOMPARE(readFile(host("old.txt")), QByteArray("old"));
        }
        QVERIFY(MoveFileOrSchedule("C:\\new.txt", "C:\\old.txt", MOVE_AT_RESTART));
        QVERIFY(!QFile::exists(host("old.txt")));
        QCOMPARE(readFile(host("new.txt")), QByteArray("new"));
        QCOMPARE(readFile(host("pending")),
                 QByteArray("5\tC:\\new.txt\tC:\\old.txt\n5\tC:\\new.txt\tC:\\old.txt\n"));
    }

    void failedImmediateMoveKeepsTheTarget()
    {
        QVERIFY(writeFile(host("new.txt"), "new"));
        QVERIFY(writeFile(host("old.txt"), "old"));
        {
            CHeldOpen held(host("new.txt"));
            QVERIFY(!MoveFileOrSchedule("C:\\new.txt", "C:\\old.txt", 0));
            QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_SHARING_VIOLATION));
        }
        QCOMPARE(readFile(host("old.txt")), QByteArray("old"));
        {
            CHeldOpen held(host("old.txt"));
            QVERIFY(!MoveFileOrSchedule("C:\\new.txt", "C:\\old.txt", 0));
            QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_SHARING_VIOLATION));
        }
        QCOMPARE(readFile(host("old.txt")), QByteArray("old"));

        QVERIFY(QFile::setPermissions(host("old.txt"), QFileDevice::ReadOwner));
        QVERIFY(MoveFileOrSchedule("C:\\new.txt", "C:\\old.txt", 0));
        QCOMPARE(readFile(host("old.txt")), QByteArray("new"));
    }

    // A folder cannot take a file's place: refused before the target is touched, now or at the
    // restart.
    void moveOfAFolderKeepsTheTarget_data()
    {
        QTest::addColumn<uint>("flags");
        QTest::newRow("now") << 0u;
        QTest::newRow("at the restart") << uint(MOVE_AT_RESTART);
    }

    void moveOfAFolderKeepsTheTarget()
    {
        QFETCH(uint, flags);
        QVERIFY(QDir().mkpath(host("S")));
        QVERIFY(writeFile(host("T/a.txt"), "a"));
        QVERIFY(!MoveFileOrSchedule("C:\\S", "C:\\T\\a.txt", flags));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_ACCESS_DENIED));
        QCOMPARE(readFile(host("T/a.txt")), QByteArray("a"));
        QVERIFY(QFileInfo(host("S")).isDir());
        QVERIFY(!QFile::exists(host("pending")));
    }

    void moveSpecialCases()
    {
        QVERIFY(writeFile(host("a.txt"), "a"));
        QVERIFY(MoveFileOrSchedule("C:\\a.txt", "C:\\a.txt", 0)); // same text: nothing to do
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_INVALID_PARAMETER));
        QVERIFY(MoveFileOrSchedule("C:\\a.txt", "C:\\A.TXT", 0)); // the target is the source itself
        QCOMPARE(readFile(host("A.TXT")), QByteArray("a"));
        QVERIFY(!MoveFileOrSchedule("C:\\gone.txt", "C:\\A.TXT", 0));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_FILE_NOT_FOUND));
        QVERIFY(writeFile(host("b.txt"), "b"));
        QVERIFY(!MoveFileOrSchedule("C:\\b.txt", "C:\\A.TXT", MOVE_TARGET_MUST_NOT_EXIST));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_FILE_EXISTS));
        QVERIFY(
            MoveFileOrSchedule("C:\\b.txt", "C:\\deep\\er", MOVE_CREATE_DIRECTORIES | MOVE_INTO_DIRECTORY));
        QCOMPARE(readFile(host("deep/er/b.txt")), QByteArray("b"));
    }

    // A move into the source's own folder, the source spelled another way: the target that the
    // folder and the source's name make is the source, which must not go for it.
    void moveIntoTheSourcesOwnFolder_data()
    {
        QTest::addColumn<uint>("flags");
        QTest::newRow("now") << 0u;
        QTest::newRow("at the restart") << uint(MOVE_AT_RESTART);
    }

    void moveIntoTheSourcesOwnFolder()
    {
        QFETCH(uint, flags);
        QVERIFY(writeFile(host("T/a.txt"), "a"));
        QVERIFY(MoveFileOrSchedule("C:\\T\\x\\..\\a.txt", "C:\\T", flags | MOVE_INTO_DIRECTORY));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_INVALID_PARAMETER));
        QCOMPARE(readFile(host("T/a.txt")), QByteArray("a"));
        QVERIFY(!QFile::exists(host("pending")));
    }

    void deleteFallsBackToRestartWhenInUse()
    {
        QVERIFY(writeFile(host("a.txt"), "a"));
        CHeldOpen held(host("a.txt"));
        QVERIFY(!DeleteFileOrSchedule("C:\\a.txt", 0));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_SHARING_VIOLATION));
        QVERIFY(DeleteFileOrSchedule("C:\\a.txt", DELETE_SCHEDULE_ON_FAILURE));
        QCOMPARE(readFile(host("pending")), QByteArray("4\tC:\\a.txt\t\n"));
        QVERIFY(!DeleteFileOrSchedule("C:\\missing.txt", DELETE_SCHEDULE_ON_FAILURE));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_FILE_NOT_FOUND));
    }

    void recycleBin()
    {
        QVERIFY(writeFile(host("dir/a b.txt"), "a"));
        QVERIFY(DeleteFileOrSchedule("C:\\dir\\a b.txt", DELETE_TO_RECYCLE_BIN));
        QVERIFY(!QFile::exists(host("dir/a b.txt")));
        QCOMPARE(readFile(host("data/Trash/files/a b.txt")), QByteArray("a"));
        const QByteArray info = readFile(host("data/Trash/info/a b.txt.trashinfo"));
        QVERIFY(info.startsWith("[Trash Info]\nPath=" + QFile::encodeName(host("dir/a%20b.txt")) +
                                "\nDeletionDate="));
    }

    // A file that the bin holds without its info file keeps its name: the recycled one takes another.
    void recycleBinKeepsWhatItHolds()
    {
        QVERIFY(writeFile(host("a.txt"), "new"));
        QVERIFY(writeFile(host("data/Trash/files/a.txt"), "old"));
        QVERIFY(DeleteFileOrSchedule("C:\\a.txt", DELETE_TO_RECYCLE_BIN));
        QCOMPARE(readFile(host("data/Trash/files/a.txt")), QByteArray("old"));
        QCOMPARE(readFile(host("data/Trash/files/a.txt.2")), QByteArray("new"));
        QVERIFY(!QFile::exists(host("data/Trash/info/a.txt.trashinfo")));
        QVERIFY(QFile::exists(host("data/Trash/info/a.txt.2.trashinfo")));
    }

    // Where the legacy file stands in for the system's delayed move.
    void useWininit()
    {
        setenv("TOLVANE_WIN_NO_DELAYED_MOVE", "1", 1);
        ResolveMoveFileExA();
        QVERIFY(writeFile(host("WINDOWS/wininit.exe"), "x"));
    }

    // A power loss right after the target of a restart-time move went must not cost the move:
    // its registration is on the disk before (for a new list, its name in the folder too).
    void registrationIsDurableBeforeTheTargetGoes_data()
    {
        QTest::addColumn<bool>("wininit");
        QTest::addColumn<QStringList>("durable"); // synced while the target still existed
        QTest::newRow("new pending list") << false << QStringList{"pending", ""};
        QTest::newRow("wininit.ini") << true << QStringList{"WINDOWS"};
    }

    void registrationIsDurableBeforeTheTargetGoes()
    {
        QFETCH(bool, wininit);
        QFETCH(QStringList, durable);
        if (wininit)
            useWininit();
        QVERIFY(writeFile(host("new.txt"), "new"));
        QVERIFY(writeFile(host("old.txt"), "old"));
        SSyncLog log{host("old.txt"), {}};
        g_syncLog = &log;
        win::HostCalls().fsync = &loggedFsync;
        QVERIFY(MoveFileOrSchedule("C:\\new.txt", "C:\\old.txt", MOVE_AT_RESTART));
        win::HostCalls() = m_systemCalls;
        QVERIFY(!QFile::exists(host("old.txt")));
        for (const QString& name : durable)
        {
            const QString path = QFileInfo(host(name)).canonicalFilePath();
            QVERIFY2(log.syncs.contains({path, true}), qPrintable(path));
        }
    }

    // A restart that runs between the registration of a /move and the deletion of its target has
    // put the source in the target's place: that file must stay, also when the restart was killed
    // after the move and before it marked the line as done.
    void restartBetweenRegistrationAndDeletion_data()
    {
        QTest::addColumn<bool>("wininit");
        QTest::addColumn<bool>("killed");
        QTest::newRow("pending list") << false << false;
        QTest::newRow("wininit.ini") << true << false;
        QTest::newRow("pending list, restart killed before its mark") << false << true;
        QTest::newRow("wininit.ini, restart killed before its mark") << true << true;
    }

    void restartBetweenRegistrationAndDeletion()
    {
        QFETCH(bool, wininit);
        QFETCH(bool, killed);
        if (wininit)
            useWininit();
        QVERIFY(writeFile(host("new.txt"), "new"));
        QVERIFY(writeFile(host("old.txt"), "old"));
        const QByteArray source = QFile::encodeName(host("new.txt"));
        const QByteArray target = QFile::encodeName(host("old.txt"));
        int failures = 0;
        SetRegisteredMoveHook(
            [&]
            {
                if (killed)
                    failures += std::rename(source.constData(), target.constData());
                else
                    failures += win::ApplyRestartOperations([](const std::string&) {});
            });
        QVERIFY(MoveFileOrSchedule("C:\\new.txt", "C:\\old.txt", MOVE_AT_RESTART));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_BUSY));
        QCOMPARE(failures, 0);
        QCOMPARE(readFile(host("old.txt")), QByteArray("new"));
        QVERIFY(!QFile::exists(host("new.txt")));
    }

    // A restart-time move is a rename: across host file systems it could never happen, so it is
    // refused before the target is touched, whatever the drive letters say.
    void restartMoveStaysOnItsFileSystem_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("wininit");
        QTest::addColumn<bool>("refused");
        QTest::newRow("other drive, other file system") << "D:\\new.txt" << false << true;
        QTest::newRow("other drive, other file system, wininit.ini") << "D:\\new.txt" << true << true;
        QTest::newRow("same drive, other file system") << "C:\\shm\\new.txt" << false << true;
        QTest::newRow("other drive, same file system") << "E:\\new.txt" << false << false;
    }

    void restartMoveStaysOnItsFileSystem()
    {
        QFETCH(QString, source);
        QFETCH(bool, wininit);
        QFETCH(bool, refused);
        QTemporaryDir shm("/dev/shm/tst_kolvest_engine-XXXXXX");
        struct stat shmStat, driveStat;
        if (!shm.isValid() || stat(QFile::encodeName(shm.path()).constData(), &shmStat) != 0 ||
            stat(QFile::encodeName(m_drive).constData(), &driveStat) != 0 ||
            shmStat.st_dev == driveStat.st_dev)
            QSKIP("needs /dev/shm on a file system of its own");
        QVERIFY(QDir().mkpath(host("e")));
        setenv("TOLVANE_DRIVES",
               ("C=" + m_drive + ";D=" + shm.path() + ";E=" + host("e")).toUtf8().constData(), 1);
        QVERIFY(QFile::link(shm.path(), host("shm")));
        if (wininit)
            useWininit();
        QVERIFY(writeFile(shm.path() + "/new.txt", "new"));
        QVERIFY(writeFile(host("e/new.txt"), "new"));
        QVERIFY(writeFile(host("old.txt"), "old"));

        QCOMPARE(MoveFileOrSchedule(source.toUtf8().constData(), "C:\\old.txt", MOVE_AT_RESTART), !refused);
        QCOMPARE(win::GetLastError(), uint32_t(refused ? win::ERROR_NOT_SAME_DEVICE : win::ERROR_BUSY));
        QCOMPARE(QFile::exists(host("old.txt")), refused);
        QCOMPARE(QFile::exists(host("pending")), !refused);
        QVERIFY(!QFile::exists(host("WINDOWS/wininit.ini")));
        if (refused)
            QCOMPARE(Bytes(LastErrorText()),
                     QByteArray("The system cannot move the file to a different disk drive.\r\n"));
    }

    // Twenty registrations at once, all waiting for the list's lock longer than a few retries
    // would: once the holder lets go, every one is added. A lock held throughout is waited for 10 s.
    void registrationsWaitForTheListsLock_data() { registrationFileRows(); }

    void registrationsWaitForTheListsLock()
    {
        QFETCH(bool, wininit);
        if (wininit)
            useWininit();
        const QString list = host(wininit ? "WINDOWS/wininit.ini" : "pending");
        QVERIFY(writeFile(list, ""));
        constexpr int kRegistrations = 20;
        SLockWait wait;
        wait.before = 1000;
        g_lockWait = &wait;
        SetSleepFunction(&heldLockPause);
        win::SetLockPauseFunction(&heldLockPause);

        int holder = open(QFile::encodeName(list).constData(), O_RDWR);
        QVERIFY(flock(holder, LOCK_EX) == 0);
        std::array<bool, kRegistrations> registered{};
        std::vector<std::thread> threads;
        threads.reserve(kRegistrations);
        for (int i = 0; i < kRegistrations; ++i)
            threads.emplace_back(
                [&, i]
                {
                    const QByteArray path = "C:\\f" + QByteArray::number(i);
                    registered[size_t(i)] = DeleteFileOrSchedule(path.constData(), DELETE_AT_RESTART);
                    QMutexLocker lock(&wait.mutex);
                    ++wait.finished;
                    wait.changed.wakeAll();
                });
        bool allWaiting = true;
        {
            QMutexLocker lock(&wait.mutex);
            QDeadlineTimer bound(30000); // only ends a broken run
            while (allWaiting && wait.blocked + wait.finished < kRegistrations)
                allWaiting = wait.changed.wait(&wait.mutex, bound);
            close(holder);
            wait.released = true;
            wait.changed.wakeAll();
        }
        for (std::thread& thread : threads)
            thread.join();
        QVERIFY(allWaiting);
        QCOMPARE(wait.blocked, kRegistrations);
        QCOMPARE(std::count(registered.begin(), registered.end(), true), long(kRegistrations));
        QCOMPARE(readFile(list).count(wininit ? "NUL=" : "\t\n"), kRegistrations);

        // held throughout: given up after 10 s of pauses, with the text of a file in use
        wait.before = ~0u;
        t_waited = 0;
        holder = open(QFile::encodeName(list).constData(), O_RDWR);
        QVERIFY(flock(holder, LOCK_EX) == 0);
        const bool added = DeleteFileOrSchedule("C:\\late", DELETE_AT_RESTART);
        close(holder);
        QVERIFY(!added);
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_SHARING_VIOLATION));
        QCOMPARE(t_waited, win::REGISTRATION_LOCK_WAIT_MS);
    }

private:
    // The two files a registration goes to: the pending list, or wininit.ini where the system's
    // delayed move is missing (useWininit).
    static void registrationFileRows()
    {
        QTest::addColumn<bool>("wininit");
        QTest::newRow("pending list") << false;
        QTest::newRow("wininit.ini") << true;
    }

    static QByteArray Bytes(const String& text) { return QByteArray(text.c_str(), text.length()); }
};

QTEST_GUILESS_MAIN(TestKolvestEngine)
#include "tst_kolvest_engine.moc"
