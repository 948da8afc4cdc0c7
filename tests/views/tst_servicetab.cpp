#include "ServiceTab.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

// The counter list as the polling object sends it: name i is "Counter i", value i is 1000 + i;
// the names at `empty` are empty strings.
static void makeCounters(int nNames, int nValues, const QList<int>& empty, QStringList& names,
                         QList<quint32>& values)
{
    names.clear();
    values.clear();
    for (int i = 0; i < nNames; ++i)
        names << (empty.contains(i) ? QString() : QStringLiteral("Counter %1").arg(i));
    for (int i = 0; i < nValues; ++i)
        values << quint32(1000 + i);
}

static QList<int> range(int first, int last)
{
    QList<int> list;
    for (int i = first; i <= last; ++i)
        list << i;
    return list;
}

class TestServiceTab : public QObject
{
    Q_OBJECT

private:
    static QTableWidget* table(CServiceTab& tab) { return tab.findChild<QTableWidget*>(); }

private slots:
    void startsWithTenEmptyRowsAndItsHeaders()
    {
        CServiceTab tab;
        QCOMPARE(tab.getTitle(), QStringLiteral("Service Info"));
        QTableWidget* pTable = table(tab);
        QCOMPARE(pTable->rowCount(), 10);
        QCOMPARE(pTable->columnCount(), 2);
        QCOMPARE(pTable->horizontalHeaderItem(0)->text(), QStringLiteral("Parameter"));
        QCOMPARE(pTable->horizontalHeaderItem(1)->text(), QStringLiteral("Value"));
        QVERIFY(tab.boolOption2(false));
        QVERIFY(!tab.boolOption2(true));
        QVERIFY(tab.boolOption3(false));
        QVERIFY(!tab.boolOption3(true));
    }

    void filtersTheCounterList_data()
    {
        QTest::addColumn<int>("nNames");
        QTest::addColumn<int>("nValues");
        QTest::addColumn<QList<int>>("emptyNames");
        QTest::addColumn<QList<int>>("expectedNames");  // original indices of the names kept
        QTest::addColumn<QList<int>>("expectedValues"); // original indices of the values kept

        // Counters 45 to 49 have no text in the unit classes.
        const QList<int> shown = range(12, 29) + QList<int>{38} + range(50, 73);
        QTest::newRow("full list of 74") << 74 << 74 << range(45, 49) << shown << shown;
        QTest::newRow("twelve or fewer are all fixed")
            << 12 << 12 << QList<int>() << QList<int>() << QList<int>();
        // Values are removed only where the index exists, so only 0..11 go from the 20 values.
        QTest::newRow("fewer values than names")
            << 41 << 20 << QList<int>() << (range(12, 29) + QList<int>{38}) << range(12, 19);
        QTest::newRow("empty names at kept positions")
            << 20 << 20 << QList<int>{12, 15} << (QList<int>{13, 14} + range(16, 19))
            << (QList<int>{13, 14} + range(16, 19));
    }

    void filtersTheCounterList()
    {
        QFETCH(int, nNames);
        QFETCH(int, nValues);
        QFETCH(QList<int>, emptyNames);
        QFETCH(QList<int>, expectedNames);
        QFETCH(QList<int>, expectedValues);

        QStringList names;
        QList<quint32> values;
        makeCounters(nNames, nValues, emptyNames, names, values);
        CServiceTab tab;
        tab.onUpdateCounters(names, values);

        QStringList shownNames;
        QList<quint32> shownValues;
        tab.getContent(shownNames, shownValues);
        QStringList wantNames;
        for (int i : expectedNames)
            wantNames << QStringLiteral("Counter %1").arg(i);
        QList<quint32> wantValues;
        for (int i : expectedValues)
            wantValues << quint32(1000 + i);
        QCOMPARE(shownNames, wantNames);
        QCOMPARE(shownValues, wantValues);

        QTableWidget* pTable = table(tab);
        const int nRows = qMin(wantNames.size(), wantValues.size());
        QCOMPARE(pTable->rowCount(), nRows);
        for (int r = 0; r < nRows; ++r)
        {
            QCOMPARE(pTable->item(r, 0)->text(), wantNames[r]);
            QCOMPARE(pTable->item(r, 1)->text(), QString::number(1000 + expectedValues[r]));
            QCOMPARE(pTable->item(r, 1)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        }
    }

    void largeValuesAreShownUnsigned()
    {
        CServiceTab tab;
        QStringList names = QVector<QString>(13, QStringLiteral("x")).toList();
        names[12] = QStringLiteral("Filter operating hours");
        QList<quint32> values = QVector<quint32>(13, 0).toList();
        values[12] = 0xFFFFFFFFu;
        tab.onUpdateCounters(names, values);
        QCOMPARE(table(tab)->item(0, 1)->text(), QStringLiteral("4294967295"));
    }

    void anotherUnitClearsTheContent()
    {
        QStringList names;
        QList<quint32> values;
        makeCounters(20, 20, {}, names, values);
        CServiceTab tab;
        tab.onRozirarionStateChanged(STATE_OK, 4711, false);
        tab.onUpdateCounters(names, values);
        QCOMPARE(table(tab)->rowCount(), 8);

        // The same unit again, or any state but ok, keeps the rows.
        tab.onRozirarionStateChanged(STATE_OK, 4711, false);
        tab.onRozirarionStateChanged(STATE_NOT_ROZIRARED, 99, false);
        tab.onRozirarionStateChanged(STATE_COMMUNICATION_ERROR, 4711, true);
        QCOMPARE(table(tab)->rowCount(), 8);

        // Same serial number, other unit type: another unit.
        tab.onRozirarionStateChanged(STATE_OK, 4711, true);
        QCOMPARE(table(tab)->rowCount(), 0);
        QStringList shownNames;
        QList<quint32> shownValues;
        tab.getContent(shownNames, shownValues);
        QVERIFY(shownNames.isEmpty());
        QVERIFY(shownValues.isEmpty());

        tab.onUpdateCounters(names, values);
        tab.onRozirarionStateChanged(STATE_OK, 4712, true);
        QCOMPARE(table(tab)->rowCount(), 0);
    }

    void twoEmptyListsClearTheTable()
    {
        QStringList names;
        QList<quint32> values;
        makeCounters(74, 74, {}, names, values);
        CServiceTab tab;
        tab.onUpdateCounters(names, values);
        tab.onUpdateCounters({}, {});
        QCOMPARE(table(tab)->rowCount(), 0);
    }

    // Export asks for fresh counters but writes what is shown now; the answer comes later.
    void getContentRequestsAndReturnsThePreviousRows()
    {
        QStringList names;
        QList<quint32> values;
        makeCounters(14, 14, {}, names, values);
        CServiceTab tab;
        tab.onUpdateCounters(names, values);
        QSignalSpy requests(&tab, &CServiceTab::updateCounters);
        connect(
            &tab, &CServiceTab::updateCounters, &tab,
            [&] {
                tab.onUpdateCounters(QVector<QString>(20, QStringLiteral("later")).toList(),
                                     QList<quint32>());
            },
            Qt::QueuedConnection);

        QStringList shownNames;
        QList<quint32> shownValues;
        tab.getContent(shownNames, shownValues);
        QCOMPARE(requests.count(), 1);
        QCOMPARE(shownNames, (QStringList{QStringLiteral("Counter 12"), QStringLiteral("Counter 13")}));
        QCOMPARE(shownValues, (QList<quint32>{1012, 1013}));
    }
};

QTEST_MAIN(TestServiceTab)
#include "tst_servicetab.moc"
