#include "CommonTranslations.h"
#include "DBImportData.h"
#include "DescriptorWriter.h"
#include "FanValues.h"
#include "FanValues70.h"
#include "ImportProgressDialog.h"
#include "LocalTimeParser.h"
#include "LogExport.h"
#include "ModalAnswerer.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"
#include "StoreBoxes.h"
#include "StoreFixture.h"
#include "VokDelimTextModel.h"
#include "ZoneForTest.h"

#include <QBuffer>
#include <QCommandLinkButton>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QSqlQueryModel>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

using namespace StoreFixture;

namespace
{
const qint64 T0 = 1709208000; // 2024-02-29 12:00:00 UTC

QString stamp(qint64 secs)
{
    return QDateTime::fromSecsSinceEpoch(secs).toString("dd.MM.yyyy HH:mm");
}

// A header line as the export writes it: a field with a line break is quoted.
QString csvHeader(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted.append(field.contains('\n') ? '"' + field + '"' : field);
    return quoted.join(';') + '\n';
}

bool importCsv(const QString& csv, CImportProgress* pProgress = nullptr)
{
    QBuffer buffer;
    buffer.setData(csv.toLatin1());
    buffer.open(QIODevice::ReadOnly);
    CDBImportData import;
    return import.importData(&buffer, pProgress);
}

// The file the export command writes for a log view.
QByteArray exportCsv(const QSqlQueryModel& view)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!CLogExport(view).write(&buffer, [](int) { return true; }))
        qFatal("export failed");
    return buffer.data();
}

// The same file through a text model holding every row: headers and display texts of each cell.
QByteArray modelCsv(QSqlQueryModel& view)
{
    while (view.canFetchMore())
        view.fetchMore();
    CVokDelimTextModel text;
    text.insertColumns(0, view.columnCount());
    text.insertRows(0, view.rowCount());
    for (int c = 0; c < view.columnCount(); ++c)
    {
        text.setHeaderData(c, Qt::Horizontal, view.headerData(c, Qt::Horizontal), Qt::EditRole);
        for (int r = 0; r < view.rowCount(); ++r)
            text.setCellData(r, c, view.data(view.index(r, c)).toString());
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    text.save(&buffer, true, ';', '"', "ISO 8859-1");
    return buffer.data();
}

// Answers the serial-number dialog: a number above 0 is typed in, 0 imports without one, -1 cancels.
class CSerialNrAnswer : public CModalAnswerer
{
public:
    explicit CSerialNrAnswer(int answer)
        : CModalAnswerer(
              [answer](QWidget* pWidget)
              {
                  if (pWidget->objectName() != "CSerialNrDlg")
                      return false;
                  QTimer::singleShot(
                      0, pWidget,
                      [pWidget, answer]
                      {
                          const char* button = answer > 0    ? "m_pBtnWithSerialNr"
                                               : answer == 0 ? "m_pBtnNoSerialNr"
                                                             : "m_pBtnCancel";
                          if (answer > 0)
                              pWidget->findChild<QSpinBox*>("m_pSpinSerialNr")->setValue(answer);
                          pWidget->findChild<QCommandLinkButton*>(button)->click();
                      });
                  return true;
              })
    {
    }
};

// The line end before a row: rows start with their time stamp, the header's texts hold line breaks.
const char* const HEADER_END = "\n(?=\\d\\d\\.\\d\\d\\.\\d{4} )";

// "dd.MM.yyyy HH:mm" at the start of a line, as a text that sorts by date and time.
QString sortKey(const QString& line)
{
    return line.mid(6, 4) + line.mid(3, 2) + line.left(2) + line.mid(11, 5);
}

// A stable sort by the time column, as a spreadsheet sorts.
void sortByTime(QStringList& lines, bool bNewestFirst)
{
    std::stable_sort(lines.begin(), lines.end(),
                     [bNewestFirst](const QString& a, const QString& b)
                     { return bNewestFirst ? sortKey(b) < sortKey(a) : sortKey(a) < sortKey(b); });
}

// Rows as the program stores them, from random records and one of zeros (pressure 700 hPa, shown
// as "-"): minute rows of polled values a minute apart, or second-log entries on the retrieval's
// grid, the middle of each span (quarter-hour entries sit at :30 seconds, the file shows minutes);
// minute rows from the time at on, second-log entries up to it.
void storeRows(bool plus, int span, int nRows, qint64 at = T0)
{
    if (!CMinuteLogDB70("UIThread").createTable() || !CSecLogDB70("UIThread").createTable())
        qFatal("no tables of the plus");
    QRandomGenerator random(4711);
    const auto randomBytes = [&random](quint8* pBytes, int nSize, bool bZero)
    {
        for (int i = 0; i < nSize; ++i)
            pBytes[i] = bZero ? 0 : quint8(random.bounded(256));
    };
    bool bStored = true;
    if (span < 0)
    {
        // One commit for all rows: a commit a row takes seconds on a busy disk.
        QSqlDatabase db = QSqlDatabase::database("UIThread");
        db.transaction();
        for (int i = 0; i < nRows; ++i)
        {
            const QDateTime minute = QDateTime::fromSecsSinceEpoch(at + 60 * i);
            if (plus)
            {
                SPrimLogEntry_70 record;
                randomBytes(record.m_Bytes, sizeof(record.m_Bytes), i == 0);
                bStored &=
                    CMinuteLogDB70("UIThread").logValues(CFanValues70(record), 100 + i, 4711, 3, 4, minute);
            }
            else
            {
                SPrimLogEntry record;
                randomBytes(record.m_Bytes, sizeof(record.m_Bytes), i == 0);
                bStored &= CMinuteLogDB("UIThread")
                               .logValues(CFanValues(record), 100 + i, 50, 4711, 1, 2, 3, 4, minute, -70);
            }
        }
        bStored &= db.commit();
    }
    else
    {
        const qint64 length = CSecLogDBBase::getTimeSpanSecs(span);
        QDateTime t = QDateTime::fromSecsSinceEpoch(at - at % length - length / 2 - (nRows - 1) * length);
        if (plus)
        {
            QVector<SSecLogEntry_70> entries(nRows);
            for (int i = 0; i < nRows; ++i)
            {
                randomBytes(entries[i].m_Bytes, SSecLogEntry_70::SIZE, i == 0);
                entries[i].m_Bytes[25] &= 0xF3; // entry state 0: stored
            }
            bStored =
                CSecLogDB70("UIThread").saveSecLogValues(CLogging_70::EMaxTimeSpan(span), entries, 4711, t);
        }
        else
        {
            QVector<SSecLogEntry> entries(nRows);
            for (int i = 0; i < nRows; ++i)
            {
                randomBytes(entries[i].m_Bytes, sizeof(entries[i].m_Bytes), i == 0);
                entries[i].m_Bytes[25] &= 0xF3;
            }
            bStored = CSecLogDB("UIThread").saveSecLogValues(CLogging::EMaxTimeSpan(span), entries, 4711, t);
        }
    }
    if (!bStored)
        qFatal("rows not stored");
}

// The export of the tab of the unit type and span (-1: minute rows).
QByteArray exportedRows(bool plus, int span)
{
    QSqlQueryModel view;
    if (span < 0 && plus)
        CMinuteLogDB70("UIThread").setupQueryModelForDay(view, QDate(), 4711);
    else if (span < 0)
        CMinuteLogDB("UIThread").setupQueryModelForDay(view, QDate(), 4711);
    else if (plus)
        CSecLogDB70("UIThread").setupQueryModelForTimeSpan(view, span, 4711);
    else
        CSecLogDB("UIThread").setupQueryModelForTimeSpan(view, span, 4711);
    return exportCsv(view);
}

QList<QVariantMap> storedRows(bool plus, int span)
{
    return rows(QString("SELECT * FROM %1%2 ORDER BY LogTimestamp")
                    .arg(span < 0 ? "ValueLogs" : "SecLogs", plus ? "70" : ""));
}

void compareRows(const QList<QVariantMap>& after, const QList<QVariantMap>& before)
{
    QCOMPARE(after.size(), before.size());
    for (int r = 0; r < before.size(); ++r)
        for (auto it = before[r].cbegin(); it != before[r].cend(); ++it)
        {
            const QVariant value = after[r].value(it.key());
            QVERIFY2(value == it.value() && value.isNull() == it.value().isNull(),
                     qPrintable(QString("row %1, %2: %3 became %4")
                                    .arg(r)
                                    .arg(it.key(), it.value().toString(), value.toString())));
        }
}

QString germanAbbreviation(const char* english)
{
    QTranslator german;
    if (!loadCommonTranslation(german, "de"))
        qFatal("no German translation");
    return german.translate("CDataDict", english);
}
} // namespace

class TestDBImport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tooFewRows();
    void tableFromTimeStep_data();
    void tableFromTimeStep();
    void tableFromColumnsAndStep_data();
    void tableFromColumnsAndStep();
    void germanHeaders();
    void headerErrors_data();
    void headerErrors();
    void missingTableColumnRollsBack();
    void cellConversions();
    void badCellsRefused_data();
    void badCellsRefused();
    void encodingFromTheWholeFile_data();
    void encodingFromTheWholeFile();
    void missingLastCellIsEmpty();
    void emptyLinesAreNoRows_data();
    void emptyLinesAreNoRows();
    void oversizedRecordsRefused_data();
    void oversizedRecordsRefused();
    void serialNumberAskedOnce_data();
    void serialNumberAskedOnce();
    void serialNumberRefusedWithoutPresenter();
    void equalTimestampsMoveOn();
    void unreadableTimestampRollsBack();
    void localTimeAcrossDaylightSaving();
    void exportsOfBothTypesImportBack_data();
    void exportsOfBothTypesImportBack();
    void autumnClockChangeRoundTrip_data();
    void autumnClockChangeRoundTrip();
    void repeatedTimesInEitherOrder_data();
    void repeatedTimesInEitherOrder();
    void repeatedTimeIndependentOfEarlierConversions_data();
    void repeatedTimeIndependentOfEarlierConversions();
    void stampsOutsideTheStoredRange_data();
    void stampsOutsideTheStoredRange();
    void secondLogRowsTooClose_data();
    void secondLogRowsTooClose();
    void skippedTimeRefused_data();
    void skippedTimeRefused();
    void rowsSharingAKey_data();
    void rowsSharingAKey();
    void cancelLeavesTables_data();
    void cancelLeavesTables();
    void exportedFileReimportsUnchanged();
    void exportWritesWhatTheTextModelWrites();
    void exportOntoAFullDiskNamesTheReason();
    void roundTripLeavesStoreUnchanged_data();
    void roundTripLeavesStoreUnchanged();
    void everyTableInEitherOrderMerged_data();
    void everyTableInEitherOrderMerged();
    void unitsInterleavedByTime_data();
    void unitsInterleavedByTime();
    void smallestTimeStepOfAUnit_data();
    void smallestTimeStepOfAUnit();
    void spanFromTheSmallestStep_data();
    void spanFromTheSmallestStep();
    void headerEndingInSeparator_data();
    void headerEndingInSeparator();
    void serialNumberWithAFraction_data();
    void serialNumberWithAFraction();
    void repeatedHourFromTheRowsAround_data();
    void repeatedHourFromTheRowsAround();
    void repeatedHourSlicesAndMerges_data();
    void repeatedHourSlicesAndMerges();

