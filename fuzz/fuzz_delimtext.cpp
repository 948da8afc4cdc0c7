// libFuzzer target: the delimited-text reader on any bytes, then a round trip: what save writes
// from the loaded table, load must read back as the same table.
//
// Input: one byte of options (header row, delimiter, quote, codec), then the file's bytes.

#include "FuzzSupport.h"
#include "VokDelimTextModel.h"

#include <QBuffer>
#include <QTextCodec>

namespace
{
const QChar DELIMITERS[] = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t'), QLatin1Char(' ')};
const QChar QUOTES[] = {QLatin1Char('"'), QLatin1Char('\'')};
const char* const CODECS[] = {"ISO 8859-1", "UTF-8"};

// Rows may be shorter than the column count; a missing cell reads as an empty text here, the way
// the writer pads it. Empty cells at the end of a row are not kept apart from missing ones: the
// reader drops an empty last field before an LF, which is what the writer ends its records with.
QList<QStringList> table(const CVokDelimTextModel& model, bool header, int columns)
{
    QList<QStringList> t;
    for (int row = header ? -1 : 0; row < model.rowCount(); ++row)
    {
        QStringList cells;
        for (int column = 0; column < columns; ++column)
            cells.append(row < 0 ? model.headerData(column, Qt::Horizontal).toString()
                                 : model.cellData(row, column).toString());
        t.append(cells);
    }
    return t;
}

// Saving replaces what the codec cannot encode; a table holding such text is not expected back.
bool encodable(const QList<QStringList>& t, const char* codec)
{
    const QTextCodec* pCodec = QTextCodec::codecForName(codec);
    for (const QStringList& cells : t)
        for (const QString& cell : cells)
            if (pCodec->toUnicode(pCodec->fromUnicode(cell)) != cell) // canEncode passes lone surrogates
                return false;
    return true;
}

void requireShape(const CVokDelimTextModel& model)
{
    for (int row = 0; row < model.rowCount(); ++row)
        if (model.cellData(row, model.columnCount()).isValid())
            __builtin_trap();
    if (model.headerData(model.columnCount(), Qt::Horizontal).isValid())
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = (fuzzSilenceQtMessages(), true);
    (void)quiet;
    if (size < 1)
        return 0;
    const uint8_t options = data[0];
    const bool header = options & 1;
    const QChar delimiter = DELIMITERS[(options >> 1) & 3];
    const QChar quote = QUOTES[(options >> 3) & 1];
    const char* codec = CODECS[(options >> 4) & 1];

    QByteArray bytes(reinterpret_cast<const char*>(data + 1), int(size - 1));
    QBuffer file(&bytes);
    file.open(QIODevice::ReadOnly);
    CVokDelimTextModel first;
    if (!first.load(&file, header, delimiter, quote, codec))
        __builtin_trap();
    requireShape(first);

    // A byte-order mark at the start makes the reader decode in UTF-16 or UTF-8 whatever the codec.
    if (!encodable(table(first, header, first.columnCount()), codec))
        return 0;

    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    if (!first.save(&out, header, delimiter, quote, codec))
        __builtin_trap();
    out.close();

    out.open(QIODevice::ReadOnly);
    CVokDelimTextModel second;
    second.load(&out, header, delimiter, quote, codec);
    const int columns = qMax(first.columnCount(), second.columnCount());
    if (table(first, header, columns) != table(second, header, columns))
        __builtin_trap();
    return 0;
}
