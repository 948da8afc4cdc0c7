#pragma once

#include "DBBase.h"

#include <QDateTime>
#include <QVariant>
#include <QVector>

#include <functional>

// Second-log store: one row per retrieved second-log entry, keyed by time stamp, time span
// (column LTS) and serial number. Also the time spans themselves and their conversions.
class CSecLogDBBase : public CDBBase
{
    Q_OBJECT

public:
    bool createTable() override;
    // The span column is a key, never shown.
    bool isFieldSelected(int nIndex) override;

    // Seconds one entry covers: 900, 86400, 2592000; 0 for any other span.
    static int getTimeSpanSecs(int nTimeSpan);
    // Entries are stamped with the middle of their period, files show whole minutes: the stamp of
    // the span's entry within the minute that starts at nMinute (Unix seconds), else nMinute.
    static qint64 entryStampInMinute(qint64 nMinute, int nTimeSpan);
    // "LTS"=<span>: the rows of one span.
    static QString makeTimeSpanCondition(int nTimeSpan);

    void setupQueryModelForTimeSpan(QSqlQueryModel& model, int nTimeSpan, qint64 nSerialNr);
    // Deletes the rows of one span of every unit.
    bool deleteSecLogValues(int nTimeSpan);

    // Conversions of the raw entry fields; each gives 0 for a span outside 0..2.
    static int durationSecs(int nRaw, int nTimeSpan);
    static int water(int nRaw, int nTimeSpan);

protected:
    CSecLogDBBase(int nTableKind, const QString& strConnectionName, QObject* parent);

    // Writes the rows of one chunk in one transaction. `rowOf` gives the row values of entry i in
    // the order of `columns`, or an invalid list for an entry that is not stored. The time stamp
    // advances by one span per stored entry, whether the chunk could be written or not, so the
    // next chunk keeps its place in time.
    bool saveRows(const QStringList& columns, int nCount, int nTimeSpan, QDateTime& rTimestamp,
                  const std::function<QVariantList(int, qint64)>& rowOf);
    // saveRows over second-log entries: rowOf(entry, timestamp) gives the row of an entry the unit
    // has stored; the others are skipped.
    template <typename Entry, typename RowFn>
    bool saveEntries(const QStringList& columns, const QVector<Entry>& entries, int nTimeSpan,
                     QDateTime& rTimestamp, RowFn rowOf)
    {
        return saveRows(columns, entries.size(), nTimeSpan, rTimestamp,
                        [&](int i, qint64 nTimestamp)
                        {
                            const Entry& e = entries[i];
                            if (e.EntryState() == Entry::ENTRY_STATE_NOT_STORED)
                                return QVariantList();
                            return rowOf(e, nTimestamp);
                        });
    }

    // The column names of dictionary indices, in the given order.
    static QStringList columnNames(const QVector<int>& indices);
    // Translated short label of the error of an error code; empty for a code without entry.
    static QString errorText(unsigned int nErrorCode);
    // One decimal in fixed notation, as the row stores exchanged air.
    static double oneDecimal(double dValue);
    // Rounded as the unit's energies are: add 0.5, cut towards zero.
    static int roundEnergy(double dValue);
};
