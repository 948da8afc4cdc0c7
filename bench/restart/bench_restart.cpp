// The restart tool on 20,000 deletes of distinct files, from the pending list and from the
// "[rename]" section of wininit.ini, each beside a plain unlink() loop over the same files
// measured in the same run.
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
const int FILES = 20000;

QString g_drive; // host folder of C:

QByteArray fileName(int i)
{
    return "f" + QByteArray::number(i);
}

void createFiles()
{
    QDir().mkpath(g_drive + "/Many");
    for (int i = 0; i < FILES; ++i)
    {
        const int fd = open((g_drive + "/Many/" + fileName(i)).toLocal8Bit().constData(),
                            O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
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
} // namespace

int main()
{
    QTemporaryDir folder;
    prepareBenchEnvironment(folder);
    g_drive = folder.path() + "/c";
    QDir().mkpath(g_drive + "/WINDOWS");
    const QString pending = g_drive + "/pending";
    setenv("TOLVANE_DRIVES", ("C=" + g_drive).toLocal8Bit().constData(), 1);
    setenv("TOLVANE_WINDIR", "C:\\WINDOWS", 1);
    setenv("TOLVANE_PENDING_OPS", pending.toLocal8Bit().constData(), 1);

    QByteArray pendingText, wininitText = "[rename]\r\n";
    for (int i = 0; i < FILES; ++i)
    {
        pendingText += "4\tC:\\Many\\" + fileName(i) + "\t\n";
        wininitText += "NUL=C:\\Many\\" + fileName(i) + "\r\n";
    }

    const double dUnlink = best(
        []
        {
            for (int i = 0; i < FILES; ++i)
                unlink((g_drive + "/Many/" + fileName(i)).toLocal8Bit().constData());
        },
        createFiles);
    const double dPending = best(restart,
                                 [&]
                                 {
                                     createFiles();
                                     writeList(pending, pendingText);
                                 });
    const double dWininit = best(restart,
                                 [&]
                                 {
                                     createFiles();
                                     writeList(g_drive + "/WINDOWS/wininit.ini", wininitText);
                                 });

    std::printf("restart, %d deletes of distinct files: pending list %.1f ms, wininit.ini %.1f ms; "
                "plain unlink loop: %.1f ms\n",
                FILES, dPending, dWininit, dUnlink);
    return 0;
}
