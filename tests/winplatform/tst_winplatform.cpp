// The shared Windows stand-in layer: paths through the drive table, error texts, delayed moves and
// what the restart applies, also after a read error or a power loss.
#include "BoundedChild.h"
#include "DelayedMove.h"
#include "HostIo.h"
#include "HostMount.h"
#include "Restart.h"
#include "ShareLock.h"
#include "TestFiles.h"
#include "WinError.h"
#include "WinPath.h"
#include "WinSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <utility>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

using TestFiles::readFile;
using TestFiles::writeFile;

namespace
{

using Files = QMap<QString, QByteArray>; // relative path -> content

QString pathOf(int fd)
{
    return QFile::symLinkTarget("/proc/self/fd/" + QString::number(fd));
}

Files filesIn(const QString& folder)
{
    Files files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
    {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] = readFile(path);
    }
    return files;
}

[[nodiscard]] bool restoreFiles(const QString& folder, const Files& files)
{
    bool restored = QDir(folder).removeRecursively() && QDir().mkpath(folder);
    for (auto it = files.begin(); it != files.end(); ++it)
        restored = writeFile(folder + "/" + it.key(), it.value()) && restored;
    return restored;
}

// The names of a file's extended attributes, sorted.
QByteArrayList attributeNames(const QByteArray& path)
{
    char names[4096];
    const ssize_t size = listxattr(path.constData(), names, sizeof names);
    QByteArrayList list = QByteArray(names, int(std::max<ssize_t>(size, 0))).split('\0');
    list.removeAll(QByteArray());
    std::sort(list.begin(), list.end());
    return list;
}

// A folder's default access list (the kernel's form) that gives user 1234 read and write access
// to whatever is made in it.
const QByteArray kDefaultAcl = []
{
    QByteArray acl("\x02\0\0\0", 4); // version
    const auto entry = [&acl](uint16_t tag, uint16_t permissions, uint32_t id)
    {
        acl.append(reinterpret_cast<const char*>(&tag), 2);
        acl.append(reinterpret_cast<const char*>(&permissions), 2);
        acl.append(reinterpret_cast<const char*>(&id), 4);
    };
    entry(0x01, 6, ~0u);  // owner
    entry(0x02, 6, 1234); // user 1234
    entry(0x04, 4, ~0u);  // group
    entry(0x10, 6, ~0u);  // mask
    entry(0x20, 0, ~0u);  // others
    return acl;
}();

// Reads of files whose path ends so fail with EIO.
QString g_readFault;

ssize_t faultyRead(int fd, void* buffer, size_t size)
{
    if (pathOf(fd).endsWith(g_readFault))
    {
        errno = EIO;
        return -1;
    }
    return ::read(fd, buffer, size);
}

// A power loss modelled on one list file: the disk holds the list as it stood at its last sync
// (of the file, or of its folder after a rename), and every other change of the data folder
// (renames and unlinks are journalled). Each mark written is a moment at which the power may go:
// the operation before it is done, the mark is not yet written. A mark may reach the disk at any
// time once written, so the changes of the data folder must have been synced before it.
struct SPowerLoss
{
    QString list;       // canonical host path
    QString dataFolder; // where the operations work
    QByteArray durable; // the list as the disk holds it
    int listSyncs = 0;
    Files synced; // the data folder as its last sync (of it or of a folder in it) left it
    bool markedBeforeSynced = false;

    struct SMoment
    {
        Files files;
        QByteArray list;
    };
    QVector<SMoment> moments;
};
SPowerLoss* g_powerLoss = nullptr;

ssize_t watchedPwrite(int fd, const void* data, size_t size, off_t offset)
{
    if (g_powerLoss && pathOf(fd) == g_powerLoss->list)
    {
        const Files files = filesIn(g_powerLoss->dataFolder);
        g_powerLoss->markedBeforeSynced = g_powerLoss->markedBeforeSynced || files != g_powerLoss->synced;
        g_powerLoss->moments.push_back({files, g_powerLoss->durable});
    }
    return ::pwrite(fd, data, size, offset);
}

int watchedFsync(int fd)
{
    const int rc = ::fsync(fd);
    const QString path = pathOf(fd);
    if (g_powerLoss && path == g_powerLoss->list)
        ++g_powerLoss->listSyncs;
    if (g_powerLoss && (path == g_powerLoss->list || path == QFileInfo(g_powerLoss->list).path()))
        g_powerLoss->durable = readFile(g_powerLoss->list, "");
    if (g_powerLoss && (path + "/").startsWith(g_powerLoss->dataFolder + "/"))
        g_powerLoss->synced = filesIn(g_powerLoss->dataFolder);
    return rc;
}

// The pending list cannot be cut (and, with syncFails, not synced either); what was synced of it
// when the restart read wininit.ini.
struct SCutFault
{
    bool syncFails = false;
    int listSyncs = 0;
    int listSyncsAtWininit = -1;
};
SCutFault* g_cutFault = nullptr;

int uncuttableTruncate(int fd, off_t length)
{
    if (g_cutFault && pathOf(fd).endsWith("/pending"))
    {
        errno = EIO;
        return -1;
    }
    return ::ftruncate(fd, length);
}

int cutFaultFsync(int fd)
{
    if (g_cutFault && pathOf(fd).endsWith("/pending"))
    {
        if (g_cutFault->syncFails)
        {
            errno = EIO;
            return -1;
        }
        ++g_cutFault->listSyncs;
    }
    return ::fsync(fd);
}

ssize_t cutFaultRead(int fd, void* buffer, size_t size)
{
    if (g_cutFault && g_cutFault->listSyncsAtWininit < 0 && pathOf(fd).endsWith("/wininit.ini"))
        g_cutFault->listSyncsAtWininit = g_cutFault->listSyncs;
    return ::read(fd, buffer, size);
}

// The first write of a replacing text fails as `fault` says: "short" writes a few bytes and then
// finds the disk full, "io" fails at once; "sync" fails its fsync. The text goes to a new file
// ("<name>.new-XXXXXX", through write) or over the file itself (through pwrite); putting the old
// bytes back afterwards succeeds.
QString g_writeFault;
QString g_faultyFile; // written in place

bool replacing(int fd)
{
    const QString path = pathOf(fd);
    return path.contains(".new-") || path == g_faultyFile;
}

