#pragma once

#include <QObject>
#include <QSqlDatabase>
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

    // The serial number that stands for every unit in deletes and views. It is the only one:
    // serial numbers of 2^31 and above arrive as other negative ints and stay single units.
    static constexpr int ALL_SERIAL_NUMBERS = -1;

    CDBBase(int nTableKind, const QString& strConnectionName, bool bGraphics, QObject* parent = nullptr);
    ~CDBBase() override;

    QString getTableName() const;

    virtual bool createTable() = 0;
    virtual bool isFieldSelected(int nIndex);

    bool deleteRecords(int nSerialNr);
    // Appends the distinct serial numbers of the table, ascending; the list is not cleared.
    void getSerialNumbers(QList<int>& list);
    static QString addSerialNrCondition(int nSerialNr, QString strCondition);

    // Fill the model with one SELECT over the table: formatted and derived columns, headers
    // and tool tips from the dictionary. The condition is an SQL expression without WHERE.
    void setupQueryModel(QSqlQueryModel& model, int nSerialNr, QString strCondition);
    void setupQueryModel70(QSqlQueryModel& model, int nSerialNr, QString strCondition);

    // Full path of the database file.
    static QString databasePath();

protected:
    bool ensureTableAndColumns(const QString& strCreateStatement);

    // Shows the failure of a statement (critical box in the user-interface thread, debug line
    // elsewhere).
    static void reportStatementFailure(const QSqlQuery& query, const QSqlDatabase& db);

    // The statement prepared once per connection and kept while the connection lives, for
    // writers that run the same statement chunk after chunk. Null when it cannot be prepared
    // (the failure is in the debug log).
    QSqlQuery* preparedStatement(const QString& strStatement);

    // The SELECT of the views over the table; the dictionary indices of its columns go to
    // selected.
    QString selectStatement(int nSerialNr, const QString& strCondition, QList<int>& selected);

    QSqlDatabase m_db;
    int m_nTableKind;
    bool m_bGraphics;

private:
    void buildQueryModel(QSqlQueryModel& model, int nSerialNr, const QString& strCondition);
    QString columnExpression(int nIndex) const;
};

// Box without parent, one OK button, titled with the program name; only the user-interface
// thread may show one, other threads write the text to the debug log instead.
void showStoreMessage(bool bCritical, const QString& strText);
