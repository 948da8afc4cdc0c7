#pragma once

#include "DBBase.h"

#include <QSet>

#include <functional>

// Diagram data: the stored time stamp and the chosen values of any log table, on the
// connection "UIThread2". The table is named per query.
class CGraphicsDB : public CDBBase
{
    Q_OBJECT

public:
    explicit CGraphicsDB(QObject* parent = nullptr);

    // Never creates a table; the tables come from the objects made at start-up.
    bool createTable() override;
    bool isFieldSelected(int nIndex) override;

    void addField(int nIndex);
    void removeField(int nIndex);

    // The query of a log table: the stored time stamp (Unix seconds), then the chosen fields
    // that are columns of the table, in time order. Empty for other table kinds; the span
    // matters for the second-log tables only.
    QString statementForTable(qint64 nSerialNr, int nTableKind, int nTimeSpan);
    // Runs that query and hands every row to the reader: the time stamp and the value of the
    // first chosen column, NaN where it holds none (NULL, or a text that is no number). Reads no
    // row when no chosen field is a column of the table. False when the query cannot run.
    bool readRows(qint64 nSerialNr, int nTableKind, int nTimeSpan,
                  const std::function<void(qint64 nTime, double dValue)>& reader);

private:
    QSet<int> m_fields;
};
