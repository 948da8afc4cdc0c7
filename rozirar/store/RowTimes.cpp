#include "RowTimes.h"

#include "SecLogDBBase.h"

#include <QSet>

#include <algorithm>

namespace
{
// Rows held in repeated hours at most; a file holding more is no export (an hour holds 120 minute
// rows of a unit) and must not take all memory: beyond it, the rows are placed as if the file
// ended there.
const int MAX_HELD = 1 << 16;
// Two rows of repeated hours further apart belong to different clock changes.
const qint64 SECS_PER_DAY = 86400;
} // namespace

CRowTimes::CRowTimes(int nTimeSpan) : m_nTimeSpan(nTimeSpan) {}

CRowTimes::SUnit& CRowTimes::unitOf(quint32 nUnit)
{
    if (!m_pLastUnit || nUnit != m_nLastUnit)
    {
        m_pLastUnit = &m_units[nUnit]; // a map node does not move when others are added
        m_nLastUnit = nUnit;
    }
    return *m_pLastUnit;
}

CRowTimes::EResult CRowTimes::store(int nRow, const QString& strText, qint64 nStamp)
{
    if (nStamp < 0 || nStamp > LAST_STAMP)
    {
        m_nFailedRow = nRow;
        m_strFailedText = strText;
        return RT_OUT_OF_RANGE;
    }
    m_stored.append({nRow, nStamp});
    return RT_OK;
}

CRowTimes::EResult CRowTimes::addRow(int nRow, const QString& strText, quint32 nUnit, quint64 nValues)
{
    m_bLastHeld = false;
    SUnit& unit = unitOf(nUnit);
    if (!unit.strPrevious.isNull() && strText == unit.strPrevious)
    {
        // The unit's row before once more (merged files that overlap) is stored once; another row
        // of its time moves on a second.
        if (nValues == unit.nPreviousValues)
            return RT_OK;
        unit.nPreviousValues = nValues;
        ++unit.nPreviousStamp;
        return store(nRow, strText, unit.nPreviousStamp);
    }

    qint64 nStamp = 0;
    qint64 nOther = 0;
    const CLocalTimeParser::EResult result = m_parser.secsSinceEpoch(strText, &nStamp, &nOther);
    if (result != CLocalTimeParser::LT_OK)
    {
        m_nFailedRow = nRow;
        m_strFailedText = strText;
        return result == CLocalTimeParser::LT_NONEXISTENT ? RT_NONEXISTENT : RT_MALFORMED;
    }
    if (nOther != nStamp)
    {
        const SHeld row{nRow, strText, {qMin(nStamp, nOther), qMax(nStamp, nOther)}, nValues};
        const EResult placed =
            m_nHeld >= MAX_HELD ? finish()
            : !unit.held.isEmpty() && qAbs(row.instants[0] - unit.held[0].instants[0]) > SECS_PER_DAY
                ? placeHeld(unit, 0)
                : RT_OK;
        if (placed != RT_OK)
            return placed;
        if (unit.held.isEmpty())
            unit.nHeldFrom = !unit.bOutside ? 0 : unit.nLastOutside < row.instants[0] ? -1 : 1;
        unit.held.append(row);
        ++m_nHeld;
        unit.strPrevious = QString();
        m_bLastHeld = true;
        return RT_OK;
    }
    if (!unit.held.isEmpty())
    {
        const EResult placed = placeHeld(unit, nStamp < unit.held[0].instants[0] ? -1 : 1);
        if (placed != RT_OK)
            return placed;
    }
    unit.bOutside = true;
    unit.nLastOutside = nStamp;
    if (m_nTimeSpan >= 0)
        nStamp = CSecLogDBBase::entryStampInMinute(nStamp, m_nTimeSpan);
    unit.strPrevious = strText;
    unit.nPreviousValues = nValues;
    unit.nPreviousStamp = nStamp;
    return store(nRow, strText, nStamp);
}

