#ifndef STOREFIXTURE_H
#define STOREFIXTURE_H

#include "DBBase.h"
#include "DataDict.h"
#include "GraphicsDB.h"
#include "MinuteLogDB.h"

#include <QFile>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlRecord>
#include <QTranslator>
#include <QVariant>
#include <QtTest>

#include <memory>

namespace StoreFixture
{
// Drops every connection and the database file, so each test starts from no file at all.
// Table objects must be gone before: a live handle keeps its connection.
inline void resetDatabase()
{
    for (const QString& name : QSqlDatabase::connectionNames())
        QSqlDatabase::removeDatabase(name);
    const QString path = CDBBase::databasePath();
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(path + suffix);
}

// A plain connection of its own, to look at the file the way any SQLite reader would.
inline QSqlDatabase plainDb()
{
    const QString name = QStringLiteral("plain");
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    db.setDatabaseName(CDBBase::databasePath());
    db.setConnectOptions("QSQLITE_BUSY_TIMEOUT=30000");
    if (!db.open())
        qFatal("cannot open the test database");
    return db;
}

// The column whose header starts with the abbreviation; -1 for none.
inline int columnOf(const QSqlQueryModel& model, const QString& abbreviation)
{
    for (int c = 0; c < model.columnCount(); ++c)
        if (model.headerData(c, Qt::Horizontal).toString().section('\n', 0, 0) == abbreviation)
            return c;
    return -1;
}

// The text of the cell in the column of the abbreviation; a missing column ends the test run.
inline QString cellOf(const QSqlQueryModel& model, int row, const QString& abbreviation)
{
    const int c = columnOf(model, abbreviation);
    if (c < 0)
        qFatal("no column %s", qPrintable(abbreviation));
    return model.data(model.index(row, c)).toString();
}

inline void exec(const QString& sql)
{
    QSqlQuery query(plainDb());
    if (!query.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
}

// The rows the diagram data reads, each as "time stamp=value" ("nan" for no value); "failed"
// when the query cannot run.
inline QStringList diagramRows(CGraphicsDB& graphics, int nSerialNr, int nTableKind, int nSpan)
{
    QStringList result;
    if (!graphics.readRows(nSerialNr, nTableKind, nSpan,
                           [&](qint64 nTime, double dValue)
                           { result << QStringLiteral("%1=%2").arg(nTime).arg(dValue); }))
        result << QStringLiteral("failed");
    return result;
}

// All rows of a query, each as column name -> value.
inline QList<QVariantMap> rows(const QString& sql)
{
    QSqlQuery query(plainDb());
    if (!query.exec(sql))
        qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    QList<QVariantMap> result;
    while (query.next())
    {
        QVariantMap row;
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i), query.value(i));
        result.append(row);
    }
    return result;
}

inline int count(const QString& table, const QString& where = QString())
{
    return rows(QStringLiteral("SELECT count(*) AS n FROM %1%2")
                    .arg(table, where.isEmpty() ? "" : " WHERE " + where))
        .value(0)
        .value("n")
        .toInt();
}

// Translates dictionary abbreviations to chosen texts while installed.
class CDictTranslator : public QTranslator
{
public:
    explicit CDictTranslator(QHash<QString, QString> texts) : m_texts(std::move(texts)) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* = nullptr,
                      int = -1) const override
    {
        if (QLatin1String(context) != QLatin1String("CDataDict"))
            return QString();
        return m_texts.value(QString::fromUtf8(sourceText));
    }

private:
    QHash<QString, QString> m_texts;
};
} // namespace StoreFixture

#endif // STOREFIXTURE_H
