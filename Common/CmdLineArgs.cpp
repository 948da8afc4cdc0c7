#include "CmdLineArgs.h"

#include <QCoreApplication>

CCmdLineArgs::CCmdLineArgs() : m_Arguments(QCoreApplication::arguments()) {}

CCmdLineArgs::CCmdLineArgs(const QStringList& arguments) : m_Arguments(arguments) {}

QString CCmdLineArgs::getOption(QString strName, bool* pbFound, bool bTakesValue)
{
    bool bFound = false;
    QString strValue;
    strName = strName.toLower();
    const QString strDash = QLatin1Char('-') + strName;
    const QString strSlash = QLatin1Char('/') + strName;

    for (int i = 1; i < m_Arguments.size(); ++i)
    {
        const QString strArg = m_Arguments.at(i).toLower();
        if (strArg != strDash && strArg != strSlash)
            continue;
        m_Used[i] = true;
        bFound = true;
        if (bTakesValue && i + 1 < m_Arguments.size())
        {
            m_Used[i + 1] = true;
            strValue = m_Arguments.at(i + 1);
            break;
        }
    }
    if (pbFound)
        *pbFound = bFound;
    return strValue;
}

QString CCmdLineArgs::getUnusedArgs() const
{
    QString strUnused;
    for (int i = 1; i < m_Arguments.size(); ++i)
        if (!m_Used.value(i))
            strUnused += m_Arguments.at(i) + QLatin1Char(' ');
    return strUnused;
}
