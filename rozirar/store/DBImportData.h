#pragma once

#include <QMap>
#include <QSqlTableModel>
#include <QStringList>
#include <QVariant>
#include <QVector>

class CImportRowReader;
class QIODevice;
class QTranslator;

// Where the import tells how far it is and learns that the user cancelled; the program shows it
// as a progress dialog (CImportProgressDialog).
class CImportProgress
{
public:
    virtual ~CImportProgress() = default;

    virtual void setLabelText(const QString& strText) = 0;
    virtual void setMaximum(int nMaximum) = 0;
    virtual int maximum() const = 0;
    virtual void setValue(int nValue) = 0;
    virtual bool wasCanceled() const = 0;
    // Hidden, before a message or a question, so that it never covers them.
    virtual void reset() = 0;
};

// Stores the rows of an exported CSV file (English or German headers) in the log database:
// minute rows into ValueLogs, second-log rows of one span into SecLogs (ValueLogs70 and SecLogs70
// for a tolVane plus file), all in one transaction on the connection "UIThread". The file is read
// record by record while it is stored (CImportRowReader), so a year of minute rows never sits in
// memory at once; the steps: the headers (mapHeaders), the table (smallestTimeStep, chooseTable),
// the placeholders (bindingsOf), and the row loop (storeRows): the rows' values, their time
// stamps and copies (CRowTimes), and the check that no row replaces another (CRowKeyCheck).
class CDBImportData : public QSqlTableModel
{
    Q_OBJECT

public:
    explicit CDBImportData(QObject* parent = nullptr);

    // Reads the file (";", '"', ISO 8859-1, a header row) from the open device. True when every
    // row was written and committed; on false the tables are as before and the user was told why
    // (except after a cancel). Progress is told in KiB of the file.
    bool importData(QIODevice* pDevice, CImportProgress* pProgress);
    // Dictionary index -> CSV column of every header with a stored column, and the unit type the
    // header set is of (isPlusFile()).
    bool mapHeaders(const QStringList& headers, QMap<int, int>* pMap);
    bool isPlusFile() const { return m_b70; }

    // The steps of importData, each callable on its own.

    // The smallest step between two rows of one unit (in file order) that show different times,
    // over the rows read ahead: a gap (the unit was off) or a row of another unit between them
    // does not count. False when no unit shows two times there.
    static bool smallestTimeStep(const QList<QStringList>& rows, const QMap<int, int>& columnMap,
                                 qint64* pStep);

    enum ETableChoice
    {
        TC_OK,
        TC_STEP_TOO_SHORT, // second-log columns, but rows closer than entries of any span
    };
    // The table of the rows: minute or second-log rows from the columns (mapHeaders), where they
    // fit one kind only; the span of second-log rows from the size of nTimeStep (smallestTimeStep;
    // unknown: bStepKnown false). *pTimeSpan is -1 for minute rows.
    static ETableChoice chooseTable(const QMap<int, int>& columnMap, bool b70, qint64 nTimeStep,
                                    bool bStepKnown, QString* pTable, int* pTimeSpan);

    struct SBound
    {
        int nDictIndex;
        int nColumn; // -1: not from the file (the span, a serial number asked for)
    };
    // The insert of the rows: its table, the placeholders it binds in statement order, and the
    // values not from the file.
    struct SInsert
    {
        QString strTable;
        int nTimeSpan = -1;
        QVector<SBound> bound;
        qint64 nSerialNr = -1; // asked for when the file has no serial-number column
    };
    // The placeholders of the insert: the mapped columns by dictionary index, then the span of
    // second-log rows and the serial number where the file has none.
    static QVector<SBound> bindingsOf(const QMap<int, int>& columnMap, bool bSecLogs);
    // The row loop: stores the rows read ahead and the rest of the file in one transaction on
    // the connection "UIThread"; false (rolled back) after telling the user why, or on a cancel.
    bool storeRows(CImportRowReader& reader, const QList<QStringList>& leadRows, const QStringList& headers,
                   const SInsert& insert);

    // The value a cell stores in the column of the dictionary entry: "-" is 0 (700 for the
    // pressure, which shows "-" up to 700 hPa), "h:mm" seconds, an empty cell NULL (the empty text
    // in a text column when bEmptyText: tolVane 100 second-log rows), a serial number below 0
    // (older exports) that number plus 2^32, and one written with a fraction of zeros ("4731.0",
    // as spreadsheets save it) the whole number it shows. *pOk is false for a text that is no
    // value of the column, such as a word in a number column.
    static QVariant cellValue(int nDictIndex, const QString& strCell, bool bEmptyText, bool* pOk);
    static QString translateDictText(QTranslator& translator, const char* pszText);

private:
    // Why a row's time stamp is refused (a CRowTimes::EResult other than RT_OK).
    static QString stampRefused(int nResult, const QString& strStamp, int nRow);
    // The values of a row's placeholders but the time stamp's; false after telling the user why.
    bool rowValues(const QStringList& headers, const QStringList& fields, int nRow,
                   const QVector<SBound>& bound, qint64 nSerialNr, bool bEmptyText,
                   QVector<QVariant>* pValues, qint64* pSerialNr);

    // The header row; an empty last field (a line ending in ";" saved with CR LF or CR) is no
    // column, as the empty cells under it are none.
    bool readHeaders(CImportRowReader& reader, QStringList* pHeaders);
    // The first rows, which tell the table: at least 3, at most LEAD_ROWS.
    bool readLeadRows(CImportRowReader& reader, QList<QStringList>* pRows);
    // The table, the placeholders and the serial number asked for.
    bool planInsert(const QList<QStringList>& leadRows, QMap<int, int> columnMap, SInsert* pInsert);

    CImportProgress* m_pProgress = nullptr;
    bool m_b70 = false;
};
