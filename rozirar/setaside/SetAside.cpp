#include "SetAside.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>

namespace
{
const char* const SET_ASIDE_SUFFIX = ".damaged";

enum ERename
{
    RENAMED,
    NAME_TAKEN,
    REFUSED
};

ERename renameNoReplace(const QString& strFrom, const QString& strTo)
{
    const QByteArray from = QFile::encodeName(strFrom);
    const QByteArray to = QFile::encodeName(strTo);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return RENAMED;
    if (errno == EEXIST)
        return NAME_TAKEN;
    if (errno != EINVAL)
        return REFUSED;
    // A file system that cannot rename without replacing: look first, as closely as it allows.
    if (QFile::exists(strTo))
    {
        errno = EEXIST;
        return NAME_TAKEN;
    }
    return ::rename(from.constData(), to.constData()) == 0 ? RENAMED : REFUSED;
}

// Renames the file and its companions to strKept; on failure moves back what was moved.
ERename renameAll(const QString& strPath, const QStringList& suffixes, const QString& strKept)
{
    QStringList moved;
    for (const QString& strSuffix : suffixes)
    {
        if (!strSuffix.isEmpty() && !QFile::exists(strPath + strSuffix))
            continue;
        const ERename eRename = renameNoReplace(strPath + strSuffix, strKept + strSuffix);
        if (eRename != RENAMED)
        {
            const int nError = errno;
            for (const QString& strMoved : moved)
                renameNoReplace(strKept + strMoved, strPath + strMoved);
            errno = nError;
            return eRename;
        }
        moved.append(strSuffix);
    }
    return RENAMED;
}
} // namespace

QString setAside(const QString& strPath, const QStringList& companions, QString* pstrFailure)
{
    QStringList suffixes = companions;
    suffixes.append(QString()); // the file itself last
    for (int i = 1; i <= MAX_SET_ASIDE_NAMES; ++i)
    {
        QString strKept = strPath + QLatin1String(SET_ASIDE_SUFFIX);
        if (i > 1)
            strKept += QStringLiteral("-%1").arg(i);
        switch (renameAll(strPath, suffixes, strKept))
        {
        case RENAMED:
            return strKept;
        case NAME_TAKEN:
            continue;
        case REFUSED:
            if (pstrFailure)
                *pstrFailure = qt_error_string(errno);
            return QString();
        }
    }
    if (pstrFailure)
        *pstrFailure = qt_error_string(EEXIST);
    return QString();
}
