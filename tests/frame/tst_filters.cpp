#include "ComboDayFilter.h"
#include "ComboSerialNrFilter.h"
#include "ReadOnlyItemModel.h"
#include "TriStateIndicator.h"

#include <QAbstractItemView>
#include <QtTest>

// The day and serial-number selectors, the three-state indicator and the read-only model.
namespace
{
QList<QDate> items(const CComboDayFilter& combo)
{
    QList<QDate> out;
    for (int i = 0; i < combo.count(); ++i)
        out << combo.itemData(i, Qt::UserRole).toDate();
    return out;
}

QStringList texts(const QComboBox& combo)
{
    QStringList out;
    for (int i = 0; i < combo.count(); ++i)
        out << combo.itemText(i);
    return out;
}

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage();
}

QDate day(int d)
{
    return QDate(2024, 3, d);
}
} // namespace

class TestFilters : public QObject
{
    Q_OBJECT

private slots:
    void daysStayAscendingAndUnique_data();
    void daysStayAscendingAndUnique();
    void dayAnnouncements();
    void unitsAreOrderedPlusFirst();
    void reportingUnitKeepsItsPlace();
    void selectingAnnouncesTheUnit();
    void rebuildKeepsSelection_data();
    void rebuildKeepsSelection();
    void itemTexts_data();
    void itemTexts();
    void popupShowsWholeTexts();
    void indicatorColours_data();
    void indicatorColours();
    void readOnlyModel();
};

void TestFilters::daysStayAscendingAndUnique_data()
{
    QTest::addColumn<QList<int>>("added");
    QTest::newRow("ascending") << QList<int>{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("descending") << QList<int>{7, 6, 5, 4, 3, 2, 1};
    QTest::newRow("mixed with repeats") << QList<int>{4, 1, 7, 4, 2, 6, 1, 3, 5, 7, 5};
    QTest::newRow("middle first") << QList<int>{4, 2, 6, 1, 3, 5, 7, 2};
}

void TestFilters::daysStayAscendingAndUnique()
{
    QFETCH(QList<int>, added);
    CComboDayFilter combo;
    for (int d : added)
        combo.addDate(day(d));
    QList<QDate> expected;
    for (int d = 1; d <= 7; ++d)
        expected << day(d);
    QCOMPARE(items(combo), expected);
    // the first day added stays current
    QCOMPARE(combo.currentDate(), day(added.first()));
    QCOMPARE(combo.itemText(0), QLocale::system().toString(day(1), QLocale::ShortFormat));
}

void TestFilters::dayAnnouncements()
{
    CComboDayFilter combo;
    QSignalSpy spy(&combo, &CComboDayFilter::selectedDayChanged);
    combo.addDate(day(5));
    combo.addDate(day(9));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toDate(), day(5));

    QVERIFY(combo.selectDate(day(9)));
    QVERIFY(!combo.selectDate(day(8)));
    QCOMPARE(spy.count(), 2);

    combo.clear();
    QCOMPARE(spy.count(), 3);
    QVERIFY(spy.at(2).at(0).toDate().isNull());
    QVERIFY(combo.currentDate().isNull());

    // the day announced last is not announced again
    combo.addDate(day(9));
    QCOMPARE(spy.count(), 4);
    combo.clear();
    combo.blockSignals(true);
    combo.addDate(day(9));
    combo.blockSignals(false);
    QCOMPARE(spy.count(), 5);
    combo.onCurrentIndexChanged(0);
    combo.onCurrentIndexChanged(-1);
    QCOMPARE(spy.count(), 7);
}

void TestFilters::unitsAreOrderedPlusFirst()
{
    CComboSerialNrFilter combo;
    const QList<QPair<int, bool>> units = {{500, false}, {7, true},   {0, false}, {12, false},
                                           {3, true},    {900, true}, {12, false}};
    for (const auto& unit : units)
        combo.addSerialNr(unit.first, false, unit.second);
    QCOMPARE(texts(combo), QStringList({"tolVane plus: 3", "tolVane plus: 7", "tolVane plus: 900", " - ",
                                        "tolVane 100: 12", "tolVane 100: 500"}));
    QList<int> serials;
    for (int i = -1; i <= combo.count(); ++i)
        serials << combo.serialNrAt(i);
    QCOMPARE(serials, QList<int>({-1, 3, 7, 900, 0, 12, 500, -1}));
}