private:
    void keepOneRow();
    bool oneRowKept();
};

void TestDBImport::init()
{
    // The boxes the program shows, which the tests answer.
    CStoreBoxes::install();
    resetDatabase();
    QVERIFY(CMinuteLogDB("UIThread").createTable());
    QVERIFY(CSecLogDB("UIThread").createTable());
}

void TestDBImport::cleanup()
{
    resetDatabase();
}

// A row stored before the import, to show that a failed import leaves the tables as they were.
void TestDBImport::keepOneRow()
{
    exec(QString("INSERT INTO ValueLogs (LogTimestamp, SNR, HOU) VALUES (%1, 1, 42)").arg(T0 - 86400));
}

bool TestDBImport::oneRowKept()
{
    return count("ValueLogs") == 1 && count("ValueLogs", "HOU = 42") == 1 && count("SecLogs") == 0;
}

void TestDBImport::tooFewRows()
{
    CBoxAnswerer boxes;
    QVERIFY(
        !importCsv(csvHeader({"TIM\n", "SNR\n"}) + QString("%1;1\n%2;1\n").arg(stamp(T0), stamp(T0 + 60))));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text,
             QString("The import data seem to have only 2 rows. A minimum of 3 rows is required."));
    QCOMPARE(boxes.seen[0].title, QApplication::applicationName());
    QCOMPARE(count("ValueLogs"), 0);
}

void TestDBImport::tableFromTimeStep_data()
{
    QTest::addColumn<qint64>("step");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("span");
    QTest::newRow("minutes") << qint64(60) << "ValueLogs" << -1;
    QTest::newRow("10 minutes") << qint64(600) << "ValueLogs" << -1;
    QTest::newRow("15 minutes") << qint64(900) << "SecLogs" << 0;
    QTest::newRow("20 hours") << qint64(72000) << "SecLogs" << 0;
    QTest::newRow("one day") << qint64(86400) << "SecLogs" << 1;
    QTest::newRow("25 days") << qint64(2160000) << "SecLogs" << 1;
    QTest::newRow("30 days") << qint64(2592000) << "SecLogs" << 2;
    // Columns both tables have: the size of the step tells, whatever its sign.
    QTest::newRow("falling days") << qint64(-86400) << "SecLogs" << 1;
    QTest::newRow("falling minutes") << qint64(-60) << "ValueLogs" << -1;
}

void TestDBImport::tableFromTimeStep()
{
    QFETCH(qint64, step);
    QFETCH(QString, table);
    QFETCH(int, span);
    QString csv = csvHeader({"TIM\n", "SNR\n", "HOU\n[%]"});
    for (int i = 0; i < 3; ++i)
        csv += QString("%1;4711;%2\n").arg(stamp(T0 + i * step)).arg(50 + i);
    QVERIFY(importCsv(csv));
    QCOMPARE(count(table), 3);
    QCOMPARE(count(table == "ValueLogs" ? "SecLogs" : "ValueLogs"), 0);
    const QList<QVariantMap> stored = rows("SELECT * FROM " + table + " ORDER BY HOU");
    for (int i = 0; i < 3; ++i)
    {
        QCOMPARE(stored[i]["LogTimestamp"].toLongLong(), T0 + i * step);
        QCOMPARE(stored[i]["SNR"].toInt(), 4711);
        if (span >= 0)
            QCOMPARE(stored[i]["LTS"].toInt(), span);
    }
}

void TestDBImport::tableFromColumnsAndStep_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("columns"); // of the export of this span; -2: columns both tables have
    QTest::addColumn<qint64>("step");
    QTest::addColumn<bool>("stepKnown");
    QTest::addColumn<QString>("table"); // empty: refused
    QTest::addColumn<int>("span");
    QTest::newRow("minute rows, 2 hours") << false << -1 << qint64(7200) << true << "ValueLogs" << -1;
    QTest::newRow("minute rows, a day back") << true << -1 << qint64(-86400) << true << "ValueLogs70" << -1;
    QTest::newRow("quarter hours back") << false << 0 << qint64(-900) << true << "SecLogs" << 0;
    QTest::newRow("days, 5 apart") << false << 0 << qint64(5 * 86400) << true << "SecLogs" << 1;
    QTest::newRow("months back") << true << 0 << qint64(-2592000) << true << "SecLogs70" << 2;
    QTest::newRow("second-log rows, 10 minutes") << false << 0 << qint64(600) << true << QString() << 0;
    // A time stamp that cannot be read is reported by the row that holds it.
    QTest::newRow("second-log rows, step unknown") << false << 0 << qint64(0) << false << "SecLogs" << 0;
    QTest::newRow("shared columns, a day back") << false << -2 << qint64(-86400) << true << "SecLogs" << 1;
    QTest::newRow("shared columns, 10 minutes back")
        << false << -2 << qint64(-600) << true << "ValueLogs" << -1;
}

void TestDBImport::tableFromColumnsAndStep()
{
    QFETCH(bool, plus);
    QFETCH(int, columns);
    QFETCH(qint64, step);
    QFETCH(bool, stepKnown);
    QFETCH(QString, table);
    QFETCH(int, span);
    QStringList headers{"TIM", "SNR", "HOU"};
    if (columns > -2)
    {
        storeRows(plus, columns, 3);
        const QString header =
            QString::fromLatin1(exportedRows(plus, columns)).section(QRegularExpression(HEADER_END), 0, 0);
        CVokDelimTextModel model;
        QByteArray bytes = header.toLatin1();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QVERIFY(model.load(&buffer, true, ';', '"', "ISO 8859-1"));
        headers.clear();
        for (int c = 0; c < model.columnCount(); ++c)
            headers.append(model.headerData(c, Qt::Horizontal).toString());
    }
    CDBImportData import;
    QMap<int, int> columnMap;
    QVERIFY(import.mapHeaders(headers, &columnMap));
    QCOMPARE(import.isPlusFile(), plus);
    QString chosen;
    int chosenSpan = -3;
    const CDBImportData::ETableChoice choice =
        CDBImportData::chooseTable(columnMap, plus, step, stepKnown, &chosen, &chosenSpan);
    QCOMPARE(choice, table.isEmpty() ? CDBImportData::TC_STEP_TOO_SHORT : CDBImportData::TC_OK);
    if (table.isEmpty())
        return;
    QCOMPARE(chosen, table);
    QCOMPARE(chosenSpan, span);
}

void TestDBImport::germanHeaders()
{
    const QString tim = germanAbbreviation("TIM");
    const QString hou = germanAbbreviation("HOU");
    QVERIFY2(!tim.isEmpty() && tim != "TIM", "the German file must name the time stamp column itself");
    QString csv = csvHeader({tim.toLower() + "\n", "SNR\n", (hou.isEmpty() ? "HOU" : hou) + "\n[%]"});
    // The language is told by the first header whatever its case, the columns then match exactly.
    CBoxAnswerer boxes;
    for (int i = 0; i < 3; ++i)
        csv += QString("%1;4711;%2\n").arg(stamp(T0 + i * 60)).arg(60 + i);
    QVERIFY(!importCsv(csv));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, QString("Unknown column '%1'").arg(tim.toLower()));

    csv.replace(1, tim.size(), tim);
    QVERIFY(importCsv(csv));
    QCOMPARE(count("ValueLogs", "HOU >= 60"), 3);
}

void TestDBImport::headerErrors_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("unknown format") << "ABC;SNR"
                                    << "Unknown file format of CSV file."
                                    << "tolVane-Vozudoz";
    QTest::newRow("unknown column") << "TIM;XYZ\n[m]"
                                    << "Unknown column 'XYZ'" << QString();
    QTest::newRow("small letters") << "tim;SNR"
                                   << "Unknown column 'tim'" << QString();
    // QEU is a column of the plus only, HR of the tolVane 100 only.
    QTest::newRow("plus file, unknown column") << "TIM;QEU;XYZ"
                                               << "Unknown column 'XYZ'" << QString();
    QTest::newRow("columns of both types") << "TIM;QEU;HR"
                                           << "Unknown column 'HR'" << QString();
}

void TestDBImport::headerErrors()
{
    QFETCH(QString, header);
    QFETCH(QString, message);
    QFETCH(QString, title);
    keepOneRow();
    CBoxAnswerer boxes;
    QString csv = csvHeader(header.split(';'));
    for (int i = 0; i < 3; ++i)
        csv += QString("%1;1\n").arg(stamp(T0 + i * 60));
    QVERIFY(!importCsv(csv));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, message);
    QCOMPARE(boxes.seen[0].title, title.isEmpty() ? QApplication::applicationName() : title);
    QVERIFY(oneRowKept());
}