ssize_t faultyWrite(int fd, const void* data, size_t size, off_t offset)
{
    if (!replacing(fd) || g_writeFault.isEmpty() || g_writeFault == "sync")
        return offset < 0 ? ::write(fd, data, size) : ::pwrite(fd, data, size, offset);
    const QString fault = std::exchange(g_writeFault, QString());
    if (fault == "short")
    {
        g_writeFault = "full";
        size = std::min<size_t>(size, 5);
        return offset < 0 ? ::write(fd, data, size) : ::pwrite(fd, data, size, offset);
    }
    errno = fault == "full" ? ENOSPC : EIO;
    return -1;
}

ssize_t faultyAppend(int fd, const void* data, size_t size)
{
    return faultyWrite(fd, data, size, -1);
}

int faultySync(int fd)
{
    if (g_writeFault == "sync" && replacing(fd))
    {
        g_writeFault.clear();
        errno = EIO;
        return -1;
    }
    return ::fsync(fd);
}

// fsync of the pending list finds the disk full (the written data could not be kept).
int fullDiskListFsync(int fd)
{
    if (pathOf(fd).endsWith("/pending"))
    {
        errno = ENOSPC;
        return -1;
    }
    return ::fsync(fd);
}

// Switches root's rights to pass over permissions and ownership (to write where the mode
// forbids it, to give a file away) on or off for the calling thread; a normal user has none.
bool setOverridingRights(bool on)
{
    __user_cap_header_struct header = {_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    for (const int right : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER, CAP_CHOWN})
    {
        const uint32_t bit = 1u << (right % 32);
        data[right / 32].effective = on ? data[right / 32].effective | (data[right / 32].permitted & bit)
                                        : data[right / 32].effective & ~bit;
    }
    return syscall(SYS_capset, &header, data) == 0;
}

// True when a lock request waits for a lock on the file (a line "->" of /proc/locks).
bool LockAwaited(const QString& path)
{
    struct stat st;
    QFile locks("/proc/locks");
    if (stat(QFile::encodeName(path).constData(), &st) != 0 || !locks.open(QIODevice::ReadOnly))
        return false;
    const QByteArray inode = ":" + QByteArray::number(qulonglong(st.st_ino)) + " ";
    for (const QByteArray& line : locks.readAll().split('\n'))
    {
        if (line.contains("->") && line.contains(inode))
            return true;
    }
    return false;
}

} // namespace

class TestWinPlatform : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_drive; // host folder of C:
    int m_case = 0;
    const win::SHostCalls m_systemCalls = win::HostCalls();

    QString host(const QString& relative) const { return m_drive + "/" + relative; }

