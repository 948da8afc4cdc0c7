#pragma once

#include "LocalTimeParser.h"

#include <QString>
#include <QVector>

#include <unordered_map>

// The stored time stamp of each row of a file from the local time it shows, unit by unit: rows of
// different units never move each other's instants. Second-log entries sit in the middle of their
// span, which a file shows only to the minute.
//
// Where the clocks go back, a time of the repeated hour means two instants. Its rows are held
// until the unit's next row outside that hour (or the end of the file), and their passes are
// decided from the order of the rows within the hour and the unit's nearest rows outside it on
// either side: where the times run one way (the file as the export wrote it, reversed, or files
// appended to each other), a time going back against that way starts the other pass; where they
// never go back (sorted by time), the first of two different rows of a minute is its first pass,
// and a minute shown once is the pass next to the side the rows outside the hour lie on (the
// first pass when they lie on both sides or on none). A row whose cells equal a row placed at the
// same minute is its copy.
class CRowTimes
{
public:
    enum EResult
    {
        RT_OK,
        RT_MALFORMED,
        RT_NONEXISTENT,  // skipped where the clocks go forward
        RT_OUT_OF_RANGE, // before 1970 or beyond what unsigned 32-bit seconds hold
    };
    struct SStored
    {
        int nRow;
        qint64 nStamp;
    };

    // nTimeSpan: -1 for minute rows.
    explicit CRowTimes(int nTimeSpan);

    // Takes the next row of the file: nUnit its serial number, nValues its cells as they are stored
    // (CRowKeyCheck::valuesOf). A copy of the unit's row before, or of a row already placed at the
    // same minute of a repeated hour, is dropped; a row of another time but the same as the unit's
    // row before moves on a second after it, so no row replaces another.
    EResult addRow(int nRow, const QString& strText, quint32 nUnit, quint64 nValues);
    // Places the rows still held, at the end of the file.
    EResult finish();
    // The last row given is held until the rows after it tell its pass.
    bool lastRowHeld() const { return m_bLastHeld; }
    // The rows placed since the last clearStored(), in the order they are to be stored.
    const QVector<SStored>& stored() const { return m_stored; }
    void clearStored() { m_stored.clear(); }
    // The row and text of a refused time stamp.
    int failedRow() const { return m_nFailedRow; }
    const QString& failedText() const { return m_strFailedText; }

    static const qint64 LAST_STAMP = Q_INT64_C(0xFFFFFFFF);

private:
    // A row of a repeated hour waiting for its pass.
    struct SHeld
    {
        int nRow;
        QString strText;
        qint64 instants[2]; // the first pass's and the second's
        quint64 nValues;
    };
    // What is placed at one minute of a repeated hour.
    struct SMinute
    {
        quint64 values[2] = {0, 0};
        bool placed[2] = {false, false};
        qint64 nLastStamp = 0;
    };
    struct SUnit
    {
        // The unit's row before, while it lies outside a repeated hour.
        QString strPrevious;
        quint64 nPreviousValues = 0;
        qint64 nPreviousStamp = 0;
        // The instant of the unit's last row outside a repeated hour.
        bool bOutside = false;
        qint64 nLastOutside = 0;
        QVector<SHeld> held;
        int nHeldFrom =
            0; // where the unit's row before the held ones lies: -1 before the hour, 1 after, 0 none
        std::unordered_map<qint64, SMinute> minutes; // by the minute's first instant
    };

    SUnit& unitOf(quint32 nUnit);
    EResult store(int nRow, const QString& strText, qint64 nStamp);
    // Decides the passes of the held rows; nNextSide: where the unit's row after them lies.
    EResult placeHeld(SUnit& unit, int nNextSide);
    EResult place(SUnit& unit, const SHeld& row, int nPass);

    CLocalTimeParser m_parser;
    int m_nTimeSpan;
    std::unordered_map<quint32, SUnit> m_units;
    int m_nHeld = 0; // rows held, of all units
    quint32 m_nLastUnit = 0;
    SUnit* m_pLastUnit = nullptr;
    QVector<SStored> m_stored;
    bool m_bLastHeld = false;
    int m_nFailedRow = 0;
    QString m_strFailedText;
};
