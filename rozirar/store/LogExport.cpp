#include "LogExport.h"

#include "VokDelimTextModel.h"

#include <QIODevice>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QSqlResult>
#include <QTextStream>

namespace
{
const char* const CSV_CODEC = "ISO 8859-1";
const QChar CSV_SEPARATOR(';');
const QChar CSV_QUOTE('"');

// Rows between two progress calls.
const int PROGRESS_ROWS = 500;
} // namespace

CLogExport::CLogExport(const QSqlQueryModel& view)
    : m_pDriver(view.query().driver()), m_strStatement(view.query().lastQuery().trimmed())
{
    if (m_strStatement.endsWith(QLatin1Char(';')))
        m_strStatement.chop(1);
    for (int c = 0; c < view.columnCount(); ++c)
        m_lstHeader.append(view.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
}

QSqlQuery CLogExport::query(const QString& strStatement) const
{
    // A query of its own on the view's connection, forward only: the driver then keeps no rows.
    QSqlQuery query(m_pDriver ? m_pDriver->createResult() : nullptr);
    query.setForwardOnly(true);
    if (m_pDriver)
        query.exec(strStatement);
    return query;
}

int CLogExport::rowCount() const
{
    QSqlQuery count = query(QStringLiteral("SELECT count(*) FROM (%1)").arg(m_strStatement));
    return count.next() ? count.value(0).toInt() : -1;
}

bool CLogExport::write(QIODevice* pDevice, const std::function<bool(int)>& progress) const
{
    QSqlQuery rows = query(m_strStatement);
    if (!rows.isActive())
        return false;

    // The header through the model's save, which also guards the file's first bytes.
    CVokDelimTextModel table;
    table.insertColumns(0, m_lstHeader.size());
    table.setHeader(m_lstHeader);
    if (!table.save(pDevice, true, CSV_SEPARATOR, CSV_QUOTE, CSV_CODEC))
        return false;

    QTextStream stream(pDevice);
    stream.setCodec(CSV_CODEC);
    QStringList fields;
    for (int nRow = 0; rows.next(); ++nRow)
    {
        if (nRow % PROGRESS_ROWS == 0 && !progress(nRow))
            return false;
        fields.clear();
        for (int c = 0; c < m_lstHeader.size(); ++c)
            fields.append(rows.value(c).toString());
        table.writeRecord(stream, CSV_SEPARATOR, CSV_QUOTE, fields);
        if (stream.status() != QTextStream::Ok)
            return false;
    }
    stream.flush();
    return stream.status() == QTextStream::Ok && rows.lastError().type() == QSqlError::NoError;
}
