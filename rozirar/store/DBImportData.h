#pragma once

#include <QMap>
#include <QSqlTableModel>
#include <QStringList>
#include <QVariant>

class QIODevice;
class QProgressDialog;
class QTranslator;

// Stores the rows of an exported CSV file (English or German headers) in the log database:
// minute rows into ValueLogs, second-log rows of one span into SecLogs, all in one transaction
// on the connection "UIThread". The file is read record by record while it is stored, so a year
// of minute rows never sits in memory at once.
class CDBImportData : public QSqlTableModel
{
    Q_OBJECT

public:
    explicit CDBImportData(QObject* parent = nullptr);

    // Reads the file (";", '"', ISO 8859-1, a header row) from the open device. True when every
    // row was written and committed; on false the tables are as before and the user was told why
    // (except after a cancel). Progress goes to the dialog in bytes of the file.
    bool importData(QIODevice* pDevice, QProgressDialog* pProgress);
    // Dictionary index -> CSV column of every header with a stored column.
    bool mapHeaders(const QStringList& headers, QMap<int, int>* pMap);

    // nSerialNr when it is 0 or more, else the user's answer: 0 for none, -1 when refused.
    static qint64 askSerialNr(qint64 nSerialNr);
    // The value a cell stores in the column of the dictionary entry: "-" is 0 (700 for the
    // pressure, which shows "-" up to 700 hPa), "h:mm" seconds, an empty cell NULL (the empty text
    // in a text column of second-log rows), a serial number below 0 (older exports) that number
    // plus 2^32. *pOk is false for a text that is no value of the column, such as a word in a
    // number column.
    static QVariant cellValue(int nDictIndex, const QString& strCell, bool bSecLogs, bool* pOk);
    static QString translateDictText(QTranslator& translator, const char* pszText);

private:
    QProgressDialog* m_pProgress = nullptr;
};
