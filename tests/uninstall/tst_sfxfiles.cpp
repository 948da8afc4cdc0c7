// Path utilities, the temporary folder, entry-name checks, the exit-code reader and the
// "[Rename]" line insertion of the uninstaller stub.

#include "SfxArchive.h"
#include "SfxFiles.h"
#include "SfxReboot.h"
#include "SfxUninstall.h"
#include "TestFiles.h"
#include "WideText.h"
#include "platform/SfxText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace sfx;
using TestFiles::readFile;
using TestFiles::writeFile;

namespace
{

QString Q(const WString& text)
{
    return QString::fromUtf16(text.data(), int(text.size()));
}

// The folder that a stub killed meanwhile left in tmp: made, marked, no longer locked. Empty when
// none could be made.
QString KilledStubFolder(const QString& tmp)
{
    const auto stub = SfxCreateTempFolder(W(tmp));
    return stub ? tmp + QDir(Q(stub->path())).dirName() : QString();
}

// The mark the stub writes in that folder.
QByteArray MarkOf(const QString& folder)
{
    const int fd = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const std::optional<std::string> mark = fd < 0 ? std::nullopt : SfxFolderMark(fd);
    if (fd >= 0)
        close(fd);
    return mark ? QByteArray::fromStdString(*mark) : QByteArray();
}

} // namespace

