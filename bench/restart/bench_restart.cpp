// The restart tool on 20,000 deletes of distinct files and on 2,000 independent moves, from the
// pending list and from the "[rename]" section of wininit.ini, each beside a plain unlink() or
// rename() loop over the same files measured in the same run.
#include "BenchEnvironment.h"
#include "Restart.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace
{
const int DELETES = 20000;
const int MOVES = 2000;

QString g_drive; // host folder of C:

QByteArray fileName(int i)
{
    return "f" + QByteArray::number(i);
}

QByteArray movedName(int i)
{
    return "m" + QByteArray::number(i);
}

QByteArray hostPath(const QByteArray& name)
{
    return (g_drive + "/Many/").toLocal8Bit() + name;
}

// The files f0... in a folder of their own, nothing else.
void createFiles(int count)
{
    QDir(g_drive + "/Many").removeRecursively();
    QDir().mkpath(g_drive + "/Many");
    for (int i = 0; i < count; ++i)
    {
        const int fd =
            open(hostPath(fileName(i)).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0)
            qFatal("cannot create the files");
        close(fd);
    }
}

void writeList(const QString& path, const QByteArray& text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
}

void restart()
{
    int failures = win::ApplyRestartOperations([](const std::string& line)
                                               { std::fprintf(stderr, "%s\n", line.c_str()); });
    if (failures != 0)
        qFatal("the restart reported %d failures", failures);
}

// The restart on a pending list and on a wininit.ini of `count` operations, and the plain system
// call on the same files; prints the three times and the ratios.
template <class PlainCall>
void measure(const char* what, int count, const QByteArray& pendingText, const QByteArray& wininitText,
             PlainCall plainCall)
{
    const auto prepare = [count] { createFiles(count); };
    const double dPlain = best(
        [&]
        {
            for (int i = 0; i < count; ++i)
                plainCall(i);
        },
        prepare);
    const double dPending = best(restart,
                                 [&]
                                 {
                                     prepare();
                                     writeList(g_drive + "/pending", pendingText);
                                 });
    const double dWininit = best(restart,
                                 [&]
                                 {
                                     prepare();
                                     writeList(g_drive + "/WINDOWS/wininit.ini", wininitText);
                                 });
    std::printf("restart, %d %s: pending list %.1f ms (%.1f x), wininit.ini %.1f ms (%.1f x); "
                "plain loop: %.1f ms\n",
                count, what, dPending, dPending / dPlain, dWininit, dWininit / dPlain, dPlain);
}
} // namespace

int main()
{
    QTemporaryDir folder;
    prepareBenchEnvironment(folder);
    g_drive = folder.path() + "/c";
    QDir().mkpath(g_drive + "/WINDOWS");
    setenv("TOLVANE_DRIVES", ("C=" + g_drive).toLocal8Bit().constData(), 1);
    setenv("TOLVANE_WINDIR", "C:\\WINDOWS", 1);
    setenv("TOLVANE_PENDING_OPS", (g_drive + "/pending").toLocal8Bit().constData(), 1);

    QByteArray pendingText, wininitText = "[rename]\r\n";
    for (int i = 0; i < DELETES; ++i)
    {
        pendingText += "4\tC:\\Many\\" + fileName(i) + "\t\n";
        wininitText += "NUL=C:\\Many\\" + fileName(i) + "\r\n";
    }
    measure("deletes of distinct files (unlink)", DELETES, pendingText, wininitText,
            [](int i) { unlink(hostPath(fileName(i)).constData()); });

    pendingText.clear();
    wininitText = "[rename]\r\n";
    for (int i = 0; i < MOVES; ++i)
    {
        pendingText += "5\tC:\\Many\\" + fileName(i) + "\tC:\\Many\\" + movedName(i) + "\n";
        wininitText += "C:\\Many\\" + movedName(i) + "=C:\\Many\\" + fileName(i) + "\r\n";
    }
    measure("independent moves (rename)", MOVES, pendingText, wininitText,
            [](int i)
            { std::rename(hostPath(fileName(i)).constData(), hostPath(movedName(i)).constData()); });
    return 0;
}
