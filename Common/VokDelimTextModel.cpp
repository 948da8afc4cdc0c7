#include "VokDelimTextModel.h"

#include <QIODevice>
#include <QSet>
#include <QTextCodec>
#include <QTextStream>

#include <limits>

namespace
{
const QChar CR(0x0D);
const QChar LF(0x0A);
// Characters taken from the stream at once by the record reader.
const qint64 READ_BLOCK = 16384;

bool isTextRole(int role)
{
    return role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::UserRole;
}

// True when the text, in the stream's encoding, begins with the bytes of a UTF-8, UTF-16 or UTF-32
// byte-order mark.
bool startsLikeByteOrderMark(const QTextStream& stream, const QString& text)
{
    const QByteArray bytes = stream.codec()->fromUnicode(text.left(3));
    return bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}
} // namespace

CVokDelimTextModel::CVokDelimTextModel(QObject* parent) : QAbstractTableModel(parent) {}

CVokDelimTextModel::~CVokDelimTextModel() = default;

int CVokDelimTextModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_lstRows.size();
}

int CVokDelimTextModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_nColumnCount;
}

QVariant CVokDelimTextModel::data(const QModelIndex& index, int role) const
{
    if (index.parent().isValid() || !isTextRole(role))
        return QVariant();
    return cellData(index.row(), index.column());
}

bool CVokDelimTextModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (index.parent().isValid() || !isTextRole(role))
        return false;
    return setCellData(index.row(), index.column(), value);
}

QVariant CVokDelimTextModel::cellData(int row, int column) const
{
    if (row < 0 || row >= m_lstRows.size())
        return QVariant();
    const QStringList& cells = m_lstRows.at(row);
    if (column < 0 || column >= cells.size())
        return QVariant();
    return cells.at(column);
}

bool CVokDelimTextModel::setCellData(int row, int column, const QVariant& value)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return false;
    QStringList& cells = m_lstRows[row];
    while (cells.size() <= column)
        cells.append(QString());
    cells[column] = value.toString();
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {});
    return true;
}

QVariant CVokDelimTextModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || !isTextRole(role) || section < 0 || section >= m_lstHeader.size())
        return QVariant();
    return m_lstHeader.at(section);
}

bool CVokDelimTextModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                       int role)
{
    if (section < 0 || section >= columnCount() || orientation != Qt::Horizontal || !isTextRole(role))
        return false;
    while (m_lstHeader.size() <= section)
        m_lstHeader.append(QString());
    m_lstHeader[section] = value.toString();
    emit headerDataChanged(Qt::Horizontal, section, section);
    return true;
}

void CVokDelimTextModel::setHeader(const QStringList& list)
{
    // Announce only sections that exist as columns and may have changed; an empty range
    // is not announced at all.
    const int changed = qMin(qMax(list.size(), m_lstHeader.size()), m_nColumnCount);
    m_lstHeader = list;
    m_bHeaderRow = true;
    if (changed > 0)
        emit headerDataChanged(Qt::Horizontal, 0, changed - 1);
}

int CVokDelimTextModel::findHeaderColumn(const QString& text, Qt::CaseSensitivity cs) const
{
    if (!m_bHeaderRow)
        return -1;
    for (int i = 0; i < m_lstHeader.size(); ++i)
    {
        if (m_lstHeader.at(i).compare(text, cs) == 0)
            return i;
    }
    return -1;
}

int CVokDelimTextModel::findInColumn(const QString& text, int column, Qt::CaseSensitivity cs) const
{
    if (column < 0 || column >= columnCount())
        return -1;
    for (int row = 0; row < m_lstRows.size(); ++row)
    {
        const QStringList& cells = m_lstRows.at(row);
        if (column < cells.size() && cells.at(column).compare(text, cs) == 0)
            return row;
    }
    return -1;
}

bool CVokDelimTextModel::insertRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count <= 0)
        return false;
    beginInsertRows(parent, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        m_lstRows.insert(row, QStringList());
    endInsertRows();
    return true;
}

