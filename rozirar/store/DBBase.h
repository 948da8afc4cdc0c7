#pragma once

#include <QList>
#include <QObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

class QSqlQuery;
class QSqlQueryModel;

// Base of every object that works on the log database "Log2.sql": binds one table (its table
// kind, a table bit of the data dictionary) to one named connection, creates and widens the
// table from the dictionary, deletes rows, lists serial numbers and builds the view queries.
class CDBBase : public QObject
{
    Q_OBJECT

public:
    // Table kinds: the table bits of the data dictionary.
    enum ETableKind
    {
        TK_NONE = 0,
        TK_VALUE_LOGS = 1,
        TK_SEC_LOGS = 2,
        TK_VALUE_LOGS_70 = 8,
        TK_SEC_LOGS_70 = 16
    };

    // Serial numbers are unsigned 32-bit; in deletes and views a negative number, which no unit
    // can report, stands for every unit.
    static constexpr qint64 ALL_SERIAL_NUMBERS = -1;
    // What an older program stored for a serial number of 2^31 and above: the number less 2^32.
    static constexpr qint64 SERIAL_NUMBER_WRAP = Q_INT64_C(0x100000000);

    CDBBase(int nTableKind, const QString& strConnectionName, bool bGraphics, QObject* parent = nullptr);
    ~CDBBase() override;

    QString getTableName() const;

    virtual bool createTable() = 0;
    virtual bool isFieldSelected(int nIndex);

    bool deleteRecords(qint64 nSerialNr);
    // Deletes the unit's rows (every row with ALL_SERIAL_NUMBERS) from each of the tables, which
    // share one connection, in one transaction: from all of them or, after a failure, from none.
    static bool deleteRecords(qint64 nSerialNr, const QList<CDBBase*>& tables);
    // Appends the distinct serial numbers of the table, ascending; the list is not cleared.
    void getSerialNumbers(QList<quint32>& list);
    static QString addSerialNrCondition(qint64 nSerialNr, QString strCondition);

    // Fill the model with one SELECT over the table: formatted and derived columns, headers
    // and tool tips from the dictionary. The condition is an SQL expression without WHERE.
    void setupQueryModel(QSqlQueryModel& model, qint64 nSerialNr, QString strCondition);
    void setupQueryModel70(QSqlQueryModel& model, qint64 nSerialNr, QString strCondition);

    // Full path of the database file.
    static QString databasePath();

    // A query of a view failed (no error: none did): a damaged file is told to the user, once;
    // anything else goes to the debug log.
    static void reportReadFailure(const QSqlError& error);

protected:
    bool ensureTableAndColumns(const QString& strCreateStatement);

    // The error of a failed statement, the connection's when the query has none.
    static QSqlError statementError(const QSqlQuery& query, const QSqlDatabase& db);
    // "Unable to run sql statement ..." with the statement and its error.
    static QString statementFailureText(const QSqlQuery& query, const QSqlDatabase& db);

    // The statement prepared once per connection and kept while the connection lives, for
    // writers that run the same statement chunk after chunk. Null when it cannot be prepared
    // (the failure is in the debug log).
    QSqlQuery* preparedStatement(const QString& strStatement);

    // The SELECT of the views over the table; the dictionary indices of its columns go to
    // selected.
    QString selectStatement(qint64 nSerialNr, const QString& strCondition, QList<int>& selected);

    QSqlDatabase m_db;
    int m_nTableKind;
    bool m_bGraphics;

private:
    void buildQueryModel(QSqlQueryModel& model, qint64 nSerialNr, const QString& strCondition);
    QString columnExpression(int nIndex) const;
    // Rows an older program stored with a negative serial number join the unit's other rows.
    void adoptWrappedSerialNumbers();
    // The delete of deleteRecords without its box; the failure goes to error.
    bool deleteRows(qint64 nSerialNr, QSqlError& error);
    static void showDeleteFailure(const QSqlError& error);
};