private slots:
    void init()
    {
        m_drive = m_root.path() + "/c-" + QString::number(++m_case);
        QVERIFY(QDir().mkpath(m_drive + "/work"));
        QVERIFY(QDir::setCurrent(m_drive + "/work"));
        const QByteArray drives = "C=" + m_drive.toUtf8() + ";d:=" + m_root.path().toUtf8();
        setenv("TOLVANE_DRIVES", drives.constData(), 1);
        setenv("TOLVANE_PENDING_OPS", (m_drive + "/pending").toUtf8().constData(), 1);
        setenv("TOLVANE_WINDIR", "C:\\WINDOWS", 1);
        unsetenv("TOLVANE_WIN_DELAYED_MOVE_REFUSED");
        unsetenv("TOLVANE_WIN_NO_DELAYED_MOVE");
    }

    void cleanup()
    {
        win::HostCalls() = m_systemCalls;
        g_powerLoss = nullptr;
        g_cutFault = nullptr;
    }

    void fullPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("full");
        QTest::addColumn<uint>("error"); // 0: success

        QTest::newRow("dot-dot") << "C:\\a\\b\\..\\c"
                                 << "C:\\a\\c" << 0u;
        QTest::newRow("slashes, dots, case") << "c:/a//b/./c"
                                             << "C:\\a\\b\\c" << 0u;
        QTest::newRow("above the root") << "C:\\..\\..\\x"
                                        << "C:\\x" << 0u;
        QTest::newRow("relative") << "x.txt"
                                  << "C:\\work\\x.txt" << 0u;
        QTest::newRow("relative up") << "..\\y"
                                     << "C:\\y" << 0u;
        QTest::newRow("current drive root") << "\\z"
                                            << "C:\\z" << 0u;
        QTest::newRow("drive-relative, current drive") << "C:rel"
                                                       << "C:\\work\\rel" << 0u;
        QTest::newRow("drive-relative, other drive") << "d:rel"
                                                     << "D:\\rel" << 0u;
        QTest::newRow("trailing dots and blanks") << "C:\\dir\\name. ."
                                                  << "C:\\dir\\name" << 0u;
        QTest::newRow("trailing separator kept") << "C:\\dir\\"
                                                 << "C:\\dir\\" << 0u;
        QTest::newRow("bare drive root") << "C:\\"
                                         << "C:\\" << 0u;
        QTest::newRow("invalid character") << "C:\\a<b"
                                           << "" << 123u;
        QTest::newRow("wildcard") << "C:\\a\\*.txt"
                                  << "" << 123u;
        QTest::newRow("line break") << "C:\\a\r\nb"
                                    << "" << 123u;
        QTest::newRow("network path") << "\\\\server\\share"
                                      << "" << 53u;
    }

    void fullPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, full);
        QFETCH(uint, error);
        std::string result;
        const bool ok = win::GetFullPathName(path.toStdString(), result);
        QCOMPARE(ok, error == 0);
        if (ok)
            QCOMPARE(QString::fromStdString(result), full);
        else
            QCOMPARE(win::GetLastError(), uint32_t(error));
    }

    void hostPathMatchesCaseInsensitively()
    {
        QVERIFY(QDir().mkpath(host("Dir")));
        QVERIFY(writeFile(host("Dir/File.TXT"), "x"));
        std::string result;
        QVERIFY(win::HostPathOf("c:\\DIR\\file.txt", result));
        QCOMPARE(QString::fromStdString(result), host("Dir/File.TXT"));
        QVERIFY(win::HostPathOf("C:\\dir\\new\\Name.txt", result));
        QCOMPARE(QString::fromStdString(result), host("Dir/new/Name.txt"));
        QVERIFY(!win::HostPathOf("Q:\\x", result));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_PATH_NOT_FOUND));
    }

    void windowsFormOfHostPaths()
    {
        std::string result;
        QVERIFY(win::WindowsPathOf((m_drive + "/Dir/a b").toStdString(), result));
        QCOMPARE(QString::fromStdString(result), QString("C:\\Dir\\a b"));
        // the longest drive folder wins: m_drive lies inside D:'s folder too
        QVERIFY(win::WindowsPathOf(m_root.path().toStdString() + "/other", result));
        QCOMPARE(QString::fromStdString(result), QString("D:\\other"));
        QVERIFY(!win::WindowsPathOf("/", result));
        std::string current;
        QVERIFY(win::GetCurrentDirectory(current));
        QCOMPARE(QString::fromStdString(current), QString("C:\\work"));
    }

    void errorTexts()
    {
        QCOMPARE(win::ErrorMessageText(2), std::string("The system cannot find the file specified.\r\n"));
        QCOMPARE(win::ErrorMessageText(32), std::string("The process cannot access the file because it is "
                                                        "being used by another process.\r\n"));
        QCOMPARE(win::ErrorMessageText(30),
                 std::string("The system cannot read from the specified device.\r\n"));
        QCOMPARE(win::ErrorMessageText(9999), std::string());
    }

    void windowsFolder()
    {
        QCOMPARE(win::GetWindowsDirectory(), std::string("C:\\WINDOWS"));
        QVERIFY(QFileInfo(host("WINDOWS")).isDir());
        unsetenv("TOLVANE_WINDIR");
        setenv("XDG_DATA_HOME", (m_drive + "/data").toUtf8().constData(), 1);
        QCOMPARE(win::GetWindowsDirectory(), std::string("C:\\data\\tolvane\\windows"));
    }

    // Where statx gives no mount id, a path's mount comes from a mountinfo text: the last mount on
    // the longest mount point above the path, whose name the text writes with octal escapes.
    void mountOfAPathInMountInfo_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qulonglong>("mountId");
        QTest::newRow("below the root") << "/etc/x" << 21ull;
        QTest::newRow("below a mount point") << "/mnt/d/x" << 40ull;
        QTest::newRow("the mount point") << "/mnt/d" << 40ull;
        QTest::newRow("a name that begins as a mount point") << "/mnt/dx" << 21ull;
        QTest::newRow("mounted over") << "/mnt/over/x" << 42ull;
        QTest::newRow("escaped blank") << "/mnt/a b/x" << 43ull;
    }

    void mountOfAPathInMountInfo()
    {
        QFETCH(QString, path);
        QFETCH(qulonglong, mountId);
        const std::string mountInfo = "21 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n"
                                      "40 21 254:0 /srv/d /mnt/d rw,relatime shared:1 - ext4 /dev/vda rw\n"
                                      "41 21 0:30 / /mnt/over rw - tmpfs tmpfs rw\n"
                                      "42 41 254:0 /srv/o /mnt/over rw - ext4 /dev/vda rw\n"
                                      "43 21 0:31 / /mnt/a\\040b rw - tmpfs tmpfs rw\n";
        uint64_t found = 0;
        QVERIFY(win::MountIdInMountInfo(mountInfo, path.toStdString(), found));
        QCOMPARE(qulonglong(found), mountId);
    }

    // The mount ids of statx and of /proc/self/mountinfo are one numbering.
    void mountIdsAgreeWithMountInfo()
    {
        const std::string mountInfo = readFile("/proc/self/mountinfo").toStdString();
        for (const QString& folder : {QFileInfo(m_drive).canonicalFilePath(), QString("/proc"), QString("/")})
        {
            uint64_t id = 0, listed = 0;
            QVERIFY(win::MountIdOf(folder.toStdString(), id));
            QVERIFY(win::MountIdInMountInfo(mountInfo, folder.toStdString(), listed));
            QCOMPARE(id, listed);
        }
    }

    void delayedOperationsAreListedInOrder()
    {
        QVERIFY(win::MoveFileEx("C:\\a.txt", nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT));
        QVERIFY(win::MoveFileEx("new.txt", "c:\\Dir\\old.txt",
                                win::MOVEFILE_REPLACE_EXISTING | win::MOVEFILE_DELAY_UNTIL_REBOOT));
        QCOMPARE(readFile(host("pending")),
                 QByteArray("4\tC:\\a.txt\t\n5\tC:\\work\\new.txt\tC:\\Dir\\old.txt\n"));
        QVERIFY(!win::MoveFileEx("C:\\a\tb", nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_INVALID_NAME));
    }

    // A registration that cannot be made durable is a failure, and its line is taken back: the
    // caller must not delete what it covers, and no restart may carry it out.
    void registrationThatCannotBeSyncedIsTakenBack()
    {
        QVERIFY(writeFile(host("pending"), "4\tC:\\a.txt\t\n"));
        win::HostCalls().fsync = &fullDiskListFsync;
        QVERIFY(!win::MoveFileEx("C:\\b.txt", "C:\\c.txt",
                                 win::MOVEFILE_REPLACE_EXISTING | win::MOVEFILE_DELAY_UNTIL_REBOOT));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_DISK_FULL));
        QCOMPARE(readFile(host("pending")), QByteArray("4\tC:\\a.txt\t\n"));
    }

    // A last line without its line break is what a write cut short left (its cut-back failed
    // too): cut after the source it would delete the source, cut in the target move the source
    // over another file. The restart carries out the whole lines only.
    void restartPassesOverAFragment_data()
    {
        QTest::addColumn<QByteArray>("fragment");
        QTest::newRow("cut after the source") << QByteArray("5\tC:\\b.txt\t");
        QTest::newRow("cut in the target") << QByteArray("5\tC:\\b.txt\tC:\\d");
    }

    void restartPassesOverAFragment()
    {
        QFETCH(QByteArray, fragment);
        QVERIFY(writeFile(host("a.txt"), "a"));
        QVERIFY(writeFile(host("b.txt"), "b"));
        QVERIFY(writeFile(host("d"), "d"));
        QVERIFY(writeFile(host("pending"), "4\tC:\\a.txt\t\n" + fragment));
        QCOMPARE(win::ApplyRestartOperations([](const std::string&) {}), 0);
        QVERIFY(!QFile::exists(host("a.txt")));
        QCOMPARE(readFile(host("b.txt")), QByteArray("b"));
        QCOMPARE(readFile(host("d")), QByteArray("d"));
        QCOMPARE(readFile(host("pending")), QByteArray());
    }

    void knobs()
    {
        QVERIFY(win::ResolveMoveFileEx() != nullptr);
        setenv("TOLVANE_WIN_NO_DELAYED_MOVE", "1", 1);
        QVERIFY(win::ResolveMoveFileEx() == nullptr);
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_PROC_NOT_FOUND));
        setenv("TOLVANE_WIN_DELAYED_MOVE_REFUSED", "1", 1);
        QVERIFY(!win::MoveFileEx("C:\\a.txt", nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_ACCESS_DENIED));
        QVERIFY(!QFile::exists(host("pending")));
        QCOMPARE(win::GetVersionEx().platformId, uint32_t(win::VER_PLATFORM_WIN32_NT));
        setenv("TOLVANE_WIN_NOT_NT", "1", 1);
        QCOMPARE(win::GetVersionEx().platformId, uint32_t(win::VER_PLATFORM_WIN32_WINDOWS));
        unsetenv("TOLVANE_WIN_NOT_NT");
    }

    void immediateMoveNeverLosesTheTarget()
    {
        QVERIFY(writeFile(host("src"), "new"));
        QVERIFY(writeFile(host("dst"), "old"));
        QVERIFY(!win::MoveFileEx("C:\\src", "C:\\dst", 0));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_ALREADY_EXISTS));

        // another program holds the source without sharing
        const int fd = open(host("src").toUtf8().constData(), O_RDONLY);
        QVERIFY(flock(fd, LOCK_EX) == 0);
        QVERIFY(!win::MoveFileEx("C:\\src", "C:\\dst", win::MOVEFILE_REPLACE_EXISTING));
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_SHARING_VIOLATION));
        close(fd);
        QCOMPARE(readFile(host("dst")), QByteArray("old"));

        QVERIFY(win::MoveFileEx("C:\\SRC", "C:\\dst", win::MOVEFILE_REPLACE_EXISTING));
        QCOMPARE(readFile(host("dst")), QByteArray("new"));
        QVERIFY(!QFile::exists(host("src")));

        QVERIFY(win::MoveFileEx("C:\\dst", "C:\\DST", 0)); // a change of case only
        QCOMPARE(readFile(host("DST")), QByteArray("new"));
        QVERIFY(!QFile::exists(host("dst")));
    }

    // A target that is another link of the source's file is a file of its own name, not a change of
    // case: a rename between two links of one file would change nothing and still report success.
    void immediateMoveOntoAnotherLinkOfTheSource_data()
    {
        QTest::addColumn<uint>("flags");
        QTest::addColumn<bool>("moved");
        QTest::newRow("replace") << uint(win::MOVEFILE_REPLACE_EXISTING) << true;
        QTest::newRow("keep the target") << 0u << false;
    }

    void immediateMoveOntoAnotherLinkOfTheSource()
    {
        QFETCH(uint, flags);
        QFETCH(bool, moved);
        QVERIFY(writeFile(host("src"), "file"));
        QVERIFY(link(host("src").toUtf8().constData(), host("dst").toUtf8().constData()) == 0);
        QCOMPARE(win::MoveFileEx("C:\\src", "C:\\dst", flags), moved);
        QCOMPARE(win::GetLastError(),
                 moved ? uint32_t(win::ERROR_SUCCESS) : uint32_t(win::ERROR_ALREADY_EXISTS));
        QCOMPARE(QFile::exists(host("src")), !moved);
        QCOMPARE(readFile(host("dst")), QByteArray("file"));
    }

    // A target that appears after it was looked for is never replaced without the replace flag.
    void immediateMoveKeepsATargetMadeMeanwhile()
    {
        QVERIFY(writeFile(host("src"), "new"));
        win::SetBeforeMoveHook([&](const std::string&) { QVERIFY(writeFile(host("dst"), "theirs")); });
        const bool moved = win::MoveFileEx("C:\\src", "C:\\dst", 0);
        win::SetBeforeMoveHook({});
        QVERIFY(!moved);
        QCOMPARE(win::GetLastError(), uint32_t(win::ERROR_ALREADY_EXISTS));
        QCOMPARE(readFile(host("dst")), QByteArray("theirs"));
        QCOMPARE(readFile(host("src")), QByteArray("new"));
    }

    void restartAppliesListThenWininit()
    {
        QVERIFY(QDir().mkpath(host("WINDOWS")));
        QVERIFY(QDir().mkpath(host("Empty")));
        QVERIFY(writeFile(host("gone.txt"), "x"));
        QVERIFY(writeFile(host("new.txt"), "new"));
        QVERIFY(writeFile(host("old.txt"), "old"));
        QVERIFY(writeFile(host("keep.txt"), "keep"));
        QVERIFY(writeFile(host("w1.txt"), "w1"));
        QVERIFY(writeFile(host("w2.txt"), "w2"));
        QVERIFY(win::MoveFileEx("C:\\GONE.TXT", nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT));
        QVERIFY(win::MoveFileEx("C:\\empty", nullptr, win::MOVEFILE_DELAY_UNTIL_REBOOT));
        QVERIFY(win::MoveFileEx("C:\\new.txt", "C:\\old.txt",
                                win::MOVEFILE_REPLACE_EXISTING | win::MOVEFILE_DELAY_UNTIL_REBOOT));
        // without the replace flag an existing target stays and the operation is dropped
        QVERIFY(win::MoveFileEx("C:\\w2.txt", "C:\\keep.txt", win::MOVEFILE_DELAY_UNTIL_REBOOT));
        QVERIFY(writeFile(host("WINDOWS/wininit.ini"), "[boot]\r\na=1\r\n[Rename]\r\nNUL=C:\\w1.txt\r\n"
                                                       "C:\\moved.txt=C:\\w2.txt\r\n\r\n[other]\r\nb=2\r\n"));

        QStringList reports;
        const int failures = win::ApplyRestartOperations([&](const std::string& line)
                                                         { reports << QString::fromStdString(line); });
        QCOMPARE(failures, 1);
        QCOMPARE(reports, QStringList() << "cannot move C:\\w2.txt to C:\\keep.txt: Cannot create a file "
                                           "when that file already exists.");
        QVERIFY(!QFile::exists(host("gone.txt")));
        QVERIFY(!QFileInfo::exists(host("Empty")));
        QCOMPARE(readFile(host("old.txt")), QByteArray("new"));
        QCOMPARE(readFile(host("keep.txt")), QByteArray("keep"));
        QVERIFY(!QFile::exists(host("w1.txt")));
        QCOMPARE(readFile(host("moved.txt")), QByteArray("w2"));
        QCOMPARE(readFile(host("WINDOWS/wininit.ini")), QByteArray("[boot]\r\na=1\r\n[other]\r\nb=2\r\n"));
        QCOMPARE(readFile(host("pending")), QByteArray());
        QCOMPARE(win::ApplyRestartOperations([](const std::string&) {}), 0);
    }

    // A list that cannot be read (EIO after it was opened and locked) is left exactly as it was
    // and fails the run, which carries out nothing after it; the next run does everything.
    void unreadableListIsLeftAsItWas_data()
    {
        QTest::addColumn<QString>("unreadable");
        QTest::newRow("pending list") << "pending";
        QTest::newRow("wininit.ini") << "WINDOWS/wininit.ini";
    }

    void unreadableListIsLeftAsItWas()
    {
        QFETCH(QString, unreadable);
        const QByteArray pending = "4\tC:\\a.txt\t\n";
        const QByteArray wininit = "[rename]\r\nNUL=C:\\b.txt\r\n";
        QVERIFY(writeFile(host("a.txt"), "a"));
        QVERIFY(writeFile(host("b.txt"), "b"));
        QVERIFY(writeFile(host("pending"), pending));
        QVERIFY(writeFile(host("WINDOWS/wininit.ini"), wininit));

        g_readFault = "/" + unreadable;
        win::HostCalls().read = &faultyRead;
        QStringList reports;
        const int failures = win::ApplyRestartOperations([&](const std::string& line)
                                                         { reports << QString::fromStdString(line); });
        const bool listFailed = unreadable == "pending";
        QCOMPARE(readFile(host("pending")), listFailed ? pending : QByteArray());
        QCOMPARE(QFile::exists(host("a.txt")), listFailed);
        QCOMPARE(readFile(host("WINDOWS/wininit.ini")), wininit);
        QVERIFY(QFile::exists(host("b.txt")));
        QCOMPARE(failures, 1);
        QCOMPARE(reports, QStringList() << "cannot read " + host(unreadable) +
                                               ": The system cannot read from the specified device.");

        win::HostCalls().read = &::read;
        QCOMPARE(win::ApplyRestartOperations([](const std::string&) {}), 0);
        QVERIFY(!QFile::exists(host("a.txt")));
        QVERIFY(!QFile::exists(host("b.txt")));
        QCOMPARE(readFile(host("pending")), QByteArray());
        QCOMPARE(readFile(host("WINDOWS/wininit.ini")), QByteArray());
    }

    // A list that another program replaces by a FIFO after the restart opened it but before its
    // lock is refused too, on what the renewed open found, and the run ends at once (the read of
    // the FIFO would wait for good). It runs in a child that an alarm ends, so a wait is a failure.
    void listReplacedByAFifoBeforeItsLock_data()
    {
        QTest::addColumn<QString>("list");
        QTest::newRow("pending list") << "pending";
        QTest::newRow("wininit.ini") << "WINDOWS/wininit.ini";
    }

    void listReplacedByAFifoBeforeItsLock()
    {
        QFETCH(QString, list);
        QVERIFY(writeFile(host("a.txt"), "a"));
        QVERIFY(writeFile(host("pending"), list == "pending" ? "4\tC:\\a.txt\t\n" : ""));
        QVERIFY(writeFile(host("WINDOWS/wininit.ini"), "[rename]\r\nNUL=C:\\a.txt\r\n"));
        const QByteArray fifo = QFile::encodeName(host(list));
        const SBoundedChild child = RunInBoundedChild(
            [&fifo](QByteArray& reports)
            {
                win::SetBeforeLockHook(
                    [&fifo, replaced = false](const std::string& path) mutable
                    {
                        if (!replaced && path == fifo.toStdString())
                            replaced = unlink(fifo.constData()) == 0 && mkfifo(fifo.constData(), 0644) == 0;
                    });
                return win::ApplyRestartOperations([&reports](const std::string& line)
                                                   { reports += QByteArray::fromStdString(line) + "\n"; });
            });
        QVERIFY2(child.exited, "the restart waited on the FIFO");
        QCOMPARE(child.code, 1);
        QCOMPARE(child.output, fifo + " is not a regular file\n");
        QVERIFY(QFile::exists(host("a.txt")));
        struct stat st;
        QCOMPARE(lstat(fifo.constData(), &st), 0);
        QVERIFY(S_ISFIFO(st.st_mode));
    }

    // The pending list cannot be cut to empty after its operations: the marks written so far
    // reach the disk before any wininit.ini operation runs (a replay could undo what those do),
    // or, when they cannot, the run stops before them.
    void marksDurableWhenTheListCannotBeEmptied_data()
    {
        QTest::addColumn<bool>("syncFails");
        QTest::newRow("marks made durable") << false;
        QTest::newRow("marks not durable: the run stops") << true;
    }

    void marksDurableWhenTheListCannotBeEmptied()
    {
        QFETCH(bool, syncFails);
        const QByteArray wininit = "[rename]\r\nNUL=C:\\b.txt\r\n";
        QVERIFY(writeFile(host("a.txt"), "a"));
        QVERIFY(writeFile(host("b.txt"), "b"));
        QVERIFY(writeFile(host("pending"), "4\tC:\\a.txt\t\n"));
        QVERIFY(writeFile(host("WINDOWS/wininit.ini"), wininit));

        SCutFault fault;
        fault.syncFails = syncFails;
        g_cutFault = &fault;
        win::HostCalls().ftruncate = &uncuttableTruncate;
        win::HostCalls().fsync = &cutFaultFsync;
        win::HostCalls().read = &cutFaultRead;
        const int failures = win::ApplyRestartOperations([](const std::string&) {});

        QCOMPARE(failures, syncFails ? 2 : 1);
        QVERIFY(!QFile::exists(host("a.txt")));
        QCOMPARE(readFile(host("pending")), QByteArray("#\tC:\\a.txt\t\n"));
        QCOMPARE(QFile::exists(host("b.txt")), syncFails);
        QCOMPARE(readFile(host("WINDOWS/wininit.ini")), syncFails ? wininit : QByteArray());
        if (!syncFails)
            QCOMPARE(fault.listSyncsAtWininit, 1);
    }

    // The restart rewrites wininit.ini without changing what the user had: its owner, group and
    // mode (whatever the umask), its links, and the files beside it. Where no new file with the
    // same owner can be made beside it, the file is written in place. "withoutRights" runs the
    // restart as a user bound by the permissions: root without its rights to pass over them.
    void restartKeepsWhatTheUserHad_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("withoutRights");
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<bool>("needsRoot");

        QTest::newRow("mode kept against the umask") << "" << false << false << false;
        QTest::newRow("owner and group of another user") << "owner" << false << false << true;
        QTest::newRow("extended attribute") << "attribute" << false << false << false;
        QTest::newRow("folder's default access list") << "default acl" << false << false << false;
        QTest::newRow("symbolic link to a file elsewhere") << "symlink" << false << false << false;
        QTest::newRow("second hard link") << "hardlink" << false << true << false;
        QTest::newRow("user's file of the old temporary name") << "oldname file" << false << false << false;
        QTest::newRow("user's link of the old temporary name") << "oldname link" << false << false << false;
        QTest::newRow("folder of the old temporary name") << "oldname folder" << false << false << false;
        QTest::newRow("folder the restart cannot write") << "readonly folder" << true << true << false;
        QTest::newRow("owner the restart cannot give") << "owner" << true << true << true;
    }

    void restartKeepsWhatTheUserHad()
    {
        QFETCH(QString, setup);
        QFETCH(bool, withoutRights);
        QFETCH(bool, inPlace);
        QFETCH(bool, needsRoot);
        const bool root = geteuid() == 0;
        if (needsRoot && !root)
            QSKIP("only root can give a file to another user");
        const QString windows = host("WINDOWS");
        const QString wininit = windows + "/wininit.ini";
        const QString file = setup == "symlink" ? host("Elsewhere/wininit.ini") : wininit;
        QVERIFY(writeFile(host("D/x.txt"), "x"));
        QVERIFY(writeFile(file, "[boot]\r\na=1\r\n[rename]\r\nNUL=C:\\D\\x.txt\r\n"));
        QVERIFY(writeFile(host("pending"), ""));
        QVERIFY(writeFile(host("outside.txt"), "outside"));
        QVERIFY(QDir().mkpath(windows));
        const QByteArray fileName = QFile::encodeName(file);
        QCOMPARE(chmod(fileName.constData(), withoutRights ? 0666 : 0640), 0);
        if (setup == "owner")
            QCOMPARE(chown(fileName.constData(), 4321, 4322), 0);
        else if (setup == "attribute" && setxattr(fileName.constData(), "user.tolvane", "kept", 4, 0) != 0)
            QSKIP("no extended attributes on this file system");
        else if (setup == "symlink")
            QVERIFY(QFile::link("../Elsewhere/wininit.ini", wininit));
        else if (setup == "hardlink")
            QCOMPARE(link(fileName.constData(), QFile::encodeName(host("D/copy.ini")).constData()), 0);
        else if (setup == "oldname file")
            QVERIFY(writeFile(wininit + ".restart", "[rename]\r\nNUL=C:\\outside.txt\r\n"));
        else if (setup == "oldname link")
            QVERIFY(QFile::link(host("outside.txt"), wininit + ".restart"));
        else if (setup == "oldname folder")
            QVERIFY(QDir().mkpath(wininit + ".restart"));
        else if (setup == "default acl" &&
                 setxattr(QFile::encodeName(windows).constData(), "system.posix_acl_default",
                          kDefaultAcl.constData(), size_t(kDefaultAcl.size()), 0) != 0)
            QSKIP("no access control lists on this file system");
        const auto folderMode = [](const QString& folder, mode_t mode)
        { return chmod(QFile::encodeName(folder).constData(), mode) == 0; };
        QVERIFY(folderMode(windows, setup == "readonly folder" ? 0555 : 0777));
        const auto restoreModes = qScopeGuard([&] { folderMode(windows, 0755); });
        struct stat before, linkBefore;
        QCOMPARE(stat(fileName.constData(), &before), 0);
        QCOMPARE(lstat(QFile::encodeName(wininit).constData(), &linkBefore), 0);
        const QStringList entries = QDir(windows).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
        const QByteArrayList attributes = attributeNames(fileName);

        const mode_t previousMask = umask(077);
        int failures = -1;
        {
            QVERIFY(!withoutRights || setOverridingRights(false));
            failures = win::ApplyRestartOperations([](const std::string&) {});
            QVERIFY(!withoutRights || setOverridingRights(true));
        }
        umask(previousMask);

        QCOMPARE(failures, 0);
        QVERIFY(!QFile::exists(host("D/x.txt")));
        QCOMPARE(readFile(wininit), QByteArray("[boot]\r\na=1\r\n"));
        struct stat after, linkAfter;
        QCOMPARE(stat(fileName.constData(), &after), 0);
        QCOMPARE(lstat(QFile::encodeName(wininit).constData(), &linkAfter), 0);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_nlink, before.st_nlink);
        QCOMPARE(attributeNames(fileName), attributes);
        QCOMPARE(after.st_ino == before.st_ino, inPlace);
        QCOMPARE(linkAfter.st_mode & S_IFMT, linkBefore.st_mode & S_IFMT);
        QCOMPARE(QDir(windows).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), entries);
        QCOMPARE(QDir(host("Elsewhere")).entryList(QDir::Files | QDir::Hidden),
                 setup == "symlink" ? QStringList{"wininit.ini"} : QStringList());
        if (setup == "hardlink")
            QCOMPARE(readFile(host("D/copy.ini")), QByteArray("[boot]\r\na=1\r\n"));
        char attribute[8] = {};
        if (setup == "attribute")
            QCOMPARE(QByteArray(attribute, int(getxattr(fileName.constData(), "user.tolvane", attribute,
                                                        sizeof attribute))),
                     QByteArray("kept"));
        if (setup == "oldname file")
            QCOMPARE(readFile(wininit + ".restart"), QByteArray("[rename]\r\nNUL=C:\\outside.txt\r\n"));
        QCOMPARE(readFile(host("outside.txt")), QByteArray("outside"));
    }

    // A writer replaces wininit.ini by rename while the restart waits for its lock: the restart
    // reads the new file, so the line the writer added is carried out, not dropped with the old
    // file's sections.
    void restartRereadsWininitReplacedBeforeItsLock()
    {
        const QString wininit = host("WINDOWS/wininit.ini");
        QVERIFY(writeFile(host("a.txt"), "a"));
        QVERIFY(writeFile(host("b.txt"), "b"));
        QVERIFY(writeFile(wininit, "[rename]\r\nNUL=C:\\a.txt\r\n"));
        const int writer = open(QFile::encodeName(wininit).constData(), O_RDWR | O_CLOEXEC);
        QCOMPARE(flock(writer, LOCK_EX), 0);

        int failures = -1;
        std::thread restart([&failures]
                            { failures = win::ApplyRestartOperations([](const std::string&) {}); });
        QTRY_VERIFY_WITH_TIMEOUT(LockAwaited(wininit), 20000);
        QVERIFY(writeFile(wininit + ".new", "[rename]\r\nNUL=C:\\a.txt\r\nNUL=C:\\b.txt\r\n"));
        QCOMPARE(std::rename(QFile::encodeName(wininit + ".new").constData(),
                             QFile::encodeName(wininit).constData()),
                 0);
        close(writer);
        restart.join();

        QCOMPARE(failures, 0);
        QVERIFY(!QFile::exists(host("a.txt")));
        QVERIFY(!QFile::exists(host("b.txt")));
        QCOMPARE(readFile(wininit), QByteArray());
    }

    // A write that fails before the new text is complete and durable leaves the file it was to
    // replace byte for byte as it was, and nothing new behind: a new file beside it, or the text
    // written in place (for a file with a second link), whose old bytes go back.
    void failedReplacementLeavesTheFile_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("inPlace");
        QTest::addColumn<int>("error");
        for (const bool inPlace : {false, true})
        {
            const char* where = inPlace ? "in place: " : "new file: ";
            QTest::addRow("%sdisk full part-way", where) << "short" << inPlace << ENOSPC;
            QTest::addRow("%swrite error", where) << "io" << inPlace << EIO;
            QTest::addRow("%ssync error", where) << "sync" << inPlace << EIO;
        }
    }

    void failedReplacementLeavesTheFile()
    {
        QFETCH(QString, fault);
        QFETCH(bool, inPlace);
        QFETCH(int, error);
        const QString file = host("WINDOWS/wininit.ini");
        const QByteArray before = "[boot]\r\na=1\r\n[rename]\r\nNUL=C:\\x.txt\r\n";
        QVERIFY(writeFile(file, before));
        const QByteArray name = QFile::encodeName(file);
        if (inPlace)
            QCOMPARE(link(name.constData(), QFile::encodeName(host("copy.ini")).constData()), 0);
        const int fd = open(name.constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(fd >= 0);
        const auto closeFile = qScopeGuard([fd] { close(fd); });
        g_writeFault = fault;
        g_faultyFile = file;
        win::HostCalls().write = &faultyAppend;
        win::HostCalls().pwrite = &faultyWrite;
        win::HostCalls().fsync = &faultySync;
        errno = 0;
        QVERIFY(!win::ReplaceFileWhole(name.toStdString(), fd, "[boot]\r\na=1\r\n" + std::string(100, 'x')));
        QCOMPARE(errno, error);
        QCOMPARE(readFile(file), before);
        QCOMPARE(QDir(host("WINDOWS")).entryList(QDir::Files | QDir::Hidden), QStringList{"wininit.ini"});
    }

    // Replaying a list as the disk holds it at any moment of a restart (after a power loss) never
    // undoes or overwrites what an earlier finished operation produced, and the emptied list
    // itself survives. Deletes of distinct files need no sync of the list before it is emptied.
    void replayAfterPowerLossKeepsFinishedWork_data()
    {
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QByteArray>("durable"); // the list as the disk holds it at the start
        QTest::addColumn<QStringList>("files");  // name=content in C:\D
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("listSyncs"); // -1: not looked at

        const QByteArray pendingReplace = "4\tC:\\D\\X\t\n5\tC:\\D\\X.new\tC:\\D\\X\n";
        const QByteArray wininitReplace = "[rename]\r\nNUL=C:\\D\\X\r\nC:\\D\\X=C:\\D\\X.new\r\n";
        QTest::newRow("pending: delete X, move X.new to X")
            << "pending" << pendingReplace << pendingReplace << QStringList{"X=old", "X.new=new"}
            << QStringList{"X=new"} << -1;
        QTest::newRow("wininit: delete X, move X.new to X")
            << "WINDOWS/wininit.ini" << wininitReplace << wininitReplace << QStringList{"X=old", "X.new=new"}
            << QStringList{"X=new"} << -1;
        const QByteArray pendingChain = "5\tC:\\D\\A\tC:\\D\\B\n5\tC:\\D\\C\tC:\\D\\A\n";
        const QByteArray wininitChain = "[rename]\r\nC:\\D\\B=C:\\D\\A\r\nC:\\D\\A=C:\\D\\C\r\n";
        QTest::newRow("pending: move A to B, move C to A")
            << "pending" << pendingChain << pendingChain << QStringList{"A=a", "B=b", "C=c"}
            << QStringList{"A=c", "B=a"} << -1;
        QTest::newRow("wininit: move A to B, move C to A")
            << "WINDOWS/wininit.ini" << wininitChain << wininitChain << QStringList{"A=a", "B=b", "C=c"}
            << QStringList{"A=c", "B=a"} << -1;
        // names that differ in letter case only are the same name, and so is a folder on the way
        const QByteArray pendingCase = "5\tC:\\D\\a\tC:\\D\\New\n5\tC:\\D\\b\tC:\\D\\NEW\n";
        QTest::newRow("pending: move a to New, b to NEW")
            << "pending" << pendingCase << pendingCase << QStringList{"a=a", "b=b"} << QStringList{"New=b"}
            << -1;
        const QByteArray wininitThrough = "[rename]\r\nC:\\D\\Sub=C:\\D\\X\r\nC:\\D\\g=C:\\D\\sub\\f\r\n";
        QTest::newRow("wininit: move folder X to Sub, sub\\f out of it")
            << "WINDOWS/wininit.ini" << wininitThrough << wininitThrough << QStringList{"X/f=f"}
            << QStringList{"g=f"} << -1;
        // a killed run marked the delete, but the mark never reached the disk
        QTest::newRow("pending: resumed after a kill")
            << "pending" << QByteArray("#\tC:\\D\\X\t\n5\tC:\\D\\X.new\tC:\\D\\X\n") << pendingReplace
            << QStringList{"X.new=new"} << QStringList{"X=new"} << -1;
        QTest::newRow("wininit: resumed after a kill")
            << "WINDOWS/wininit.ini" << QByteArray("[rename]\r\n;UL=C:\\D\\X\r\nC:\\D\\X=C:\\D\\X.new\r\n")
            << wininitReplace << QStringList{"X.new=new"} << QStringList{"X=new"} << -1;
        // C:\D is E:\ as well, and C:\L a link to it: one folder under three names
        const QByteArray pendingAlias = "4\tE:\\X\t\n5\tC:\\D\\X.new\tC:\\D\\X\n";
        QTest::newRow("pending: delete E:\\X, move C:\\D\\X.new to X")
            << "pending" << pendingAlias << pendingAlias << QStringList{"X=old", "X.new=new"}
            << QStringList{"X=new"} << -1;
        const QByteArray wininitLink = "[rename]\r\nNUL=C:\\L\\X\r\nC:\\D\\X=C:\\D\\X.new\r\n";
        QTest::newRow("wininit: delete X through the link, move X.new to X")
            << "WINDOWS/wininit.ini" << wininitLink << wininitLink << QStringList{"X=old", "X.new=new"}
            << QStringList{"X=new"} << -1;
        const QByteArray pendingLinkChain = "5\tC:\\L\\A\tC:\\L\\B\n5\tC:\\D\\C\tC:\\D\\A\n";
        QTest::newRow("pending: move A to B through the link, C to A")
            << "pending" << pendingLinkChain << pendingLinkChain << QStringList{"A=a", "B=b", "C=c"}
            << QStringList{"A=c", "B=a"} << -1;
        // a name made under one name of the folder is found under another in the same run
        const QByteArray pendingMadeElsewhere = "5\tE:\\a\tE:\\B\n4\tC:\\D\\b\t\n";
        QTest::newRow("pending: move E:\\a to B, delete C:\\D\\b")
            << "pending" << pendingMadeElsewhere << pendingMadeElsewhere << QStringList{"a=a"}
            << QStringList() << -1;
        const QByteArray wininitMadeElsewhere = "[rename]\r\nC:\\L\\B=C:\\L\\a\r\nNUL=E:\\b\r\n";
        QTest::newRow("wininit: move a to B through the link, delete E:\\b")
            << "WINDOWS/wininit.ini" << wininitMadeElsewhere << wininitMadeElsewhere << QStringList{"a=a"}
            << QStringList() << -1;
        // a folder deleted (written with its backslash) after a file in it, also under another name
        const QByteArray pendingFolder = "4\tC:\\D\\Sub\\f\t\n4\tC:\\D\\Sub\\\t\n";
        QTest::newRow("pending: delete Sub\\f, then Sub\\")
            << "pending" << pendingFolder << pendingFolder << QStringList{"Sub/f=f", "g=g"}
            << QStringList{"g=g"} << -1;
        const QByteArray wininitFolder = "[rename]\r\nNUL=C:\\D\\Sub\\f\r\nNUL=E:\\SUB\\\r\n";
        QTest::newRow("wininit: delete Sub\\f, then E:\\SUB\\")
            << "WINDOWS/wininit.ini" << wininitFolder << wininitFolder << QStringList{"Sub/f=f", "g=g"}
            << QStringList{"g=g"} << -1;

        QByteArray pendingDeletes, wininitDeletes = "[rename]\r\n";
        QStringList files;
        for (int i = 0; i < 50; ++i)
        {
            pendingDeletes += "4\tC:\\D\\f" + QByteArray::number(i) + "\t\n";
            wininitDeletes += "NUL=C:\\D\\f" + QByteArray::number(i) + "\r\n";
            files << "f" + QString::number(i) + "=x";
        }
        QTest::newRow("pending: distinct deletes")
            << "pending" << pendingDeletes << pendingDeletes << files << QStringList() << 1; // emptied
        QTest::newRow("wininit: distinct deletes")
            << "WINDOWS/wininit.ini" << wininitDeletes << wininitDeletes << files << QStringList() << 0;
    }

    void replayAfterPowerLossKeepsFinishedWork()
    {
        QFETCH(QString, listName);
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, durable);
        QFETCH(QStringList, files);
        QFETCH(QStringList, expected);
        QFETCH(int, listSyncs);
        const auto toFiles = [](const QStringList& entries)
        {
            Files result;
            for (const QString& entry : entries)
                result[entry.section('=', 0, 0)] = entry.section('=', 1).toUtf8();
            return result;
        };
        QVERIFY(QDir().mkpath(host("WINDOWS")));
        QVERIFY(writeFile(host(listName), list));
        QVERIFY(restoreFiles(host("D"), toFiles(files)));
        setenv("TOLVANE_DRIVES", qgetenv("TOLVANE_DRIVES") + ";E=" + QFile::encodeName(host("D")), 1);
        QVERIFY(QFile::link(host("D"), host("L")));

        SPowerLoss powerLoss;
        powerLoss.list = QFileInfo(host(listName)).canonicalFilePath();
        powerLoss.dataFolder = QFileInfo(host("D")).canonicalFilePath();
        powerLoss.durable = durable;
        powerLoss.synced = toFiles(files);
        g_powerLoss = &powerLoss;
        win::HostCalls().pwrite = &watchedPwrite;
        win::HostCalls().fsync = &watchedFsync;
        QCOMPARE(win::ApplyRestartOperations([](const std::string&) {}), 0);
        g_powerLoss = nullptr;
        QCOMPARE(filesIn(host("D")), toFiles(expected));
        QVERIFY(!powerLoss.markedBeforeSynced);

        QVERIFY(!powerLoss.moments.isEmpty());
        for (const SPowerLoss::SMoment& moment : powerLoss.moments)
        {
            QVERIFY(restoreFiles(host("D"), moment.files));
            QVERIFY(writeFile(host(listName), moment.list));
            win::ApplyRestartOperations([](const std::string&) {}); // repeats report their failures
            QCOMPARE(filesIn(host("D")), toFiles(expected));
        }
        QCOMPARE(powerLoss.durable, QByteArray()); // the end of the run survives a power loss
        if (listSyncs >= 0)
            QCOMPARE(powerLoss.listSyncs, listSyncs);
    }
};

QTEST_GUILESS_MAIN(TestWinPlatform)
#include "tst_winplatform.moc"