void TestDBImport::missingTableColumnRollsBack()
{
    // A table of an older program may lack a column the dictionary has: the statement cannot be
    // prepared and nothing is stored.
    keepOneRow();
    exec("ALTER TABLE ValueLogs DROP COLUMN CO2");
    CBoxAnswerer boxes;
    QString csv = "TIM;SNR;CO2\n";
    for (int i = 0; i < 3; ++i)
        csv += QString("%1;1;100\n").arg(stamp(T0 + i * 60));
    QVERIFY(!importCsv(csv));
    QCOMPARE(boxes.seen.size(), 1);
    QVERIFY2(boxes.seen[0].text.contains("no column named CO2"), qPrintable(boxes.seen[0].text));
    QVERIFY(oneRowKept());
}

void TestDBImport::cellConversions()
{
    // Old header names are still understood: TET (now TEX) and SC (now CA).
    const QStringList cells{"-", "12:05", ":30", "1:5", "", "17", "4711711:05", "-2562047788015215:30"};
    QString csv = csvHeader({"TIM\n", "SNR\n", "OM\n", "HOU\n[%]", "TET\n", "SC\n"});
    for (int i = 0; i < cells.size(); ++i)
        csv += QString("%1;%2;%3;%4;21.5;%4\n")
                   .arg(stamp(T0 + i * 60), i == 0 ? "-" : "4711", cells[i], i == 3 ? "3" : cells[i]);
    CBoxAnswerer boxes;
    QVERIFY2(importCsv(csv), qPrintable(boxes.seen.value(0).text));
    const QList<QVariantMap> stored = rows("SELECT * FROM ValueLogs ORDER BY LogTimestamp");
    QCOMPARE(stored.size(), cells.size());
    QCOMPARE(stored[0]["SNR"], QVariant(0));
    QCOMPARE(stored[0]["HOU"], QVariant(0));
    QCOMPARE(stored[0]["OM"], QVariant(0));
    QCOMPARE(stored[1]["HOU"], QVariant(43500));
    QCOMPARE(stored[2]["HOU"], QVariant(1800));
    QCOMPARE(stored[3]["OM"], QVariant("1:5"));
    QVERIFY(stored[4]["HOU"].isNull()); // an empty cell is a missing value, not an empty text
    QVERIFY(stored[4]["OM"].isNull());
    QCOMPARE(stored[5]["HOU"], QVariant(17));
    QCOMPARE(stored[5]["SC"], QVariant(17));
    QCOMPARE(stored[5]["TET"], QVariant(21.5));
    QCOMPARE(stored[6]["HOU"], QVariant(Q_INT64_C(16962159900))); // beyond 32 bits, as the export writes it
    QCOMPARE(stored[7]["HOU"], QVariant(Q_INT64_C(-9223372036854775800))); // the largest the export can write
}

void TestDBImport::badCellsRefused_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("badRow");
    QTest::addColumn<QString>("message");
    const QString time = stamp(T0 + 120);
    QTest::newRow("serial number x") << "TIM;SNR;HOU" << time + ";x;3"
                                     << "The value 'x' in data row 3, column 'SNR' is not valid.";
    QTest::newRow("serial number beyond 32 bits")
        << "TIM;SNR;HOU" << time + ";4294967296;3"
        << "The value '4294967296' in data row 3, column 'SNR' is not valid.";
    QTest::newRow("word in a number column") << "TIM;SNR;HOU" << time + ";1;abc"
                                             << "The value 'abc' in data row 3, column 'HOU' is not valid.";
    QTest::newRow("hours beyond 64 bits")
        << "TIM;SNR;HOU" << time + ";1;2562047788015216:00"
        << "The value '2562047788015216:00' in data row 3, column 'HOU' is not valid.";
    QTest::newRow("word in a real column") << "TIM;SNR;TEX\n[°C]" << time + ";1;warm"
                                           << "The value 'warm' in data row 3, column 'TEX' is not valid.";
    QTest::newRow("time stamp") << "TIM;SNR;HOU"
                                << "31.02.2024 10:00;1;3"
                                << "The time stamp '31.02.2024 10:00' in data row 3 is not valid.";
    QTest::newRow("more cells than headers") << "TIM;SNR;HOU" << time + ";1;3;7"
                                             << "Data row 3 has a value in column 4, which has no header.";
    // A row without its unit would be shown nowhere and doubled by every import.
    QTest::newRow("empty serial number") << "TIM;SNR;HOU" << time + ";;3"
                                         << "Data row 3 has no value in column 'SNR'.";
    QTest::newRow("serial number missing at the end") << "TIM;HOU;SNR" << time + ";3"
                                                      << "Data row 3 has no value in column 'SNR'.";
    QTest::newRow("two cells missing") << "TIM;SNR;HOU" << time << "Data row 3 has no value in column 'SNR'.";
}

void TestDBImport::badCellsRefused()
{
    QFETCH(QString, header);
    QFETCH(QString, badRow);
    QFETCH(QString, message);
    keepOneRow();
    // The progress dialog as the import command sets it up: it shows itself at the first chance.
    CImportProgressDialog progress;
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    QStringList texts;
    bool bProgressShownWithBox = false;
    CModalAnswerer boxes(
        [&](QWidget* pWidget)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox)
                return false;
            texts.append(pBox->text());
            QTimer::singleShot(20, pBox,
                               [&, pBox]
                               {
                                   bProgressShownWithBox |= progress.isVisible();
                                   pBox->buttons().value(0)->click();
                               });
            return true;
        });
    QString csv = csvHeader(header.split(';'));
    for (int i = 0; i < 2; ++i)
        csv += QString("%1;1;%2\n").arg(stamp(T0 + i * 60)).arg(i);
    csv += badRow + "\n" + QString("%1;1;9\n").arg(stamp(T0 + 180));
    QVERIFY(!importCsv(csv, &progress));
    QCOMPARE(texts, QStringList{message + " Nothing has been imported."});
    QVERIFY(!bProgressShownWithBox);
    QVERIFY(oneRowKept());
}

void TestDBImport::encodingFromTheWholeFile_data()
{
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<QString>("text");
    const QString text = QString::fromUtf8("°ä Lüftung");
    QTest::newRow("ISO 8859-1, as we write it") << text.toLatin1() << text;
    QTest::newRow("UTF-8 without byte-order mark") << text.toUtf8() << text;
    // an ISO 8859-1 text that happens to be valid UTF-8 in its first rows is still ISO 8859-1
    QTest::newRow("ISO 8859-1 that starts like UTF-8")
        << QByteArray("\xC3\xA4 und \xB0") << QString::fromLatin1("\xC3\xA4 und \xB0");
}

void TestDBImport::encodingFromTheWholeFile()
{
    QFETCH(QByteArray, encoded);
    QFETCH(QString, text);
    QByteArray csv = "TIM;SNR;OM\n";
    for (int i = 0; i < 3; ++i)
        csv += stamp(T0 + 60 * i).toLatin1() + ";7;" + (i == 2 ? encoded : QByteArray("plain")) + "\n";
    QBuffer buffer(&csv);
    buffer.open(QIODevice::ReadOnly);
    QVERIFY(CDBImportData().importData(&buffer, nullptr));
    QCOMPARE(rows("SELECT OM FROM ValueLogs WHERE SNR = 7 ORDER BY LogTimestamp").value(2)["OM"].toString(),
             text);
}

void TestDBImport::missingLastCellIsEmpty()
{
    // The export ends a row whose last cell is empty with ";", which the reader drops.
    QVERIFY(importCsv(QString("TIM;SNR;TEX;HOU\n%1;7;20;\n%2;7;20;2\n%3;7;21;3\n")
                          .arg(stamp(T0), stamp(T0 + 60), stamp(T0 + 120))));
    const QList<QVariantMap> stored = rows("SELECT HOU FROM ValueLogs WHERE SNR = 7 ORDER BY LogTimestamp");
    QCOMPARE(stored.size(), 3);
    QVERIFY(stored[0]["HOU"].isNull());
}

void TestDBImport::emptyLinesAreNoRows_data()
{
    QTest::addColumn<QByteArray>("emptyLines");
    QTest::addColumn<int>("line"); // the lines before them; 0: before the header
    QTest::addColumn<qint64>("step");
    QTest::addColumn<QString>("table");
    QTest::newRow("two LF at the end") << QByteArray("\n\n") << 4 << qint64(60) << "ValueLogs";
    QTest::newRow("CR LF at the end") << QByteArray("\r\n") << 4 << qint64(60) << "ValueLogs";
    QTest::newRow("LF between daily rows") << QByteArray("\n") << 2 << qint64(86400) << "SecLogs";
    QTest::newRow("CR between daily rows") << QByteArray("\r") << 2 << qint64(86400) << "SecLogs";
    QTest::newRow("LF and CR LF after the header") << QByteArray("\n\r\n") << 1 << qint64(900) << "SecLogs";
    QTest::newRow("LF before the header") << QByteArray("\n") << 0 << qint64(60) << "ValueLogs";
    // A spreadsheet saves an empty row as separators only.
    QTest::newRow("separators between rows") << QByteArray(";;\n") << 2 << qint64(60) << "ValueLogs";
    QTest::newRow("separators and CR LF at the end")
        << QByteArray(";;\r\n;;\r\n") << 4 << qint64(60) << "ValueLogs";
    QTest::newRow("blanks between rows") << QByteArray("   \n\t\n") << 3 << qint64(900) << "SecLogs";
    QTest::newRow("blanks and separators after the header")
        << QByteArray(" ; ;\n") << 1 << qint64(60) << "ValueLogs";
}

void TestDBImport::emptyLinesAreNoRows()
{
    QFETCH(QByteArray, emptyLines);
    QFETCH(int, line);
    QFETCH(qint64, step);
    QFETCH(QString, table);
    QList<QByteArray> lines{"TIM;SNR;HOU\n"};
    for (int i = 0; i < 3; ++i)
        lines.append(QString("%1;4711;%2\n").arg(stamp(T0 + i * step)).arg(50 + i).toLatin1());
    lines.insert(line, emptyLines);
    CBoxAnswerer boxes;
    QBuffer buffer;
    buffer.setData(lines.join());
    buffer.open(QIODevice::ReadOnly);
    QVERIFY2(CDBImportData().importData(&buffer, nullptr), qPrintable(boxes.seen.value(0).text));
    QCOMPARE(count(table), 3);
    QCOMPARE(count(table, QString("LogTimestamp = %1 AND HOU = 52").arg(T0 + 2 * step)), 1);
}

