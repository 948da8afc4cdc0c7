#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <cstdio>

// A file the program cannot use is renamed beside itself, never overwriting anything, so the
// user's data stays whole: under the first free name of "<name>.damaged", "<name>.damaged-2", ...
class CSetAside
{
public:
    static constexpr int MAX_KEPT_FILES = 100;

    // The new name of the file, or empty with the reason in strFailure. Each companion that exists
    // (a suffix such as "-wal") goes along under the new name and the same suffix, before the file
    // itself: none is left beside a new file of the old name. After a failed rename the files
    // moved are moved back.
    static QString rename(const QString& strPath, const QStringList& companions, QString& strFailure)
    {
        QStringList suffixes = companions;
        suffixes.append(QString());
        for (int i = 1; i <= MAX_KEPT_FILES; ++i)
        {
            QString strKept = strPath + QLatin1String(".damaged");
            if (i > 1)
                strKept += QStringLiteral("-%1").arg(i);
            bool bTaken = false;
            for (const QString& strSuffix : suffixes)
                bTaken = bTaken || QFile::exists(strKept + strSuffix);
            if (bTaken)
                continue;
            QStringList moved;
            for (const QString& strSuffix : suffixes)
            {
                if (!strSuffix.isEmpty() && !QFile::exists(strPath + strSuffix))
                    continue;
                if (std::rename(QFile::encodeName(strPath + strSuffix).constData(),
                                QFile::encodeName(strKept + strSuffix).constData()) != 0)
                {
                    strFailure = qt_error_string(errno);
                    for (const QString& strMoved : moved)
                        std::rename(QFile::encodeName(strKept + strMoved).constData(),
                                    QFile::encodeName(strPath + strMoved).constData());
                    return QString();
                }
                moved.append(strSuffix);
            }
            return strKept;
        }
        strFailure = qt_error_string(EEXIST);
        return QString();
    }
};
