#include "CurvePicking.h"
#include "DataDict.h"
#include "GraphicsCurvePicker.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

namespace
{
int rowOf(const QTableWidget* pTable, int nField)
{
    for (int r = 0; r < pTable->rowCount(); ++r)
        if (pTable->item(r, 0) && pTable->item(r, 0)->data(Qt::UserRole).toInt() == nField)
            return r;
    return -1;
}

bool isEnabled(const QTableWidget* pTable, int nRow)
{
    return pTable->item(nRow, 0)->flags() & Qt::ItemIsEnabled;
}

QString unitOf(int nField)
{
    return CDataDict::instance()->getText(nField, CDataDict::COL_UNIT);
}
} // namespace

class TestCurvePicker : public QObject
{
    Q_OBJECT

private:
    struct SPicker
    {
        CGraphicsCurvePicker picker;
        QTableWidget* pAvail;
        QTableWidget* pPicked;
        QPushButton* pAdd;
        QPushButton* pRemove;

        explicit SPicker(bool bCorMisto70)
        {
            pAvail = picker.findChild<QTableWidget*>("m_pTableAvail");
            pPicked = picker.findChild<QTableWidget*>("m_pTablePicked");
            pAdd = picker.findChild<QPushButton*>("m_pPushAdd");
            pRemove = picker.findChild<QPushButton*>("m_pPushRemove");
            picker.fillAvailable(bCorMisto70);
        }

        void pick(int nField)
        {
            const int nRow = rowOf(pAvail, nField);
            QVERIFY(nRow >= 0);
            pAvail->setCurrentCell(nRow, 0);
            QVERIFY(pAdd->isEnabled());
            pAdd->click();
        }

        void unpick(int nField)
        {
            pPicked->setCurrentCell(rowOf(pPicked, nField), 0);
            pRemove->click();
        }
    };

private slots:
    // However narrow the picker, each description can be read in full (it wraps where its column
    // gives way) and the unit column is never cut or scrolled away.
    void descriptionsAndUnitsStayReadable_data()
    {
        QTest::addColumn<int>("nWidth");
        QTest::newRow("narrow") << 380;
        QTest::newRow("wide") << 900;
    }