void TestDBImport::oversizedRecordsRefused_data()
{
    // Far beyond any export: the reading stops at the bound instead of taking all memory.
    QTest::addColumn<QByteArray>("header");
    QTest::addColumn<QByteArray>("thirdRow");
    QTest::addColumn<QString>("message");
    const QByteArray time = stamp(T0 + 120).toLatin1();
    const QString tooLong =
        "Data row 3 is longer than a log file's row can be (more than 10000 fields or 1048576 "
        "characters). Nothing has been imported.";
    QTest::newRow("a field without end")
        << QByteArray("TIM;SNR;OM") << time + ";1;" + QByteArray(1 << 21, 'x') << tooLong;
    QTest::newRow("a quoted field without end")
        << QByteArray("TIM;SNR;OM") << time + ";1;\"a\nb" + QByteArray(1 << 21, 'y') << tooLong;
    QTest::newRow("separators without end")
        << QByteArray("TIM;SNR;OM") << time + ";1;" + QByteArray(20000, ';') << tooLong;
    QTest::newRow("a header without end")
        << "TIM;SNR;" + QByteArray(20000, ';') << time + ";1;3"
        << "The header row is longer than a log file's row can be (more than 10000 fields or 1048576 "
           "characters). Nothing has been imported.";
}

void TestDBImport::oversizedRecordsRefused()
{
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, thirdRow);
    QFETCH(QString, message);
    keepOneRow();
    CBoxAnswerer boxes;
    QByteArray csv = header + "\n";
    for (int i = 0; i < 2; ++i)
        csv += QString("%1;1;%2\n").arg(stamp(T0 + i * 60)).arg(i).toLatin1();
    csv += thirdRow + "\n" + stamp(T0 + 180).toLatin1() + ";1;9\n";
    QBuffer buffer(&csv);
    buffer.open(QIODevice::ReadOnly);
    QVERIFY(!CDBImportData().importData(&buffer, nullptr));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text, message);
    QVERIFY(oneRowKept());
}

void TestDBImport::serialNumberAskedOnce_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("imported");
    QTest::newRow("assigned") << 4711 << true;
    QTest::newRow("without serial number") << 0 << true;
    QTest::newRow("cancelled") << -1 << false;
}

void TestDBImport::serialNumberAskedOnce()
{
    QFETCH(int, answer);
    QFETCH(bool, imported);
    keepOneRow();
    CSerialNrAnswer dialog(answer);
    QString csv = csvHeader({"TIM\n", "HOU\n"});
    for (int i = 0; i < 4; ++i)
        csv += QString("%1;%2\n").arg(stamp(T0 + i * 60)).arg(i);
    QCOMPARE(importCsv(csv), imported);
    QCOMPARE(dialog.handled(), 1);
    if (imported)
        QCOMPARE(count("ValueLogs", QString("SNR = %1 AND LogTimestamp >= %2").arg(answer).arg(T0)), 4);
    else
        QVERIFY(oneRowKept());
}

void TestDBImport::serialNumberRefusedWithoutPresenter()
{
    // A program without widgets installs no presenter: nobody can be asked, so the file is
    // refused, without a dialog, and the tables stay as they were.
    keepOneRow();
    CStoreMessages::instance().setPresenter(nullptr);
    CSerialNrAnswer dialog(4711);
    QString csv = csvHeader({"TIM\n", "HOU\n"});
    for (int i = 0; i < 4; ++i)
        csv += QString("%1;%2\n").arg(stamp(T0 + i * 60)).arg(i);
    QVERIFY(!importCsv(csv));
    QCOMPARE(dialog.handled(), 0);
    QVERIFY(oneRowKept());
}

void TestDBImport::equalTimestampsMoveOn()
{
    // Three rows of one minute, then the next minute: none may replace another.
    QString csv = "TIM;SNR;HOU\n";
    const QList<qint64> stamps{T0, T0, T0, T0 + 60};
    for (int i = 0; i < stamps.size(); ++i)
        csv += QString("%1;1;%2\n").arg(stamp(stamps[i])).arg(i);
    QVERIFY(importCsv(csv));
    const QList<QVariantMap> stored = rows("SELECT LogTimestamp, HOU FROM ValueLogs ORDER BY HOU");
    QCOMPARE(stored.size(), 4);
    const QList<qint64> expected{T0, T0 + 1, T0 + 2, T0 + 60};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(stored[i]["LogTimestamp"].toLongLong(), expected[i]);
}

void TestDBImport::unreadableTimestampRollsBack()
{
    keepOneRow();
    CBoxAnswerer boxes;
    const QString csv = QString("TIM;SNR;HOU\n%1;1;1\n%2;1;2\n31.02.2024 10:00;1;3\n%3;1;4\n")
                            .arg(stamp(T0), stamp(T0 + 60), stamp(T0 + 180));
    QVERIFY(!importCsv(csv));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(
        boxes.seen[0].text,
        QString("The time stamp '31.02.2024 10:00' in data row 3 is not valid. Nothing has been imported."));
    QVERIFY(oneRowKept());
}

void TestDBImport::localTimeAcrossDaylightSaving()
{
    // Time stamps are local time; in Berlin the clocks jump from 02:00 to 03:00 on 31 March 2024.
    {
        const CZoneForTest berlin("Europe/Berlin");
        QVERIFY(importCsv("TIM;SNR;HOU\n31.03.2024 01:58;1;1\n31.03.2024 01:59;1;2\n31.03.2024 03:00;1;3\n"
                          "31.03.2024 03:01;1;4\n"));
    }
    const QList<QVariantMap> stored = rows("SELECT LogTimestamp FROM ValueLogs ORDER BY HOU");
    const QList<qint64> utc{1711846680, 1711846740, 1711846800, 1711846860}; // 00:58Z, 00:59Z, 01:00Z, 01:01Z
    QCOMPARE(stored.size(), utc.size());
    for (int i = 0; i < utc.size(); ++i)
        QCOMPARE(stored[i]["LogTimestamp"].toLongLong(), utc[i]);
}

void TestDBImport::exportsOfBothTypesImportBack_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("span"); // -1: minute values
    QTest::addColumn<QString>("language");
    for (const bool plus : {false, true})
        for (const int span : {-1, 0, 1, 2})
            for (const QString language : {"en", "de"})
                QTest::addRow("%s, span %d, %s", plus ? "plus" : "tolVane 100", span, qPrintable(language))
                    << plus << span << language;
}

void TestDBImport::exportsOfBothTypesImportBack()
{
    // Each tab of each unit type, exported in either language, imports into an empty database
    // and exports again to the same bytes: random records on the retrieval's grid.
    QFETCH(bool, plus);
    QFETCH(int, span);
    QFETCH(QString, language);
    QTranslator translator;
    QVERIFY(loadCommonTranslation(translator, language));
    QCoreApplication::installTranslator(&translator);
    const QString table = QString(span < 0 ? "ValueLogs" : "SecLogs") + (plus ? "70" : "");
    storeRows(plus, span, 30);
    const int nStored = rows("SELECT * FROM " + table).size();
    QVERIFY(nStored > 0);
    const QByteArray before = exportedRows(plus, span);

    exec("DELETE FROM " + table);
    const bool bImported = importCsv(QString::fromLatin1(before));
    const QByteArray after = exportedRows(plus, span);
    QCoreApplication::removeTranslator(&translator);
    QVERIFY(bImported);
    QCOMPARE(rows("SELECT * FROM " + table).size(), nStored);
    QCOMPARE(after, before);
}

void TestDBImport::autumnClockChangeRoundTrip_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<int>("span");
    QTest::addColumn<qint64>("from"); // UTC
    QTest::addColumn<int>("twice");   // rows shown at 02:xx
    // 2026-10-24 22:30 UTC, 00:30 summer time in Berlin, the clocks going back at 01:00 UTC.
    QTest::newRow("minute values") << QByteArray("Europe/Berlin") << -1 << qint64(1792881000) << 120;
    QTest::newRow("quarter-hour values")
        << QByteArray("Europe/Berlin") << int(CLogging::TS_QUARTER_HOUR) << qint64(1792881000) << 8;
    // The first entry is the last one before the change (02:52 summer time, then 02:07 standard
    // time): the first step seems to go back 45 minutes, or in Troll, going back two hours, 105.
    for (const char* zone : {"Europe/Berlin", "Antarctica/Troll"})
        QTest::addRow("quarter-hour values from the last entry before, %s", zone)
            << QByteArray(zone) << int(CLogging::TS_QUARTER_HOUR) << qint64(1792889100) << 5;
}

void TestDBImport::autumnClockChangeRoundTrip()
{
    // In Berlin the clocks go back from 03:00 to 02:00 on 25 October 2026: the file shows the hour
    // from 02:00 twice, first in summer time, then in standard time. Both must come back.
    QFETCH(QByteArray, zone);
    QFETCH(int, span);
    QFETCH(qint64, from);
    QFETCH(int, twice);
    const CZoneForTest local(zone);
    const int nStep = span < 0 ? 60 : 900;
    const int nRows = 4 * 3600 / nStep;
    if (span < 0)
    {
        CMinuteLogDB minute("UIThread");
        for (int i = 0; i < nRows; ++i)
            QVERIFY(minute.logValues(CFanValues(), 100 + i, 50, 4711, 1, 2, 3, 4,
                                     QDateTime::fromSecsSinceEpoch(from + i * nStep), -70));
    }
    else
    {
        QVector<SSecLogEntry> entries(nRows);
        for (int i = 0; i < nRows; ++i)
            entries[i].m_Bytes[0] = quint8(i); // TSU
        QDateTime t = QDateTime::fromSecsSinceEpoch(from + 450);
        QVERIFY(CSecLogDB("UIThread").saveSecLogValues(CLogging::TS_QUARTER_HOUR, entries, 4711, t));
    }
    const QString table = span < 0 ? "ValueLogs" : "SecLogs";
    const auto exported = [span]
    {
        QSqlQueryModel view;
        if (span < 0)
            CMinuteLogDB("UIThread").setupQueryModelForDay(view, QDate(), 4711);
        else
            CSecLogDB("UIThread").setupQueryModelForTimeSpan(view, span, 4711);
        return exportCsv(view);
    };
    const QByteArray before = exported();
    QCOMPARE(rows("SELECT * FROM " + table).size(), nRows);
    QCOMPARE(before.count("\n25.10.2026 02:"), twice);

    exec("DELETE FROM " + table);
    QVERIFY(importCsv(QString::fromLatin1(before)));
    QCOMPARE(rows("SELECT * FROM " + table).size(), nRows);
    QCOMPARE(exported(), before);
}