bool CVokDelimTextModel::insertColumns(int column, int count, const QModelIndex& parent)
{
    if (parent.isValid() || column < 0 || column > columnCount() || count <= 0)
        return false;
    beginInsertColumns(parent, column, column + count - 1);
    m_nColumnCount += count;
    if (m_bHeaderRow && column < m_lstHeader.size())
    {
        for (int i = 0; i < count; ++i)
            m_lstHeader.insert(column, QString());
    }
    for (QStringList& cells : m_lstRows)
    {
        if (cells.size() > column)
        {
            for (int i = 0; i < count; ++i)
                cells.insert(column, QString());
        }
    }
    endInsertColumns();
    return true;
}

bool CVokDelimTextModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || row >= rowCount() || count <= 0)
        return false;
    count = qMin(count, rowCount() - row);
    beginRemoveRows(parent, row, row + count - 1);
    m_lstRows.erase(m_lstRows.begin() + row, m_lstRows.begin() + row + count);
    endRemoveRows();
    return true;
}

bool CVokDelimTextModel::removeColumns(int column, int count, const QModelIndex& parent)
{
    if (parent.isValid() || column < 0 || column >= columnCount() || count <= 0)
        return false;
    count = qMin(count, columnCount() - column);
    beginRemoveColumns(parent, column, column + count - 1);
    m_nColumnCount -= count;
    const auto removeFrom = [column, count](QStringList& list)
    {
        const int end = qMin(list.size(), column + count);
        if (end > column)
            list.erase(list.begin() + column, list.begin() + end);
    };
    removeFrom(m_lstHeader);
    for (QStringList& cells : m_lstRows)
        removeFrom(cells);
    endRemoveColumns();
    return true;
}

Qt::ItemFlags CVokDelimTextModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.row() >= 0 && index.row() < rowCount() && index.column() >= 0 && index.column() < columnCount())
        f |= Qt::ItemIsEditable;
    return f;
}

bool CVokDelimTextModel::readChar(QTextStream& stream, QChar& ch)
{
    if (m_pBufferStream != &stream || m_nBufferPos >= m_Buffer.size())
    {
        m_Buffer = stream.read(READ_BLOCK);
        m_nBufferPos = 0;
        m_pBufferStream = m_Buffer.isEmpty() ? nullptr : &stream;
        if (!m_pBufferStream)
            return false;
    }
    ch = m_Buffer.at(m_nBufferPos++);
    return true;
}

void CVokDelimTextModel::skipLineFeed(QTextStream& stream)
{
    QChar ch;
    if (readChar(stream, ch) && ch != LF)
        --m_nBufferPos; // read again as the start of the next record
}

bool CVokDelimTextModel::readRecord(QTextStream& stream, QChar delimiter, QChar quote, QStringList& fields)
{
    const SRecordLimits unlimited{std::numeric_limits<int>::max(), std::numeric_limits<int>::max()};
    return readRecord(stream, delimiter, quote, fields, unlimited) == ERecordRead::RECORD;
}

CVokDelimTextModel::ERecordRead CVokDelimTextModel::readRecord(QTextStream& stream, QChar delimiter,
                                                               QChar quote, QStringList& fields,
                                                               const SRecordLimits& limits)
{
    enum EState
    {
        START_OF_FIELD,
        UNQUOTED_FIELD,
        QUOTED_FIELD,
        QUOTE_SEEN
    };

    EState state = START_OF_FIELD;
    QString field;
    const int fieldsBefore = fields.size();
    const auto emitField = [&]()
    {
        fields.append(field);
        field.clear();
    };
    // Fields grow by one per character at most, so the character bound keeps both small while
    // reading; the field bound is checked once the record is read.
    qint64 chars = 0;
    const auto ended = [&](bool bRecord)
    {
        if (fields.size() - fieldsBefore > limits.nMaxFields)
            return ERecordRead::TOO_LARGE;
        return bRecord ? ERecordRead::RECORD : ERecordRead::END;
    };

    QChar ch;
    while (readChar(stream, ch))
    {
        if (++chars > limits.nMaxChars)
            return ERecordRead::TOO_LARGE;
        switch (state)
        {
        case START_OF_FIELD:
            if (ch == quote)
                state = QUOTED_FIELD;
            else if (ch == CR)
            {
                emitField();
                skipLineFeed(stream);
                return ended(true);
            }
            else if (ch == LF)
                return ended(true);
            else if (ch == delimiter)
                emitField();
            else
            {
                field.append(ch);
                state = UNQUOTED_FIELD;
            }
            break;

        case UNQUOTED_FIELD:
        case QUOTE_SEEN:
            if (ch == quote)
            {
                field.append(quote);
                if (state == QUOTE_SEEN)
                    state = QUOTED_FIELD;
            }
            else if (ch == CR || ch == LF)
            {
                emitField();
                if (ch == CR)
                    skipLineFeed(stream);
                return ended(true);
            }
            else if (ch == delimiter)
            {
                emitField();
                state = START_OF_FIELD;
            }
            else
            {
                field.append(ch);
                if (state == QUOTE_SEEN)
                    state = QUOTED_FIELD;
            }
            break;

        case QUOTED_FIELD:
            if (ch == quote)
                state = QUOTE_SEEN;
            else if (ch == CR)
            {
                field.append(LF);
                skipLineFeed(stream);
            }
            else
                field.append(ch);
            break;
        }
    }

    // End of input: an empty last field is dropped.
    if (!field.isEmpty())
        emitField();
    return ended(fields.size() > fieldsBefore);
}

