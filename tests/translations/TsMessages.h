#pragma once

#include <QFile>
#include <QList>
#include <QString>
#include <QXmlStreamReader>

struct SMessage
{
    QString context, source, comment, translation;
    bool bNumerus = false;
    bool bUnfinished = false; // not yet reviewed: lrelease ships a suggestion as it stands
};

// The entries of a .ts file that lrelease compiles (texts that left the sources are skipped).
inline QList<SMessage> currentMessages(const QString& strTsPath, QString& strError)
{
    QFile file(strTsPath);
    if (!file.open(QIODevice::ReadOnly))
    {
        strError = file.errorString();
        return {};
    }
    QList<SMessage> messages;
    QXmlStreamReader xml(&file);
    QString strContext;
    SMessage current;
    while (!xml.atEnd())
    {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("context"))
            strContext.clear();
        else if (name == QLatin1String("name") && strContext.isEmpty())
            strContext = xml.readElementText();
        else if (name == QLatin1String("message"))
        {
            current = SMessage();
            current.context = strContext;
            current.bNumerus = xml.attributes().value("numerus") == QLatin1String("yes");
        }
        else if (name == QLatin1String("source"))
            current.source = xml.readElementText();
        else if (name == QLatin1String("comment"))
            current.comment = xml.readElementText();
        else if (name == QLatin1String("translation"))
        {
            const QStringRef type = xml.attributes().value("type");
            current.bUnfinished = type == QLatin1String("unfinished");
            const bool bCurrent = type != QLatin1String("vanished") && type != QLatin1String("obsolete");
            current.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (bCurrent)
                messages.append(current);
        }
    }
    if (xml.hasError())
        strError = xml.errorString();
    return messages;
}
