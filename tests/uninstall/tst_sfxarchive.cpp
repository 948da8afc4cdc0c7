// Unpacking 7z archives into the temporary folder: the codecs and filters a package may use,
// and the entries that must refuse the whole archive before anything is written.

#include "SfxArchive.h"
#include "TestFiles.h"
#include "WideText.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <unistd.h>

using namespace sfx;
using TestFiles::readFile;
using TestFiles::writeFile;

namespace
{

bool Run(const QString& program, const QStringList& args, const QString& dir)
{
    QProcess process;
    process.setWorkingDirectory(dir);
    process.start(program, args);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// Bytes that compress and that the x86 filters have calls and jumps to rewrite.
QByteArray Payload()
{
    QByteArray data;
    for (int i = 0; i < 20000; ++i)
        data += char(i % 7 == 0 ? 0xE8 : (i * 31) & 0xFF);
    return data;
}

ESfxError Unpack(const QString& archive, const QString& folder, qint64 start = 0)
{
    const int fd = open(QFile::encodeName(archive).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return ESfxError(-1);
    const ESfxError error = SfxUnpackArchive(fd, std::uint64_t(start), W(folder + "/"));
    close(fd);
    return error;
}

QStringList Tree(const QString& folder)
{
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        entries << QDir(folder).relativeFilePath(it.next());
    entries.sort();
    return entries;
}

} // namespace

class TestSfxArchive : public QObject
{
    Q_OBJECT

private slots:
    void codecs_data()
    {
        QTest::addColumn<QStringList>("switches");
        QTest::newRow("LZMA") << QStringList{"-m0=LZMA", "-mf=off"};
        QTest::newRow("LZMA2") << QStringList{"-m0=LZMA2", "-mf=off"};
        QTest::newRow("BCJ + LZMA") << QStringList{"-m0=LZMA", "-mf=BCJ"};
        QTest::newRow("BCJ2 + LZMA") << QStringList{"-m0=LZMA", "-mf=BCJ2"};
        QTest::newRow("delta + LZMA2") << QStringList{"-m0=LZMA2", "-mf=Delta:4"};
        QTest::newRow("not solid") << QStringList{"-m0=LZMA", "-ms=off"};
    }

    void codecs()
    {
        QFETCH(QStringList, switches);
        QTemporaryDir work;
        const QString staging = work.path() + "/staging";
        QVERIFY(writeFile(staging + "/tarvek.so", Payload()));
        QVERIFY(writeFile(staging + "/data/xrlng.dat", "[XRLang]\n"));
        QVERIFY(writeFile(staging + "/empty", ""));
        QVERIFY(Run(SEVEN_ZIP, QStringList{"a", "-t7z", "-bd"} + switches + QStringList{"../p.7z", "."},
                    staging));

        const QString folder = work.path() + "/out";
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(Unpack(work.path() + "/p.7z", folder), SFX_OK);
        QCOMPARE(readFile(folder + "/tarvek.so"), Payload());
        QCOMPARE(readFile(folder + "/data/xrlng.dat"), QByteArray("[XRLang]\n"));
        QVERIFY(QFileInfo(folder + "/empty").isFile());
        QCOMPARE(QFileInfo(folder + "/tarvek.so").permissions() & (QFile::ReadGroup | QFile::ReadOther),
                 QFile::Permissions());
    }

    // Names that reach outside the folder, links and special files refuse the archive before
    // its first entry is written.
    void unsafeEntries_data()
    {
        QTest::addColumn<QString>("entry"); // added behind a harmless first entry
        QTest::addColumn<bool>("link");
        QTest::newRow("parent folder") << "../escaped" << false;
        QTest::newRow("nested parent") << "sub/../../escaped" << false;
        QTest::newRow("absolute") << "ABSOLUTE" << false;
        QTest::newRow("drive letter") << "C:escaped" << false;
        QTest::newRow("symbolic link") << "link" << true;
    }

    void unsafeEntries()
    {
        QFETCH(QString, entry);
        QFETCH(bool, link);
        QTemporaryDir work;
        const QString staging = work.path() + "/staging";
        QVERIFY(writeFile(staging + "/first.txt", "first"));
        QString name = entry;
        if (link)
        {
            QVERIFY(QFile::link(work.path(), staging + "/" + entry));
        }
        else
        {
            if (name == "ABSOLUTE")
                name = work.path() + "/escaped";
            QVERIFY(writeFile(staging + "/source", "evil"));
        }
        // bsdtar keeps names as given with -P; -s renames the source file to the entry name.
        QStringList args{"-c", "-P", "--format", "7zip", "-f", "../p.7z"};
        if (!link)
            args << "-s"
                 << ",^source$," + name + ",";
        args << "first.txt" << (link ? entry : QString("source"));
        QVERIFY(Run(BSDTAR, args, staging));

        const QString folder = work.path() + "/deep/out";
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(Unpack(work.path() + "/p.7z", folder), SFX_ERR_CORRUPTED);
        QCOMPARE(Tree(folder), QStringList());
        QVERIFY(!QFileInfo::exists(work.path() + "/deep/escaped"));
        QVERIFY(!QFileInfo::exists(work.path() + "/escaped"));
    }

    void damagedData()
    {
        QTemporaryDir work;
        const QString staging = work.path() + "/staging";
        QVERIFY(writeFile(staging + "/tarvek.so", Payload()));
        QVERIFY(Run(SEVEN_ZIP, {"a", "-t7z", "-bd", "-m0=LZMA", "-mf=off", "../p.7z", "."}, staging));
        QByteArray archive = readFile(work.path() + "/p.7z");
        archive[200] = char(archive[200] ^ 0x55); // inside the packed stream
        QVERIFY(writeFile(work.path() + "/bad.7z", archive));
        const QString folder = work.path() + "/out";
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(Unpack(work.path() + "/bad.7z", folder), SFX_ERR_CORRUPTED);

        QVERIFY(writeFile(work.path() + "/cut.7z", archive.left(archive.size() / 2)));
        QCOMPARE(Unpack(work.path() + "/cut.7z", folder), SFX_ERR_CORRUPTED);
    }

    // Folder plus name must fit the stub's 260-unit path buffers.
    void pathLength()
    {
        QTemporaryDir work;
        const QString staging = work.path() + "/staging";
        const QString folder = work.path() + "/out";
        QVERIFY(QDir().mkpath(folder));
        const int room = 259 - (folder.size() + 1); // units left for the name
        QVERIFY(room > 10);
        const QString fits = QString(room, 'f');
        const QString tooLong = QString(room + 1, 'g');
        QVERIFY(writeFile(staging + "/a", "a"));
        QVERIFY(Run(BSDTAR, {"-c", "--format", "7zip", "-f", "../fits.7z", "-s", ",^a$," + fits + ",", "a"},
                    staging));
        QVERIFY(Run(BSDTAR,
                    {"-c", "--format", "7zip", "-f", "../long.7z", "-s", ",^a$," + tooLong + ",", "a"},
                    staging));
        QCOMPARE(Unpack(work.path() + "/long.7z", folder), SFX_ERR_TEMP_RUNTIME);
        QCOMPARE(Tree(folder), QStringList());
        QCOMPARE(Unpack(work.path() + "/fits.7z", folder), SFX_OK);
        QCOMPARE(Tree(folder), QStringList{fits});
    }
};

QTEST_APPLESS_MAIN(TestSfxArchive)
#include "tst_sfxarchive.moc"