// A POSIX rule, which Qt cannot read as a zone: the C library stands in.
const char* const POSIX_BERLIN = "CET-1CEST,M3.5.0,M10.5.0/3";

void TestDBImport::repeatedTimesInEitherOrder_data()
{
    // Four hours of minute rows around a clock change back, in the order the export writes them,
    // exactly reversed, and sorted by the time column as a spreadsheet does (where a time shown
    // twice has its two rows side by side); and newest first from inside the times shown twice.
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<qint64>("change"); // UTC
    QTest::addColumn<QString>("order");
    const QList<QPair<QByteArray, qint64>> zones{
        {"Europe/Berlin", 1792890000},       // 25.10.2026 03:00 -> 02:00
        {"Antarctica/Troll", 1792890000},    // 25.10.2026 03:00 -> 01:00
        {"Australia/Sydney", 1775318400},    // 05.04.2026 03:00 -> 02:00
        {"Australia/Lord_Howe", 1775314800}, // 05.04.2026 02:00 -> 01:30
        {"America/Santiago", 1775358000},    // 05.04.2026 00:00 -> 04.04.2026 23:00
        {"Asia/Kolkata", 1792890000},        // no change
        {POSIX_BERLIN, 1792890000},
    };
    for (const auto& zone : zones)
        for (const QString order : {"oldest first", "newest first", "side by side",
                                    "side by side, newest first", "newest first from the second pass"})
            QTest::addRow("%s, %s", zone.first.constData(), qPrintable(order))
                << zone.first << zone.second << order;
}

void TestDBImport::repeatedTimesInEitherOrder()
{
    QFETCH(QByteArray, zone);
    QFETCH(qint64, change);
    QFETCH(QString, order);
    const CZoneForTest local(zone);
    // From two hours before the change; newest first from the second pass: from a quarter of an
    // hour after it, the middle of what is shown twice.
    const int nRows = order == "newest first from the second pass" ? 136 : 240;
    const qint64 from = change - 7200;
    QStringList lines;
    for (int i = 0; i < nRows; ++i)
        lines.append(QString("%1;1;%2").arg(stamp(from + 60 * i)).arg(i));
    // Sorted as a date and time either way, rows of equal texts kept in their order.
    if (order.startsWith("side by side"))
        sortByTime(lines, order.contains("newest first"));
    else if (order.contains("newest first"))
        std::reverse(lines.begin(), lines.end());
    CBoxAnswerer boxes;
    QVERIFY2(importCsv("TIM;SNR;HOU\n" + lines.join('\n') + '\n'), qPrintable(boxes.seen.value(0).text));
    const QList<QVariantMap> stored = rows("SELECT LogTimestamp, HOU FROM ValueLogs ORDER BY HOU");
    QCOMPARE(stored.size(), nRows);
    // Side by side, the second row of a time shown twice is the other pass.
    for (int i = 0; i < nRows; ++i)
    {
        QCOMPARE(stored[i]["HOU"].toInt(), i);
        QCOMPARE(stored[i]["LogTimestamp"].toLongLong(), from + 60 * i);
    }
}

void TestDBImport::repeatedTimeIndependentOfEarlierConversions_data()
{
    QTest::addColumn<QDate>("earlier"); // the date of a conversion before the import
    QTest::newRow("summer time") << QDate(2026, 7, 1);
    QTest::newRow("standard time") << QDate(2026, 12, 1);
}

void TestDBImport::repeatedTimeIndependentOfEarlierConversions()
{
    // The first time read, shown twice, is its first instant whatever the C library remembers
    // from the conversion before.
    QFETCH(QDate, earlier);
    const CZoneForTest berlin("Europe/Berlin");
    QVERIFY(QDateTime(earlier, QTime(12, 0)).toSecsSinceEpoch() > 0);
    CLocalTimeParser parser;
    qint64 secs = 0;
    QCOMPARE(parser.secsSinceEpoch("25.10.2026 02:30", &secs), CLocalTimeParser::LT_OK);
    QCOMPARE(secs, qint64(1792888200)); // 00:30Z, summer time
}

void TestDBImport::stampsOutsideTheStoredRange_data()
{
    // Stored are unsigned 32-bit seconds: 01.01.1970 00:00:00 to 07.02.2106 06:28:15 UTC.
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("stored");
    QTest::newRow("UTC, first minute") << QByteArray("UTC") << "01.01.1970 00:00" << true;
    QTest::newRow("UTC, last minute") << QByteArray("UTC") << "07.02.2106 06:28" << true;
    QTest::newRow("UTC, after the last") << QByteArray("UTC") << "07.02.2106 06:29" << false;
    QTest::newRow("UTC, 2150") << QByteArray("UTC") << "10.12.2150 10:00" << false;
    QTest::newRow("UTC, 1965") << QByteArray("UTC") << "10.12.1965 10:00" << false;
    QTest::newRow("UTC+14, before the first") << QByteArray("Etc/GMT-14") << "01.01.1970 13:59" << false;
    QTest::newRow("UTC+14, first minute") << QByteArray("Etc/GMT-14") << "01.01.1970 14:00" << true;
    QTest::newRow("UTC-12, last minute") << QByteArray("Etc/GMT+12") << "06.02.2106 18:28" << true;
    QTest::newRow("UTC-12, after the last") << QByteArray("Etc/GMT+12") << "06.02.2106 18:29" << false;
    QTest::newRow("Berlin, 2150") << QByteArray("Europe/Berlin") << "10.12.2150 10:00" << false;
}

void TestDBImport::stampsOutsideTheStoredRange()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, time);
    QFETCH(bool, stored);
    const CZoneForTest local(zone);
    keepOneRow();
    CBoxAnswerer boxes;
    QCOMPARE(importCsv(QString("TIM;SNR;HOU\n%1;1;1\n%2;1;2\n%3;1;3\n").arg(stamp(T0), stamp(T0 + 60), time)),
             stored);
    if (stored)
    {
        QCOMPARE(count("ValueLogs", "HOU = 3"), 1);
        return;
    }
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text,
             QString("The time stamp '%1' in data row 3 lies outside the times a log can hold "
                     "(01.01.1970 00:00:00 to 07.02.2106 06:28:15 UTC). Nothing has been "
                     "imported.")
                 .arg(time));
    QVERIFY(oneRowKept());
}

void TestDBImport::secondLogRowsTooClose_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<qint64>("step");
    QTest::newRow("5 minutes") << false << qint64(300);
    QTest::newRow("10 minutes back, plus") << true << qint64(-600);
}

void TestDBImport::secondLogRowsTooClose()
{
    // Second-log columns whose first two rows are closer than entries of any span: the file is
    // refused, never taken for minute rows.
    QFETCH(bool, plus);
    QFETCH(qint64, step);
    storeRows(plus, CLogging::TS_QUARTER_HOUR, 3);
    QStringList lines = QString::fromLatin1(exportedRows(plus, CLogging::TS_QUARTER_HOUR))
                            .split(QRegularExpression(HEADER_END));
    QCOMPARE(lines.size(), 4);
    const QDateTime first = QDateTime::fromString(lines[1].left(16), "dd.MM.yyyy HH:mm");
    lines[2].replace(0, 16, stamp(first.toSecsSinceEpoch() + step));
    exec(QString("DELETE FROM SecLogs%1").arg(plus ? "70" : ""));
    keepOneRow();
    CBoxAnswerer boxes;
    QVERIFY(!importCsv(lines.join('\n')));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(
        boxes.seen[0].text,
        QString("The columns of the file are those of 1/4 hour, day or month values, but its first two rows "
                "are only %1 seconds apart. Nothing has been imported.")
            .arg(qAbs(step)));
    QVERIFY(oneRowKept());
}

void TestDBImport::skippedTimeRefused_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QString>("time"); // skipped where the clocks go forward
    QTest::newRow("Europe/Berlin") << QByteArray("Europe/Berlin") << "29.03.2026 02:00";
    QTest::newRow("Australia/Sydney") << QByteArray("Australia/Sydney") << "04.10.2026 02:59";
    QTest::newRow("Australia/Lord_Howe") << QByteArray("Australia/Lord_Howe") << "04.10.2026 02:15";
    QTest::newRow("America/Santiago") << QByteArray("America/Santiago") << "06.09.2026 00:30";
    QTest::newRow("POSIX rule") << QByteArray(POSIX_BERLIN) << "29.03.2026 02:30";
}

void TestDBImport::skippedTimeRefused()
{
    QFETCH(QByteArray, zone);
    QFETCH(QString, time);
    const CZoneForTest local(zone);
    keepOneRow();
    CBoxAnswerer boxes;
    QVERIFY(
        !importCsv(QString("TIM;SNR;HOU\n%1;1;1\n%2;1;2\n%3;1;3\n").arg(stamp(T0), stamp(T0 + 60), time)));
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].text,
             QString("The time stamp '%1' in data row 3 does not exist in this computer's time "
                     "zone. Nothing has been imported.")
                 .arg(time));
    QVERIFY(oneRowKept());
}