CRowTimes::EResult CRowTimes::finish()
{
    // In file order, so that a refused row is the first one.
    std::vector<SUnit*> holding;
    for (auto& unit : m_units)
        if (!unit.second.held.isEmpty())
            holding.push_back(&unit.second);
    std::sort(holding.begin(), holding.end(),
              [](const SUnit* a, const SUnit* b) { return a->held[0].nRow < b->held[0].nRow; });
    for (SUnit* pUnit : holding)
    {
        const EResult result = placeHeld(*pUnit, 0);
        if (result != RT_OK)
            return result;
    }
    return RT_OK;
}

CRowTimes::EResult CRowTimes::placeHeld(SUnit& unit, int nNextSide)
{
    const QVector<SHeld> held = std::move(unit.held);
    unit.held.clear();
    m_nHeld -= held.size();

    // A row whose cells equal a row of the same minute, placed or held before it, is its copy.
    QVector<const SHeld*> rows;
    QSet<QPair<qint64, quint64>> seen;
    for (const SHeld& row : held)
    {
        const auto it = unit.minutes.find(row.instants[0]);
        const bool bPlaced =
            it != unit.minutes.end() && ((it->second.placed[0] && it->second.values[0] == row.nValues) ||
                                         (it->second.placed[1] && it->second.values[1] == row.nValues));
        if (!bPlaced && !seen.contains({row.instants[0], row.nValues}))
        {
            seen.insert({row.instants[0], row.nValues});
            rows.append(&row);
        }
    }

    // The direction the rows run in: the way most of their steps go (a time going back to start
    // the other pass is one step); where that does not tell, from the side the rows before them
    // lie on, else towards the side the rows after them lie on, else oldest first.
    int nSteps = 0;
    for (int i = 1; i < rows.size(); ++i)
        nSteps += rows[i]->instants[0] > rows[i - 1]->instants[0]   ? 1
                  : rows[i]->instants[0] < rows[i - 1]->instants[0] ? -1
                                                                    : 0;
    int nDirection = nSteps > 0 ? 1 : nSteps < 0 ? -1 : -unit.nHeldFrom;
    if (nDirection == 0)
        nDirection = nNextSide != 0 ? nNextSide : 1;
    int nTurn = -1; // the first row whose time goes back against the direction
    for (int i = 1; nTurn < 0 && i < rows.size(); ++i)
        if ((rows[i]->instants[0] - rows[i - 1]->instants[0]) * nDirection < 0)
            nTurn = i;

    const bool bBefore = unit.nHeldFrom < 0 || nNextSide < 0;
    const bool bAfter = unit.nHeldFrom > 0 || nNextSide > 0;
    const int nSinglePass = bAfter && !bBefore ? 1 : 0;
    for (int i = 0; i < rows.size(); ++i)
    {
        int nPass = 0;
        if (nTurn >= 0)
            nPass = (i < nTurn) == (nDirection > 0) ? 0 : 1;
        else
        {
            // Sorted by time: the rows of a minute side by side.
            int nInGroup = 0;
            while (nInGroup < i && rows[i - nInGroup - 1]->instants[0] == rows[i]->instants[0])
                ++nInGroup;
            const bool bAlone =
                nInGroup == 0 && (i + 1 == rows.size() || rows[i + 1]->instants[0] != rows[i]->instants[0]);
            nPass = bAlone ? nSinglePass : qMin(nInGroup, 2);
        }
        const EResult result = place(unit, *rows[i], nPass);
        if (result != RT_OK)
            return result;
    }
    return RT_OK;
}

CRowTimes::EResult CRowTimes::place(SUnit& unit, const SHeld& row, int nPass)
{
    SMinute& minute = unit.minutes[row.instants[0]];
    // A pass taken by another row: the other one while it is free, else a second after the
    // minute's last row.
    if (nPass < 2 && minute.placed[nPass])
        nPass = minute.placed[1 - nPass] ? 2 : 1 - nPass;
    qint64 nStamp = 0;
    if (nPass < 2)
    {
        nStamp = row.instants[nPass];
        if (m_nTimeSpan >= 0)
            nStamp = CSecLogDBBase::entryStampInMinute(nStamp, m_nTimeSpan);
        minute.placed[nPass] = true;
        minute.values[nPass] = row.nValues;
    }
    else
        nStamp = minute.nLastStamp + 1;
    minute.nLastStamp = nStamp;
    return store(row.nRow, row.strText, nStamp);
}
