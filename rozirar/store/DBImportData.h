#ifndef DBIMPORTDATA_H
#define DBIMPORTDATA_H

#include <QMap>
#include <QSqlTableModel>

class CVokDelimTextModel;
class QProgressDialog;
class QSqlQuery;
class QTranslator;

// Stores the rows of an exported CSV file (English or German headers) in the log database:
// minute rows into ValueLogs, second-log rows of one span into SecLogs, all in one transaction
// on the connection "UIThread".
class CDBImportData : public QSqlTableModel
{
    Q_OBJECT

public:
    explicit CDBImportData(QObject* parent = nullptr);

    // True when every row was written and committed; on false the tables are as before.
    bool importData(CVokDelimTextModel* pModel, const QModelIndex& parent, QProgressDialog* pProgress);
    // Dictionary index -> CSV column of every header with a stored column.
    bool mapHeaders(CVokDelimTextModel* pModel, const QModelIndex& parent, QMap<int, int>* pMap);

    // nSerialNr when it is 0 or more, else the user's answer: 0 for none, -1 when refused.
    static int askSerialNr(int nSerialNr);
    // "-" becomes 0, "h:mm" seconds, an empty cell NULL; binds to ":" + the entry's column.
    static void bindValue(QSqlQuery& query, int nDictIndex, QVariant& value);
    static QString translateDictText(QTranslator& translator, const char* pszText);
};

#endif // DBIMPORTDATA_H
