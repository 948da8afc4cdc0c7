#include "FailingDevice.h"
#include "VokDelimTextModel.h"

#include <QAbstractItemModelTester>
#include <QBuffer>
#include <QSignalSpy>
#include <QTextStream>
#include <QtTest>

namespace
{
const QChar SEP(';');
const QChar QUOTE('"');
const char* const LATIN1 = "ISO 8859-1";

bool loadBytes(CVokDelimTextModel& model, const QByteArray& bytes, bool header)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return model.load(&buffer, header, SEP, QUOTE, LATIN1);
}

QByteArray saveBytes(CVokDelimTextModel& model, bool header)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!model.save(&buffer, header, SEP, QUOTE, LATIN1))
        return "save failed";
    return bytes;
}

QList<QStringList> rowsOf(const CVokDelimTextModel& model)
{
    QList<QStringList> rows;
    for (int row = 0; row < model.rowCount(); ++row)
    {
        QStringList cells;
        for (int column = 0; model.cellData(row, column).isValid(); ++column)
            cells << model.cellData(row, column).toString();
        rows << cells;
    }
    return rows;
}

// A model holding the given header and rows, built through the model interface.
void fill(CVokDelimTextModel& model, const QStringList& header, const QList<QStringList>& rows, int columns)
{
    model.insertColumns(0, columns);
    model.setHeader(header);
    model.insertRows(0, rows.size());
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows[row].size(); ++column)
            QVERIFY(model.setCellData(row, column, rows[row][column]));
}
} // namespace

class TestVokDelimTextModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<Qt::Orientation>(); }
    void readsRecords_data();
    void readsRecords();
    void readerEndsAtEndOfInput();
    void headerRow();
    void writesExactBytes();
    void roundTrip();
    void carriageReturnStaysInItsRow();
    void firstFieldLikeByteOrderMark_data();
    void firstFieldLikeByteOrderMark();
    void saveReportsDeviceFailure_data();
    void saveReportsDeviceFailure();
    void refusesUnusableDevices();
    void modelPassesTester();
    void columnChangesAnnouncedBeforeTheyHappen();
    void emptyHeaderAnnouncesNothing();
    void cellAndHeaderEditing();
    void columnInsertAndRemove();
    void search();
};

void TestVokDelimTextModel::readsRecords_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QList<QStringList>>("rows");
    QTest::addColumn<int>("columns");

    using Rows = QList<QStringList>;
    QTest::newRow("trailing separator, CR LF keeps an empty field")
        << QByteArray("a;b;\r\n") << Rows{{"a", "b", ""}} << 3;
    QTest::newRow("trailing separator, LF drops it") << QByteArray("a;b;\n") << Rows{{"a", "b"}} << 2;
    QTest::newRow("empty line LF: row without cells") << QByteArray("\n") << Rows{{}} << 0;
    QTest::newRow("empty line CR LF: one empty cell") << QByteArray("\r\n") << Rows{{""}} << 1;
    QTest::newRow("no line end at end of input") << QByteArray("x;y") << Rows{{"x", "y"}} << 2;
    QTest::newRow("empty last field dropped at end") << QByteArray("x;") << Rows{{"x"}} << 1;
    QTest::newRow("empty quoted last field dropped at end") << QByteArray("x;\"\"") << Rows{{"x"}} << 1;
    QTest::newRow("doubled quote") << QByteArray("\"a\"\"b\";c\n") << Rows{{"a\"b", "c"}} << 2;
    QTest::newRow("CR LF inside quotes becomes LF") << QByteArray("\"a\r\nb\"\n") << Rows{{"a\nb"}} << 1;
    QTest::newRow("lone CR inside quotes becomes LF") << QByteArray("\"a\rb\"\n") << Rows{{"a\nb"}} << 1;
    QTest::newRow("text after closing quote reopens the field")
        << QByteArray("\"ab\"cd;e\"") << Rows{{"abcd;e"}} << 1;
    QTest::newRow("quote inside unquoted field is literal") << QByteArray("ab\"c\n") << Rows{{"ab\"c"}} << 1;
    QTest::newRow("separator inside quotes") << QByteArray("\"x;y\";z\n") << Rows{{"x;y", "z"}} << 2;
    QTest::newRow("lone CR ends records") << QByteArray("a;b\rc;d\r") << Rows{{"a", "b"}, {"c", "d"}} << 2;
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd") << Rows{{"a"}, {"b"}, {"c"}, {"d"}} << 1;
    QTest::newRow("quote right after lone CR") << QByteArray("a\r\"b;c\"\n") << Rows{{"a"}, {"b;c"}} << 1;
    QTest::newRow("missing cells") << QByteArray("a;b;c\nd\n;e\n") << Rows{{"a", "b", "c"}, {"d"}, {"", "e"}}
                                   << 3;
    QTest::newRow("ISO 8859-1 bytes")
        << QByteArray("\xe4\xf6;\xdf\n") << Rows{{"\u00e4\u00f6", "\u00df"}} << 2;
    QTest::newRow("empty input") << QByteArray() << Rows{} << 0;
    // The reader takes the text in blocks of 16384 characters: a line end split between two.
    QTest::newRow("CR LF across a block") << QByteArray(16383, 'a') + "\r\nb\n"
                                          << Rows{{QString(16383, 'a')}, {"b"}} << 1;
    QTest::newRow("lone CR ending a block") << QByteArray(16383, 'a') + "\rb\n"
                                            << Rows{{QString(16383, 'a')}, {"b"}} << 1;
}

