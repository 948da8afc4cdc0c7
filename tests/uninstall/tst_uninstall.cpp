// The uninstaller end to end: packages built by the packager, run as a program with the
// stand-in installer library, answers and results scripted through the environment.

#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace
{

const QString TITLE = "Quorvanix tolVane Installer (2.12 )";
const QString PROMPT = "Do you want to remove " + TITLE + " and all of its components?";
const QString FINAL =
    TITLE + " has been removed from your computer.\nSome files will be deleted when Windows restarts.";
const QString ADMIN_REQUIRED = "You need administrator rights to remove " + TITLE +
                               ".\nPlease log on as an administrator and start the uninstaller again.";
const QString CORRUPTED =
    "Fatal Error\r\nThis program has got corrupted internal data: it will exit. Please obtain a new copy.";
const QString NO_RUNTIME = "Fatal Error\r\nCannot create temporary runtime: the program will exit.";
const QString NO_FOLDER = "Fatal Error\r\nCannot create temporary folder: the program will exit.";
const QString BY_HAND = TITLE + " has been removed from your computer.\nThe uninstaller could not be "
                                "scheduled for deletion when Windows restarts: please delete %1 yourself.";

constexpr int MB_YESNO_QUESTION = 0x24;
constexpr int MB_INFORMATION = 0x40;
constexpr int MB_ERROR = 0x10;
constexpr int MB_ERROR_TOPMOST = 0x40010;

QString ScriptError(const QString& code)
{
    return "Unexpected error in script: code " + code + ".\nUninstaller execution aborted.";
}

// A box as the stub showed it: flags and text ("caption" checked separately).
using CBox = QPair<int, QString>;

using TestFiles::readFile;
using TestFiles::writeFile;

struct SRun
{
    int exitCode = -1000;
    QList<CBox> boxes;
    QStringList captions;
    QStringList events; // the library's
    QByteArray output;
    QByteArray errors;
};

QString WindowsPath(const QString& host)
{
    return "C:" + QString(host).replace('/', '\\');
}

QStringList PhasesIn(const QStringList& events)
{
    QStringList phases;
    for (const QString& event : events)
        if (event.startsWith("PerformUninstall "))
            phases << event.mid(17);
    return phases;
}

// True while the process runs (a zombie that nobody reaps yet has ended).
bool IsRunning(pid_t pid)
{
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const int state = line.lastIndexOf(')') + 2;
    return state > 1 && state < line.size() && line[state] != 'Z' && line[state] != 'X';
}

// Holds a file the way a running program holds it: no one else may delete it now.
class CHeldFile
{
public:
    explicit CHeldFile(const QString& path) : m_file(path)
    {
        if (m_file.open(QIODevice::ReadOnly))
            flock(m_file.handle(), LOCK_EX);
    }

private:
    QFile m_file;
};

} // namespace

class TestUninstall : public QObject
{
    Q_OBJECT

private:
    // One folder for every case, emptied before each: equal packages are then built only once.
    QTemporaryDir m_root;
    QString m_work;
    QHash<QByteArray, QString> m_packed; // packer arguments -> the package they made
    QString m_tmp, m_win, m_prod, m_package;

    QString path(const QString& name) const { return m_work + "/" + name; }

    // The product that the uninstall list names: two files, one in a sub-folder, and the folders.
    // The list is empty when the files could not be written (and pack() refuses an empty list).
    QByteArray installProduct()
    {
        if (!writeFile(m_prod + "/tolVane.exe", "program") ||
            !writeFile(m_prod + "/help/manual.txt", "manual"))
            return QByteArray();
        return "file=" + m_prod.toUtf8() + "/tolVane.exe\n" +
               "file=%XRSFXPATH%../../product/help/manual.txt\n" + "folder=" + m_prod.toUtf8() + "\n" +
               "folder=" + m_prod.toUtf8() + "/help\n";
    }

    // Packs the stub with the library, its data files, the uninstall list and `extra` arguments.
    bool pack(const QByteArray& uninstallList, const QStringList& extra = {}, bool withLibrary = true)
    {
        if (uninstallList.isEmpty() || !writeFile(path("uninst.lst"), uninstallList))
            return false;
        QStringList args{UNINSTALL_STUB, m_package, "--level", "1"};
        if (withLibrary)
            args << QString("tarvek.so=") + TARVEK_LIBRARY;
        args << QString(TARVEK_DATA_DIR) + "/xrlng.dat" << QString(TARVEK_DATA_DIR) + "/xrdlg.dat"
             << path("uninst.lst") << extra;
        const QByteArray key = uninstallList + '\0' + args.join('\0').toUtf8();
        if (m_packed.contains(key))
            return QFile::copy(m_packed[key], m_package);
        if (QProcess::execute(PACK_UNINSTALL, args) != 0)
            return false;
        const QString kept = m_root.path() + "/packed" + QString::number(m_packed.size());
        m_packed.insert(key, kept);
        return QFile::copy(m_package, kept);
    }