void TestDBImport::rowsSharingAKey_data()
{
    QTest::addColumn<QStringList>("lines"); // time, serial number, value
    QTest::addColumn<int>("stored");        // rows the import adds
    QTest::addColumn<QString>("message");   // empty: imported
    const QString t0 = stamp(T0);
    const QString t1 = stamp(T0 + 60);
    const QString t2 = stamp(T0 + 120);
    QTest::newRow("same time, other value")
        << QStringList{t0 + ";1;0", t1 + ";1;1", t2 + ";1;2", t1 + ";1;9"} << 0
        << "Data rows 2 and 4 would be stored for the same unit and time but "
           "hold different values. Nothing has been imported.";
    QTest::newRow("identical rows") << QStringList{t0 + ";1;0", t1 + ";1;1", t2 + ";1;2", t1 + ";1;1"} << 3
                                    << QString();
    QTest::newRow("other unit") << QStringList{t0 + ";1;0", t1 + ";1;1", t2 + ";1;2", t1 + ";2;9"} << 4
                                << QString();
    // Merged files that overlap, sorted by time: the same row twice in a row is stored once.
    QTest::newRow("identical rows side by side")
        << QStringList{t0 + ";1;0", t0 + ";1;0", t1 + ";1;1", t1 + ";1;1", t2 + ";1;2"} << 3 << QString();
    // Values compare as they are stored, whatever their spelling; an older export shows a serial
    // number of 2^31 and above less 2^32.
    QTest::newRow("equal values spelled otherwise")
        << QStringList{t0 + ";1;0", t1 + ";1;7", t2 + ";1;-", t1 + ";1;07", t2 + ";1;0"} << 3 << QString();
    QTest::newRow("serial number of an older export")
        << QStringList{t0 + ";3000000000;0", t1 + ";3000000000;1", t2 + ";3000000000;2",
                       t1 + ";-1294967296;1"}
        << 3 << QString();
    // 61 rows of one minute move on by a second each, the last one onto the next minute.
    QStringList minute;
    for (int i = 0; i < 61; ++i)
        minute.append(t0 + ";1;" + QString::number(i));
    QTest::newRow("a minute overflowing")
        << minute + QStringList{t1 + ";1;99"} << 0
        << "Data rows 61 and 62 would be stored for the same unit and time but "
           "hold different values. Nothing has been imported.";
}

void TestDBImport::rowsSharingAKey()
{
    QFETCH(QStringList, lines);
    QFETCH(int, stored);
    QFETCH(QString, message);
    keepOneRow();
    CBoxAnswerer boxes;
    QCOMPARE(importCsv("TIM;SNR;HOU\n" + lines.join('\n') + '\n'), message.isEmpty());
    QCOMPARE(boxes.seen.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QCOMPARE(boxes.seen[0].text, message);
    QCOMPARE(count("ValueLogs"), 1 + stored);
    QCOMPARE(count("ValueLogs", "HOU = 42"), 1);
}

void TestDBImport::cancelLeavesTables_data()
{
    QTest::addColumn<int>("rows");            // before and after the lines without values
    QTest::addColumn<QByteArray>("noValues"); // lines passed over, where Cancel works all the same
    QTest::newRow("rows") << 2500 << QByteArray();
    QTest::newRow("empty lines") << 3 << QByteArray(1 << 16, '\n');
    QTest::newRow("blanks and CR LF") << 3 << QByteArray(" \r\n").repeated(1 << 14);
    QTest::newRow("separators") << 3 << QByteArray(";;\n").repeated(1 << 14);
}

void TestDBImport::cancelLeavesTables()
{
    QFETCH(int, rows);
    QFETCH(QByteArray, noValues);
    keepOneRow();
    QByteArray csv = "TIM;SNR;HOU\n";
    for (int i = 0; i < 2 * rows; ++i)
    {
        csv += QString("%1;1;%2\n").arg(stamp(T0 + i * 60)).arg(i).toLatin1();
        if (i == rows - 1)
            csv += noValues;
    }
    CImportProgressDialog progress;
    QProgressBar* pBar = progress.findChild<QProgressBar*>();
    QVERIFY(pBar);
    connect(pBar, &QProgressBar::valueChanged, &progress,
            [&](int value)
            {
                if (value > 0)
                    progress.cancel();
            });
    CBoxAnswerer boxes;
    QBuffer buffer(&csv);
    buffer.open(QIODevice::ReadOnly);
    QVERIFY(!CDBImportData().importData(&buffer, &progress));
    QCOMPARE(boxes.seen.size(), 0);
    QVERIFY(oneRowKept());
    QCOMPARE(progress.labelText(), QString("Writing data into database..."));
}

void TestDBImport::exportedFileReimportsUnchanged()
{
    // Minute rows and second-log rows as the program stores them, exported as the export command does.
    CFanValues values;
    values.ExtractTemp = 21.5;
    values.SupplyTempVirt = 18.25;
    values.Pressure = 1013;
    values.ExtractAirFlow = 90;
    values.OutdoorTemp = -3.0;
    values.Program = 1;
    CMinuteLogDB minute("UIThread");
    for (int i = 0; i < 4; ++i)
        QVERIFY(minute.logValues(values, 100 + i, 50, 4711, 1, 2, 3, 4,
                                 QDateTime::fromSecsSinceEpoch(T0 + 60 * i), -70));
    QVector<SSecLogEntry> entries(4);
    for (int i = 0; i < entries.size(); ++i)
    {
        entries[i].m_Bytes[0] = quint8(20 + i); // TSU
        entries[i].m_Bytes[10] = quint8(i + 1); // DRA, hours
        entries[i].m_Bytes[24] = 10;            // AEX
        entries[i].m_Bytes[29] = 0x40;          // PRS: raw 128 -> 956 hPa
    }
    QDateTime t = QDateTime::fromSecsSinceEpoch(T0);
    QVERIFY(CSecLogDB("UIThread").saveSecLogValues(CLogging::TS_DAY, entries, 4711, t));

    auto exportBoth = []
    {
        QSqlQueryModel minuteView, secondView;
        CMinuteLogDB("UIThread").setupQueryModelForDay(minuteView, QDate(), 4711);
        CSecLogDB("UIThread").setupQueryModelForTimeSpan(secondView, CLogging::TS_DAY, 4711);
        return qMakePair(exportCsv(minuteView), exportCsv(secondView));
    };
    const auto before = exportBoth();
    QVERIFY(before.first.count('\n') > 4 && before.second.count('\n') > 4);

    exec("DELETE FROM ValueLogs");
    exec("DELETE FROM SecLogs");
    QVERIFY(importCsv(QString::fromLatin1(before.first)));
    QVERIFY(importCsv(QString::fromLatin1(before.second)));
    const auto after = exportBoth();
    QCOMPARE(after.first, before.first);
    QCOMPARE(after.second, before.second);
}

void TestDBImport::exportWritesWhatTheTextModelWrites()
{
    // Row by row, the export writes the file other programs read: headers with line breaks
    // quoted, texts with separators and quotes quoted, one LF per line, empty cells kept.
    exec(QString("INSERT INTO ValueLogs (LogTimestamp, SNR, OM, TET, PRS) VALUES (%1, 7, 'a;b', 21.25, 700), "
                 "(%2, 7, 'say \"hi\"', -3.5, 1013), (%3, 7, NULL, NULL, NULL)")
             .arg(T0)
             .arg(T0 + 60)
             .arg(T0 + 120));
    QSqlQueryModel view;
    CMinuteLogDB("UIThread").setupQueryModelForDay(view, QDate(), 7);
    const QByteArray exported = exportCsv(view);
    QCOMPARE(exported, modelCsv(view));
    QVERIFY(exported.contains(";\"a;b\";") && exported.contains(";\"say \"\"hi\"\"\";"));
    QCOMPARE(CLogExport(view).rowCount(), 3);

    // A stop asked for by the progress ends the export.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(!CLogExport(view).write(&buffer, [](int) { return false; }));
}

void TestDBImport::exportOntoAFullDiskNamesTheReason()
{
    QFile full("/dev/full");
    if (!full.open(QIODevice::WriteOnly))
        QSKIP("no /dev/full here");
    exec(QString("INSERT INTO ValueLogs (LogTimestamp, SNR, HOU) VALUES (%1, 7, 42)").arg(T0));
    QSqlQueryModel view;
    CMinuteLogDB("UIThread").setupQueryModelForDay(view, QDate(), 7);
    CDescriptorWriter writer(full);
    QVERIFY(!CLogExport(view).write(&writer, [](int) { return true; }));
    QCOMPARE(writer.errorString(), QString::fromLocal8Bit(strerror(ENOSPC)));
}

void TestDBImport::roundTripLeavesStoreUnchanged_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("span");
    for (const bool plus : {false, true})
    {
        const char* type = plus ? "plus" : "tolVane 100";
        QTest::addRow("%s, minute values", type) << plus << -1;
        QTest::addRow("%s, quarter-hour values", type) << plus << int(CLogging::TS_QUARTER_HOUR);
        QTest::addRow("%s, daily values", type) << plus << int(CLogging::TS_DAY);
        QTest::addRow("%s, monthly values", type) << plus << int(CLogging::TS_MONTH);
    }
}

void TestDBImport::roundTripLeavesStoreUnchanged()
{
    // Every column keeps what was stored, a NULL included.
    QFETCH(bool, plus);
    QFETCH(int, span);
    const int nRows = 20;
    storeRows(plus, span, nRows);
    const QList<QVariantMap> before = storedRows(plus, span);
    QCOMPARE(before.size(), nRows);

    QVERIFY(importCsv(QString::fromLatin1(exportedRows(plus, span))));
    compareRows(storedRows(plus, span), before);
}

void TestDBImport::everyTableInEitherOrderMerged_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("span");
    QTest::addColumn<bool>("newestFirst");
    QTest::addColumn<int>("gap"); // rows left out after the first and before the last
    const QList<QPair<int, int>> spans{
        {-1, 15}, {CLogging::TS_QUARTER_HOUR, 4}, {CLogging::TS_DAY, 4}, {CLogging::TS_MONTH, 1}};
    for (const bool plus : {false, true})
        for (const auto& span : spans)
            for (const bool newestFirst : {false, true})
                QTest::addRow("%s, span %d, %s", plus ? "plus" : "tolVane 100", span.first,
                              newestFirst ? "newest first" : "oldest first")
                    << plus << span.first << newestFirst << span.second;
}

