// The core library of kolvest: wrap rule, tokenizer, path texts, name matching, strings, sets,
// the fatal paths and file opening with its retries.
#include "BoundedChild.h"
#include "Console.h"
#include "Fatal.h"
#include "File.h"
#include "Path.h"
#include "ShareLock.h"
#include "StringSet.h"
#include "System.h"
#include "TestFiles.h"
#include "Vector.h"
#include "WinError.h"
#include "WinFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

QByteArray Bytes(const String& text)
{
    return QByteArray(text.c_str(), text.length());
}

QList<unsigned> g_sleeps;

void RecordSleep(unsigned milliseconds)
{
    g_sleeps << milliseconds;
}

// Runs body in a child process with its standard output captured; returns the output and exit code.
QPair<QByteArray, int> RunInChild(void (*body)())
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0)
    {
        dup2(pipeFds[1], 1);
        close(pipeFds[0]);
        SetFatalErrorCallback(&ConsoleFatalReporter);
        body();
        _exit(0);
    }
    close(pipeFds[1]);
    QByteArray out;
    char buffer[1024];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0)
        out.append(buffer, int(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return {out, WEXITSTATUS(status)};
}

} // namespace

class TestKolvestCore : public QObject
{
    Q_OBJECT

private slots:
    void wordWrap_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("wrapped");

