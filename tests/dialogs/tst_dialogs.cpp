#include "AboutDialog.h"
#include "DeleteDlg.h"
#include "ModalAnswerer.h"
#include "PickDateDlg.h"
#include "SerialNrDlg.h"

#include <QCalendarWidget>
#include <QCommandLinkButton>
#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

namespace
{
// Runs the dialog and lets `act` work on it once it is shown modally.
template <class Dlg> int runWith(Dlg& dlg, std::function<void(Dlg&)> act)
{
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            if (pWidget != &dlg)
                return false;
            QTimer::singleShot(0, &dlg, [&] { act(dlg); });
            return true;
        });
    return dlg.exec();
}

template <class W> W* child(QWidget& parent, const char* name)
{
    W* pWidget = parent.findChild<W*>(QLatin1String(name));
    if (!pWidget)
        qFatal("missing child %s", name);
    return pWidget;
}
} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void deleteDlgTexts_data();
    void deleteDlgTexts();
    void deleteDlgResults_data();
    void deleteDlgResults();
    void serialNrDlgRefusesZero();
    void serialNrDlgOutcomes();
    void serialNrSpinBox();
    void pickDateDefaultsToToday();
    void aboutShowsVersionAndLogo();
};

void TestDialogs::deleteDlgTexts_data()
{
    QTest::addColumn<qint64>("serialNr");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("description");
    const QString noSnrText = "Delete data of the current selection.";
    const QString noSnrDesc = "All data which have no serial number, will be deleted.";
    const QString snrText = "Delete data for the selected serial number.";
    const QString snrDesc =
        "All data, which originate from the tolVane device with serial number %1 will be deleted.";
    QTest::newRow("no serial number") << qint64(0) << noSnrText << noSnrDesc;
    QTest::newRow("nothing selected") << qint64(-1) << noSnrText << noSnrDesc;
    QTest::newRow("serial 1") << qint64(1) << snrText << snrDesc.arg("1");
    QTest::newRow("serial 4711") << qint64(4711) << snrText << snrDesc.arg("4711");
    QTest::newRow("serial 2147483649") << qint64(2147483649) << snrText << snrDesc.arg("2147483649");
    // an unprogrammed unit is a unit, not "nothing selected"
    QTest::newRow("serial 4294967295") << qint64(4294967295) << snrText << snrDesc.arg("4294967295");
}

void TestDialogs::deleteDlgTexts()
{
    QFETCH(qint64, serialNr);
    QFETCH(QString, text);
    QFETCH(QString, description);
    CDeleteDlg dlg(nullptr, serialNr);
    auto* pSelected = child<QCommandLinkButton>(dlg, "m_pBtnDeleteSelected");
    QCOMPARE(pSelected->text(), text);
    QCOMPARE(pSelected->description(), description);
    QCOMPARE(dlg.windowTitle(), QString("Delete Log Data"));
    QCOMPARE(child<QLabel>(dlg, "m_pLabel")->text(), QString("Please select the desired option."));
    QCOMPARE(child<QCommandLinkButton>(dlg, "m_pBtnDeleteAll")->description(),
             QString("Deletes all stored data of tolVane-Vozudoz."));
    QVERIFY(child<QCommandLinkButton>(dlg, "m_pBtnCancel")->isDefault());
}

void TestDialogs::deleteDlgResults_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("selection") << "m_pBtnDeleteSelected" << 1;
    QTest::newRow("all") << "m_pBtnDeleteAll" << 100;
    QTest::newRow("cancel") << "m_pBtnCancel" << 0;
    QTest::newRow("escape") << QString() << 0;
}

void TestDialogs::deleteDlgResults()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    CDeleteDlg dlg(nullptr, 4711);
    const int nResult =
        runWith<CDeleteDlg>(dlg,
                            [&](CDeleteDlg& d)
                            {
                                if (button.isEmpty())
                                    QTest::keyClick(&d, Qt::Key_Escape);
                                else
                                    child<QCommandLinkButton>(d, button.toLatin1().constData())->click();
                            });
    QCOMPARE(nResult, result);
}

