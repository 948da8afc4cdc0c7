#include "LogFileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QUrl>

#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace
{
const char* const READ_ONLY_CONNECT_OPTIONS = ";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI";

QString readOnlyUri(const QString& strPath, bool bImmutable)
{
    QUrl url = QUrl::fromLocalFile(strPath);
    url.setQuery(bImmutable ? QStringLiteral("mode=ro&immutable=1") : QStringLiteral("mode=ro"));
    return url.toString(QUrl::FullyEncoded);
}

// An immutable open ignores the write-ahead log, where the newest rows of a file restored
// without its index still are. A copy of the file and its log in a folder of its own lets SQLite
// build the index and read them. Every connection shares the one copy while any of them lives
// (the program's connections live as long as it runs), so a run copies the file once.
class CPrivateCopy
{
public:
    explicit CPrivateCopy(const QString& strPath)
    {
        const QString strCopy = m_dir.path() + QLatin1Char('/') + QFileInfo(strPath).fileName();
        for (const char* suffix : {"", "-wal"})
            if (!m_dir.isValid() ||
                !QFile::copy(strPath + QLatin1String(suffix), strCopy + QLatin1String(suffix)))
                return;
        m_strCopy = strCopy;
    }
    // Empty when the copy could not be made.
    const QString& path() const { return m_strCopy; }

    // The copy every connection shares; bNew when this call made (or failed to make) it.
    static std::shared_ptr<CPrivateCopy> shared(const QString& strPath, bool& bNew)
    {
        static QMutex s_mutex; // the polling thread opens its connection too
        static std::weak_ptr<CPrivateCopy> s_copy;
        const QMutexLocker lock(&s_mutex);
        std::shared_ptr<CPrivateCopy> copy = s_copy.lock();
        bNew = !copy;
        if (bNew)
        {
            copy = std::make_shared<CPrivateCopy>(strPath);
            s_copy = copy;
        }
        return copy;
    }

private:
    QTemporaryDir m_dir;
    QString m_strCopy;
};

// The connection's share of the copy: goes with its driver, after the driver has closed it.
class CCopyShare : public QObject
{
public:
    CCopyShare(QObject* pDriver, std::shared_ptr<CPrivateCopy> copy)
        : QObject(pDriver), m_copy(std::move(copy))
    {
    }

private:
    std::shared_ptr<CPrivateCopy> m_copy;
};
} // namespace

bool CLogFileAccess::canWriteFolderOf(const QString& strPath)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(strPath).absolutePath());
    return ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool CLogFileAccess::setReadOnlyName(QSqlDatabase& db, const QString& strPath)
{
    if (!hasUnindexedLog(strPath))
    {
        setReadOnly(db, strPath, !QFile::exists(strPath + QLatin1String("-shm")));
        return true;
    }
    bool bNew = false;
    std::shared_ptr<CPrivateCopy> copy = CPrivateCopy::shared(strPath, bNew);
    new CCopyShare(db.driver(), copy);
    if (!copy->path().isEmpty())
    {
        setReadOnly(db, copy->path(), false);
        return true;
    }
    setReadOnly(db, strPath, true);
    return !bNew;
}

void CLogFileAccess::setReadOnly(QSqlDatabase& db, const QString& strPath, bool bImmutable)
{
    db.setConnectOptions(db.connectOptions() + QLatin1String(READ_ONLY_CONNECT_OPTIONS));
    db.setDatabaseName(readOnlyUri(strPath, bImmutable));
}

bool CLogFileAccess::hasUnindexedLog(const QString& strPath)
{
    return QFileInfo(strPath + QLatin1String("-wal")).size() > 0 &&
           !QFile::exists(strPath + QLatin1String("-shm"));
}

bool CLogFileAccess::isReadOnly(const QSqlDatabase& db)
{
    return db.connectOptions().contains(QLatin1String("QSQLITE_OPEN_READONLY"));
}