void TestVokDelimTextModel::readsRecords()
{
    QFETCH(QByteArray, input);
    QFETCH(QList<QStringList>, rows);
    QFETCH(int, columns);

    CVokDelimTextModel model;
    QVERIFY(loadBytes(model, input, false));
    QCOMPARE(rowsOf(model), rows);
    QCOMPARE(model.columnCount(), columns);
}

void TestVokDelimTextModel::readerEndsAtEndOfInput()
{
    QByteArray bytes("x;y");
    QTextStream stream(&bytes);
    CVokDelimTextModel model;
    QStringList fields;
    QVERIFY(model.readRecord(stream, SEP, QUOTE, fields));
    QCOMPARE(fields, QStringList({"x", "y"}));
    fields.clear();
    QVERIFY(!model.readRecord(stream, SEP, QUOTE, fields));
    QVERIFY(fields.isEmpty());
}

void TestVokDelimTextModel::headerRow()
{
    CVokDelimTextModel model;
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QVERIFY(loadBytes(model, QByteArray(), true));
    QCOMPARE(model.rowCount(), 0);
    QCOMPARE(model.columnCount(), 0);
    QVERIFY(!model.headerData(0, Qt::Horizontal).isValid());

    QVERIFY(loadBytes(model, "A;B;C\n1;2;3;4;5\n", true));
    QCOMPARE(model.columnCount(), 5);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QString("C"));
    QCOMPARE(model.headerData(2, Qt::Horizontal, Qt::UserRole).toString(), QString("C"));
    QVERIFY(!model.headerData(3, Qt::Horizontal).isValid());
    QVERIFY(!model.headerData(4, Qt::Horizontal).isValid());
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
    QCOMPARE(model.findHeaderColumn("b", Qt::CaseInsensitive), 1);
    QCOMPARE(model.findHeaderColumn("b", Qt::CaseSensitive), -1);

    // Without a header row the first line is data and no header column is found.
    QVERIFY(loadBytes(model, "A;B;C\n", false));
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.findHeaderColumn("A", Qt::CaseSensitive), -1);
    QCOMPARE(reset.count(), 3); // attached views learn of every load
}