    QProcessEnvironment environment(const QStringList& vars) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"TOLVANE_DRIVES", "TOLVANE_WIN_NOT_NT", "TOLVANE_WIN_NO_DELAYED_MOVE",
                                 "TOLVANE_WIN_DELAYED_MOVE_REFUSED", "TOLVANE_MSGBOX_ANSWERS", "DISPLAY"})
            env.remove(name);
        env.insert("TMPDIR", m_tmp);
        env.insert("TOLVANE_WINDIR", WindowsPath(m_win));
        env.insert("TOLVANE_PENDING_OPS", path("pending"));
        env.insert("TOLVANE_MSGBOX_LOG", path("boxes"));
        env.insert("TOLVANE_TARVEK_LOG", path("events"));
        env.insert("TOLVANE_TARVEK_ISADMIN", "1");
        for (const QString& var : vars)
        {
            const int equals = var.indexOf('=');
            if (equals < 0)
                env.remove(var);
            else
                env.insert(var.left(equals), var.mid(equals + 1));
        }
        return env;
    }

    // Runs a program; one that does not end in time, or not by itself, has exit code -1000.
    SRun runTool(const QString& program, const QStringList& args, const QStringList& vars = {},
                 const QByteArray& input = {}) const
    {
        QProcess process;
        process.setProcessEnvironment(environment(vars));
        process.setWorkingDirectory(m_work);
        process.start(program, args);
        process.write(input);
        process.closeWriteChannel();
        SRun result;
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return result;
        result.exitCode = process.exitCode();
        result.output = process.readAllStandardOutput();
        result.errors = process.readAllStandardError();
        return result;
    }

    SRun run(const QStringList& vars, const QByteArray& input = {}, const QString& program = {})
    {
        QFile::remove(path("boxes"));
        QFile::remove(path("events"));
        SRun result = runTool(program.isEmpty() ? m_package : program, {}, vars, input);
        if (result.exitCode == SRun().exitCode)
            return result;
        // The stand-ins write their logs only once there is something to log.
        for (const QByteArray& line : readFile(path("boxes"), QByteArray()).split('\n'))
        {
            if (line.isEmpty())
                continue;
            const QJsonObject box = QJsonDocument::fromJson(line).object();
            result.boxes << CBox(box["flags"].toInt(), box["text"].toString());
            result.captions << box["caption"].toString();
        }
        result.events =
            QString::fromUtf8(readFile(path("events"), QByteArray())).split('\n', Qt::SkipEmptyParts);
        return result;
    }

    QStringList pending() const
    {
        return QString::fromUtf8(readFile(path("pending"), QByteArray())).split('\n', Qt::SkipEmptyParts);
    }

    QString pendingDelete(const QString& host) const { return "5\t" + WindowsPath(host) + "\t"; }

    bool restart() const { return runTool(RESTART_TOOL, {}).exitCode == 0; }

    QStringList tempFolders() const
    {
        return QDir(m_tmp).entryList({"xr*"}, QDir::AllEntries | QDir::System);
    }