void TestFilters::reportingUnitKeepsItsPlace()
{
    CComboSerialNrFilter combo;
    combo.setSerialNrs({10, 20, 30}, {5});
    QVERIFY(combo.selectSerialNr(20, false));
    QSignalSpy spy(&combo, &CComboSerialNrFilter::serialNrChanged);

    combo.addSerialNr(20, true, false);
    combo.addSerialNr(30, true, false);
    QCOMPARE(texts(combo),
             QStringList({"tolVane plus: 5", "tolVane 100: 10", "tolVane 100: 20", "tolVane 100: 30"}));
    QCOMPARE(combo.currentIndex(), 2);
    QCOMPARE(spy.count(), 0);
    const QImage connected = iconImage(QIcon(":/Pixmaps/FanRozirared.png"));
    const QImage notConnected = iconImage(QIcon(":/Pixmaps/FanNotRozirared.png"));
    QVERIFY(!connected.isNull() && connected != notConnected);
    QCOMPARE(iconImage(combo.itemIcon(2)), connected);
    QCOMPARE(iconImage(combo.itemIcon(1)), notConnected);

    // a new unit that reports values is inserted in order; the selection stays
    combo.addSerialNr(15, true, false);
    QCOMPARE(combo.itemText(2), QString("tolVane 100: 15"));
    QCOMPARE(combo.getCurrentSerialNr(), 20);
    QCOMPARE(spy.count(), 0);
}

void TestFilters::selectingAnnouncesTheUnit()
{
    CComboSerialNrFilter combo;
    QVERIFY(!combo.selectSerialNr(1, false));
    combo.setSerialNrs({10, 20}, {5});
    QSignalSpy spy(&combo, &CComboSerialNrFilter::serialNrChanged);
    QVERIFY(!combo.selectSerialNr(5, false)); // a tolVane100 5 is not listed
    QVERIFY(combo.selectSerialNr(20, false));
    bool b70 = true;
    QCOMPARE(combo.getCurrentSerialNr(&b70), 20);
    QVERIFY(!b70);
    QVERIFY(spy.count() >= 1);
    for (const auto& args : spy)
        QCOMPARE(args, QList<QVariant>({20, false}));
    spy.clear();
    QVERIFY(combo.selectSerialNr(20, false)); // already current
    QCOMPARE(spy.count(), 0);
    QVERIFY(combo.selectSerialNr(5, true));
    QCOMPARE(spy.last(), QList<QVariant>({5, true}));
}

void TestFilters::rebuildKeepsSelection_data()
{
    QTest::addColumn<QList<quint32>>("list100");
    QTest::addColumn<QList<quint32>>("list70");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("current70");
    QTest::addColumn<int>("announced"); // serial number announced, -2 for none
    // selected before: tolVane100 20
    QTest::newRow("still listed") << QList<quint32>{10, 20, 30} << QList<quint32>{5} << 20 << false << -2;
    QTest::newRow("gone, plus first") << QList<quint32>{10} << QList<quint32>{4, 6} << 4 << true << -2;
    QTest::newRow("gone, no plus") << QList<quint32>{30, 40} << QList<quint32>{} << 30 << false << 30;
}

void TestFilters::rebuildKeepsSelection()
{
    QFETCH(QList<quint32>, list100);
    QFETCH(QList<quint32>, list70);
    QFETCH(int, current);
    QFETCH(bool, current70);
    QFETCH(int, announced);
    CComboSerialNrFilter combo;
    combo.setSerialNrs({10, 20}, {});
    QVERIFY(combo.selectSerialNr(20, false));
    QSignalSpy spy(&combo, &CComboSerialNrFilter::serialNrChanged);
    combo.setSerialNrs(list100, list70);
    bool b70 = false;
    QCOMPARE(combo.getCurrentSerialNr(&b70), qint64(current));
    QCOMPARE(b70, current70);
    QCOMPARE(spy.count(), announced == -2 ? 0 : 1);
    if (announced != -2)
        QCOMPARE(spy.at(0), QList<QVariant>({announced, false}));
    combo.setSerialNrs({}, {});
    QCOMPARE(combo.getCurrentSerialNr(), CComboSerialNrFilter::NO_SERIAL_NR);
}

