// kolvest run as a program in a temporary drive C:, its output compared byte for byte.
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace
{

const QByteArray kBanner = "Brastomyr Restart-Time File Remover 4.1 (kolvest.exe)\r\n"
                           "Copyright (C) 2005-2010 Brastomyr.  All rights reserved.\r\n\r\n";
const QByteArray kUsage = "Usage:\r\n"
                          "kolvest [/d\"...\"] [/move\"...\"] [/s] [/nologo] [/now] files...\r\n"
                          "\r\n"
                          "Switches:\r\n"
                          "/d       Set the default directory where the files are located.\r\n"
                          "/move    Replace the target file with the specified file.\r\n"
                          "/s       Recursively enter subdirectories.\r\n"
                          "/nologo  Do not display the program banner.\r\n"
                          "/now     Delete the file immediately if possible.\r\n";

using TestFiles::readFile;
using TestFiles::writeFile;

const QByteArray kTooLarge =
    " ... FAILED\r\nThe file size exceeds the limit allowed and cannot be saved.\r\n\r\n";

struct SRun
{
    QByteArray out;
    int code = -1;
    QByteArray err;
};

// A process that may write files up to a size only: beyond it writes fail with EFBIG.
class CLimitedProcess : public QProcess
{
public:
    explicit CLimitedProcess(rlim_t limit) : m_limit(limit) {}

protected:
    void setupChildProcess() override
    {
        signal(SIGXFSZ, SIG_IGN);
        const struct rlimit limit = {m_limit, m_limit};
        setrlimit(RLIMIT_FSIZE, &limit);
    }

private:
    rlim_t m_limit;
};

} // namespace

class TestKolvestCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_drive;
    int m_case = 0;

    QString host(const QString& relative) const { return m_drive + "/" + relative; }

    // extra "NAME=value" entries replace the defaults
    QStringList environment(const QStringList& extra) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("TOLVANE_DRIVES", "C=" + m_drive);
        env.insert("TOLVANE_WINDIR", "C:\\WINDOWS");
        env.insert("TOLVANE_PENDING_OPS", host("pending"));
        for (const QString& entry : extra)
            env.insert(entry.section('=', 0, 0), entry.section('=', 1));
        return env.toStringList();
    }

    SRun run(const QString& program, const QStringList& args, const QStringList& extraEnv = {})
    {
        QProcess process;
        process.setEnvironment(environment(extraEnv));
        process.setWorkingDirectory(host("work"));
        process.start(program, args);
        process.waitForFinished(20000);
        return {process.readAllStandardOutput(), process.exitCode(), process.readAllStandardError()};
    }

    SRun kolvest(const QStringList& args, const QStringList& extraEnv = {})
    {
        return run(KOLVEST_PATH, args, extraEnv);
    }

    int restart() { return run(TOLVANE_RESTART_PATH, {}).code; }

    // The environment of kolvest for each of the two restart-time mechanisms.
    static void restartMechanismRows()
    {
        QTest::addColumn<QStringList>("env");
        QTest::newRow("delayed move") << QStringList();
        QTest::newRow("wininit.ini") << QStringList{"TOLVANE_WIN_NOT_NT=1"};
    }

    // The command line that runs a program in a mount namespace of its own with folder bind-mounted
    // on mountPoint (the namespace and the mount go with the program); empty where that cannot be
    // done (no right to make one).
    static QStringList bindMountCommand(const QString& folder, const QString& mountPoint)
    {
        for (const QStringList& unshare : {QStringList{"-m"}, QStringList{"-r", "-m"}})
        {
            const QString script = "mount --bind \"$1\" \"$2\" && shift 2 && exec \"$@\"";
            const QStringList command =
                QStringList{"unshare"} + unshare + QStringList{"sh", "-c", script, "sh", folder, mountPoint};
            QProcess probe;
            probe.start(command.first(), command.mid(1) + QStringList{"true"});
            if (probe.waitForFinished(20000) && probe.exitStatus() == QProcess::NormalExit &&
                probe.exitCode() == 0)
                return command;
        }
        return {};
    }

    // kolvest that may write files up to `limit` bytes only
    SRun kolvestLimited(const QStringList& args, qint64 limit, const QStringList& extraEnv = {})
    {
        CLimitedProcess process{rlim_t(limit)};
        process.setEnvironment(environment(extraEnv));
        process.setWorkingDirectory(host("work"));
        process.start(KOLVEST_PATH, args);
        process.waitForFinished(20000);
        return {process.readAllStandardOutput(), process.exitCode(), process.readAllStandardError()};
    }