    void descriptionsAndUnitsStayReadable()
    {
        QFETCH(int, nWidth);
        SPicker p(false);
        p.pick(DDI_ExtractTemp);
        p.picker.resize(nWidth, 400);
        p.picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.picker));
        for (QTableWidget* pTable : {p.pAvail, p.pPicked})
        {
            QCoreApplication::processEvents();
            // The size hints are public in the base view only.
            const QAbstractItemView* pView = pTable;
            QVERIFY(pTable->columnWidth(0) + pTable->columnWidth(1) <= pTable->viewport()->width());
            QVERIFY(pTable->columnWidth(1) >= pView->sizeHintForColumn(1));
            for (int r = 0; r < pTable->rowCount(); ++r)
            {
                QVERIFY2(pTable->rowHeight(r) >= pView->sizeHintForRow(r),
                         qPrintable(pTable->item(r, 0)->text()));
                QVERIFY(pTable->item(r, 0)->toolTip().startsWith(pTable->item(r, 0)->text()));
            }
        }
    }

    // A word wider than its column would end in "..." ("Power consumpt..."): however the layout
    // squeezes the picker, every word of every description shows whole, in both lists.
    void namesShowWholeWhenSqueezed_data()
    {
        QTest::addColumn<bool>("bCorMisto70");
        QTest::newRow("tolVane100") << false;
        QTest::newRow("tolVane plus") << true;
    }

    void namesShowWholeWhenSqueezed()
    {
        QFETCH(bool, bCorMisto70);
        SPicker p(bCorMisto70);
        for (int i = 0; i < 3; ++i)
        {
            p.pAvail->setCurrentCell(0, 0);
            p.pAdd->click();
        }
        QCOMPARE(p.pPicked->rowCount(), 3);
        p.picker.resize(p.picker.minimumSizeHint());
        p.picker.show();
        QVERIFY(QTest::qWaitForWindowExposed(&p.picker));
        QCoreApplication::processEvents();
        QVERIFY2(cutDescriptions(&p.picker).isEmpty(), qPrintable(cutDescriptions(&p.picker).join("\n")));
    }

    void offersThePlottableFieldsOfTheUnitType_data()
    {
        QTest::addColumn<bool>("bCorMisto70");
        QTest::addColumn<int>("nTables");
        QTest::newRow("tolVane100") << false << int(CDataDict::TM_VALUE_LOGS | CDataDict::TM_SEC_LOGS);
        QTest::newRow("tolVane plus") << true << int(CDataDict::TM_VALUE_LOGS_70 | CDataDict::TM_SEC_LOGS_70);
    }

    void offersThePlottableFieldsOfTheUnitType()
    {
        QFETCH(bool, bCorMisto70);
        QFETCH(int, nTables);
        SPicker p(bCorMisto70);
        const CDataDict* pDict = CDataDict::instance();

        QSet<int> expected;
        for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
            if (pDict->isPlottable(i) && (pDict->getTableMask(i) & nTables))
                expected.insert(i);
        QSet<int> offered;
        QStringList sortKeys;
        for (int r = 0; r < p.pAvail->rowCount(); ++r)
        {
            const int nField = p.pAvail->item(r, 0)->data(Qt::UserRole).toInt();
            offered.insert(nField);
            sortKeys << p.pAvail->item(r, 2)->text();
            QCOMPARE(p.pAvail->item(r, 1)->text(), unitOf(nField));
            QCOMPARE(p.pAvail->item(r, 0)->toolTip(),
                     QStringLiteral("%1 (%2)").arg(pDict->getText(nField, CDataDict::COL_DESCRIPTION),
                                                   pDict->getText(nField, CDataDict::COL_ABBREVIATION)));
        }
        QCOMPARE(offered, expected);
        QVERIFY(offered.contains(DDI_ExtractTemp));
        QCOMPARE(offered.contains(DDI_CO2), !bCorMisto70);
        QCOMPARE(offered.contains(DDI_ExtractCO270), bCorMisto70);
        // Grouped by unit, by description within a unit.
        QStringList sorted = sortKeys;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(sortKeys, sorted);
        QVERIFY(p.pAvail->isColumnHidden(2));
        QVERIFY(p.picker.selectedFields().isEmpty());
    }

    void addAndRemoveMoveTheFieldAndSignal()
    {
        SPicker p(false);
        QSignalSpy added(&p.picker, &CGraphicsCurvePicker::curveAdded);
        QSignalSpy removed(&p.picker, &CGraphicsCurvePicker::curveRemoved);
        const int nRowBefore = rowOf(p.pAvail, DDI_ExtractTemp);

        p.pick(DDI_ExtractTemp);
        p.pick(DDI_OutdoorTemp);
        QCOMPARE(added.size(), 2);
        QCOMPARE(added[0][0].toInt(), int(DDI_ExtractTemp));
        QCOMPARE(p.picker.selectedFields(), (QList<int>{DDI_ExtractTemp, DDI_OutdoorTemp}));
        QCOMPARE(rowOf(p.pAvail, DDI_ExtractTemp), -1);

        p.unpick(DDI_ExtractTemp);
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed[0][0].toInt(), int(DDI_ExtractTemp));
        QCOMPARE(p.picker.selectedFields(), QList<int>{DDI_OutdoorTemp});
        // Back in its sorted place (OutdoorTemp sorts after it and is still out).
        QCOMPARE(rowOf(p.pAvail, DDI_ExtractTemp), nRowBefore);
    }

    void addWithoutCurrentRowDoesNothing()
    {
        SPicker p(false);
        p.pAvail->setCurrentItem(nullptr);
        QSignalSpy added(&p.picker, &CGraphicsCurvePicker::curveAdded);
        QVERIFY(!p.pAdd->isEnabled());
        p.picker.onAdd();
        p.picker.onRemove();
        QCOMPARE(added.size(), 0);
        QVERIFY(p.picker.selectedFields().isEmpty());
    }

    void twoUnitsGreyOutEveryOtherUnit()
    {
        SPicker p(false);
        p.pick(DDI_ExtractTemp);
        p.pick(DDI_OutdoorTemp);
        // One unit only: no restriction.
        for (int r = 0; r < p.pAvail->rowCount(); ++r)
            QVERIFY(isEnabled(p.pAvail, r));

        p.pick(DDI_ExtractHum);
        QCOMPARE(unitOf(DDI_ExtractHum), QStringLiteral("%"));
        int nGreyed = 0;
        for (int r = 0; r < p.pAvail->rowCount(); ++r)
        {
            const QString strUnit = p.pAvail->item(r, 1)->text();
            QCOMPARE(isEnabled(p.pAvail, r), strUnit == "°C" || strUnit == "%");
            nGreyed += isEnabled(p.pAvail, r) ? 0 : 1;
        }
        QVERIFY(nGreyed > 0);

        const int nCO2 = rowOf(p.pAvail, DDI_CO2);
        p.pAvail->setCurrentItem(nullptr);
        p.pAvail->setCurrentCell(nCO2, 0);
        QVERIFY(!p.pAdd->isEnabled());
        QSignalSpy added(&p.picker, &CGraphicsCurvePicker::curveAdded);
        p.pAdd->click();
        QCOMPARE(added.size(), 0);

        // Without the "%" field the restriction goes.
        p.unpick(DDI_ExtractHum);
        for (int r = 0; r < p.pAvail->rowCount(); ++r)
            QVERIFY(isEnabled(p.pAvail, r));
        p.pick(DDI_CO2);
        QCOMPARE(p.picker.selectedFields(), (QList<int>{DDI_ExtractTemp, DDI_OutdoorTemp, DDI_CO2}));
    }
};

QTEST_MAIN(TestCurvePicker)
#include "tst_curvepicker.moc"