private slots:
    void init()
    {
        m_work = m_root.path() + "/work";
        QVERIFY(QDir(m_work).removeRecursively());
        QVERIFY(QDir().mkpath(m_work));
        m_tmp = path("tmp");
        m_win = path("windows");
        m_prod = path("product");
        m_package = path("package/uninstall");
        QDir().mkpath(m_tmp);
        QDir().mkpath(m_win);
        QDir().mkpath(QFileInfo(m_package).path());
    }

    // Yes to the prompt, every phase succeeds: the product is gone, what is in use is left to
    // the restart together with the stub itself, and the temporary folder is removed.
    void normalRun()
    {
        QByteArray list = installProduct();
        QVERIFY(!list.isEmpty());
        QVERIFY(writeFile(m_prod + "/running.dll", "in use"));
        list += "file=" + m_prod.toUtf8() + "/running.dll\n";
        // Only (0, path, 0) is a restart-time delete.
        list += "report=1,0,/kind/one\nreport=0,1,/flag/one\nreport=0,0," + m_prod.toUtf8() + "/later.log\n";
        QVERIFY(pack(list));
        CHeldFile held(m_prod + "/running.dll");

        const SRun result = run({"TOLVANE_MSGBOX_ANSWERS=yes"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.boxes, (QList<CBox>{{MB_YESNO_QUESTION, PROMPT}, {MB_INFORMATION, FINAL}}));
        QCOMPARE(result.captions, (QStringList{TITLE, TITLE}));

        QVERIFY(!QFileInfo::exists(m_prod + "/tolVane.exe"));
        QVERIFY(!QFileInfo::exists(m_prod + "/help"));
        QVERIFY(QFileInfo::exists(m_prod + "/running.dll"));
        QCOMPARE(pending(),
                 (QStringList{pendingDelete(m_prod + "/running.dll"), pendingDelete(m_prod + "/later.log"),
                              pendingDelete(m_prod), pendingDelete(m_package)}));
        QCOMPARE(tempFolders(), QStringList());

        // The library saw the package variables, the progress dialog and the phases in order.
        const QStringList setVars =
            result.events.filter(QRegularExpression("^SetVar (APPTITLE|ARCNAME|CUR|ARCPATH)"));
        QCOMPARE(setVars, (QStringList{"SetVar APPTITLE=" + TITLE, "SetVar ARCNAME=" + m_package,
                                       "SetVar CUR=" + m_work, "SetVar ARCPATH=" + path("package")}));
        QVERIFY(result.events
                    .filter(QRegularExpression("^SetVar XRSFXPATH=" + QRegularExpression::escape(m_tmp) +
                                               "/xr[0-9A-F]{8}/$"))
                    .size() == 1);
        const int start = result.events.indexOf("SetVar EXITCODE=0");
        QVERIFY(start > 0);
        QCOMPARE(result.events.mid(start + 1),
                 (QStringList{"ShowProgressBox", "control 0 show 0", "PerformUninstall 0",
                              "control 3 message 0x402 60", "PerformUninstall 1",
                              "control 3 message 0x402 80", "PerformUninstall 3", "PerformUninstall 2",
                              "PerformUninstall 4", "control 3 message 0x402 90",
                              "control 3 message 0x402 100", "dialog message 0x40e 0"}));
    }

    // At the restart, what was left goes too.
    void restartFinishesTheJob()
    {
        QByteArray list = installProduct();
        QVERIFY(!list.isEmpty());
        QVERIFY(writeFile(m_prod + "/running.dll", "in use"));
        list += "file=" + m_prod.toUtf8() + "/running.dll\n";
        QVERIFY(pack(list));
        {
            CHeldFile held(m_prod + "/running.dll");
            QCOMPARE(run({"TOLVANE_MSGBOX_ANSWERS=yes"}).exitCode, 0);
        }
        QVERIFY(restart());
        QVERIFY(!QFileInfo::exists(m_prod));
        QVERIFY(!QFileInfo::exists(m_package));
    }

    // Runs that end early leave the product and the stub alone and still clean up.
    void unfinishedRuns_data()
    {
        QTest::addColumn<QStringList>("vars");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QList<CBox>>("boxes");
        QTest::addColumn<QStringList>("phases");

        QTest::newRow("answer No") << QStringList{"TOLVANE_MSGBOX_ANSWERS=no"} << 2
                                   << QList<CBox>{{MB_YESNO_QUESTION, PROMPT}} << QStringList();
        QTest::newRow("not an administrator")
            << QStringList{"TOLVANE_TARVEK_ISADMIN=0", "TOLVANE_MSGBOX_ANSWERS=yes"} << 3
            << QList<CBox>{{MB_ERROR, ADMIN_REQUIRED}} << QStringList();
        QTest::newRow("phase 1 fails")
            << QStringList{"TOLVANE_TARVEK_FAIL_PHASE=1", "TOLVANE_MSGBOX_ANSWERS=yes"} << 3
            << QList<CBox>{{MB_YESNO_QUESTION, PROMPT}} << QStringList{"0", "1"};
        QTest::newRow("phase 4 fails")
            << QStringList{"TOLVANE_TARVEK_FAIL_PHASE=4", "TOLVANE_MSGBOX_ANSWERS=yes"} << 3
            << QList<CBox>{{MB_YESNO_QUESTION, PROMPT}} << QStringList{"0", "1", "3", "2", "4"};
        QTest::newRow("library declines")
            << QStringList{"TOLVANE_TARVEK_INIT_UNINSTALL=0"} << 0 << QList<CBox>() << QStringList();
        QTest::newRow("exception in a phase")
            << QStringList{"TOLVANE_TARVEK_RAISE=1:c0000005", "TOLVANE_MSGBOX_ANSWERS=yes"} << 3
            << QList<CBox>{{MB_YESNO_QUESTION, PROMPT}, {MB_ERROR_TOPMOST, ScriptError("c0000005")}}
            << QStringList{"0", "1"};
        // A library that crashes takes the exception's way out too: the stub itself survives it.
#ifdef __SANITIZE_ADDRESS__
        const char* accessViolation = "c0000409"; // the sanitizer reports the fault and exits
#else
        const char* accessViolation = "c0000005";
#endif
        const QStringList crashes[] = {
            {"segmentation fault", "1:11", accessViolation},
            {"illegal instruction", "3:4", "c000001d"},
            {"abort", "0:6", "c0000409"},
            {"exit without a result, as after a sanitizer's report", "4:0", "c0000409"}};
        for (const QStringList& crash : crashes)
        {
            QStringList phases{"0", "1", "3", "2", "4"};
            phases = phases.mid(0, phases.indexOf(crash[1].left(1)) + 1);
            QTest::newRow(qPrintable("crash: " + crash[0]))
                << QStringList{"TOLVANE_TARVEK_CRASH=" + crash[1], "TOLVANE_MSGBOX_ANSWERS=yes"} << 3
                << QList<CBox>{{MB_YESNO_QUESTION, PROMPT}, {MB_ERROR_TOPMOST, ScriptError(crash[2])}}
                << phases;
        }
    }

    void unfinishedRuns()
    {
        QFETCH(QStringList, vars);
        QFETCH(int, exitCode);
        QFETCH(QList<CBox>, boxes);
        QFETCH(QStringList, phases);
        QVERIFY(pack(installProduct()));

        const SRun result = run(vars);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.boxes, boxes);
        QCOMPARE(PhasesIn(result.events), phases);
        QVERIFY(!result.events.contains("control 3 message 0x402 100"));
        QVERIFY(!pending().contains(pendingDelete(m_package)));
        QCOMPARE(tempFolders(), QStringList());
        if (phases.isEmpty())
            QVERIFY(QFileInfo::exists(m_prod + "/tolVane.exe"));
    }

    // Interrupted while the prompt waits for an answer: the stub ends by the signal as before,
    // but its temporary folder goes first, and nothing is uninstalled.
    void interruptedAtThePrompt_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void interruptedAtThePrompt()
    {
        QFETCH(int, signal);
        QVERIFY(pack(installProduct()));
        QProcess process;
        QProcessEnvironment env = environment({"QT_QPA_PLATFORM", "WAYLAND_DISPLAY"});
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(m_work);
        process.start(m_package, QStringList());
        QByteArray output;
        while (!output.contains("[y/n] ") && process.waitForReadyRead(30000))
            output += process.readAllStandardOutput();
        QVERIFY2(output.contains("[y/n] "), output.constData());
        QCOMPARE(tempFolders().size(), 1);

        QCOMPARE(kill(pid_t(process.processId()), signal), 0);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(tempFolders(), QStringList());
        QVERIFY(QFileInfo::exists(m_prod + "/tolVane.exe"));
        QCOMPARE(pending(), QStringList());
    }

    // The stub is killed while its library works: the library ends with it and deletes nothing
    // more, and the next start of an uninstaller removes the temporary folder left behind.
    void killedStubTakesItsLibraryAlong()
    {
        QVERIFY(pack(installProduct()));
        QProcess stub;
        stub.setProcessEnvironment(environment({"TOLVANE_MSGBOX_ANSWERS=yes", "TOLVANE_TARVEK_STALL=1"}));
        stub.setWorkingDirectory(m_work);
        stub.start(m_package, QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(readFile(path("events"), QByteArray()).contains("stalled "), 30000);
        const QByteArray events = readFile(path("events"));
        const pid_t library = pid_t(events.mid(events.indexOf("stalled ") + 8).split('\n').first().toInt());
        QVERIFY(library > 0);

        QCOMPARE(kill(pid_t(stub.processId()), SIGKILL), 0);
        QVERIFY(stub.waitForFinished(30000));
        QTRY_VERIFY_WITH_TIMEOUT(!IsRunning(library), 30000);
        QVERIFY(QFileInfo::exists(m_prod + "/tolVane.exe"));
        QCOMPARE(tempFolders().size(), 1);

        QCOMPARE(run({"TOLVANE_MSGBOX_ANSWERS=no"}).exitCode, 2);
        QCOMPARE(tempFolders(), QStringList());
        QVERIFY(QFileInfo::exists(m_prod + "/tolVane.exe"));
    }

    // Every run that completes registers the stub's own deletion, but a line already waiting is
    // not added again: each extra line would make the restart report a failure.
    void repeatedRunsRegisterTheStubOnce_data()
    {
        QTest::addColumn<QStringList>("vars");
        QTest::newRow("delayed move") << QStringList{"TOLVANE_MSGBOX_ANSWERS=yes"};
        QTest::newRow("wininit.ini") << QStringList{"TOLVANE_MSGBOX_ANSWERS=yes",
                                                    "TOLVANE_WIN_NO_DELAYED_MOVE=1"};
    }

    void repeatedRunsRegisterTheStubOnce()
    {
        QFETCH(QStringList, vars);
        QVERIFY(pack(installProduct()));
        QCOMPARE(run(vars).exitCode, 0);
        QVERIFY(!installProduct().isEmpty());
        QCOMPARE(run(vars).exitCode, 0);

        const QByteArray ownLine = "NUL=" + WindowsPath(m_package).toUtf8() + "\r\n";
        const int registrations = pending().count(pendingDelete(m_package)) +
                                  readFile(m_win + "/wininit.ini", QByteArray()).count(ownLine);
        QCOMPARE(registrations, 1);
        QVERIFY(restart());
        QVERIFY(!QFileInfo::exists(m_package));
    }

    // When the stub's own deletion cannot be registered (the pending list and wininit.ini are
    // folders here), the product is still gone and the exit code 0, but the closing text names
    // the stub's file to delete by hand, in the box or, silent, on stderr, in the user's language.
    void stubNotRegistered_data()
    {
        QTest::addColumn<QStringList>("vars");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("text");
        const QString english = BY_HAND;
        const QString german = TITLE +
                               " wurde von Ihrem Computer entfernt.\nDas Deinstallationsprogramm "
                               "konnte nicht zum Löschen beim nächsten Neustart von Windows vorgemerkt "
                               "werden: Bitte löschen Sie %1 selbst.";
        QTest::newRow("box") << QStringList{"TOLVANE_MSGBOX_ANSWERS=yes"} << false << english;
        QTest::newRow("box, German") << QStringList{"TOLVANE_MSGBOX_ANSWERS=yes", "LC_ALL=de_DE.UTF-8"}
                                     << false << german;
        QTest::newRow("silent") << QStringList{"TOLVANE_TARVEK_SILENT=1"} << true << english;
        QTest::newRow("silent, German")
            << QStringList{"TOLVANE_TARVEK_SILENT=1", "LC_ALL=de_DE.UTF-8"} << true << german;
    }

    void stubNotRegistered()
    {
        QFETCH(QStringList, vars);
        QFETCH(bool, silent);
        QFETCH(QString, text);
        QVERIFY(pack(installProduct()));
        QVERIFY(QDir().mkpath(path("pending")));
        QVERIFY(QDir().mkpath(m_win + "/wininit.ini"));
        const QString expected = text.arg(m_package);

        const SRun result = run(vars);
        QCOMPARE(result.exitCode, 0);
        QVERIFY(!QFileInfo::exists(m_prod));
        QVERIFY(QFileInfo::exists(m_package));
        if (silent)
        {
            QCOMPARE(result.boxes, QList<CBox>());
            QVERIFY2(result.errors.contains((expected + "\n").toUtf8()), result.errors.constData());
        }
        else
        {
            QCOMPARE(result.boxes.size(), 2); // the prompt, in the user's language, and the closing box
            QCOMPARE(result.boxes.last(), CBox(MB_INFORMATION, expected));
        }
        QCOMPARE(tempFolders(), QStringList());
    }

    // A pending list that is not a regular file (a FIFO would wait for good on its read) is
    // refused at once by every program that uses it, as wininit.ini is: kolvest fails with the
    // reason Windows gives for a folder, the restart tool names the file and fails with nothing
    // carried out, and the uninstaller goes on as when the delayed move is refused: its lines go
    // to wininit.ini, and only where that is refused too must the stub be deleted by hand.
    void pendingListNotARegularFile_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<bool>("wininitRefused");
        for (const bool fifo : {true, false})
        {
            const char* kind = fifo ? "FIFO" : "folder";
            QTest::addRow("kolvest, %s", kind) << "kolvest" << fifo << false;
            QTest::addRow("restart tool, %s", kind) << "restart" << fifo << false;
            QTest::addRow("silent uninstaller, %s", kind) << "uninstaller" << fifo << false;
            QTest::addRow("silent uninstaller, %s, wininit.ini a folder", kind)
                << "uninstaller" << fifo << true;
        }
    }

    void pendingListNotARegularFile()
    {
        QFETCH(QString, entry);
        QFETCH(bool, fifo);
        QFETCH(bool, wininitRefused);
        const QByteArray list = QFile::encodeName(path("pending"));
        if (fifo)
            QCOMPARE(mkfifo(list.constData(), 0644), 0);
        else
            QVERIFY(QDir().mkpath(path("pending")));
        if (wininitRefused)
            QVERIFY(QDir().mkpath(m_win + "/wininit.ini"));
        const QString victim = WindowsPath(path("victim.txt"));
        QVERIFY(writeFile(path("victim.txt"), "v"));

        if (entry == "kolvest")
        {
            const SRun result = runTool(KOLVEST, {"/nologo", victim});
            QCOMPARE(result.output, (victim + " ... FAILED\r\nAccess is denied.\r\n\r\n").toUtf8());
            QCOMPARE(result.exitCode, 0);
        }
        else if (entry == "restart")
        {
            const QByteArray wininit = "[rename]\r\nNUL=" + victim.toUtf8() + "\r\n";
            QVERIFY(writeFile(m_win + "/wininit.ini", wininit));
            const SRun result = runTool(RESTART_TOOL, {});
            QCOMPARE(result.errors, "tolvane-restart: " + list + " is not a regular file\n");
            QCOMPARE(result.exitCode, 1);
            QCOMPARE(readFile(m_win + "/wininit.ini"), wininit);
        }
        else
        {
            QVERIFY(pack(installProduct()));
            const SRun result = run({"TOLVANE_TARVEK_SILENT=1"});
            QCOMPARE(result.exitCode, 0);
            QVERIFY(!QFileInfo::exists(m_prod));
            const QString byHand = BY_HAND.arg(m_package) + "\n";
            QCOMPARE(result.errors.contains(byHand.toUtf8()), wininitRefused);
            if (!wininitRefused)
                QCOMPARE(readFile(m_win + "/wininit.ini"),
                         "[Rename]\r\nNUL=" + WindowsPath(m_package).toUtf8() + "\r\n");
            QCOMPARE(tempFolders(), QStringList());
        }
        QCOMPARE(readFile(path("victim.txt")), QByteArray("v"));
        struct stat st;
        QCOMPARE(lstat(list.constData(), &st), 0);
        QVERIFY(fifo ? S_ISFIFO(st.st_mode) : S_ISDIR(st.st_mode));
    }

    // A registration refused at the pending list leaves the user's folders as they were, also where
    // the list's name leads through folders still to be made: to a FIFO behind "new\..", or to a
    // name ending in a separator (a folder, once made). kolvest fails with the reason Windows gives
    // for a folder, the uninstaller goes on with its wininit.ini line.
    void refusedRegistrationMakesNoFolder_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("made"); // what a registration would have made
        for (const char* entry : {"kolvest", "uninstaller"})
        {
            QTest::addRow("%s, FIFO behind a folder to make", entry) << entry << "new/../fifo"
                                                                     << "new";
            QTest::addRow("%s, name ending in a separator", entry) << entry << "state/list/"
                                                                   << "state";
        }
    }

    void refusedRegistrationMakesNoFolder()
    {
        QFETCH(QString, entry);
        QFETCH(QString, list);
        QFETCH(QString, made);
        QCOMPARE(mkfifo(QFile::encodeName(path("fifo")).constData(), 0644), 0);
        const QString victim = WindowsPath(path("victim.txt"));
        QVERIFY(writeFile(path("victim.txt"), "v"));
        const QString listVar = "TOLVANE_PENDING_OPS=" + path(list);

        if (entry == "kolvest")
        {
            const SRun result = runTool(KOLVEST, {"/nologo", victim}, {listVar});
            QCOMPARE(result.output, (victim + " ... FAILED\r\nAccess is denied.\r\n\r\n").toUtf8());
            QCOMPARE(result.exitCode, 0);
        }
        else
        {
            QVERIFY(pack(installProduct()));
            const SRun result = run({"TOLVANE_TARVEK_SILENT=1", listVar});
            QCOMPARE(result.exitCode, 0);
            QVERIFY(!QFileInfo::exists(m_prod));
            QCOMPARE(readFile(m_win + "/wininit.ini"),
                     "[Rename]\r\nNUL=" + WindowsPath(m_package).toUtf8() + "\r\n");
        }
        QVERIFY(!QFileInfo::exists(path(made)));
        QCOMPARE(readFile(path("victim.txt")), QByteArray("v"));
    }

    // All three writers of wininit.ini follow a symbolic link to a regular file and change that
    // file: the link stays as it was, the file keeps its mode and extended attributes, and
    // nothing is left beside it.
    void wininitLinkIsFollowedByEveryWriter_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("kolvest") << "kolvest";
        QTest::newRow("silent uninstaller without the delayed move") << "uninstaller";
        QTest::newRow("restart tool") << "restart";
    }

    void wininitLinkIsFollowedByEveryWriter()
    {
        QFETCH(QString, entry);
        const QString file = path("elsewhere/wininit.ini");
        const QByteArray fileName = QFile::encodeName(file);
        const QString victim = WindowsPath(path("victim.txt"));
        const QByteArray boot = "[boot]\r\nshell=explorer.exe\r\n";
        QVERIFY(writeFile(path("victim.txt"), "v"));
        QVERIFY(writeFile(file,
                          entry == "restart" ? boot + "[rename]\r\nNUL=" + victim.toUtf8() + "\r\n" : boot));
        QCOMPARE(chmod(fileName.constData(), 0640), 0);
        const bool attributes = setxattr(fileName.constData(), "user.tolvane", "kept", 4, 0) == 0;
        QVERIFY(QFile::link("../elsewhere/wininit.ini", m_win + "/wininit.ini"));

        QByteArray expected = boot;
        if (entry == "kolvest")
        {
            const SRun result = runTool(KOLVEST, {"/nologo", victim}, {"TOLVANE_WIN_NOT_NT=1"});
            QCOMPARE(result.output, (victim + " ... success\r\n").toUtf8());
            expected += "[rename]\r\nNUL=" + victim.toUtf8();
        }
        else if (entry == "uninstaller")
        {
            QVERIFY(pack(installProduct()));
            const SRun result = run({"TOLVANE_TARVEK_SILENT=1", "TOLVANE_WIN_NO_DELAYED_MOVE=1"});
            QCOMPARE(result.exitCode, 0);
            QVERIFY2(!result.errors.contains("yourself"), result.errors.constData());
            QVERIFY(!QFileInfo::exists(m_prod));
            expected += "[Rename]\r\nNUL=" + WindowsPath(m_package).toUtf8() + "\r\n";
        }
        else
        {
            QVERIFY(restart());
            QVERIFY(!QFileInfo::exists(path("victim.txt")));
        }
        QCOMPARE(readFile(file), expected);
        char link[64] = {};
        QCOMPARE(QByteArray(link, int(readlink(QFile::encodeName(m_win + "/wininit.ini").constData(), link,
                                               sizeof link))),
                 QByteArray("../elsewhere/wininit.ini"));
        struct stat st;
        QCOMPARE(stat(fileName.constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0640);
        char attribute[8] = {};
        if (attributes)
            QCOMPARE(QByteArray(attribute, int(getxattr(fileName.constData(), "user.tolvane", attribute,
                                                        sizeof attribute))),
                     QByteArray("kept"));
        QCOMPARE(QDir(path("elsewhere")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"wininit.ini"});
        QCOMPARE(QDir(m_win).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 QStringList{"wininit.ini"});
    }

    // A relative TMPDIR is taken against the directory the stub starts in.
    void relativeTemporaryPath()
    {
        QVERIFY(pack(installProduct()));
        const SRun result = run({"TMPDIR=tmp", "TOLVANE_TARVEK_SILENT=1"});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.boxes, QList<CBox>());
        QVERIFY(!QFileInfo::exists(m_prod));
        QCOMPARE(tempFolders(), QStringList());
        QCOMPARE(QDir(m_work).entryList({"xr*"}, QDir::AllEntries), QStringList());
    }

    // Silent: no prompt, no dialog, no final box; the exit code is the library's "EXITCODE".
    void silentRun_data()
    {
        QTest::addColumn<QString>("exitText");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("number") << "  42 apples" << 42;
        QTest::newRow("not a number") << "none" << 0;
    }

    void silentRun()
    {
        QFETCH(QString, exitText);
        QFETCH(int, exitCode);
        QVERIFY(pack(installProduct()));
        const SRun result = run({"TOLVANE_TARVEK_SILENT=1", "TOLVANE_TARVEK_EXITCODE=" + exitText});
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.boxes, QList<CBox>());
        QVERIFY(!result.events.contains("ShowProgressBox"));
        QVERIFY(result.events.filter("message").isEmpty());
        QVERIFY(!QFileInfo::exists(m_prod));
        QCOMPARE(pending(), QStringList{pendingDelete(m_package)});
        QCOMPARE(tempFolders(), QStringList());
    }

    // Without a display the boxes are console prompts; a closed input answers No.
    void consolePrompt_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("yes") << QByteArray("maybe\ny\n") << 0;
        QTest::newRow("no") << QByteArray("n\n") << 2;
        QTest::newRow("no input") << QByteArray() << 2;
    }

    void consolePrompt()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, exitCode);
        QVERIFY(pack(installProduct()));
        const SRun result = run({"QT_QPA_PLATFORM", "WAYLAND_DISPLAY"}, input);
        QCOMPARE(result.exitCode, exitCode);
        QVERIFY(result.output.startsWith((TITLE + ": " + PROMPT + "\n[y/n] ").toUtf8()));
        QCOMPARE(result.output.contains("60%\n80%\n90%\n100%\n"), exitCode == 0);
        QCOMPARE(QFileInfo::exists(m_prod), exitCode != 0);
    }

    // The search skips junk between the header and the archive, even a signature whose
    // start-header CRC is wrong; BCJ2 as the shipped package uses it.
    void junkBeforeTheArchive()
    {
        const QByteArray list = installProduct();
        QVERIFY(!list.isEmpty());
        const QString staging = path("staging");
        QVERIFY(writeFile(staging + "/uninst.lst", list));
        QVERIFY(QFile::copy(TARVEK_LIBRARY, staging + "/tarvek.so"));
        QVERIFY(QFile::copy(QString(TARVEK_DATA_DIR) + "/xrlng.dat", staging + "/xrlng.dat"));
        QVERIFY(QFile::copy(QString(TARVEK_DATA_DIR) + "/xrdlg.dat", staging + "/xrdlg.dat"));
        QProcess sevenZip;
        sevenZip.setWorkingDirectory(staging);
        sevenZip.start(SEVEN_ZIP, {"a", "-t7z", "-bd", "-m0=LZMA", "-mf=BCJ2", "../package.7z", "."});
        QVERIFY(sevenZip.waitForFinished(60000) && sevenZip.exitCode() == 0);
        QByteArray junk(70000, 'j');
        junk.replace(1000, 32, QByteArray("7z\xBC\xAF\x27\x1C\x00\x04", 8) + QByteArray(24, '\x11'));
        junk.replace(40000, 6, QByteArray("7z\xBC\xAF\x27\x1C", 6));
        QVERIFY(writeFile(path("junk"), junk));
        QCOMPARE(QProcess::execute(PACK_UNINSTALL, {UNINSTALL_STUB, m_package, "--archive",
                                                    path("package.7z"), "--gap", path("junk")}),
                 0);

        const SRun result = run({"TOLVANE_MSGBOX_ANSWERS=yes"});
        QCOMPARE(result.exitCode, 0);
        QVERIFY(!QFileInfo::exists(m_prod));
        QCOMPARE(tempFolders(), QStringList());
    }

    // Without the delayed move (old system, or the system refuses it) the restart-time deletes
    // go into the "[Rename]" section of wininit.ini, beside the lines other programs wrote there;
    // a line too long for the file is left out rather than cut.
    void renameFallback_data()
    {
        QTest::addColumn<QString>("knob");
        QTest::newRow("no delayed move") << "TOLVANE_WIN_NO_DELAYED_MOVE=1";
        QTest::newRow("delayed move refused") << "TOLVANE_WIN_DELAYED_MOVE_REFUSED=1";
    }

    void renameFallback()
    {
        QFETCH(QString, knob);
        QByteArray list = installProduct();
        QVERIFY(!list.isEmpty());
        QVERIFY(writeFile(m_prod + "/running.dll", "in use"));
        list += "file=" + m_prod.toUtf8() + "/running.dll\n";
        QString longPath = m_prod;
        while (longPath.size() < 1100)
            longPath += "/" + QString(200, 'n');
        QVERIFY(writeFile(longPath + "/x", ""));
        list += "report=0,0," + longPath.toUtf8() + "/x\n";
        QVERIFY(pack(list));
        // Another program's restart-time delete, written the old way.
        QVERIFY(writeFile(path("victim.txt"), "v"));
        QCOMPARE(
            runTool(KOLVEST, {"/nologo", WindowsPath(path("victim.txt"))}, {"TOLVANE_WIN_NOT_NT=1"}).exitCode,
            0);
        const QByteArray before = readFile(m_win + "/wininit.ini");
        QVERIFY(before.contains("NUL=" + WindowsPath(path("victim.txt")).toUtf8()));

        {
            CHeldFile held(m_prod + "/running.dll");
            QCOMPARE(run({knob, "TOLVANE_MSGBOX_ANSWERS=yes"}).exitCode, 0);
        }
        QCOMPARE(pending(), QStringList());
        const QByteArray expected = before + "\r\nNUL=" + WindowsPath(m_prod + "/running.dll").toUtf8() +
                                    "\r\nNUL=" + WindowsPath(m_prod).toUtf8() +
                                    "\r\nNUL=" + WindowsPath(m_package).toUtf8() + "\r\n";
        QCOMPARE(readFile(m_win + "/wininit.ini"), expected);

        QVERIFY(QDir(m_prod + "/" + QString(200, 'n')).removeRecursively());
        QVERIFY(restart());
        QVERIFY(!QFileInfo::exists(path("victim.txt")));
        QVERIFY(!QFileInfo::exists(m_prod));
        QVERIFY(!QFileInfo::exists(m_package));
    }

    // Broken packages end with the error box, exit -n, no library call and nothing left behind.
    void brokenPackages_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("text");
        QTest::newRow("bare stub") << "bare" << 253 << CORRUPTED;
        QTest::newRow("B = 0") << "sizeZero" << 253 << CORRUPTED;
        QTest::newRow("no archive behind the header") << "emptyArchive" << 253 << CORRUPTED;
        QTest::newRow("damaged archive") << "damaged" << 253 << CORRUPTED;
        QTest::newRow("duplicate names") << "duplicate" << 254 << NO_RUNTIME;
        QTest::newRow("entry into the parent folder") << "parent" << 253 << CORRUPTED;
        QTest::newRow("library missing") << "noLibrary" << 254 << NO_RUNTIME;
        QTest::newRow("temporary path too long") << "longTemp" << 255 << NO_FOLDER;
    }

    void brokenPackages()
    {
        QFETCH(QString, kind);
        QFETCH(int, exitCode);
        QFETCH(QString, text);
        const QByteArray list = installProduct();
        QVERIFY(!list.isEmpty());
        QStringList vars{"TOLVANE_MSGBOX_ANSWERS=yes"};
        const int stubSize = int(QFileInfo(UNINSTALL_STUB).size());
        if (kind == "bare")
        {
            QVERIFY(QFile::copy(UNINSTALL_STUB, m_package));
        }
        else if (kind == "sizeZero" || kind == "damaged")
        {
            QVERIFY(pack(list));
            QByteArray bytes = readFile(m_package);
            if (kind == "sizeZero")
                bytes.replace(stubSize + 10, 8, QByteArray(8, '\0'));
            else
                bytes[stubSize + 18 + 300] = char(bytes[stubSize + 18 + 300] ^ 0x5A);
            QVERIFY(writeFile(m_package, bytes));
        }
        else if (kind == "emptyArchive")
        {
            QVERIFY(writeFile(path("empty.7z"), ""));
            QCOMPARE(
                QProcess::execute(PACK_UNINSTALL, {UNINSTALL_STUB, m_package, "--archive", path("empty.7z")}),
                0);
        }
        else if (kind == "duplicate")
        {
            QVERIFY(pack(list, {"xrlng.dat=" + path("uninst.lst")}));
        }
        else if (kind == "parent")
        {
            QVERIFY(pack(list, {"../escaped=" + path("uninst.lst")}));
        }
        else if (kind == "noLibrary")
        {
            QVERIFY(pack(list, {}, false));
        }
        else if (kind == "longTemp")
        {
            QVERIFY(pack(list));
            m_tmp = path(QString(270 - m_work.size(), 't'));
            QVERIFY(QDir().mkpath(m_tmp));
        }
        QFile(m_package).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        const SRun result = run(vars);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.boxes, QList<CBox>{CBox(MB_ERROR_TOPMOST, text)});
        QCOMPARE(result.captions, QStringList{TITLE});
        QVERIFY(PhasesIn(result.events).isEmpty());
        QCOMPARE(tempFolders(), QStringList());
        QVERIFY(!QFileInfo::exists(path("escaped")) && !QFileInfo::exists(path("tmp/escaped")));
        QCOMPARE(pending(), QStringList());
        QVERIFY(QFileInfo::exists(m_prod + "/tolVane.exe"));
    }
};

QTEST_GUILESS_MAIN(TestUninstall)
#include "tst_uninstall.moc"