void TestFilters::itemTexts_data()
{
    QTest::addColumn<quint32>("serial");
    QTest::addColumn<bool>("b70");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << 0u << false << " - ";
    QTest::newRow("none, plus") << 0u << true << " - ";
    QTest::newRow("tolVane100") << 4711u << false << "tolVane 100: 4711";
    QTest::newRow("plus") << 700123u << true << "tolVane plus: 700123";
    QTest::newRow("above the int range") << 2147483649u << false << "tolVane 100: 2147483649";
    QTest::newRow("unprogrammed") << 4294967295u << false << "tolVane 100: 4294967295";
}

void TestFilters::itemTexts()
{
    QFETCH(quint32, serial);
    QFETCH(bool, b70);
    QFETCH(QString, text);
    QCOMPARE(CComboSerialNrFilter::makeItemText(serial, b70), text);
    CComboSerialNrFilter combo;
    combo.addSerialNr(serial, false, b70);
    QCOMPARE(combo.serialNrAt(0), qint64(serial));
    QCOMPARE(combo.getCurrentSerialNr(), qint64(serial));
}

// Under the program's style sheet the pop-up must show the whole text, not "tolVane...0: 4711": the
// item looks the same when its pop-up is given more room.
void TestFilters::popupShowsWholeTexts()
{
    QFile styleFile(":/StyleSheet/StyleSheet.css");
    QVERIFY(styleFile.open(QIODevice::ReadOnly));
    const QFont font = qApp->font();
    const auto restore = qScopeGuard(
        [&font]
        {
            qApp->setStyleSheet(QString());
            qApp->setFont(font);
        });
    qApp->setStyleSheet(QString::fromUtf8(styleFile.readAll()));
    qApp->setFont(QFont("DejaVu Sans", 9)); // the desktop's size; the menu-entry margins do not scale
    CComboSerialNrFilter combo;
    combo.addSerialNr(4711, false, false);
    combo.show();
    QVERIFY(QTest::qWaitForWindowExposed(&combo));
    combo.showPopup();
    QWidget& viewport = *combo.view()->viewport();
    QTRY_VERIFY(viewport.isVisible());
    const QRect left(0, 0, viewport.width() - 8, viewport.height()); // the row's right edge may differ
    const QImage shown = viewport.grab(left).toImage();
    viewport.window()->resize(viewport.window()->width() + 400, viewport.window()->height());
    QTRY_COMPARE(viewport.width(), left.width() + 408);
    const QImage roomy = viewport.grab(left).toImage();
    combo.hidePopup();
    QVERIFY(shown == roomy);
}

void TestFilters::indicatorColours_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("colour");
    QTest::newRow("red") << 0 << "rgb( 224, 160, 160 )";
    QTest::newRow("grey") << 1 << "rgb( 160, 160, 160 )";
    QTest::newRow("green") << 2 << "rgb( 160, 224, 160 )";
    QTest::newRow("5 is green") << 5 << "rgb( 160, 224, 160 )";
}

void TestFilters::indicatorColours()
{
    QFETCH(int, state);
    QFETCH(QString, colour);
    CTriStateIndicator indicator;
    QCOMPARE(indicator.text(), QString());
    QVERIFY(indicator.styleSheet().contains("rgb( 160, 160, 160 )"));
    indicator.setState(CTriStateIndicator::EState(state), "ok");
    QCOMPARE(indicator.text(), QString("ok"));
    QCOMPARE(indicator.styleSheet().simplified(),
             QString("CTriStateIndicator { background-color: %1; text-align: center; margin-left: 6px; "
                     "margin-top: 2px; margin-bottom: 2px; border-width: 1px; border-radius: 3px; "
                     "border-style: solid; border-color: rgb(0, 0, 64); }")
                 .arg(colour));
}

void TestFilters::readOnlyModel()
{
    CReadOnlyItemModel model;
    model.appendRow(new QStandardItem("x"));
    model.appendRow(new QStandardItem("y"));
    for (const QModelIndex& index : {model.index(0, 0), model.index(1, 0)})
        QCOMPARE(model.flags(index), Qt::ItemFlags(Qt::ItemIsEnabled));
}

QTEST_MAIN(TestFilters)
#include "tst_filters.moc"