void CVokDelimTextModel::writeRecord(QTextStream& stream, QChar delimiter, QChar quote,
                                     const QStringList& fields)
{
    writeRecord(stream, delimiter, quote, fields, false);
}

void CVokDelimTextModel::writeRecord(QTextStream& stream, QChar delimiter, QChar quote,
                                     const QStringList& fields, bool atFileStart)
{
    const QString doubledQuote = QString(2, quote);
    for (int i = 0; i < fields.size(); ++i)
    {
        if (i > 0)
            stream << delimiter;
        const QString& field = fields.at(i);
        // A CR is quoted too: unquoted, a reader would end the record there.
        if (field.contains(delimiter) || field.contains(quote) || field.contains(LF) || field.contains(CR) ||
            (atFileStart && i == 0 && startsLikeByteOrderMark(stream, field)))
        {
            QString escaped = field;
            escaped.replace(quote, doubledQuote);
            stream << quote << escaped << quote;
        }
        else
            stream << field;
    }
    for (int column = fields.size(); column < m_nColumnCount; ++column)
    {
        if (column > 0)
            stream << delimiter;
    }
    stream << LF;
}

bool CVokDelimTextModel::load(QIODevice* pDevice, bool bHeaderRow, QChar delimiter, QChar quote,
                              const char* codec)
{
    if (!pDevice || !pDevice->isReadable())
        return false;
    pDevice->setTextModeEnabled(false);

    beginResetModel();
    m_nColumnCount = 0;
    m_lstHeader.clear();
    m_lstRows.clear();
    m_bHeaderRow = bHeaderRow;

    QTextStream stream(pDevice);
    stream.setCodec(codec);
    m_pBufferStream = nullptr;

    if (!bHeaderRow || readRecord(stream, delimiter, quote, m_lstHeader))
    {
        m_nColumnCount = m_lstHeader.size();
        // Log files repeat the same few values in every column; sharing equal cells keeps a year of
        // rows in a fraction of the memory separate copies would take.
        QSet<QString> cellTexts;
        QStringList fields;
        while (readRecord(stream, delimiter, quote, fields))
        {
            for (QString& field : fields)
                field = *cellTexts.insert(field);
            m_nColumnCount = qMax(m_nColumnCount, fields.size());
            m_lstRows.append(fields);
            fields.clear();
        }
    }
    m_pBufferStream = nullptr;
    m_Buffer.clear();
    endResetModel();
    return true;
}

bool CVokDelimTextModel::save(QIODevice* pDevice, bool bHeaderRow, QChar delimiter, QChar quote,
                              const char* codec)
{
    if (!pDevice || !pDevice->isWritable())
        return false;
    pDevice->setTextModeEnabled(false);

    QTextStream stream(pDevice);
    stream.setCodec(codec);
    bool atFileStart = true;
    if (bHeaderRow)
    {
        writeRecord(stream, delimiter, quote, m_lstHeader, atFileStart);
        atFileStart = false;
    }
    for (const QStringList& cells : qAsConst(m_lstRows))
    {
        writeRecord(stream, delimiter, quote, cells, atFileStart);
        atFileStart = false;
    }
    stream.flush();
    return stream.status() == QTextStream::Ok;
}
