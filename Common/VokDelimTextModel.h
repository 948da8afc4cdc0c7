#pragma once

#include <QAbstractTableModel>
#include <QChar>
#include <QList>
#include <QStringList>

class QIODevice;
class QTextStream;

// A table of texts (optional header row, rows of cells) behind the Qt item-model interface,
// read from and written to delimited text. Rows may be shorter than the column count; a
// missing cell has no value, while cells added to fill a gap are empty texts.
class CVokDelimTextModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit CVokDelimTextModel(QObject* parent = nullptr);
    ~CVokDelimTextModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    bool insertRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool insertColumns(int column, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;
    bool removeColumns(int column, int count, const QModelIndex& parent = QModelIndex()) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    QVariant cellData(int row, int column) const;
    bool setCellData(int row, int column, const QVariant& value);
    void setHeader(const QStringList& list);
    int findHeaderColumn(const QString& text, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    int findInColumn(const QString& text, int column, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;

    // The caller opens and closes the device.
    bool load(QIODevice* pDevice, bool bHeaderRow, QChar delimiter, QChar quote, const char* codec);
    bool save(QIODevice* pDevice, bool bHeaderRow, QChar delimiter, QChar quote, const char* codec);

    // One record each. readRecord appends to fields; it ends a record at CR LF, LF or CR. It takes
    // the stream's text in blocks: what follows the record stays with the model for its next
    // readRecord on the same stream.
    bool readRecord(QTextStream& stream, QChar delimiter, QChar quote, QStringList& fields);

    // Bounds of one record of a file that may be anything: a record beyond them is not read whole,
    // so a file without line ends or of separators only cannot take all memory.
    struct SRecordLimits
    {
        int nMaxFields;
        int nMaxChars;
    };
    enum class ERecordRead
    {
        RECORD,
        END,
        TOO_LARGE // the stream stands somewhere inside the record
    };
    ERecordRead readRecord(QTextStream& stream, QChar delimiter, QChar quote, QStringList& fields,
                           const SRecordLimits& limits);
    void writeRecord(QTextStream& stream, QChar delimiter, QChar quote, const QStringList& fields);

private:
    // atFileStart: the record opens the file, where the reader takes a leading byte-order mark
    // for the file's encoding, so a first field whose bytes begin like one is quoted.
    void writeRecord(QTextStream& stream, QChar delimiter, QChar quote, const QStringList& fields,
                     bool atFileStart);
    bool readChar(QTextStream& stream, QChar& ch);
    void skipLineFeed(QTextStream& stream);

    QStringList m_lstHeader;
    QList<QStringList> m_lstRows;
    int m_nColumnCount = 0;
    bool m_bHeaderRow = false;

    // Text read from the stream and not yet taken. Reading the stream a character at a time
    // (operator>>) scans ahead over every blank that follows on each call, so a long run of empty
    // lines would cost time growing with the square of its length.
    QTextStream* m_pBufferStream = nullptr;
    QString m_Buffer;
    int m_nBufferPos = 0;
};
