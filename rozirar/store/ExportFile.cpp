#include "ExportFile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// The bytes 0 to nSize of one descriptor over those of another, which ends there.
bool copyBytes(int nFrom, int nTo, off_t nSize)
{
    char buffer[65536];
    for (off_t nAt = 0; nAt < nSize;)
    {
        const ssize_t nRead = ::pread(nFrom, buffer, size_t(qMin<off_t>(nSize - nAt, sizeof buffer)), nAt);
        if (nRead < 0 && errno == EINTR)
            continue;
        if (nRead <= 0)
            return false;
        for (ssize_t nDone = 0; nDone < nRead;)
        {
            const ssize_t nWritten = ::pwrite(nTo, buffer + nDone, size_t(nRead - nDone), nAt + nDone);
            if (nWritten < 0 && errno == EINTR)
                continue;
            if (nWritten <= 0)
                return false;
            nDone += nWritten;
        }
        nAt += nRead;
    }
    return ::ftruncate(nTo, nSize) == 0 && ::fsync(nTo) == 0;
}

// Writes the bytes of nNew into nFile if that is still the file `old`, the room taken first, so that
// a full disk leaves the old bytes. 0 or the reason.
int writeInto(int nFile, int nNew, const struct stat& old)
{
    struct stat opened = {};
    struct stat made = {};
    if (::fstat(nFile, &opened) != 0 || ::fstat(nNew, &made) != 0)
        return errno;
    if (opened.st_dev != old.st_dev || opened.st_ino != old.st_ino)
        return EBUSY; // something else was put in its place: left alone
    if (made.st_size > 0)
    {
        if (const int nError = ::posix_fallocate(nFile, 0, made.st_size))
            return nError;
    }
    return copyBytes(nNew, nFile, made.st_size) ? 0 : errno;
}
} // namespace

SAgreedFile SAgreedFile::at(const QString& strFileName)
{
    SAgreedFile agreed;
    struct stat there = {};
    if (::stat(QFile::encodeName(strFileName).constData(), &there) == 0)
        agreed = {true, quint64(there.st_dev), quint64(there.st_ino)};
    return agreed;
}

bool putExportInPlace(QSaveFile& file, const SAgreedFile& agreed, QString& strReason)
{
    if (!file.flush())
    {
        strReason = file.errorString();
        file.cancelWriting();
        return false;
    }
    const QByteArray name = QFile::encodeName(file.fileName());
    struct stat old = {};
    const bool bThere = ::stat(name.constData(), &old) == 0;
    if (bThere &&
        (!agreed.bThere || quint64(old.st_dev) != agreed.nDevice || quint64(old.st_ino) != agreed.nInode))
    {
        strReason = qt_error_string(EEXIST);
        file.cancelWriting();
        return false;
    }
    const int nNew = file.handle();
    struct stat made = {};
    if (!bThere || !S_ISREG(old.st_mode) ||
        (old.st_nlink == 1 && ::fstat(nNew, &made) == 0 &&
         ((made.st_uid == old.st_uid && made.st_gid == old.st_gid) ||
          ::fchown(nNew, old.st_uid, old.st_gid) == 0) &&
         ::fchmod(nNew, old.st_mode & 07777) == 0))
    {
        if (file.commit())
            return true;
        strReason = file.errorString();
        return false;
    }
    // No wait at the open, whatever is there by now.
    const int nFile = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
    const int nError = nFile < 0 ? errno : writeInto(nFile, nNew, old);
    if (nFile >= 0)
        ::close(nFile);
    file.cancelWriting(); // the file beside goes
    strReason = qt_error_string(nError);
    return nError == 0;
}
