#pragma once

// Whole files of the tests that work on a temporary drive.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

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
} // namespace TestFiles
