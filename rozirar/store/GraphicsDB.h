#ifndef GRAPHICSDB_H
#define GRAPHICSDB_H

#include "DBBase.h"

#include <QSet>

// Diagram data: the time stamp (in a form the plots parse) and the chosen values of any log
// table, on the connection "UIThread2". The table is named per query.
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

    // Table kinds other than the four log tables leave the model untouched; the span matters
    // for the second-log tables only.
    void setupQueryModelForTable(QSqlQueryModel& model, int nSerialNr, int nTableKind, int nTimeSpan);

private:
    QSet<int> m_fields;
};

#endif // GRAPHICSDB_H
