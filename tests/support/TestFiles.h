#pragma once

// Whole files of the tests that work on a temporary drive.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace TestFiles
{
// Replaces the content, creating the folders on the way. False unless all of it was written:
// use it as QVERIFY(writeFile(...)).
[[nodiscard]] inline bool writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size() &&
           file.flush();
}

// The content, or `unreadable` for a file that cannot be read (by default a text no test writes,
// so that a missing file never passes for an empty one).
inline QByteArray readFile(const QString& path, const QByteArray& unreadable = "<missing>")
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : unreadable;
}

// Flips a permission bit of the node the path leads to until its change time has moved (the time
// has the granularity of the system's clock tick), as a chmod by someone else does. False when
// the node cannot be changed.
[[nodiscard]] inline bool changePermissions(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat before = {}, now = {};
    if (::stat(name.constData(), &before) != 0)
        return false;
    const auto moved = [&]
    { return now.st_ctim.tv_sec != before.st_ctim.tv_sec || now.st_ctim.tv_nsec != before.st_ctim.tv_nsec; };
    now = before;
    for (int i = 0; i < 1000000 && !moved(); ++i)
        if (::chmod(name.constData(), now.st_mode ^ S_IWGRP) != 0 || ::stat(name.constData(), &now) != 0)
            return false;
    return moved();
}
} // namespace TestFiles