void TestDBImport::everyTableInEitherOrderMerged()
{
    // The program's own file, in either order, with a gap between its first two rows (the program
    // was closed in between), merged with an overlapping copy of rows of its middle and sorted by
    // time: the table comes from the columns, every row is stored once and as it was.
    QFETCH(bool, plus);
    QFETCH(int, span);
    QFETCH(bool, newestFirst);
    QFETCH(int, gap);
    const int nRows = 40;
    storeRows(plus, span, nRows);
    const QList<QVariantMap> all = storedRows(plus, span);
    QCOMPARE(all.size(), nRows);
    const QString table = QString(span < 0 ? "ValueLogs" : "SecLogs") + (plus ? "70" : "");
    for (int i : {1, nRows - 1 - gap})
        exec(QString("DELETE FROM %1 WHERE LogTimestamp >= %2 AND LogTimestamp <= %3")
                 .arg(table)
                 .arg(all[i]["LogTimestamp"].toLongLong())
                 .arg(all[i + gap - 1]["LogTimestamp"].toLongLong()));
    const QList<QVariantMap> before = storedRows(plus, span);
    QCOMPARE(before.size(), nRows - 2 * gap);

    QStringList lines =
        QString::fromLatin1(exportedRows(plus, span)).trimmed().split(QRegularExpression(HEADER_END));
    const QString header = lines.takeFirst();
    lines += lines.mid(1, lines.size() / 2);
    sortByTime(lines, false);
    if (newestFirst)
        std::reverse(lines.begin(), lines.end());
    exec("DELETE FROM " + table);
    CBoxAnswerer boxes;
    QVERIFY2(importCsv(header + '\n' + lines.join('\n') + '\n'), qPrintable(boxes.seen.value(0).text));
    compareRows(storedRows(plus, span), before);
}

void TestDBImport::unitsInterleavedByTime_data()
{
    QTest::addColumn<QString>("header");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("stored"); // "time stamp serial number value", by unit and time
    const QString d0 = stamp(T0);
    const QString d1 = stamp(T0 + 86400);
    const QString d2 = stamp(T0 + 2 * 86400);
    // RES is a column of the second log only: the step between times tells the span.
    QTest::newRow("day entries of two units")
        << "TIM;SNR;RES" << QStringList{d0 + ";4711;1", d0 + ";4712;2", d1 + ";4711;3",
                                        d1 + ";4712;4", d2 + ";4711;5", d2 + ";4712;6"}
        << "SecLogs" << QStringList{QString("%1 4711 1").arg(T0),
                                    QString("%1 4711 3").arg(T0 + 86400),
                                    QString("%1 4711 5").arg(T0 + 2 * 86400),
                                    QString("%1 4712 2").arg(T0),
                                    QString("%1 4712 4").arg(T0 + 86400),
                                    QString("%1 4712 6").arg(T0 + 2 * 86400)};
    const QString t0 = stamp(T0);
    const QString t1 = stamp(T0 + 60);
    QTest::newRow("minute rows of two units at the same minutes")
        << "TIM;SNR;HOU" << QStringList{t0 + ";4711;1", t0 + ";4712;2", t1 + ";4711;3", t1 + ";4712;4"}
        << "ValueLogs"
        << QStringList{QString("%1 4711 1").arg(T0), QString("%1 4711 3").arg(T0 + 60),
                       QString("%1 4712 2").arg(T0), QString("%1 4712 4").arg(T0 + 60)};
    // One row spelled twice is stored once; it is no step of 0 seconds.
    QTest::newRow("first row spelled 7 and 7.0")
        << "TIM;SNR;RES" << QStringList{d0 + ";4711;7", d0 + ";4711;7.0", d1 + ";4711;8", d2 + ";4711;9"}
        << "SecLogs"
        << QStringList{QString("%1 4711 7").arg(T0), QString("%1 4711 8").arg(T0 + 86400),
                       QString("%1 4711 9").arg(T0 + 2 * 86400)};
}

void TestDBImport::unitsInterleavedByTime()
{
    // Rows of different units never move each other's instants; the table comes from the steps
    // between rows of one unit.
    QFETCH(QString, header);
    QFETCH(QStringList, lines);
    QFETCH(QString, table);
    QFETCH(QStringList, stored);
    CBoxAnswerer boxes;
    QVERIFY2(importCsv(header + '\n' + lines.join('\n') + '\n'), qPrintable(boxes.seen.value(0).text));
    const QString value = header.section(';', 2, 2);
    QStringList actual;
    for (const QVariantMap& row : rows(QString("SELECT * FROM %1 ORDER BY SNR, LogTimestamp").arg(table)))
        actual << QString("%1 %2 %3")
                      .arg(row["LogTimestamp"].toLongLong())
                      .arg(row["SNR"].toLongLong())
                      .arg(row[value].toString());
    QCOMPARE(actual, stored);
    if (table == "SecLogs")
        QCOMPARE(count(table, "LTS = 1"), stored.size());
}

void TestDBImport::smallestTimeStepOfAUnit_data()
{
    QTest::addColumn<QList<qint64>>("times"); // after T0
    QTest::addColumn<QStringList>("units");
    QTest::addColumn<qint64>("step"); // -1: none
    QTest::newRow("a gap after the first row")
        << QList<qint64>{0, 81000, 81900, 82800} << QStringList{"1", "1", "1", "1"} << qint64(900);
    QTest::newRow("two units at the same times")
        << QList<qint64>{0, 0, 86400, 86400} << QStringList{"1", "2", "1", "2"} << qint64(86400);
    QTest::newRow("rows sharing a time")
        << QList<qint64>{0, 0, 900} << QStringList{"1", "1", "1"} << qint64(900);
    QTest::newRow("one unit spelled twice")
        << QList<qint64>{0, 900} << QStringList{"4711", "4711.0"} << qint64(900);
    QTest::newRow("newest first") << QList<qint64>{1800, 900, 0} << QStringList{"1", "1", "1"} << qint64(900);
    QTest::newRow("one row per unit")
        << QList<qint64>{0, 60, 120} << QStringList{"1", "2", "3"} << qint64(-1);
}

void TestDBImport::smallestTimeStepOfAUnit()
{
    QFETCH(QList<qint64>, times);
    QFETCH(QStringList, units);
    QFETCH(qint64, step);
    QList<QStringList> rows;
    for (int i = 0; i < times.size(); ++i)
        rows.append({stamp(T0 + times[i]), units[i]});
    qint64 smallest = 0;
    const bool known =
        CDBImportData::smallestTimeStep(rows, {{DDI_LogTimestamp, 0}, {DDI_SerialNumber, 1}}, &smallest);
    QCOMPARE(known, step >= 0);
    if (known)
        QCOMPARE(smallest, step);
}

void TestDBImport::spanFromTheSmallestStep_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("gap"); // entries left out after the first
    // 22.5 hours between the first two quarter-hour entries: the unit was off for a day.
    QTest::newRow("quarter hours, a day off") << false << int(CLogging::TS_QUARTER_HOUR) << 89;
    QTest::newRow("quarter hours, a day off, plus") << true << int(CLogging::TS_QUARTER_HOUR) << 89;
    QTest::newRow("days, a month off") << false << int(CLogging::TS_DAY) << 30;
}

void TestDBImport::spanFromTheSmallestStep()
{
    // The program's own export with a gap after its first row: the span comes from the smallest
    // step between rows of the unit read ahead, not from the first step.
    QFETCH(bool, plus);
    QFETCH(int, span);
    QFETCH(int, gap);
    const int nRows = gap + 10;
    storeRows(plus, span, nRows);
    const QString table = QString("SecLogs") + (plus ? "70" : "");
    const QList<QVariantMap> all = storedRows(plus, span);
    exec(QString("DELETE FROM %1 WHERE LogTimestamp > %2 AND LogTimestamp <= %3")
             .arg(table)
             .arg(all[0]["LogTimestamp"].toLongLong())
             .arg(all[gap]["LogTimestamp"].toLongLong()));
    const QList<QVariantMap> before = storedRows(plus, span);
    QCOMPARE(before.size(), nRows - gap);
    const QByteArray exported = exportedRows(plus, span);
    exec("DELETE FROM " + table);
    CBoxAnswerer boxes;
    QVERIFY2(importCsv(QString::fromLatin1(exported)), qPrintable(boxes.seen.value(0).text));
    compareRows(storedRows(plus, span), before);
}

void TestDBImport::headerEndingInSeparator_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void TestDBImport::headerEndingInSeparator()
{
    // Every line ends in ";", as spreadsheets save a last empty column; the reader gives the
    // header an empty last field with CR LF and CR line ends, which is no column.
    QFETCH(QByteArray, lineEnd);
    QByteArray csv = "TIM;SNR;HOU;" + lineEnd;
    for (int i = 0; i < 3; ++i)
        csv += QString("%1;4711;%2;").arg(stamp(T0 + 60 * i)).arg(i).toLatin1() + lineEnd;
    CBoxAnswerer boxes;
    QBuffer buffer(&csv);
    buffer.open(QIODevice::ReadOnly);
    QVERIFY2(CDBImportData().importData(&buffer, nullptr), qPrintable(boxes.seen.value(0).text));
    QCOMPARE(count("ValueLogs", QString("SNR = 4711 AND HOU = 2 AND LogTimestamp = %1").arg(T0 + 120)), 1);
    QCOMPARE(count("ValueLogs"), 3);
}

void TestDBImport::serialNumberWithAFraction_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("stored");
    QTest::newRow("4731.0") << "4731.0" << true << qint64(4731);
    QTest::newRow("4731.00") << "4731.00" << true << qint64(4731);
    QTest::newRow("older export, -1294967296.0") << "-1294967296.0" << true << qint64(3000000000);
    QTest::newRow("4731.5") << "4731.5" << false << qint64(0);
    QTest::newRow("4731.") << "4731." << false << qint64(0);
    QTest::newRow(".0") << ".0" << false << qint64(0);
}