void TestVokDelimTextModel::writesExactBytes()
{
    CVokDelimTextModel model;
    // The header is longer than the column count: it is written whole.
    fill(model, {"A", "B;C", "D", "E"}, {{"x;y", "s\"t", ""}, {"a"}, {"line\nbreak"}, {}, {"\u00e4\u00df"}},
         3);

    QCOMPARE(saveBytes(model, true), QByteArray("A;\"B;C\";D;E\n"
                                                "\"x;y\";\"s\"\"t\";\n"
                                                "a;;\n"
                                                "\"line\nbreak\";;\n"
                                                ";;\n"
                                                "\xe4\xdf;;\n"));
    QCOMPARE(saveBytes(model, false).left(8), QByteArray("\"x;y\";\"s"));
}

void TestVokDelimTextModel::roundTrip()
{
    const QList<QStringList> rows{{"plain", "with;sep", "with \"quotes\""},
                                  {"multi\nline", "", "\"\""},
                                  {"\u00fcml\u00e4ut", ";", "end"}};
    CVokDelimTextModel model;
    fill(model, {"H1", "H;2", "H\"3"}, rows, 3);
    const QByteArray bytes = saveBytes(model, true);

    CVokDelimTextModel reread;
    QVERIFY(loadBytes(reread, bytes, true));
    QCOMPARE(rowsOf(reread), rows);
    QCOMPARE(reread.findHeaderColumn("H\"3", Qt::CaseSensitive), 2);
    QCOMPARE(saveBytes(reread, true), bytes);
}

void TestVokDelimTextModel::carriageReturnStaysInItsRow()
{
    CVokDelimTextModel model;
    fill(model, {}, {{"cr\rinside", "next"}}, 2);
    const QByteArray bytes = saveBytes(model, false);
    QCOMPARE(bytes, QByteArray("\"cr\rinside\";next\n"));

    CVokDelimTextModel reread;
    QVERIFY(loadBytes(reread, bytes, false));
    QCOMPARE(rowsOf(reread), QList<QStringList>({{"cr\ninside", "next"}}));
}

// The reader takes a byte-order mark at the start of a file for the file's encoding, whatever the
// codec; a first cell whose bytes begin like one is quoted so that it reads back as written.
void TestVokDelimTextModel::firstFieldLikeByteOrderMark_data()
{
    QTest::addColumn<QByteArray>("codec");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("UTF-16 LE mark in ISO 8859-1")
        << QByteArray(LATIN1) << false << QString("\u00ff\u00fe\u00e4") << QByteArray("\"\xff\xfe\xe4\";x\n");
    QTest::newRow("UTF-16 BE mark in ISO 8859-1") << QByteArray(LATIN1) << false << QString("\u00fe\u00ffab")
                                                  << QByteArray("\"\xfe\xff"
                                                                "ab\";x\n");
    QTest::newRow("UTF-8 mark in ISO 8859-1, header row")
        << QByteArray(LATIN1) << true << QString("\u00ef\u00bb\u00bfTIM")
        << QByteArray("\"\xef\xbb\xbfTIM\";x\n");
    // Built from the character: a QString made from UTF-8 bytes drops a leading mark.
    QTest::newRow("mark character in UTF-8") << QByteArray("UTF-8") << false << QString(QChar(0xFEFF)) + "a"
                                             << QByteArray("\"\xef\xbb\xbf"
                                                           "a\";x\n");
    QTest::newRow("only the start of the file is quoted")
        << QByteArray(LATIN1) << false << QString("\u00ff") << QByteArray("\xff;x\n");
}

void TestVokDelimTextModel::firstFieldLikeByteOrderMark()
{
    QFETCH(QByteArray, codec);
    QFETCH(bool, header);
    QFETCH(QString, cell);
    QFETCH(QByteArray, bytes);

    CVokDelimTextModel model;
    if (header)
        fill(model, {cell, "x"}, {}, 2);
    else
        fill(model, {}, {{cell, "x"}}, 2);
    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    QVERIFY(model.save(&out, header, SEP, QUOTE, codec.constData()));
    QCOMPARE(saved, bytes);

    out.close();
    out.open(QIODevice::ReadOnly);
    CVokDelimTextModel reread;
    QVERIFY(reread.load(&out, header, SEP, QUOTE, codec.constData()));
    QCOMPARE(header ? reread.headerData(0, Qt::Horizontal).toString() : reread.cellData(0, 0).toString(),
             cell);
}