        QTest::newRow("fits") << QByteArray("short") << 10 << QByteArray("short");
        QTest::newRow("blank after the width stays on the line")
            << QByteArray("aaaa bbbb") << 4 << QByteArray("aaaa \r\nbbbb");
        QTest::newRow("after the last break character, then a hard cut")
            << QByteArray("ab,cdefgh") << 5 << QByteArray("ab,\r\ncdefg\r\nh");
        QTest::newRow("backslash breaks paths")
            << QByteArray("C:\\dir\\file") << 7 << QByteArray("C:\\dir\\\r\nfile");
        QTest::newRow("a word of 100 letters at 80 columns")
            << QByteArray(100, 'a') << 78 << QByteArray(78, 'a') + "\r\n" + QByteArray(22, 'a');
        QTest::newRow("line breaks restart the count")
            << QByteArray("abcd\r\nefgh\n\rijkl") << 4 << QByteArray("abcd\r\nefgh\n\rijkl");
        QTest::newRow("nothing before an existing break")
            << QByteArray("abcd \r\nx") << 4 << QByteArray("abcd \r\nx");
        QTest::newRow("nothing at the end") << QByteArray("abcd ") << 4 << QByteArray("abcd ");
        QTest::newRow("no width") << QByteArray("abc def") << 0 << QByteArray("abc def");
    }

    void wordWrap()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, width);
        QFETCH(QByteArray, wrapped);
        String string(text.constData(), text.size());
        QVERIFY(string.wordWrap(width, "\r\n"));
        QCOMPARE(Bytes(string), wrapped);
    }

    void tokenizer_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QList<QByteArray>>("tokens");

        QTest::newRow("white space") << QByteArray("  prog\ta \r\n b") << QList<QByteArray>{"prog", "a", "b"};
        QTest::newRow("quoted blanks keep their quotes")
            << QByteArray("\"C:\\My Files\\a.txt\" x") << QList<QByteArray>{"\"C:\\My Files\\a.txt\"", "x"};
        QTest::newRow("quoted part followed by a letter")
            << QByteArray("\"a b\"c d") << QList<QByteArray>{"\"a b\"c", "d"};
        QTest::newRow("doubled quote inside")
            << QByteArray("\"say \"\"hi\"\"\"") << QList<QByteArray>{"\"say \"hi\"\""};
        QTest::newRow("switch with a quoted value")
            << QByteArray("/d\"C:\\Temp\" *.tmp") << QList<QByteArray>{"/d\"C:\\Temp\"", "*.tmp"};
        QTest::newRow("unclosed quote takes the rest")
            << QByteArray("\"open rest") << QList<QByteArray>{"\"open rest\""};
    }

    void tokenizer()
    {
        QFETCH(QByteArray, line);
        QFETCH(QList<QByteArray>, tokens);
        String rest(line.constData());
        QList<QByteArray> found;
        for (String token = NextCommandLineToken(rest); !token.isEmpty(); token = NextCommandLineToken(rest))
            found << Bytes(token);
        QCOMPARE(found, tokens);
    }

    void pathTexts_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("result");

        QTest::newRow("join drive") << "join"
                                    << "C:"
                                    << "x.txt"
                                    << "C:x.txt";
        QTest::newRow("join leading backslash") << "join"
                                                << "C:\\dir\\"
                                                << "\\x.txt"
                                                << "C:\\dir\\x.txt";
        QTest::newRow("join plain") << "join"
                                    << "C:\\dir"
                                    << "x"
                                    << "C:\\dir\\x";
        QTest::newRow("join empty folder") << "join"
                                           << ""
                                           << "x"
                                           << "x";
        QTest::newRow("folder of root file") << "dir"
                                             << "C:\\x"
                                             << ""
                                             << "C:\\";
        QTest::newRow("folder of drive name") << "dir"
                                              << "C:x"
                                              << ""
                                              << "C:";
        QTest::newRow("folder before the first ;") << "dir"
                                                   << "C:\\a\\*.tmp;C:\\b\\x"
                                                   << ""
                                                   << "C:\\a";
        QTest::newRow("folder of bare name") << "dir"
                                             << "x.txt"
                                             << ""
                                             << "";
        QTest::newRow("name") << "name"
                              << "C:\\a\\b.txt"
                              << ""
                              << "b.txt";
        QTest::newRow("name after drive") << "name"
                                          << "C:b.txt"
                                          << ""
                                          << "b.txt";
        QTest::newRow("absolute up twice") << "abs"
                                           << "..\\..\\x"
                                           << "C:\\a\\b\\c"
                                           << "C:\\a\\x";
        QTest::newRow("absolute up at the root") << "abs"
                                                 << "..\\x"
                                                 << "C:\\"
                                                 << "C:\\..\\x";
        QTest::newRow("absolute root-relative") << "abs"
                                                << "\\x"
                                                << "C:\\a"
                                                << "C:\\x";
        QTest::newRow("absolute relative") << "abs"
                                           << " x "
                                           << "C:\\a\\"
                                           << "C:\\a\\x";
        QTest::newRow("absolute drive-relative") << "abs"
                                                 << "C:x"
                                                 << "C:\\a"
                                                 << "C:\\a\\x";
        QTest::newRow("absolute stays") << "abs"
                                        << "D:\\y"
                                        << "C:\\a"
                                        << "D:\\y";
        QTest::newRow("network path stays") << "abs"
                                            << "\\\\srv\\s"
                                            << "C:\\a"
                                            << "\\\\srv\\s";
        QTest::newRow("relative base refused") << "abs"
                                               << "x"
                                               << "rel"
                                               << "x";
    }

    void pathTexts()
    {
        QFETCH(QString, operation);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, result);
        const String first(a.toUtf8().constData());
        const String second(b.toUtf8().constData());
        String actual;
        if (operation == "join")
            actual = JoinPath(first, second);
        else if (operation == "dir")
            actual = DirectoryPart(first);
        else if (operation == "name")
            actual = FileNamePart(first);
        else
        {
            actual = first;
            MakePathAbsolute(actual, second);
        }
        QCOMPARE(QString(actual.c_str()), result);
    }

    void wildcards_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("match");

        QTest::newRow("star dot star, no point") << "*.*"
                                                 << "README" << true;
        QTest::newRow("case") << "*.txt"
                              << "A.TXT" << true;
        QTest::newRow("extension must end the name") << "*.txt"
                                                     << "a.txt.bak" << false;
        QTest::newRow("star spans points") << "*.txt"
                                           << "a.b.txt" << true;
        QTest::newRow("? needs a character inside") << "a?c"
                                                    << "ac" << false;
        QTest::newRow("? may match nothing at the end") << "ab?"
                                                        << "ab" << true;
        QTest::newRow("? may match nothing before a point") << "a?.txt"
                                                            << "a.txt" << true;
        QTest::newRow("? is one character") << "?.txt"
                                            << "ab.txt" << false;
        QTest::newRow("star dot: no extension") << "*."
                                                << "abc" << true;
        QTest::newRow("star dot: with extension") << "*."
                                                  << "a.b" << false;
        QTest::newRow("plain name") << "x.txt"
                                    << "X.TXT" << true;
        QTest::newRow("plain name differs") << "x.txt"
                                            << "x.txt2" << false;
    }

    void wildcards()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, match);
        QCOMPARE(win::WildcardMatch(pattern.toStdString(), name.toStdString()), match);
    }

    void stringBuffer()
    {
        String text;
        QVERIFY(text.assign(QByteArray(100, 'x').constData()));
        QCOMPARE(text.capacity(), 140);
        text.removeLast(90);
        QCOMPARE(text.capacity(), 140);
        QVERIFY(text.assign(QByteArray(2000, 'y').constData()));
        text.removeLast(1990);
        QCOMPARE(text.capacity(), 12);
        QCOMPARE(Bytes(text), QByteArray(10, 'y'));
        QCOMPARE(text.c_str()[11], '\0');
        // editing with a text from the own buffer
        text = "abc";
        QVERIFY(text.insert(1, text));
        QCOMPARE(Bytes(text), QByteArray("aabcbc"));
    }

    void hash_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<uint>("hash");
        QTest::newRow("empty") << QByteArray() << 2044902557u;
        QTest::newRow("abc") << QByteArray("abc") << 2044902557u + 97 + 98 + 99 + 3;
        QTest::newRow("one word") << QByteArray("abcd") << 2044902557u + 0x64636261u + 4;
        QTest::newRow("signed bytes") << QByteArray("\xff") << 2044902557u - 1 + 1;
        QTest::newRow("wrap-around") << QByteArray(8, '\xff') << 2044902557u - 2 + 8;
    }

    void hash()
    {
        QFETCH(QByteArray, text);
        QFETCH(uint, hash);
        QCOMPARE(String(text.constData(), text.size()).hash(), uint32_t(hash));
    }

    void stringSet()
    {
        StringSet set(64);
        QCOMPARE(set.bucketCount(), 81);
        QVERIFY(set.insert("c:\\a"));
        QVERIFY(!set.insert("c:\\a"));
        for (int i = 1; i <= 324; ++i)
        {
            QVERIFY(set.insert(String(QByteArray::number(i).constData())));
            set.rebuildIfNeeded(4, 2.5);
        }
        QCOMPARE(set.count(), 325);
        QCOMPARE(set.bucketCount(), 813); // rebuilt at 325 > 4 x 81 entries: ceil(325 x 2.5)
        QVERIFY(!set.insert("c:\\a"));
    }

    void fatalMessages()
    {
        auto bounds = RunInChild(
            []
            {
                StringList list;
                for (int i = 0; i < 4; ++i)
                    list.append("x");
                list[4];
            });
        QCOMPARE(bounds.first, QByteArray("\r\nVector<String>[4]\r\nmax_index = 3\r\n"));
        QCOMPARE(bounds.second, 1);

        auto memory = RunInChild([] { OutOfMemory(100); });
        QCOMPARE(memory.first,
                 QByteArray("\r\nOut Of Memory.  Make sure the hard drive is not full.\r\n"
                            "Requested size = 100 (0x00000064)\r\n\r\nStack contents:\r11223344 "
                            "55667788\r\n"));
        QCOMPARE(memory.second, 1);

        // a user's text is never taken as a format
        auto invalid = RunInChild([] { FailInvalidSwitch("%s%n%x"); });
        QCOMPARE(invalid.first, QByteArray("\r\nInvalid command line switch:\r\n%s%n%x\r\n"));
        QCOMPARE(invalid.second, 1);
    }

    void fileOpen()
    {
        QTemporaryDir root;
        setenv("TOLVANE_DRIVES", ("C=" + root.path()).toUtf8().constData(), 1);
        SetSleepFunction(&RecordSleep);
        QVERIFY(TestFiles::writeFile(root.path() + "/held.txt", ""));
        QFile ro(root.path() + "/ro.txt");
        QVERIFY(ro.open(QIODevice::WriteOnly));
        ro.close();
        QVERIFY(QFile::setPermissions(ro.fileName(), QFileDevice::ReadOwner));

        File file;
        QCOMPARE(file.open("C:\\missing.txt", FILE_OPEN_EXISTING, 0x80), int(FILE_NOT_FOUND));
        QCOMPARE(file.open("C:\\no\\missing.txt", FILE_OPEN_EXISTING, 0x80), int(FILE_DIRECTORY_NOT_FOUND));
        QCOMPARE(file.open("C:\\ro.txt", 0, 0x80), int(FILE_READ_ONLY));
        QCOMPARE(Bytes(file.errorText()), QByteArray("The file's Read-Only attribute is set."));

        // another program holds the file without sharing
        const int fd = open((root.path() + "/held.txt").toUtf8().constData(), O_RDONLY);
        QVERIFY(flock(fd, LOCK_EX) == 0);
        g_sleeps.clear();
        QCOMPARE(file.open("C:\\held.txt", 0, 0x80), int(FILE_LOCKED));
        QCOMPARE(g_sleeps, (QList<unsigned>{100, 100, 100, 100, 100}));
        g_sleeps.clear();
        QCOMPARE(file.open("C:\\held.txt", FILE_NO_SHARING_RETRIES | FILE_RETRY_ONCE, 0x80),
                 int(FILE_LOCKED));
        QCOMPARE(g_sleeps, QList<unsigned>{150});
        QVERIFY(FileExists("C:\\held.txt"));
        QVERIFY(IsFileLocked("C:\\held.txt"));
        close(fd);
        QVERIFY(!IsFileLocked("C:\\held.txt"));
        QVERIFY(!FileExists("C:\\missing.txt"));

        QCOMPARE(file.open("C:\\held.txt", 0, 0x80), int(FILE_SUCCESS));
        QVERIFY(file.writeAll("longer text"));
        QVERIFY(file.writeAll("short"));
        String back;
        QVERIFY(file.readAll(back));
        QCOMPARE(Bytes(back), QByteArray("short"));
        SetSleepFunction(nullptr);
    }

    // Another program puts something else in the file's place right before CreateFile opens it:
    // what is opened is what gets judged. A FIFO or a folder is refused as a folder is on Windows
    // (the open or read of a FIFO would wait for good), and a read-only file is not opened for
    // writing. The open runs in a child that an alarm ends, so a wait is a failure.
    void createFileJudgesWhatItOpened_data()
    {
        QTest::addColumn<QString>("swappedIn");
        QTest::addColumn<uint>("access");
        const uint read = win::GENERIC_READ, write = win::GENERIC_WRITE;
        QTest::newRow("FIFO, read") << "fifo" << read;
        QTest::newRow("FIFO, write") << "fifo" << write;
        QTest::newRow("FIFO, read and write") << "fifo" << (read | write);
        QTest::newRow("folder, read") << "folder" << read;
        QTest::newRow("read-only file, write") << "read-only" << write;
    }

    void createFileJudgesWhatItOpened()
    {
        QFETCH(QString, swappedIn);
        QFETCH(uint, access);
        QTemporaryDir root;
        setenv("TOLVANE_DRIVES", ("C=" + root.path()).toUtf8().constData(), 1);
        const QByteArray file = QFile::encodeName(root.path() + "/file.txt");
        QVERIFY(TestFiles::writeFile(root.path() + "/file.txt", "old"));

        const SBoundedChild child = RunInBoundedChild(
            [&](QByteArray& output)
            {
                win::SetBeforeOpenHook(
                    [&](const std::string& path)
                    {
                        if (path != file.toStdString() || unlink(file.constData()) != 0)
                            return;
                        if (swappedIn == "fifo")
                            mkfifo(file.constData(), 0644);
                        else if (swappedIn == "folder")
                            mkdir(file.constData(), 0755);
                        else
                            close(open(file.constData(), O_WRONLY | O_CREAT | O_EXCL, 0444));
                    });
                const win::HANDLE handle =
                    win::CreateFile("C:\\file.txt", access, 0, win::OPEN_EXISTING, 0x80);
                output = QByteArray::number(win::GetLastError());
                return handle == win::INVALID_HANDLE_VALUE ? 0 : 1;
            },
            5);
        QVERIFY2(child.exited, "CreateFile waited on the FIFO");
        QCOMPARE(child.code, 0); // no handle
        QCOMPARE(child.output, QByteArray::number(win::ERROR_ACCESS_DENIED));
    }
};

QTEST_GUILESS_MAIN(TestKolvestCore)
#include "tst_kolvest_core.moc"