private slots:
    void init()
    {
        m_drive = m_root.path() + "/c" + QString::number(++m_case);
        QVERIFY(QDir().mkpath(host("work")));
        QVERIFY(QDir().mkpath(host("WINDOWS")));
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<int>("code");

        QTest::newRow("no arguments") << QStringList() << kBanner + kUsage << 0;
        QTest::newRow("usage without banner") << QStringList{"/nologo", "/?", "x"} << kUsage << 0;
        QTest::newRow("invalid switch before the banner")
            << QStringList{"/x", "file"} << QByteArray("\r\nInvalid command line switch:\r\nx\r\n") << 1;
        QTest::newRow("switches are case-sensitive")
            << QStringList{"/NOW", "a"} << QByteArray("\r\nInvalid command line switch:\r\nNOW\r\n") << 1;
        QTest::newRow("d needs its quote")
            << QStringList{"-d", "a"} << QByteArray("\r\nInvalid command line switch:\r\nd\r\n") << 1;
        QTest::newRow("no specification")
            << QStringList{"-nologo", "/now"}
            << QByteArray("You must specify the name of the file to be deleted.\r\n") << 255;
        QTest::newRow("nothing matched, no move")
            << QStringList{"/nologo", "C:\\none.txt"}
            << QByteArray(
                   "Warnings:\r\nThe file specification \"C:\\none.txt\" did not match any files.\r\n\r\n")
            << 0;
    }

    void commandLine()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, out);
        QFETCH(int, code);
        const SRun result = kolvest(args);
        QCOMPARE(result.out, out);
        QCOMPARE(result.code, code);
    }

    void deleteNow()
    {
        QVERIFY(writeFile(host("Temp/x.tmp"), "x"));
        QVERIFY(writeFile(host("Temp/Y.TMP"), "y"));
        QVERIFY(writeFile(host("Temp/keep.txt"), "k"));
        QVERIFY(writeFile(host("My Files/a.txt"), "a"));
        QVERIFY(QDir().mkpath(host("Temp/Empty")));
        QVERIFY(QFile::setPermissions(host("Temp/x.tmp"), QFileDevice::ReadOwner)); // read-only is cleared

        const SRun result =
            kolvest({"-nologo", "-now", "/d\"C:\\temp\"", "*.tmp", "\"C:\\My Files\\a.txt\"", "empty"});
        QCOMPARE(result.out, QByteArray("C:\\temp\\x.tmp ... deleted\r\n"
                                        "C:\\temp\\Y.TMP ... deleted\r\n"
                                        "C:\\My Files\\a.txt ... deleted\r\n"
                                        "C:\\temp\\Empty\\ ... deleted\r\n"));
        QCOMPARE(result.code, 0);
        QCOMPARE(QDir(host("Temp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"keep.txt"});
        QVERIFY(!QFile::exists(host("My Files/a.txt")));
        QVERIFY(!QFile::exists(host("pending")));
    }

    void relativeFolderOfTheFirstSpecification()
    {
        QVERIFY(writeFile(host("base/sub/a.tmp"), "a"));
        const SRun result = kolvest({"/nologo", "/now", "/d\"C:\\base\"", "sub\\*.tmp"});
        QCOMPARE(result.out, QByteArray("C:\\base\\sub\\a.tmp ... deleted\r\n"));
    }

    void warnings()
    {
        QVERIFY(writeFile(host("Temp/x.tmp"), "x"));
        const SRun result =
            kolvest({"/nologo", "/d\"C:\\Nope\"", "C:\\Temp\\x.tmp", "c:\\temp\\X.TMP", "C:\\Temp\\none.*"});
        QCOMPARE(result.out,
                 QByteArray("Warnings:\r\n"
                            "The default directory \"C:\\Nope\" does not exist.\r\n"
                            "The file \"c:\\temp\\x.tmp\" occurs more than once.\r\n"
                            "The file specification \"C:\\Temp\\none.*\" on line 3 did not match any "
                            "files.\r\n\r\n"
                            "C:\\Temp\\x.tmp ... success\r\n"));
        QCOMPARE(result.code, 0);
    }

    void missingPathSetsMinusTwo()
    {
        QVERIFY(writeFile(host("a.txt"), "a"));
        QVERIFY(QFile::link(host("gone"), host("dangling")));
        const SRun result = kolvest({"/nologo", "/now", "C:\\dangling", "C:\\a.txt"});
        QCOMPARE(result.out, QByteArray("C:\\dangling ... doesn't exist\r\nC:\\a.txt ... deleted\r\n"));
        QCOMPARE(result.code, 254);
    }

    void restartTimeDeleteAppliedByRestart()
    {
        QVERIFY(writeFile(host("Temp/a.tmp"), "a"));
        QVERIFY(writeFile(host("Temp/sub/b.tmp"), "b"));
        const SRun result = kolvest({"/nologo", "/s", "C:\\Temp\\*.tmp"});
        QCOMPARE(result.out,
                 QByteArray("C:\\Temp\\a.tmp ... success\r\nC:\\Temp\\sub\\b.tmp ... success\r\n"));
        QCOMPARE(readFile(host("pending")), QByteArray("4\tC:\\Temp\\a.tmp\t\n4\tC:\\Temp\\sub\\b.tmp\t\n"));
        QVERIFY(QFile::exists(host("Temp/a.tmp")));
        QCOMPARE(restart(), 0);
        QVERIFY(!QFile::exists(host("Temp/a.tmp")));
        QVERIFY(!QFile::exists(host("Temp/sub/b.tmp")));
        QCOMPARE(readFile(host("pending")), QByteArray());
    }

    void recursionListsLinksButNeverEntersThem()
    {
        QVERIFY(writeFile(host("Tree/a.tmp"), "a"));
        QVERIFY(writeFile(host("Tree/sub/b.tmp"), "b"));
        QVERIFY(writeFile(host("Outside/c.tmp"), "c"));
        QVERIFY(QFile::link(host("Tree"), host("Tree/loop")));
        QVERIFY(QFile::link(host("Outside"), host("Tree/out")));
        const SRun result = kolvest({"/nologo", "/s", "C:\\Tree\\*"});
        QCOMPARE(result.out, QByteArray("C:\\Tree\\a.tmp ... success\r\n"
                                        "C:\\Tree\\loop\\ ... success\r\n"
                                        "C:\\Tree\\out\\ ... success\r\n"
                                        "C:\\Tree\\sub\\ ... success\r\n"
                                        "C:\\Tree\\sub\\b.tmp ... success\r\n"));
        // sub\ comes before its file, so it is not empty yet at its turn, as on Windows
        QCOMPARE(restart(), 1);
        QVERIFY(QFileInfo(host("Tree/sub")).isDir());
        QVERIFY(!QFileInfo::exists(host("Tree/loop")));
        // a deleted link goes, never what it points to
        QVERIFY(!QFileInfo::exists(host("Tree/out")));
        QCOMPARE(readFile(host("Outside/c.tmp")), QByteArray("c"));
    }

    void moveAtRestartAndNow()
    {
        QVERIFY(writeFile(host("new.txt"), "new"));
        QVERIFY(writeFile(host("Temp/old.txt"), "old"));
        SRun result = kolvest({"/nologo", "/MOVE\"C:\\new.txt\"", "C:\\temp\\OLD.txt"});
        QCOMPARE(result.out, QByteArray("C:\\temp\\old.txt ... success\r\n"));
        QCOMPARE(result.code, 0);
        QCOMPARE(readFile(host("pending")), QByteArray("5\tC:\\new.txt\tC:\\temp\\old.txt\n"));
        QVERIFY(!QFile::exists(host("Temp/old.txt"))); // deletable now: gone at once
        QCOMPARE(readFile(host("new.txt")), QByteArray("new"));
        QCOMPARE(restart(), 0);
        QCOMPARE(readFile(host("Temp/old.txt")), QByteArray("new"));
        QVERIFY(!QFile::exists(host("new.txt")));

        QVERIFY(writeFile(host("work/newer.txt"), "newer"));
        result = kolvest({"/nologo", "/now", "/Move\"newer.txt\"", "C:\\Temp\\old.txt"});
        QCOMPARE(result.out, QByteArray("C:\\Temp\\old.txt ... moved\r\n"));
        QCOMPARE(readFile(host("Temp/old.txt")), QByteArray("newer"));
        QVERIFY(!QFile::exists(host("work/newer.txt")));
    }

    void moveErrors_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<int>("code");
        const QByteArray onDirectories = "The /move switch cannot be used on directories.";
        QTest::newRow("two targets") << "C:\\new.txt"
                                     << "C:\\Temp\\*.txt"
                                     << QByteArray("When using the /move switch, there must be exactly one "
                                                   "target file.")
                                     << 254;
        QTest::newRow("no target")
            << "C:\\new.txt"
            << "C:\\Temp\\*.doc"
            << QByteArray("Warnings:\r\nThe file specification \"C:\\Temp\\*.doc\" did not "
                          "match any files.\r\n\r\nWhen using the /move switch, there must be "
                          "exactly one target file.")
            << 254;
        QTest::newRow("a folder") << "C:\\new.txt"
                                  << "C:\\Temp\\Dir" << onDirectories << 253;
        // the restart could not move a folder there, and the target would be gone for good
        QTest::newRow("a folder as the replacing file") << "C:\\Temp\\Dir"
                                                        << "C:\\Temp\\a.txt" << onDirectories << 253;
        QTest::newRow("a relative folder as the replacing file") << "..\\Temp"
                                                                 << "C:\\Temp\\a.txt" << onDirectories << 253;
        QTest::newRow("the drive root as the replacing file") << "C:\\"
                                                              << "C:\\Temp\\a.txt" << onDirectories << 253;
    }

    void moveErrors()
    {
        QFETCH(QString, source);
        QFETCH(QString, target);
        QFETCH(QByteArray, out);
        QFETCH(int, code);
        QVERIFY(writeFile(host("new.txt"), "new"));
        QVERIFY(writeFile(host("Temp/a.txt"), "a"));
        QVERIFY(writeFile(host("Temp/b.txt"), "b"));
        QVERIFY(QDir().mkpath(host("Temp/Dir")));
        const SRun result = kolvest({"/nologo", "/move\"" + source + "\"", target});
        QCOMPARE(result.out, out);
        QCOMPARE(result.code, code);
        QCOMPARE(readFile(host("Temp/a.txt")), QByteArray("a"));
        QVERIFY(!QFile::exists(host("pending")));
    }

    void restartFallbacks_data()
    {
        QTest::addColumn<QStringList>("env");
        QTest::addColumn<bool>("wininitExe");
        QTest::addColumn<QByteArray>("wininitBefore"); // empty: no file
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("wininitAfter");

        const QByteArray ok = "C:\\x.tmp ... success\r\n";
        QTest::newRow("old system, new file") << QStringList{"TOLVANE_WIN_NOT_NT=1"} << false << QByteArray()
                                              << ok << QByteArray("\r\n[rename]\r\nNUL=C:\\x.tmp");
        QTest::newRow("old system, existing section")
            << QStringList{"TOLVANE_WIN_NOT_NT=1"} << false << QByteArray("[Rename]\r\nNUL=C:\\A.TXT\r\n")
            << ok << QByteArray("[Rename]\r\nNUL=C:\\A.TXT\r\nNUL=C:\\x.tmp");
        QTest::newRow("no delayed move, legacy program present")
            << QStringList{"TOLVANE_WIN_NO_DELAYED_MOVE=1"} << true << QByteArray() << ok
            << QByteArray("\r\n[rename]\r\nNUL=C:\\x.tmp");
        QTest::newRow("no delayed move, no legacy program")
            << QStringList{"TOLVANE_WIN_NO_DELAYED_MOVE=1"} << false << QByteArray()
            << QByteArray("C:\\x.tmp ... FAILED\r\nThis function is not supported on this system.\r\n\r\n")
            << QByteArray();
        QTest::newRow("delayed move refused")
            << QStringList{"TOLVANE_WIN_DELAYED_MOVE_REFUSED=1"} << false << QByteArray()
            << QByteArray("C:\\x.tmp ... FAILED\r\nAccess is denied.\r\n\r\n") << QByteArray();
    }

    void restartFallbacks()
    {
        QFETCH(QStringList, env);
        QFETCH(bool, wininitExe);
        QFETCH(QByteArray, wininitBefore);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, wininitAfter);
        QVERIFY(writeFile(host("x.tmp"), "x"));
        if (wininitExe)
            QVERIFY(writeFile(host("WINDOWS/wininit.exe"), ""));
        if (!wininitBefore.isEmpty())
            QVERIFY(writeFile(host("WINDOWS/wininit.ini"), wininitBefore));

        const SRun result = kolvest({"/nologo", "C:\\x.tmp"}, env);
        QCOMPARE(result.out, out);
        QCOMPARE(result.code, 0); // FAILED still ends with 0
        QCOMPARE(QFile::exists(host("WINDOWS/wininit.ini")), !wininitAfter.isEmpty());
        if (wininitAfter.isEmpty())
            return;
        QCOMPARE(readFile(host("WINDOWS/wininit.ini")), wininitAfter);
        QVERIFY(writeFile(host("A.TXT"), "a"));
        QCOMPARE(restart(), 0);
        QVERIFY(!QFile::exists(host("x.tmp")));
        QCOMPARE(QFile::exists(host("A.TXT")), !wininitBefore.contains("A.TXT"));
        QVERIFY(!readFile(host("WINDOWS/wininit.ini")).toLower().contains("[rename]"));
    }

    // A move source that reaches the target itself under another spelling or through a link is
    // the target: nothing may be deleted or registered, or the restart finds nothing to move.
    void moveOntoTheSameFile_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("now");
        QTest::newRow("dot") << "C:\\T\\.\\a.txt" << false;
        QTest::newRow("parent") << "C:\\T\\x\\..\\a.txt" << false;
        QTest::newRow("doubled separator") << "C:\\T\\\\a.txt" << false;
        QTest::newRow("trailing dot") << "C:\\T\\a.txt." << false;
        QTest::newRow("link") << "C:\\T\\link.txt" << false;
        QTest::newRow("hard link, now") << "C:\\T\\hard.txt" << true;
        QTest::newRow("parent, now") << "C:\\T\\x\\..\\a.txt" << true;
    }

    void moveOntoTheSameFile()
    {
        QFETCH(QString, source);
        QFETCH(bool, now);
        QVERIFY(writeFile(host("T/a.txt"), "a"));
        QVERIFY(QFile::link("a.txt", host("T/link.txt")));
        QCOMPARE(link(host("T/a.txt").toUtf8().constData(), host("T/hard.txt").toUtf8().constData()), 0);
        QStringList args{"/nologo", "/move\"" + source + "\"", "C:\\T\\a.txt"};
        if (now)
            args << "/now";
        const SRun result = kolvest(args);
        QCOMPARE(result.out, QByteArray("C:\\T\\a.txt ... ") + (now ? "moved\r\n" : "success\r\n"));
        QCOMPARE(result.code, 0);
        QVERIFY(!QFile::exists(host("pending")));
        QCOMPARE(restart(), 0);
        QCOMPARE(readFile(host("T/a.txt")), QByteArray("a"));
    }

    // "Delete X", then "replace X with A": the restart must do them in that order in either
    // mechanism, leaving X with A's content.
    void restartKeepsTheRegistrationOrder_data() { restartMechanismRows(); }

    void restartKeepsTheRegistrationOrder()
    {
        QFETCH(QStringList, env);
        QVERIFY(writeFile(host("X.txt"), "x"));
        QVERIFY(writeFile(host("A.txt"), "a"));
        QVERIFY(writeFile(host("WINDOWS/wininit.ini"),
                          "[boot]\r\nshell=x\r\n[rename]\r\n\r\n[386Enh]\r\ny=1\r\n"));
        QCOMPARE(kolvest({"/nologo", "C:\\X.txt"}, env).out, QByteArray("C:\\X.txt ... success\r\n"));
        QCOMPARE(kolvest({"/nologo", "/move\"C:\\A.txt\"", "C:\\X.txt"}, env).out,
                 QByteArray("C:\\X.txt ... success\r\n"));
        restart(); // the delete finds X gone already, which it reports
        QCOMPARE(readFile(host("X.txt")), QByteArray("a"));
        QVERIFY(!QFile::exists(host("A.txt")));
        QCOMPARE(readFile(host("WINDOWS/wininit.ini")),
                 QByteArray("[boot]\r\nshell=x\r\n[386Enh]\r\ny=1\r\n"));
    }

    // Deleting a link to a read-only file elsewhere: the link goes, the file keeps its mode.
    void deletingALinkLeavesItsTargetAlone_data()
    {
        QTest::addColumn<bool>("now");
        QTest::newRow("now") << true;
        QTest::newRow("at the restart") << false;
    }

    void deletingALinkLeavesItsTargetAlone()
    {
        QFETCH(bool, now);
        const QString outside = m_root.path() + "/outside" + QString::number(m_case);
        QVERIFY(writeFile(outside, "system"));
        QVERIFY(QFile::setPermissions(outside, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                   QFileDevice::ReadOther));
        QVERIFY(QDir().mkpath(host("T")));
        QVERIFY(QFile::link(outside, host("T/link.txt")));
        QStringList args{"/nologo", "C:\\T\\link.txt"};
        if (now)
            args << "/now";
        QCOMPARE(kolvest(args).out,
                 QByteArray("C:\\T\\link.txt ... ") + (now ? "deleted\r\n" : "success\r\n"));
        QCOMPARE(restart(), 0);
        QVERIFY(!QFileInfo::exists(host("T/link.txt")) && !QFileInfo(host("T/link.txt")).isSymLink());
        const QFileDevice::Permissions modeBits = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                  QFileDevice::ReadOther | QFileDevice::WriteOther;
        QCOMPARE(QFile::permissions(outside) & modeBits,
                 QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        QCOMPARE(readFile(outside), QByteArray("system"));
    }

    // Names that Windows cannot hold are skipped with a warning that shows them escaped; the
    // output keeps one line per path.
    void namesWithControlCharacters()
    {
        QVERIFY(writeFile(host("Temp/a\nb.tmp"), "1"));
        QVERIFY(writeFile(host("Temp/c\td.tmp"), "2"));
        QVERIFY(writeFile(host("Temp/e\rf.tmp"), "3"));
        QVERIFY(writeFile(host("Temp/ok.tmp"), "4"));
        QVERIFY(writeFile(host("Temp/sub\nx/z.tmp"), "5"));
        const SRun result = kolvest({"/nologo", "/now", "/s", "C:\\Temp\\*.tmp"});
        QCOMPARE(result.out,
                 QByteArray("Warnings:\r\n"
                            "The name \"C:\\Temp\\a<LF>b.tmp\" holds a control character and was "
                            "skipped.\r\n"
                            "The name \"C:\\Temp\\c<TAB>d.tmp\" holds a control character and was "
                            "skipped.\r\n"
                            "The name \"C:\\Temp\\e<CR>f.tmp\" holds a control character and was "
                            "skipped.\r\n"
                            "The name \"C:\\Temp\\sub<LF>x\" holds a control character and was "
                            "skipped.\r\n\r\n"
                            "C:\\Temp\\ok.tmp ... deleted\r\n"));
        QCOMPARE(result.code, 0);
        QCOMPARE(QDir(host("Temp")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 4);
    }

    // A "wininit.ini" too large to read: FAILED with that reason, the file untouched. The file is
    // sparse, so it takes no room on the disk.
    void wininitTooLarge()
    {
        QVERIFY(writeFile(host("x.tmp"), "x"));
        QFile wininit(host("WINDOWS/wininit.ini"));
        QVERIFY(wininit.open(QIODevice::WriteOnly) && wininit.resize(qint64(1) << 31));
        wininit.close();
        const SRun result = kolvest({"/nologo", "C:\\x.tmp"}, {"TOLVANE_WIN_NOT_NT=1"});
        QCOMPARE(result.out,
                 QByteArray("C:\\x.tmp ... FAILED\r\n"
                            "The file size exceeds the limit allowed and cannot be saved.\r\n\r\n"));
        QCOMPARE(result.code, 0);
        QCOMPARE(QFileInfo(host("WINDOWS/wininit.ini")).size(), qint64(1) << 31);
    }

    // Writing wininit.ini fails part-way (the file may not grow): FAILED with that reason, the
    // file byte for byte as it was, and the target of a move still there.
    void wininitWriteFailsPartWay_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("delete") << QStringList{"/nologo", "C:\\x.tmp"} << QByteArray("C:\\x.tmp");
        QTest::newRow("move") << QStringList{"/nologo", "/move\"C:\\new.txt\"", "C:\\x.tmp"}
                              << QByteArray("C:\\x.tmp");
    }

    void wininitWriteFailsPartWay()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, path);
        QVERIFY(writeFile(host("x.tmp"), "x"));
        QVERIFY(writeFile(host("new.txt"), "new"));
        QByteArray before = "[rename]\r\nNUL=C:\\A.TXT\r\n[boot]\r\n";
        while (before.size() < 4000)
            before += "shell=explorer.exe\r\n";
        QVERIFY(writeFile(host("WINDOWS/wininit.ini"), before));

        const SRun result = kolvestLimited(args, before.size(), {"TOLVANE_WIN_NOT_NT=1"});
        QCOMPARE(result.out, path + kTooLarge);
        QCOMPARE(result.code, 0);
        QCOMPARE(readFile(host("WINDOWS/wininit.ini")), before);
        QCOMPARE(readFile(host("x.tmp")), QByteArray("x"));
        QCOMPARE(QDir(host("WINDOWS")).entryList(QDir::Files), QStringList{"wininit.ini"});
    }

    // A wininit.ini that is not a regular file is refused at once (the read of a FIFO would wait
    // for good): kolvest fails with the reason Windows gives for a folder, the restart tool names
    // the file and fails; nothing else is touched.
    void wininitNotARegularFile_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("FIFO") << true;
        QTest::newRow("folder") << false;
    }

    void wininitNotARegularFile()
    {
        QFETCH(bool, fifo);
        const QString wininit = host("WINDOWS/wininit.ini");
        QVERIFY(writeFile(host("x.tmp"), "x"));
        if (fifo)
            QCOMPARE(mkfifo(QFile::encodeName(wininit).constData(), 0644), 0);
        else
            QVERIFY(QDir().mkpath(wininit));

        const SRun restarted = run(TOLVANE_RESTART_PATH, {});
        QCOMPARE(restarted.err,
                 "tolvane-restart: " + QFile::encodeName(wininit) + " is not a regular file\n");
        QCOMPARE(restarted.code, 1);
        const SRun result = kolvest({"/nologo", "C:\\x.tmp"}, {"TOLVANE_WIN_NOT_NT=1"});
        QCOMPARE(result.out, QByteArray("C:\\x.tmp ... FAILED\r\nAccess is denied.\r\n\r\n"));
        QCOMPARE(result.code, 0);
        QCOMPARE(QFileInfo(wininit).isDir(), !fifo);
        QCOMPARE(readFile(host("x.tmp")), QByteArray("x"));
    }

    // A registration that reaches the pending list only in part (the list may not grow: a full
    // disk, a quota) is cut back: FAILED, and the restart carries out the whole lines only. A
    // fragment left by a crash is no operation either, nor does a later registration make it one.
    void pendingFragmentIsNoOperation_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("fragment"); // after the list's whole line before the run
        QTest::addColumn<int>("room");            // bytes the list may still grow by; -1: no limit
        QTest::addColumn<QByteArray>("out");
        QTest::addColumn<QByteArray>("after"); // the list after the run, after its whole line

        QTest::newRow("delete cut after its source")
            << QStringList{"/nologo", "C:\\src.txt"} << QByteArray() << int(strlen("4\tC:\\src.txt\t"))
            << "C:\\src.txt" + kTooLarge << QByteArray();
        QTest::newRow("move cut in its target")
            << QStringList{"/nologo", "/move\"C:\\src.txt\"", "C:\\T\\dst.txt"} << QByteArray()
            << int(strlen("5\tC:\\src.txt\tC:\\T\\d")) << "C:\\T\\dst.txt" + kTooLarge << QByteArray();
        QTest::newRow("fragment of an earlier run")
            << QStringList{"/nologo", "C:\\c.txt"} << QByteArray("4\tC:\\src.txt\t") << -1
            << QByteArray("C:\\c.txt ... success\r\n") << QByteArray("4\tC:\\c.txt\t\n");
    }

    void pendingFragmentIsNoOperation()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, fragment);
        QFETCH(int, room);
        QFETCH(QByteArray, out);
        QFETCH(QByteArray, after);
        for (const char* name : {"a.txt", "c.txt", "src.txt", "T/dst.txt", "T/d"})
            QVERIFY(writeFile(host(name), name));
        const QByteArray whole = "4\tC:\\a.txt\t\n";
        QVERIFY(writeFile(host("pending"), whole + fragment));

        const SRun result = room < 0 ? kolvest(args) : kolvestLimited(args, whole.size() + room);
        QCOMPARE(result.out, out);
        QCOMPARE(result.code, 0);
        const QByteArray list = readFile(host("pending"));
        QCOMPARE(restart(), 0);
        QVERIFY(!QFile::exists(host("a.txt")));
        QCOMPARE(QFile::exists(host("c.txt")), room >= 0);
        for (const char* name : {"src.txt", "T/dst.txt", "T/d"})
            QCOMPARE(readFile(host(name)), QByteArray(name));
        QCOMPARE(list, whole + after);
    }

    // A registration that cannot be written to a list in folders made for it (the list may not
    // grow) takes the list and the folders away again: FAILED, and the user's folders as they were.
    void failedRegistrationLeavesNoFolder()
    {
        QVERIFY(writeFile(host("x.txt"), "x"));
        const SRun result = kolvestLimited({"/nologo", "C:\\x.txt"}, 0,
                                           {"TOLVANE_PENDING_OPS=" + host("state/tolvane/pending")});
        QCOMPARE(result.out, "C:\\x.txt" + kTooLarge);
        QCOMPARE(result.code, 0);
        QVERIFY(!QFileInfo::exists(host("state")));
        QCOMPARE(readFile(host("x.txt")), QByteArray("x"));
    }

    // The restart tool killed at some point of a list: the next run carries out the rest, and
    // only the rest: repeating the two moves at the top would move "a" on to C as well.
    void interruptedRestartResumes_data()
    {
        QTest::addColumn<bool>("wininit");
        QTest::addColumn<int>("stopAfter"); // operations carried out before the kill
        for (const bool wininit : {false, true})
        {
            const char* list = wininit ? "wininit.ini" : "pending list";
            QTest::addRow("%s: after the first move", list) << wininit << 1;
            QTest::addRow("%s: after the second move", list) << wininit << 2;
            QTest::addRow("%s: amid the deletes", list) << wininit << 30;
        }
    }

    void interruptedRestartResumes()
    {
        QFETCH(bool, wininit);
        QFETCH(int, stopAfter);
        const int count = 100;
        QVERIFY(writeFile(host("A"), "a"));
        QVERIFY(writeFile(host("B"), "b"));
        QVERIFY(writeFile(host("C"), "c"));
        QByteArray list =
            wininit ? "[rename]\r\nC:\\C=C:\\B\r\nC:\\B=C:\\A\r\n" : "5\tC:\\B\tC:\\C\n5\tC:\\A\tC:\\B\n";
        QVERIFY(QDir().mkpath(host("Many")));
        for (int i = 0; i < count; ++i)
        {
            QVERIFY(writeFile(host("Many/f" + QString::number(i)), ""));
            list += wininit ? "NUL=C:\\Many\\f" + QByteArray::number(i) + "\r\n"
                            : "4\tC:\\Many\\f" + QByteArray::number(i) + "\t\n";
        }
        QVERIFY(writeFile(host(wininit ? "WINDOWS/wininit.ini" : "pending"), list));

        QProcess process;
        process.setEnvironment(environment({"TOLVANE_RESTART_STOP_AFTER=" + QString::number(stopAfter)}));
        process.start(TOLVANE_RESTART_STOPPABLE_PATH, QStringList());
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(QDir(host("Many")).entryList(QDir::Files).size(), count - std::max(0, stopAfter - 2));

        restart();
        QCOMPARE(QDir(host("Many")).entryList(QDir::Files).size(), 0);
        QCOMPARE(readFile(host("C")), QByteArray("b"));
        QCOMPARE(readFile(host("B")), QByteArray("a"));
        QVERIFY(!QFile::exists(host("A")));
        QCOMPARE(restart(), 0);
        QCOMPARE(readFile(host(wininit ? "WINDOWS/wininit.ini" : "pending")), QByteArray());
    }

    // A folder registered for deletion (with its trailing backslash) beside a file in it: the
    // restart deletes both and marks both as done, so the next restart leaves a new file alone.
    void restartDeletesARegisteredFolder_data() { restartMechanismRows(); }

    void restartDeletesARegisteredFolder()
    {
        QFETCH(QStringList, env);
        QVERIFY(writeFile(host("Prog/app.exe"), "1"));
        QVERIFY(QDir().mkpath(host("Prog/sub")));
        QCOMPARE(kolvest({"/nologo", "C:\\Prog\\app.exe"}, env).out,
                 QByteArray("C:\\Prog\\app.exe ... success\r\n"));
        QCOMPARE(kolvest({"/nologo", "C:\\Prog\\sub"}, env).out,
                 QByteArray("C:\\Prog\\sub\\ ... success\r\n"));

        const SRun restarted = run(TOLVANE_RESTART_PATH, {});
        QCOMPARE(restarted.err, QByteArray());
        QCOMPARE(restarted.code, 0);
        QVERIFY(!QFileInfo::exists(host("Prog/app.exe")));
        QVERIFY(!QFileInfo::exists(host("Prog/sub")));
        QVERIFY(writeFile(host("Prog/app.exe"), "2"));
        QCOMPARE(restart(), 0);
        QCOMPARE(readFile(host("Prog/app.exe")), QByteArray("2"));
    }

    // One folder under two names (D: a drive whose folder is C:\T, or C:\L a link to C:\T): the old
    // version and a folder deleted under the one, the new version moved in under the other. However
    // the restart is stopped and run again, the new version stays.
    void folderUnderTwoNamesKeepsTheNewVersion_data()
    {
        QTest::addColumn<bool>("link");
        QTest::addColumn<bool>("wininit");
        QTest::addColumn<int>("stopAfter"); // operations carried out before the kill
        for (const bool link : {false, true})
            for (const bool wininit : {false, true})
                for (int stopAfter = 1; stopAfter <= 3; ++stopAfter)
                    QTest::addRow("%s, %s, stopped after %d", link ? "link" : "nested drives",
                                  wininit ? "wininit.ini" : "pending list", stopAfter)
                        << link << wininit << stopAfter;
    }

    void folderUnderTwoNamesKeepsTheNewVersion()
    {
        QFETCH(bool, link);
        QFETCH(bool, wininit);
        QFETCH(int, stopAfter);
        QVERIFY(writeFile(host("T/old.dll"), "old"));
        QVERIFY(writeFile(host("T/new.dll"), "new"));
        QVERIFY(QDir().mkpath(host("T/Sub")));
        QStringList env{"TOLVANE_DRIVES=C=" + m_drive + ";D=" + host("T")};
        if (wininit)
            env << "TOLVANE_WIN_NOT_NT=1";
        if (link)
            QVERIFY(QFile::link(host("T"), host("L")));
        const QString other = link ? "C:\\L\\" : "D:\\";
        QCOMPARE(kolvest({"/nologo", other + "old.dll"}, env).out,
                 (other + "old.dll ... success\r\n").toUtf8());
        QCOMPARE(kolvest({"/nologo", other + "Sub"}, env).out, (other + "Sub\\ ... success\r\n").toUtf8());
        QCOMPARE(kolvest({"/nologo", "/move\"C:\\T\\new.dll\"", "C:\\T\\old.dll"}, env).out,
                 QByteArray("C:\\T\\old.dll ... success\r\n"));

        QProcess process;
        process.setEnvironment(
            environment(env + QStringList{"TOLVANE_RESTART_STOP_AFTER=" + QString::number(stopAfter)}));
        process.start(TOLVANE_RESTART_STOPPABLE_PATH, QStringList());
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        run(TOLVANE_RESTART_PATH, {}, env); // the delete finds old.dll gone already, which it reports
        QCOMPARE(readFile(host("T/old.dll")), QByteArray("new"));
        QVERIFY(!QFileInfo::exists(host("T/new.dll")));
        QVERIFY(!QFileInfo::exists(host("T/Sub")));
        QCOMPARE(run(TOLVANE_RESTART_PATH, {}, env).code, 0);
        QCOMPARE(readFile(host("T/old.dll")), QByteArray("new"));
    }

    // D: a bind mount of a folder on C:'s file system: one device number, but no rename between
    // them. A restart-time move from C: onto D: is refused before the target is deleted; one
    // within D: is not.
    void restartMoveAcrossABindMount_data()
    {
        QTest::addColumn<bool>("wininit");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QByteArray>("out");
        const QByteArray refused =
            "D:\\old.dll ... FAILED\r\nThe system cannot move the file to a different disk drive.\r\n\r\n";
        for (const bool wininit : {false, true})
        {
            const char* list = wininit ? "wininit.ini" : "pending list";
            QTest::addRow("%s: from C:", list) << wininit << "C:\\T\\new.dll" << refused;
            QTest::addRow("%s: within D:", list)
                << wininit << "D:\\new.dll" << QByteArray("D:\\old.dll ... success\r\n");
        }
    }

    void restartMoveAcrossABindMount()
    {
        QFETCH(bool, wininit);
        QFETCH(QString, source);
        QFETCH(QByteArray, out);
        const QString mountPoint = m_root.path() + "/d" + QString::number(m_case);
        QVERIFY(QDir().mkpath(mountPoint));
        QVERIFY(writeFile(host("T/new.dll"), "new"));
        QVERIFY(writeFile(host("Bound/new.dll"), "new"));
        QVERIFY(writeFile(host("Bound/old.dll"), "old"));
        const QStringList bindMount = bindMountCommand(host("Bound"), mountPoint);
        if (bindMount.isEmpty())
            QSKIP("no mount namespace with a bind mount can be made here");
        QStringList env{"TOLVANE_DRIVES=C=" + m_drive + ";D=" + mountPoint};
        if (wininit)
            env << "TOLVANE_WIN_NOT_NT=1";

        const SRun result = run(
            bindMount.first(),
            bindMount.mid(1) + QStringList{KOLVEST_PATH, "/nologo", "/move\"" + source + "\"", "D:\\old.dll"},
            env);
        QCOMPARE(result.out, out);
        QCOMPARE(result.code, 0);
        const bool refused = out.contains("FAILED");
        QCOMPARE(QFileInfo::exists(host("Bound/old.dll")), refused);
        QCOMPARE(QFileInfo::exists(host("pending")), !wininit && !refused);
        QCOMPARE(QFileInfo::exists(host("WINDOWS/wininit.ini")), wininit && !refused);
    }

    void wrapsAtTheTerminalWidth()
    {
        struct termios raw;
        cfmakeraw(&raw);
        struct winsize size = {};
        size.ws_col = 40;
        size.ws_row = 24;
        int master = -1;
        const QByteArray program = KOLVEST_PATH;
        const QByteArray cwd = host("work").toUtf8();
        QList<QByteArray> env;
        for (const QString& entry : environment({}))
            env << entry.toUtf8();
        std::vector<char*> envp;
        for (QByteArray& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        char arg1[] = "/nologo";
        char arg2[] = "C:\\Temp\\nomatch.txt";
        char* argv[] = {const_cast<char*>(program.constData()), arg1, arg2, nullptr};

        const pid_t pid = forkpty(&master, nullptr, &raw, &size);
        QVERIFY(pid >= 0);
        if (pid == 0)
        {
            if (chdir(cwd.constData()) == 0)
                execve(program.constData(), argv, envp.data());
            _exit(127);
        }
        QByteArray out;
        char buffer[4096];
        ssize_t n;
        while ((n = read(master, buffer, sizeof buffer)) > 0)
            out.append(buffer, int(n));
        close(master);
        int status = 0;
        waitpid(pid, &status, 0);
        QCOMPARE(WEXITSTATUS(status), 0);
        // 38 columns: the break falls after the last backslash within them
        QCOMPARE(out, QByteArray("Warnings:\r\nThe file specification \"C:\\Temp\\\r\n"
                                 "nomatch.txt\" did not match any files.\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestKolvestCli)
#include "tst_kolvest_cli.moc"