void TestVokDelimTextModel::saveReportsDeviceFailure_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<bool>("result");

    // Each row is "0123456789;abc\n", 15 bytes.
    QTest::newRow("nothing taken") << 3 << 0 << false;
    QTest::newRow("fails inside the first row") << 3 << 10 << false;
    QTest::newRow("fails one byte short") << 3 << 44 << false;
    QTest::newRow("everything taken") << 3 << 45 << true;
    QTest::newRow("fails early in a large file") << 4000 << 100 << false;
    QTest::newRow("fails near the end of a large file") << 4000 << 59999 << false;
}

void TestVokDelimTextModel::saveReportsDeviceFailure()
{
    QFETCH(int, rows);
    QFETCH(int, accepted);
    QFETCH(bool, result);

    CVokDelimTextModel model;
    model.insertColumns(0, 2);
    model.insertRows(0, rows);
    for (int row = 0; row < rows; ++row)
    {
        model.setCellData(row, 0, "0123456789");
        model.setCellData(row, 1, "abc");
    }
    CFailingDevice device(accepted);
    device.open(QIODevice::WriteOnly);
    QCOMPARE(model.save(&device, false, SEP, QUOTE, LATIN1), result);
    if (result)
        QCOMPARE(device.written(), QByteArray("0123456789;abc\n").repeated(rows));
}

void TestVokDelimTextModel::refusesUnusableDevices()
{
    CVokDelimTextModel model;
    QVERIFY(loadBytes(model, "a;b\n", false));

    QBuffer closed;
    QVERIFY(!model.load(&closed, false, SEP, QUOTE, LATIN1));
    QCOMPARE(model.rowCount(), 1); // unchanged
    QVERIFY(!model.save(&closed, false, SEP, QUOTE, LATIN1));

    QByteArray bytes;
    QBuffer readOnly(&bytes);
    readOnly.open(QIODevice::ReadOnly);
    QVERIFY(!model.save(&readOnly, false, SEP, QUOTE, LATIN1));
}

void TestVokDelimTextModel::modelPassesTester()
{
    CVokDelimTextModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

    QVERIFY(loadBytes(model, "A;B\n1;2;3\n4\n", true));
    model.setHeader({});
    model.setHeader({"X", "Y", "Z", "beyond"});
    QVERIFY(model.insertRows(1, 2));
    QVERIFY(model.insertColumns(1, 2));
    QVERIFY(model.setCellData(2, 4, "v"));
    QVERIFY(model.setHeaderData(4, Qt::Horizontal, "h"));
    QVERIFY(model.removeColumns(0, 2));
    QVERIFY(model.removeRows(0, 10));
    QVERIFY(model.insertRow(0));
    QVERIFY(model.setData(model.index(0, 2), 42));
    QCOMPARE(model.data(model.index(0, 2)).toString(), QString("42"));
    QVERIFY(loadBytes(model, "", false));
}

void TestVokDelimTextModel::columnChangesAnnouncedBeforeTheyHappen()
{
    CVokDelimTextModel model;
    QVERIFY(loadBytes(model, "a;b;c\n", false));
    QList<int> countsSeen;
    const auto record = [&]() { countsSeen << model.columnCount(); };
    connect(&model, &QAbstractItemModel::columnsAboutToBeInserted, record);
    connect(&model, &QAbstractItemModel::columnsInserted, record);
    connect(&model, &QAbstractItemModel::columnsAboutToBeRemoved, record);
    connect(&model, &QAbstractItemModel::columnsRemoved, record);

    QVERIFY(model.insertColumns(3, 2));
    QVERIFY(model.removeColumns(1, 10));
    QCOMPARE(countsSeen, QList<int>({3, 5, 5, 1}));
}

