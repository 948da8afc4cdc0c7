// The stub's restart-time registration without the system's delayed move: its line in the
// "[Rename]" section of the file the library names, written by one read-modify-write that
// neither another uninstaller nor the restart replacing the file can make it lose; and every
// writer of that file (kolvest, the stub, the restart) replaces only the file it locked.

#include "SfxReboot.h"
#include "SfxTarvek.h"

#include "Engine.h"
#include "HostIo.h"
#include "Restart.h"
#include "ShareLock.h"
#include "TestFiles.h"
#include "WideText.h"
#include "WinError.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace sfx;
using TestFiles::readFile;
using TestFiles::writeFile;

namespace
{

const QByteArray OWN_LINE = "NUL=C:\\STUB.EXE\r\n";

} // namespace

class TestSfxReboot : public QObject
{
    Q_OBJECT

    QTemporaryDir m_drive;
    CSfxTarvek m_tarvek;

    QString wininit() const { return m_drive.path() + "/WINDOWS/wininit.ini"; }
    QString pending() const { return m_drive.path() + "/pending"; }
    WString stub() const { return W(m_drive.path() + "/STUB.EXE"); }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir().mkpath(m_drive.path() + "/WINDOWS"));
        QVERIFY(writeFile(m_drive.path() + "/STUB.EXE", "stub"));
        qputenv("TOLVANE_DRIVES", ("C=" + m_drive.path()).toUtf8());
        qputenv("TOLVANE_WINDIR", "C:\\WINDOWS");
        qputenv("TOLVANE_PENDING_OPS", QFile::encodeName(pending()));
        m_tarvek.setFolder(W(QFileInfo(TARVEK_LIBRARY).absolutePath() + "/"));
        QVERIFY(m_tarvek.bind());
        m_tarvek.InitSFX(nullptr); // names the file
    }

    void cleanup()
    {
        win::SetBeforeLockHook(nullptr);
        win::SetBeforeReplaceHook(nullptr);
        QFile::remove(wininit());
        QFile::remove(pending());
    }

    // The stub's own file is registered once: a line already waiting (in any letter case) is
    // not added again; one in another section, or one the restart has already carried out, is
    // no such line.
    void ownFileOnce_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("registration");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("already waiting")
            << "[Rename]\r\nNUL=C:\\A.TXT\r\n" + OWN_LINE + "[x]\r\n"
            << int(SFX_REGISTER_ONCE) << "[Rename]\r\nNUL=C:\\A.TXT\r\n" + OWN_LINE + "[x]\r\n";
        QTest::newRow("waiting, other case, no line break")
            << QByteArray("[rename]\r\nnul=c:\\stub.exe") << int(SFX_REGISTER_ONCE)
            << QByteArray("[rename]\r\nnul=c:\\stub.exe");
        QTest::newRow("waiting in a later section")
            << "[Rename]\r\nNUL=C:\\A.TXT\r\n[x]\r\n [RENAME]\r\n" + OWN_LINE << int(SFX_REGISTER_ONCE)
            << "[Rename]\r\nNUL=C:\\A.TXT\r\n[x]\r\n [RENAME]\r\n" + OWN_LINE;
        QTest::newRow("in another section") << "[x]\r\n" + OWN_LINE << int(SFX_REGISTER_ONCE)
                                            << "[x]\r\n" + OWN_LINE + "[Rename]\r\n" + OWN_LINE;
        QTest::newRow("carried out") << QByteArray("[Rename]\r\n;UL=C:\\STUB.EXE\r\n")
                                     << int(SFX_REGISTER_ONCE)
                                     << "[Rename]\r\n;UL=C:\\STUB.EXE\r\n" + OWN_LINE;
        QTest::newRow("other registrations repeat")
            << "[Rename]\r\n" + OWN_LINE << int(SFX_REGISTER_ALWAYS) << "[Rename]\r\n" + OWN_LINE + OWN_LINE;
    }

    void ownFileOnce()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, registration);
        QFETCH(QByteArray, after);
        QVERIFY(writeFile(wininit(), before));
        QVERIFY(SfxAddRenameLine(m_tarvek, stub(), nullptr, ESfxRegistration(registration)));
        QCOMPARE(readFile(wininit()), after);
    }

    // A host name that Windows cannot spell (a trailing dot, a "\\" in it) would name another file
    // at the restart: it is registered in neither list, and that file stays.
    void nameWithoutAWindowsFormIsNotRegistered_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("other"); // the file its Windows form names
        QTest::newRow("trailing dot") << "keep.txt."
                                      << "keep.txt";
        QTest::newRow("backslash") << "dir\\keep.txt"
                                   << "dir/keep.txt";
    }

    void nameWithoutAWindowsFormIsNotRegistered()
    {
        QFETCH(QString, name);
        QFETCH(QString, other);
        QVERIFY(writeFile(m_drive.path() + "/" + name, "x"));
        QVERIFY(writeFile(m_drive.path() + "/" + other, "keep"));
        QVERIFY(!SfxMoveAtReboot(m_tarvek, W(m_drive.path() + "/" + name), nullptr));
        QCOMPARE(win::ApplyRestartOperations([](const std::string&) {}), 0);
        QCOMPARE(readFile(m_drive.path() + "/" + other), QByteArray("keep"));
        QCOMPARE(readFile(m_drive.path() + "/" + name), QByteArray("x"));
    }

    // Two stubs finishing together register the stub's deletion once in the pending list: the
    // other one's whole registration may come before any lock this one takes of the list.
    void ownFileOnceWhenTwoFinishTogether_data()
    {
        QTest::addColumn<int>("lockCall");
        for (int call = 1; call <= 3; ++call)
            QTest::newRow(qPrintable("before lock " + QString::number(call))) << call;
    }

    void ownFileOnceWhenTwoFinishTogether()
    {
        QFETCH(int, lockCall);
        int calls = 0;
        bool otherDone = false;
        win::SetBeforeLockHook(
            [&](const std::string& path)
            {
                if (otherDone || !QString::fromStdString(path).endsWith("/pending") || ++calls != lockCall)
                    return;
                otherDone = true;
                SfxMoveAtReboot(m_tarvek, stub(), nullptr, SFX_REGISTER_ONCE);
            });
        SfxMoveAtReboot(m_tarvek, stub(), nullptr, SFX_REGISTER_ONCE);
        win::SetBeforeLockHook(nullptr);
        if (!otherDone)
            SfxMoveAtReboot(m_tarvek, stub(), nullptr, SFX_REGISTER_ONCE);
        QCOMPARE(readFile(pending()), QByteArray("5\tC:\\STUB.EXE\t\n"));
    }

    // Writing the file fails part-way (it may not grow): nothing is added, and the file stays
    // byte for byte as it was, with its mode.
    void failedWriteLeavesTheFile()
    {
        QByteArray before = "[Rename]\r\nNUL=C:\\A.TXT\r\n[boot]\r\n";
        while (before.size() < 4000)
            before += "shell=explorer.exe\r\n";
        QVERIFY(writeFile(wininit(), before));
        QCOMPARE(chmod(QFile::encodeName(wininit()).constData(), 0604), 0);
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0)
        {
            signal(SIGXFSZ, SIG_IGN);
            const struct rlimit limit = {rlim_t(before.size()), rlim_t(before.size())};
            setrlimit(RLIMIT_FSIZE, &limit);
            _exit(SfxAddRenameLine(m_tarvek, stub(), nullptr) ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 1);
        QCOMPARE(readFile(wininit()), before);
        QCOMPARE(QDir(m_drive.path() + "/WINDOWS").entryList(QDir::Files), QStringList{"wininit.ini"});

        const mode_t previous = umask(077);
        QVERIFY(SfxAddRenameLine(m_tarvek, stub(), nullptr));
        umask(previous);
        struct stat st;
        QCOMPARE(stat(QFile::encodeName(wininit()).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0604);
    }

    // Another uninstaller holds the file for its own read-modify-write: this one waits for it
    // and then adds its line to what the other one wrote.
    void waitsForAnotherUninstaller()
    {
        QVERIFY(writeFile(wininit(), "[Rename]\r\nNUL=C:\\A.TXT\r\n"));
        const int other = open(QFile::encodeName(wininit()).constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(other >= 0);
        QCOMPARE(flock(other, LOCK_EX), 0);

        std::atomic<int> attempts{0};
        win::SetBeforeLockHook([&attempts](const std::string&) { ++attempts; });
        std::atomic<bool> done{false};
        bool added = false;
        std::thread adder(
            [&]
            {
                added = SfxAddRenameLine(m_tarvek, stub(), nullptr);
                done = true;
            });
        // the other one finishes only once this one has found the file locked and tried again
        QTRY_VERIFY_WITH_TIMEOUT(attempts >= 2 || done, 20000);
        const QByteArray others = "[Rename]\r\nNUL=C:\\A.TXT\r\nNUL=C:\\OTHER.TXT\r\n";
        QCOMPARE(pwrite(other, others.constData(), size_t(others.size()), 0), ssize_t(others.size()));
        close(other);
        adder.join();

        QVERIFY(added);
        QCOMPARE(readFile(wininit()), others + OWN_LINE);
    }

    // The restart replaces the file (by rename) between this one's open and its lock: the line
    // goes into the new file, not into the old one that is gone.
    void followsAFileReplacedBeforeTheLock()
    {
        QVERIFY(writeFile(wininit(), "[Rename]\r\nNUL=C:\\A.TXT\r\n"));
        const QString replacement = wininit() + ".restart";
        int replaced = 0;
        win::SetBeforeLockHook(
            [&](const std::string&)
            {
                if (replaced++ == 0)
                    std::rename(QFile::encodeName(replacement).constData(),
                                QFile::encodeName(wininit()).constData());
            });
        QVERIFY(writeFile(replacement, "[boot]\r\nx=1\r\n"));
        QVERIFY(SfxAddRenameLine(m_tarvek, stub(), nullptr));
        QCOMPARE(readFile(wininit()), "[boot]\r\nx=1\r\n[Rename]\r\n" + OWN_LINE);
    }

    // Another program leads the name to another file after a writer of wininit.ini has locked and
    // read it: it points the user's link elsewhere, or renames a file into its place. The text
    // made from the locked file must not replace the file the name leads to now: each of the
    // three writers fails, and that file stays as it was.
    void writerNeverReplacesAnotherFile_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<bool>("link");
        for (const bool link : {true, false})
        {
            const char* change = link ? "link pointed elsewhere" : "file renamed into its place";
            QTest::addRow("kolvest, %s", change) << "kolvest" << link;
            QTest::addRow("uninstaller, %s", change) << "uninstaller" << link;
            QTest::addRow("restart, %s", change) << "restart" << link;
        }
    }

    void writerNeverReplacesAnotherFile()
    {
        QFETCH(QString, writer);
        QFETCH(bool, link);
        const QString locked = m_drive.path() + (link ? "/elsewhere/locked.ini" : "/WINDOWS/wininit.ini");
        const QString other = m_drive.path() + "/elsewhere/other.ini";
        const auto cleanUp = qScopeGuard([this] { QDir(m_drive.path() + "/elsewhere").removeRecursively(); });
        QVERIFY(writeFile(m_drive.path() + "/victim.txt", "v"));
        QVERIFY(writeFile(locked, "[boot]\r\n[rename]\r\nNUL=C:\\victim.txt\r\n"));
        const QByteArray others = "[user]\r\nkept=1\r\n";
        QVERIFY(writeFile(other, others));
        if (link)
            QVERIFY(QFile::link("../elsewhere/locked.ini", wininit()));
        const QByteArray name = QFile::encodeName(wininit());
        win::SetBeforeReplaceHook(
            [&, changed = false](const std::string&) mutable
            {
                if (std::exchange(changed, true))
                    return;
                const QByteArray by = link ? name + ".link" : QFile::encodeName(other + ".copy");
                if (link)
                    QVERIFY(symlink("../elsewhere/other.ini", by.constData()) == 0);
                else
                    QVERIFY(QFile::copy(other, other + ".copy"));
                QCOMPARE(std::rename(by.constData(), name.constData()), 0);
            });

        if (writer == "kolvest")
        {
            QVERIFY(!AddWininitRename("NUL", "C:\\STUB.EXE"));
            QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_SHARING_VIOLATION));
        }
        else if (writer == "uninstaller")
            QVERIFY(!SfxAddRenameLine(m_tarvek, stub(), nullptr));
        else
        {
            QStringList reports;
            QCOMPARE(win::ApplyRestartOperations([&](const std::string& line)
                                                 { reports << QString::fromStdString(line); }),
                     1);
            QCOMPARE(reports, QStringList{"cannot rewrite " + wininit() +
                                          ": The process cannot access the file because it is being "
                                          "used by another process."});
        }
        QCOMPARE(readFile(link ? other : wininit()), others);
        QCOMPARE(QDir(m_drive.path() + "/WINDOWS").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"wininit.ini"});
        QCOMPARE(QDir(m_drive.path() + "/elsewhere").entryList(QDir::Files),
                 (QStringList{"locked.ini", "other.ini"}.mid(link ? 0 : 1)));
    }
};

QTEST_GUILESS_MAIN(TestSfxReboot)
#include "tst_sfxreboot.moc"