class TestSfxFiles : public QObject
{
    Q_OBJECT

private slots:
    void cutAtLastSeparator_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file path") << "C:\\Program Files\\tolVane\\uninstall.exe"
                                   << "C:\\Program Files\\tolVane";
        QTest::newRow("backslash before slash") << "C:\\a/b\\c/d"
                                                << "C:\\a/b";
        QTest::newRow("host path") << "/opt/tolvane/uninstall"
                                   << "/opt/tolvane";
        QTest::newRow("drive relative") << "D:setup.exe"
                                        << "D:";
        QTest::newRow("bare name") << "uninstall.exe"
                                   << "";
        QTest::newRow("empty") << ""
                               << "";
    }

    void cutAtLastSeparator()
    {
        QFETCH(QString, path);
        QFETCH(QString, expected);
        WString text = W(path);
        SfxCutAtLastSeparator(text);
        QCOMPARE(Q(text), expected);
    }

    void safeEntryName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "tarvek.so" << true;
        QTest::newRow("nested") << "data/lang/xrlng.dat" << true;
        QTest::newRow("dots inside a name") << "a..b/..c/d.." << true;
        QTest::newRow("parent") << "../evil" << false;
        QTest::newRow("parent inside") << "a/../../evil" << false;
        QTest::newRow("parent with backslash") << "a\\..\\evil" << false;
        QTest::newRow("parent at the end") << "a/.." << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("root backslash") << "\\windows\\evil" << false;
        QTest::newRow("drive letter") << "C:evil" << false;
        QTest::newRow("drive root") << "c:\\evil" << false;
        QTest::newRow("empty") << "" << false;
    }

    void safeEntryName()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(SfxIsSafeEntryName(name.toStdString()), safe);
    }

    void createDirChain()
    {
        QTemporaryDir root;
        const QString path = root.path() + "/a/b\\c/d/";
        QCOMPARE(SfxCreateDirChain(W(path)), 0);
        QVERIFY(QFileInfo(root.path() + "/a/b/c/d").isDir());
        QCOMPARE(SfxCreateDirChain(W(path)), 0); // all there already

        QFile blocker(root.path() + "/file");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(SfxCreateDirChain(W(root.path() + "/file/sub")) != 0);
    }

    // The clean-up removes links, never what they point to.
    void deleteTreeKeepsLinkTargets()
    {
        QTemporaryDir outside;
        const QString precious = outside.path() + "/precious";
        QVERIFY(TestFiles::writeFile(precious, "keep"));

        QTemporaryDir root;
        const QString tree = root.path() + "/xr0000ABCD";
        QVERIFY(QDir().mkpath(tree + "/sub/deeper"));
        QFile file(tree + "/sub/deeper/file");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(QFile::link(outside.path(), tree + "/sub/linkToFolder"));
        QVERIFY(QFile::link(precious, tree + "/linkToFile"));

        QCOMPARE(SfxDeleteTree(W(tree + "/")), 0);
        QVERIFY(!QFileInfo::exists(tree));
        QVERIFY(QFileInfo::exists(precious));
        QVERIFY(QFileInfo(outside.path()).isDir());
    }

    void deleteTreeOfALinkLeavesItsTarget()
    {
        QTemporaryDir outside;
        QFile precious(outside.path() + "/precious");
        QVERIFY(precious.open(QIODevice::WriteOnly));
        precious.close();
        QTemporaryDir root;
        QVERIFY(QFile::link(outside.path(), root.path() + "/xrLINK"));
        QVERIFY(SfxDeleteTree(W(root.path() + "/xrLINK/")) != 0);
        QVERIFY(QFileInfo::exists(precious.fileName()));
    }

    void tempFolderName() { QCOMPARE(Q(SfxTempFolderName(0x0012ABEFu)), QString("xr0012ABEF")); }

    void tempFolderIsFreshAndPrivate()
    {
        QTemporaryDir root;
        const auto first = SfxCreateTempFolder(W(root.path() + "/"));
        const auto second = SfxCreateTempFolder(W(root.path() + "/"));
        QVERIFY(first && second);
        QVERIFY(first->path() != second->path());
        const QString folder = Q(first->path());
        QVERIFY(folder.endsWith('/'));
        QVERIFY(QFileInfo(folder).fileName().isEmpty());
        QVERIFY(QRegularExpression("^xr[0-9A-F]{8}$").match(QDir(folder).dirName()).hasMatch());
        struct stat st;
        QCOMPARE(stat(QFile::encodeName(folder).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), 0700);
    }

    // A later start removes only what a killed stub left: a folder of the stub's name that
    // nobody holds and that the stub can prove it made (owner-only, with its mark). A user's own
    // folder of such a name, one with a mark that is not the stub's, folders in use (by a running
    // stub, here this test), links, folders of another name or mode, and files stay.
    void abandonedTempFolders()
    {
        QTemporaryDir root;
        QTemporaryDir outside;
        const QString tmp = root.path() + "/";
        // the mark the stub would have written in that folder, followed by `extra`
        const auto make = [&tmp](const QString& name, int mode, const char* extra)
        {
            const QString folder = tmp + name;
            return QDir().mkdir(folder) && writeFile(folder + "/notes.txt", "the user's") &&
                   (!extra || writeFile(folder + "/" + SFX_FOLDER_MARK_NAME, MarkOf(folder) + extra)) &&
                   chmod(QFile::encodeName(folder).constData(), mode_t(mode)) == 0;
        };
        const QString killed = KilledStubFolder(tmp); // unlocked: the stub is gone
        QVERIFY(!killed.isEmpty());
        QVERIFY(writeFile(killed + "/tarvek.so", "library"));
        QVERIFY(QDir().mkpath(killed + "/data/lang"));
        QVERIFY(make("xr0000ABCD", 0700, nullptr)); // the user's own
        QVERIFY(make("xr0000ABCE", 0700, "more"));  // not the stub's mark
        QVERIFY(make("xr00000001", 0700, ""));      // running stub
        QVERIFY(make("xr0000000a", 0700, ""));      // not a name the stub makes
        QVERIFY(make("xr00000002", 0755, ""));      // not a mode the stub makes
        QVERIFY(make("yr00000003", 0700, ""));      // another program's
        QVERIFY(make("xr00000006", 0700, nullptr));
        const QByteArray mark = MarkOf(tmp + "xr00000006");
        QVERIFY(writeFile(outside.path() + "/mark", mark));
        QVERIFY(QFile::link(outside.path() + "/mark", tmp + "xr00000006/" + SFX_FOLDER_MARK_NAME));
        QVERIFY(writeFile(tmp + "xr00000004", "a file"));
        QVERIFY(writeFile(outside.path() + "/precious", "p"));
        QVERIFY(QFile::link(outside.path(), tmp + "xr00000005"));
        const int running = open(QFile::encodeName(tmp + "xr00000001").constData(), O_RDONLY | O_DIRECTORY);
        QCOMPARE(flock(running, LOCK_EX), 0);

        SfxRemoveAbandonedTempFolders(W(tmp));
        close(running);
        QCOMPARE(QDir(tmp).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 (QStringList{"xr00000001", "xr00000002", "xr00000004", "xr00000005", "xr00000006",
                              "xr0000000a", "xr0000ABCD", "xr0000ABCE", "yr00000003"}));
        for (const char* folder : {"xr00000001", "xr00000006", "xr0000ABCD", "xr0000ABCE"})
            QCOMPARE(readFile(tmp + folder + "/notes.txt"), QByteArray("the user's"));
        QCOMPARE(readFile(outside.path() + "/mark"), mark);
        QVERIFY(QFileInfo::exists(outside.path() + "/precious"));

        // the folder of a running stub is locked from its creation on
        const auto own = SfxCreateTempFolder(W(tmp));
        QVERIFY(own);
        SfxRemoveAbandonedTempFolders(W(tmp));
        QVERIFY(QFileInfo(Q(own->path())).isDir());
    }

    // Another folder is put in the place of the one being removed once it is emptied: it stays.
    void abandonedTempFolderReplacedMeanwhile()
    {
        QTemporaryDir root;
        const QString tmp = root.path() + "/";
        const QString killed = KilledStubFolder(tmp);
        QVERIFY(!killed.isEmpty());
        bool replaced = false;
        SfxSetBeforeFolderRemovalHook(
            [&]
            {
                replaced = std::rename(QFile::encodeName(killed).constData(),
                                       QFile::encodeName(tmp + "emptied").constData()) == 0 &&
                           QDir().mkdir(killed);
            });
        SfxRemoveAbandonedTempFolders(W(tmp));
        SfxSetBeforeFolderRemovalHook(nullptr);
        QVERIFY(replaced);
        QVERIFY(QFileInfo(killed).isDir());
        QCOMPARE(QDir(tmp + "emptied").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // A user's copy of a stub's folder (cp -a takes the mark along) is not the stub's: it stays
    // with the user's files in it, while the stub's own leftover folder goes.
    void copiedTempFolderStays()
    {
        QTemporaryDir root;
        const QString tmp = root.path() + "/";
        const QString killed = KilledStubFolder(tmp);
        QVERIFY(!killed.isEmpty());
        QVERIFY(writeFile(killed + "/tarvek.so", "library"));
        const QString copy = tmp + "xr0000C0FE";
        QCOMPARE(QProcess::execute("cp", {"-a", killed, copy}), 0);
        QVERIFY(writeFile(copy + "/notes.txt", "the user's"));

        SfxRemoveAbandonedTempFolders(W(tmp));
        QVERIFY(!QFileInfo::exists(killed));
        QCOMPARE(readFile(copy + "/notes.txt"), QByteArray("the user's"));
        QCOMPARE(readFile(copy + "/tarvek.so"), QByteArray("library"));
    }

    void tempFolderInAMissingPlace() { QVERIFY(!SfxCreateTempFolder(u"/nonexistent-folder/for-sure/")); }

    void parseExitCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("number") << "42" << 42;
        QTest::newRow("blanks and sign") << "  \t-17" << -17;
        QTest::newRow("plus") << "+5" << 5;
        QTest::newRow("stops at a non-digit") << "12abc" << 12;
        QTest::newRow("no digits") << "abc" << 0;
        QTest::newRow("sign only") << "-" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("too large") << "99999999999" << 2147483647;
        QTest::newRow("too small") << "-99999999999" << -2147483647 - 1;
    }

    void parseExitCode()
    {
        QFETCH(QString, text);
        QFETCH(int, code);
        QCOMPARE(SfxParseExitCode(W(text)), code);
    }

    void textConversionIsExact()
    {
        QCOMPARE(ToUtf8(u"Gr\u00FC\u00DFe \U0001F600").value(), std::string("Gr\xC3\xBC\xC3\x9F"
                                                                            "e \xF0\x9F\x98\x80"));
        QCOMPARE(FromUtf8("Gr\xC3\xBC\xC3\x9F"
                          "e")
                     .value(),
                 WString(u"Gr\u00FC\u00DFe"));
        const char16_t loneSurrogate[] = {u'a', char16_t(0xD800), u'b', 0};
        QVERIFY(!ToUtf8(loneSurrogate));
        QVERIFY(!FromUtf8("a\xFF"
                          "b"));
        QVERIFY(!FromUtf8("\xC0\xAF"));     // overlong '/'
        QVERIFY(!FromUtf8("\xED\xA0\x80")); // encoded surrogate
        QVERIFY(!FromUtf8("\xE2\x82"));     // cut sequence
    }

    void insertRenameLine_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray line = "NUL=C:\\TMP\\UNINST~1\r\n";
        QTest::newRow("empty file") << QByteArray() << "[Rename]\r\n" + line;
        QTest::newRow("no section") << QByteArray("[boot]\r\nx=1\r\n")
                                    << "[boot]\r\nx=1\r\n[Rename]\r\n" + line;
        QTest::newRow("no section, no last line break")
            << QByteArray("[boot]\r\nx=1") << "[boot]\r\nx=1\r\n[Rename]\r\n" + line;
        QTest::newRow("section before another")
            << QByteArray("[rename]\r\nNUL=C:\\A.TXT\r\n[boot]\r\nx=1\r\n")
            << "[rename]\r\nNUL=C:\\A.TXT\r\n" + line + "[boot]\r\nx=1\r\n";
        QTest::newRow("section last") << QByteArray("[boot]\r\n[RENAME]\r\nNUL=C:\\A.TXT\r\n")
                                      << "[boot]\r\n[RENAME]\r\nNUL=C:\\A.TXT\r\n" + line;
        // The line another writer left without its line break keeps its own line.
        QTest::newRow("section last, no last line break")
            << QByteArray("\r\n[rename]\r\nNUL=C:\\A.TXT") << "\r\n[rename]\r\nNUL=C:\\A.TXT\r\n" + line;
        QTest::newRow("empty section before another")
            << QByteArray("[Rename]\r\n[boot]\r\n") << "[Rename]\r\n" + line + "[boot]\r\n";
    }

    void insertRenameLine()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, expected);
        const std::string result = SfxInsertRenameLine(file.toStdString(), "NUL=C:\\TMP\\UNINST~1\r\n");
        QCOMPARE(QByteArray::fromStdString(result), expected);
    }
};

QTEST_APPLESS_MAIN(TestSfxFiles)
#include "tst_sfxfiles.moc"