void TestVokDelimTextModel::emptyHeaderAnnouncesNothing()
{
    CVokDelimTextModel model;
    QSignalSpy spy(&model, &QAbstractItemModel::headerDataChanged);
    model.setHeader({});
    QCOMPARE(spy.count(), 0);

    QVERIFY(loadBytes(model, "1;2;3\n", false));
    model.setHeader({"A", "B"});
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).toInt(), 0);
    QCOMPARE(spy.at(0).at(2).toInt(), 1);
    QCOMPARE(model.findHeaderColumn("B", Qt::CaseSensitive), 1);
    QCOMPARE(model.columnCount(), 3);
}

void TestVokDelimTextModel::cellAndHeaderEditing()
{
    CVokDelimTextModel model;
    QVERIFY(loadBytes(model, "a;b;c;d;e\nx;y\n", false));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    QVERIFY(model.setCellData(1, 4, "z"));
    QCOMPARE(rowsOf(model).at(1), QStringList({"x", "y", "", "", "z"}));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toModelIndex(), model.index(1, 4));
    QCOMPARE(changed.at(0).at(1).toModelIndex(), model.index(1, 4));

    QVERIFY(!model.setCellData(1, 5, "out"));
    QVERIFY(!model.setCellData(2, 0, "out"));
    QVERIFY(!model.setData(model.index(0, 0), "out", Qt::ToolTipRole));
    QVERIFY(!model.data(model.index(0, 0), Qt::ToolTipRole).isValid());
    QCOMPARE(model.data(model.index(0, 0), Qt::UserRole).toString(), QString("a"));
    QCOMPARE(changed.count(), 1);

    QVERIFY(model.flags(model.index(1, 4)) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(QModelIndex()) & Qt::ItemIsEditable));

    QVERIFY(model.setHeaderData(2, Qt::Horizontal, "C"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString());
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QString("C"));
    QVERIFY(!model.setHeaderData(5, Qt::Horizontal, "out"));
    QVERIFY(!model.setHeaderData(0, Qt::Vertical, "out"));
    // setHeaderData does not make the model one with a header row.
    QCOMPARE(model.findHeaderColumn("C", Qt::CaseSensitive), -1);
}

void TestVokDelimTextModel::columnInsertAndRemove()
{
    CVokDelimTextModel model;
    QVERIFY(loadBytes(model, "A;B\n1;2;3;4;5\nx\n", true));

    QVERIFY(model.insertColumns(1, 2));
    QCOMPARE(model.columnCount(), 7);
    QCOMPARE(model.findHeaderColumn("B", Qt::CaseSensitive), 3);
    QCOMPARE(rowsOf(model), QList<QStringList>({{"1", "", "", "2", "3", "4", "5"}, {"x"}}));

    QVERIFY(!model.insertColumns(8, 1));
    QVERIFY(!model.removeColumns(7, 1));
    QVERIFY(model.removeColumns(3, 10));
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(rowsOf(model), QList<QStringList>({{"1", "", ""}, {"x"}}));
    QCOMPARE(model.findHeaderColumn("B", Qt::CaseSensitive), -1);

    QVERIFY(!model.insertRows(3, 1));
    QVERIFY(!model.removeRows(2, 1));
    QVERIFY(!model.insertRows(0, 0));
}

void TestVokDelimTextModel::search()
{
    CVokDelimTextModel model;
    QVERIFY(loadBytes(model, "a;Key\nb\nc;key\n", false));
    QCOMPARE(model.findInColumn("KEY", 1, Qt::CaseInsensitive), 0);
    QCOMPARE(model.findInColumn("key", 1, Qt::CaseSensitive), 2);
    QCOMPARE(model.findInColumn("", 1, Qt::CaseSensitive), -1); // a missing cell does not match
    QCOMPARE(model.findInColumn("a", 2, Qt::CaseSensitive), -1);
}

QTEST_GUILESS_MAIN(TestVokDelimTextModel)
#include "tst_vokdelimtextmodel.moc"
