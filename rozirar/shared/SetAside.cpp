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
        return NAME_TAKEN;
    return ::rename(from.constData(), to.constData()) == 0 ? RENAMED : REFUSED;
}
} // namespace

QString setAside(const QString& strPath)
{
    for (int i = 1; i <= MAX_SET_ASIDE_NAMES; ++i)
    {
        QString strKept = strPath + QLatin1String(SET_ASIDE_SUFFIX);
        if (i > 1)
            strKept += QStringLiteral("-%1").arg(i);
        switch (renameNoReplace(strPath, strKept))
        {
        case RENAMED:
            return strKept;
        case NAME_TAKEN:
            continue;
        case REFUSED:
            return QString();
        }
    }
    return QString();
}