void TestDialogs::serialNrDlgRefusesZero()
{
    CSerialNrDlg dlg;
    CBoxAnswerer boxes;
    int nBoxesWhenAccepting = -1;
    const int nResult = runWith<CSerialNrDlg>(
        dlg,
        [&](CSerialNrDlg& d)
        {
            auto* pWith = child<QCommandLinkButton>(d, "m_pBtnWithSerialNr");
            pWith->click(); // spin box still at 0: refused, the box is answered and the dialog stays
            nBoxesWhenAccepting = boxes.seen.size();
            QVERIFY(d.isVisible());
            child<QSpinBox>(d, "m_pSpinSerialNr")->setValue(4711);
            pWith->click();
        });
    QCOMPARE(nResult, int(QDialog::Accepted));
    QCOMPARE(nBoxesWhenAccepting, 1);
    QCOMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Information);
    QCOMPARE(boxes.seen[0].text, QString("Please enter a valid serial number."));
    QCOMPARE(boxes.seen[0].title, QApplication::applicationName());
    QCOMPARE(dlg.getSerialNr(), 4711);
}

void TestDialogs::serialNrDlgOutcomes()
{
    {
        CSerialNrDlg dlg;
        const int nResult =
            runWith<CSerialNrDlg>(dlg,
                                  [](CSerialNrDlg& d)
                                  {
                                      child<QSpinBox>(d, "m_pSpinSerialNr")->setValue(55);
                                      child<QCommandLinkButton>(d, "m_pBtnNoSerialNr")->click();
                                  });
        QCOMPARE(nResult, int(QDialog::Accepted));
        QCOMPARE(dlg.getSerialNr(), 0);
    }
    {
        CSerialNrDlg dlg;
        const int nResult = runWith<CSerialNrDlg>(dlg, [](CSerialNrDlg& d)
                                                  { child<QCommandLinkButton>(d, "m_pBtnCancel")->click(); });
        QCOMPARE(nResult, int(QDialog::Rejected));
    }
}

void TestDialogs::serialNrSpinBox()
{
    CSerialNrDlg dlg;
    dlg.show();
    auto* pSpin = child<QSpinBox>(dlg, "m_pSpinSerialNr");
    QCOMPARE(pSpin->minimum(), 0);
    QCOMPARE(pSpin->maximum(), 1000000);
    QCOMPARE(pSpin->buttonSymbols(), QAbstractSpinBox::NoButtons);
    QCOMPARE(dlg.windowTitle(), QString("Import CSV file"));

    pSpin->setFocus();
    pSpin->selectAll();
    QTest::keyClicks(pSpin, "1234");
    QCOMPARE(pSpin->value(), 0); // no keyboard tracking: typing alone does not change the value
    QTest::keyClick(pSpin, Qt::Key_Return);
    QCOMPARE(pSpin->value(), 1234);

    pSpin->setValue(2000000);
    QCOMPARE(pSpin->value(), 1000000);
}

void TestDialogs::pickDateDefaultsToToday()
{
    CPickDateDlg dlg;
    const int nResult = runWith<CPickDateDlg>(
        dlg, [](CPickDateDlg& d)
        { child<QDialogButtonBox>(d, "buttonBox")->button(QDialogButtonBox::Ok)->click(); });
    QCOMPARE(nResult, int(QDialog::Accepted));
    QCOMPARE(dlg.selectedDate(), QDate::currentDate());
    QCOMPARE(child<QWidget>(dlg, "widget")->geometry(), QRect(0, 10, 348, 285));
    QVERIFY(dlg.windowTitle().isEmpty());

    CPickDateDlg picked;
    const QDate day(2024, 2, 29);
    runWith<CPickDateDlg>(picked,
                          [&](CPickDateDlg& d)
                          {
                              child<QCalendarWidget>(d, "calendarWidget")->setSelectedDate(day);
                              child<QDialogButtonBox>(d, "buttonBox")->button(QDialogButtonBox::Ok)->click();
                          });
    QCOMPARE(picked.selectedDate(), day);
}

void TestDialogs::aboutShowsVersionAndLogo()
{
    CAboutDialog dlg;
    QCOMPARE(dlg.windowTitle(), QString("About tolVane-Vozudoz"));
    const QString version = child<QLabel>(dlg, "labelVersion")->text();
    QVERIFY2(version.contains("tolVane-Vozudoz    2.12 <"), qPrintable(version));
    QVERIFY(!version.contains("%1"));
    QVERIFY(!child<QLabel>(dlg, "label_4")->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(!child<QLabel>(dlg, "label")->openExternalLinks());

    const int nResult = runWith<CAboutDialog>(
        dlg, [](CAboutDialog& d)
        { child<QDialogButtonBox>(d, "buttonBox")->button(QDialogButtonBox::Close)->click(); });
    QCOMPARE(nResult, int(QDialog::Rejected));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