void TestDBImport::serialNumberWithAFraction()
{
    // A serial number is read as the whole number it shows.
    QFETCH(QString, cell);
    QFETCH(bool, valid);
    QFETCH(qint64, stored);
    bool ok = false;
    const QVariant value = CDBImportData::cellValue(DDI_SerialNumber, cell, false, &ok);
    QCOMPARE(ok, valid);
    if (valid)
        QCOMPARE(value.toLongLong(), stored);
    CBoxAnswerer boxes;
    QString csv = "TIM;SNR;HOU\n";
    for (int i = 0; i < 3; ++i)
        csv += QString("%1;%2;%3\n").arg(stamp(T0 + 60 * i), cell).arg(i);
    QCOMPARE(importCsv(csv), valid);
    if (valid)
        QCOMPARE(count("ValueLogs", QString("SNR = %1").arg(stored)), 3);
    else
        QCOMPARE(
            boxes.seen.value(0).text,
            QString("The value '%1' in data row 1, column 'SNR' is not valid. Nothing has been imported.")
                .arg(cell));
}

namespace
{
// 26.10.2025 in Berlin: the clocks go back from 03:00 to 02:00 at 01:00 UTC.
const qint64 BERLIN_2025_CHANGE = 1761440400;

// Minute rows of unit 1 with HOU = the minute's number from the first, "time;1;number".
QStringList minuteLines(qint64 from, int first, int count)
{
    QStringList lines;
    for (int i = first; i < first + count; ++i)
        lines.append(QString("%1;1;%2").arg(stamp(from + 60 * i)).arg(i));
    return lines;
}
} // namespace

void TestDBImport::repeatedHourFromTheRowsAround_data()
{
    // Minute rows from 01:50 summer time on, numbered: 10 to 69 are the first pass of 02:xx, 70 to
    // 129 the second.
    QTest::addColumn<int>("first"); // the rows of the file
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("copies"); // merged and sorted by time
    QTest::addColumn<QString>("order");
    // 02:49-02:59 of the second pass, then 03:00-03:05.
    QTest::newRow("starting inside the second pass") << 119 << 17 << 1 << "as exported";
    QTest::newRow("newest first, starting in the first pass") << 0 << 60 << 1 << "reversed";
    // From 02:50 of the first pass to 03:00: 02:50-02:59 shown four times.
    QTest::newRow("overlapping copies merged and sorted") << 60 << 71 << 2 << "sorted";
    QTest::newRow("sorted newest first") << 0 << 140 << 1 << "sorted newest first";
}

void TestDBImport::repeatedHourFromTheRowsAround()
{
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(int, copies);
    QFETCH(QString, order);
    const CZoneForTest berlin("Europe/Berlin");
    const qint64 from = BERLIN_2025_CHANGE - 70 * 60;
    QStringList lines;
    for (int c = 0; c < copies; ++c)
        lines += minuteLines(from, first, count);
    if (order == "reversed")
        std::reverse(lines.begin(), lines.end());
    else if (order.startsWith("sorted"))
        sortByTime(lines, order.endsWith("newest first"));
    CBoxAnswerer boxes;
    QVERIFY2(importCsv("TIM;SNR;HOU\n" + lines.join('\n') + '\n'), qPrintable(boxes.seen.value(0).text));
    QStringList expected;
    for (int i = first; i < first + count; ++i)
        expected << QString("%1=%2").arg(from + 60 * i).arg(i);
    QStringList stored;
    for (const QVariantMap& row : rows("SELECT LogTimestamp, HOU FROM ValueLogs ORDER BY LogTimestamp"))
        stored << QString("%1=%2").arg(row["LogTimestamp"].toLongLong()).arg(row["HOU"].toInt());
    QCOMPARE(stored, expected);
}

void TestDBImport::repeatedHourSlicesAndMerges_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<qint64>("change"); // UTC, where the clocks change
    QTest::addColumn<bool>("plus");
    QTest::addColumn<int>("span");
    const QList<QPair<QByteArray, qint64>> zones{
        {"Europe/Berlin", 1792890000},    // 25.10.2026 03:00 -> 02:00
        {"America/Havana", 1793509200},   // 01.11.2026 01:00 -> 00:00
        {"Atlantic/Azores", 1792890000},  // 25.10.2026 01:00 -> 00:00
        {"America/Santiago", 1788667200}, // 06.09.2026 00:00 -> 01:00
        {"Asia/Beirut", 1774735200},      // 29.03.2026 00:00 -> 01:00
    };
    for (const auto& zone : zones)
        for (const bool plus : {false, true})
            for (const int span : {-1, 0, 1, 2})
                QTest::addRow("%s, %s, span %d", zone.first.constData(), plus ? "plus" : "tolVane 100", span)
                    << zone.first << zone.second << plus << span;
}

void TestDBImport::repeatedHourSlicesAndMerges()
{
    // The program's own export around the clock change: any slice holding a row outside the
    // repeated hour, as it is, reversed or sorted by time either way, and any two overlapping such
    // slices merged in either order, one after the other or sorted either way, imports to exactly
    // the rows of the slices. Left out are the merges no file can tell from another: the slice merged first
    // shows a minute only in its second pass and the other one shows its first pass.
    QFETCH(QByteArray, zone);
    QFETCH(qint64, change);
    QFETCH(bool, plus);
    QFETCH(int, span);
    const CZoneForTest local(zone);
    // Hundreds of imports: none of them needs to survive a power cut.
    QSqlQuery(QSqlDatabase::database("UIThread")).exec("PRAGMA synchronous=OFF");
    exec("PRAGMA synchronous=OFF");
    const int nRows = span < 0 ? 150 : span == 0 ? 32 : 12;
    storeRows(plus, span, nRows, span < 0 ? change - 75 * 60 : span == 0 ? change + 4 * 3600 : change);
    const QList<QVariantMap> all = storedRows(plus, span);
    QStringList lines =
        QString::fromLatin1(exportedRows(plus, span)).trimmed().split(QRegularExpression(HEADER_END));
    const QString header = lines.takeFirst();
    QCOMPARE(lines.size(), all.size());
    const int n = lines.size();
    // The pass of each row of the export: -1 outside the repeated hour, else 0 or 1.
    QVector<int> pass(n, -1);
    QHash<QString, int> firstOf;
    for (int i = 0; i < n; ++i)
    {
        const QString time = lines[i].left(16);
        if (firstOf.contains(time))
        {
            pass[firstOf[time]] = 0;
            pass[i] = 1;
        }
        else
            firstOf.insert(time, i);
    }
    const bool repeated = pass.contains(0);
    QCOMPARE(repeated,
             span == 0 || span == -1 ? (zone != "America/Santiago" && zone != "Asia/Beirut") : repeated);

    QRandomGenerator random(quint32(change) ^ quint32(span + 2) ^ (plus ? 0x100 : 0));
    struct SSlice
    {
        int from;
        int to; // past the last
    };
    const auto randomSlice = [&]
    {
        for (;;)
        {
            // At least the 3 rows a file must hold.
            const int a = random.bounded(n - 2);
            const int b = a + 3 + random.bounded(n - a - 2);
            for (int i = a; i < b; ++i)
                if (pass[i] < 0)
                    return SSlice{a, b};
        }
    };
    // The first pass of a minute shown in the second pass by the slice merged first alone.
    const auto undecidable = [&](const SSlice& first, const SSlice& second)
    {
        for (int i = 0; i < n; ++i)
            if (pass[i] == 1)
            {
                const int p1 = firstOf[lines[i].left(16)];
                const auto holds = [](const SSlice& s, int r) { return r >= s.from && r < s.to; };
                if (holds(first, i) && !holds(first, p1) && holds(second, p1))
                    return true;
            }
        return false;
    };
    const int nCases = 8;
    for (int c = 0; c < nCases; ++c)
    {
        QVector<SSlice> slices{randomSlice()};
        QString description;
        QStringList file;
        if (random.bounded(2) == 0)
        {
            const int order = random.bounded(4);
            file = lines.mid(slices[0].from, slices[0].to - slices[0].from);
            if (order == 1)
                std::reverse(file.begin(), file.end());
            else if (order > 1)
                sortByTime(file, order == 3);
            description =
                QString("rows %1 to %2, %3")
                    .arg(slices[0].from)
                    .arg(slices[0].to - 1)
                    .arg(QStringList{"as exported", "reversed", "sorted", "sorted newest first"}[order]);
        }
        else
        {
            SSlice other = randomSlice();
            while (other.from >= slices[0].to || slices[0].from >= other.to || undecidable(slices[0], other))
                other = randomSlice();
            slices.append(other);
            const int order = random.bounded(3);
            file = lines.mid(slices[0].from, slices[0].to - slices[0].from) +
                   lines.mid(other.from, other.to - other.from);
            if (order > 0)
                sortByTime(file, order == 2);
            description =
                QString("rows %1 to %2 merged with %3 to %4, %5")
                    .arg(slices[0].from)
                    .arg(slices[0].to - 1)
                    .arg(other.from)
                    .arg(other.to - 1)
                    .arg(QStringList{"one after the other", "sorted", "sorted newest first"}[order]);
        }
        QList<QVariantMap> expected;
        for (int i = 0; i < n; ++i)
            if (std::any_of(slices.cbegin(), slices.cend(),
                            [i](const SSlice& s) { return i >= s.from && i < s.to; }))
                expected.append(all[i]);
        exec(QString("DELETE FROM %1%2").arg(span < 0 ? "ValueLogs" : "SecLogs", plus ? "70" : ""));
        CBoxAnswerer boxes;
        const bool imported = importCsv(header + '\n' + file.join('\n') + '\n');
        QVERIFY2(imported, qPrintable(description + ": " + boxes.seen.value(0).text));
        const QList<QVariantMap> after = storedRows(plus, span);
        QVERIFY2(after.size() == expected.size(), qPrintable(QString("%1: %2 rows stored for %3")
                                                                 .arg(description)
                                                                 .arg(after.size())
                                                                 .arg(expected.size())));
        for (int r = 0; r < expected.size(); ++r)
            QVERIFY2(after[r] == expected[r], qPrintable(QString("%1: row %2 (%3) differs")
                                                             .arg(description)
                                                             .arg(r)
                                                             .arg(expected[r]["LogTimestamp"].toLongLong())));
    }
}

QTEST_MAIN(TestDBImport)
#include "tst_dbimport.moc"
