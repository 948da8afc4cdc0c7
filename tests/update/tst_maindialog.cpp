#include "ModalAnswerer.h"
#include "maindialog.h"
#include "ui_maindialog.h"

#include <QScreen>
#include <QStyleOptionFrame>
#include <QTranslator>
#include <QtTest>

// The updater's translations are a resource of a static library: registered from here by name.
static void initUpdateTranslations()
{
    Q_INIT_RESOURCE(update_translations);
}

// The update dialog without a unit: its form, options and the ten states.
class TestMainDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsIdleWithShippedVersions();
    void states_data();
    void states();
    void statesOfInstallModeAndPlainOptions();
    void closeIsRefusedWhileUpdating();
    void serialNumberEditEnablesTheButton();
    void optionsShapeTheWindow_data();
    void optionsShapeTheWindow();
    void automaticWideWindowStaysOnTheScreen();
    void fieldsShowTheirWholeText_data();
    void fieldsShowTheirWholeText();
    void deIcingWithoutSupportIsUndone();
};

namespace
{
struct SOptions
{
    bool install = false, owner = false, automatic = false, debug = false;
    QString serial;
};

std::unique_ptr<CMainDialog> makeDialog(const SOptions& o = SOptions())
{
    return std::make_unique<CMainDialog>(o.install, false, false, false, o.owner, o.automatic, QString(),
                                         o.serial, o.debug, QString());
}

// The form's widgets, found by their object names as the panels and auto-connection find them.
Ui_CMainDialog form(CMainDialog& dialog)
{
    Ui_CMainDialog ui{};
    ui.LineEditSerialNumber = dialog.findChild<QLineEdit*>("LineEditSerialNumber");
    ui.LineEditApplicationVersion = dialog.findChild<QLineEdit*>("LineEditApplicationVersion");
    ui.LineEditBootloaderVersion = dialog.findChild<QLineEdit*>("LineEditBootloaderVersion");
    ui.LineEditWiFiVersion = dialog.findChild<QLineEdit*>("LineEditWiFiVersion");
    ui.LineEditBoardVersion = dialog.findChild<QLineEdit*>("LineEditBoardVersion");
    ui.LineEditApplicationVersionNew = dialog.findChild<QLineEdit*>("LineEditApplicationVersionNew");
    ui.LineEditBootloaderVersionNew = dialog.findChild<QLineEdit*>("LineEditBootloaderVersionNew");
    ui.LineEditWiFiVersionNew = dialog.findChild<QLineEdit*>("LineEditWiFiVersionNew");
    ui.LabelWifiVersionNew = dialog.findChild<QLabel*>("LabelWifiVersionNew");
    ui.LabelMain = dialog.findChild<QLabel*>("LabelMain");
    ui.LabelUpdating = dialog.findChild<QLabel*>("LabelUpdating");
    ui.LabelTitle = dialog.findChild<QLabel*>("LabelTitle");
    ui.ProgressBar = dialog.findChild<QProgressBar*>("ProgressBar");
    ui.ButtonBurn = dialog.findChild<QPushButton*>("ButtonBurn");
    ui.ButtonClose = dialog.findChild<QPushButton*>("ButtonClose");
    ui.ButtonDeIce = dialog.findChild<QCheckBox*>("ButtonDeIce");
    ui.GroupDeIce = dialog.findChild<QGroupBox*>("GroupDeIce");
    ui.DebugEdit = dialog.findChild<QTextEdit*>("DebugEdit");
    ui.DebugButtons = dialog.findChild<QWidget*>("DebugButtons");
    return ui;
}
} // namespace

void TestMainDialog::initTestCase()
{
    // No unit: the enumerator must not find one in the environment.
    qunsetenv("TOLVANE_UNIT_PORT");
}

void TestMainDialog::startsIdleWithShippedVersions()
{
    auto pDialog = makeDialog();
    const Ui_CMainDialog ui = form(*pDialog);
    QCOMPARE(pDialog->windowTitle(), QStringLiteral("Quorvanix Update"));
    QVERIFY(ui.LabelTitle->text().contains(QStringLiteral("Update-tolVane-2.12 <")));
    QCOMPARE(ui.LineEditBootloaderVersionNew->text(), QStringLiteral("2.12"));
    QCOMPARE(ui.LineEditApplicationVersionNew->text(), QStringLiteral("2.12"));
    QCOMPARE(ui.LineEditWiFiVersionNew->text(), QStringLiteral("3.11"));
    QVERIFY(ui.LineEditWiFiVersionNew->isHidden());
    QVERIFY(ui.LabelWifiVersionNew->isHidden());
    QCOMPARE(ui.LabelMain->text(),
             QStringLiteral("Please connect your tolVane device \nvia the USB cable\n\n."));
    QVERIFY(!ui.ButtonBurn->isEnabled());
    QVERIFY(ui.ButtonClose->isEnabled());
    QCOMPARE(pDialog->runningImage(), RUNNING_NONE);
    QVERIFY(!(pDialog->windowFlags() & Qt::WindowContextHelpButtonHint));
}

void TestMainDialog::states_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("burn");
    QTest::addColumn<bool>("close");
    QTest::addColumn<int>("progress"); // -1: hidden
    QTest::addColumn<bool>("warning");
    QTest::addColumn<bool>("serialEditable");
    QTest::addColumn<bool>("deIce");
    QTest::addColumn<QString>("text"); // empty: unchanged

    QTest::newRow("0 idle") << 0 << false << true << -1 << false << false << false << "";
    QTest::newRow("1 ready")
        << 1 << true << true << -1 << false << false << true
        << "Your tolVane100 is ready to receive updates!\nClick 'Update Firmware' to continue.";
    QTest::newRow("2 up to date") << 2 << false << true << -1 << false << false << true
                                  << "Your tolVane100 is up-to-date.";
    QTest::newRow("3 updating") << 3 << false << false << 0 << true << false << false
                                << "Updating Firmware of your tolVane100...";
    QTest::newRow("4 success") << 4 << false << true << 100 << false << false << false
                               << "Your tolVane100 was successfully updated!\nPlease disconntect the USB "
                                  "cable and switch the tolVane100 "
                                  "off.\nWAIT until ALL LEDs are off, only then switch on again.";
    QTest::newRow("5 enter serial") << 5 << false << true << -1 << false << true << false
                                    << "Enter serial number of tolVane100. ";
    QTest::newRow("6 serial written")
        << 6 << false << true << -1 << false << false << false << "Serial number successfully written.";
    QTest::newRow("7 application running") << 7 << false << true << -1 << false << false << true
                                           << "Your tolVane100 is running the application.\nTo update it, "
                                              "switch it off and wait until all LEDs are "
                                              "off.\nThen switch it on again.";
    QTest::newRow("8 not updatable") << 8 << false << true << -1 << false << false << false
                                     << "This device can't be updated.\n";
    QTest::newRow("9 reboot wait")
        << 9 << false << false << -1 << false << false << false
        << "Please REBOOT tolVane100. \n Wait until all LEDs are off before switching on "
           "again.\n Do not disconnect the cable. Do not close this application.";
    QTest::newRow("out of range acts as 0") << 12 << false << true << -1 << false << false << false << "";
}

void TestMainDialog::states()
{
    QFETCH(int, state);
    QFETCH(bool, burn);
    QFETCH(bool, close);
    QFETCH(int, progress);
    QFETCH(bool, warning);
    QFETCH(bool, serialEditable);
    QFETCH(bool, deIce);
    QFETCH(QString, text);

    auto pDialog = makeDialog();
    const Ui_CMainDialog ui = form(*pDialog);
    ui.LineEditApplicationVersion->setText("1.00");
    ui.LineEditBoardVersion->setText("7");
    ui.LineEditSerialNumber->setText("4711");
    ui.ButtonDeIce->setChecked(true);
    ui.LabelMain->setText("before");
    pDialog->setState(state);

    QCOMPARE(ui.ButtonBurn->isEnabled(), burn);
    QCOMPARE(ui.ButtonClose->isEnabled(), close);
    QCOMPARE(ui.ProgressBar->isVisibleTo(pDialog.get()), progress >= 0);
    if (progress >= 0)
        QCOMPARE(ui.ProgressBar->value(), progress);
    QCOMPARE(ui.LabelUpdating->text().contains("Do not disconnect or power off!"), warning);
    QCOMPARE(!ui.LineEditSerialNumber->isReadOnly(), serialEditable);
    QCOMPARE(ui.ButtonDeIce->isEnabled(), deIce);
    QCOMPARE(ui.LabelMain->text(), text.isEmpty() ? QStringLiteral("before") : text);
    const bool bIdle = state == 0 || state > 9;
    // Idle forgets the unit's versions and the de-icing, but not the board version.
    QCOMPARE(ui.LineEditApplicationVersion->text().isEmpty(), bIdle);
    QCOMPARE(ui.LineEditSerialNumber->text().isEmpty(), bIdle);
    QCOMPARE(ui.ButtonDeIce->isChecked(), !bIdle);
    QCOMPARE(ui.LineEditBoardVersion->text(), QStringLiteral("7"));
}

void TestMainDialog::statesOfInstallModeAndPlainOptions()
{
    SOptions options;
    options.install = true;
    options.serial = "815";
    auto pDialog = makeDialog(options);
    const Ui_CMainDialog ui = form(*pDialog);
    QCOMPARE(ui.ButtonBurn->text(), QStringLiteral("Install and test"));
    pDialog->setState(ST_READY);
    QCOMPARE(ui.LabelMain->text(),
             QStringLiteral(
                 "Your tolVane100 is ready to receive updates!\nClick 'Install and test' to continue."));
    // A given serial number survives the idle state.
    pDialog->setState(ST_IDLE);
    QCOMPARE(ui.LineEditSerialNumber->text(), QStringLiteral("815"));
}

void TestMainDialog::closeIsRefusedWhileUpdating()
{
    auto pDialog = makeDialog();
    pDialog->show();
    for (int state : {ST_UPDATING, ST_REBOOT_WAIT})
    {
        pDialog->setState(state);
        QTest::keyClick(pDialog.get(), Qt::Key_Escape);
        QVERIFY(pDialog->isVisible());
        pDialog->close();
        QVERIFY(pDialog->isVisible());
    }
    pDialog->setState(ST_UP_TO_DATE);
    QTest::keyClick(pDialog.get(), Qt::Key_Escape);
    QVERIFY(!pDialog->isVisible());
    QCOMPARE(pDialog->result(), int(QDialog::Rejected));
}

void TestMainDialog::serialNumberEditEnablesTheButton()
{
    auto pDialog = makeDialog();
    const Ui_CMainDialog ui = form(*pDialog);
    pDialog->setState(ST_ENTER_SERIAL);
    QTest::keyClicks(ui.LineEditSerialNumber, "0");
    QVERIFY(!ui.ButtonBurn->isEnabled());
    QCOMPARE(ui.LabelMain->text(), QStringLiteral("Enter serial number of tolVane100. "));
    ui.LineEditSerialNumber->clear();
    QTest::keyClicks(ui.LineEditSerialNumber, "12345");
    QVERIFY(ui.ButtonBurn->isEnabled());
    QCOMPARE(ui.LabelMain->text(),
             QStringLiteral(
                 "Your tolVane device is ready to receive updates!\nClick 'Update Firmware' to continue."));
    // Seven digits are more than a serial number has.
    QTest::keyClicks(ui.LineEditSerialNumber, "67");
    QCOMPARE(ui.LineEditSerialNumber->text(), QStringLiteral("123456"));
}

void TestMainDialog::optionsShapeTheWindow_data()
{
    QTest::addColumn<bool>("install");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<bool>("owner");

    QTest::newRow("plain") << false << false << false;
    QTest::newRow("install") << true << false << false;
    QTest::newRow("debug") << false << true << false;
    QTest::newRow("owner") << false << false << true;
}

// Option ap places the window at the top right; with d it is wide and must not hang off the left.
void TestMainDialog::automaticWideWindowStaysOnTheScreen()
{
    SOptions options;
    options.automatic = true;
    options.debug = true;
    auto pDialog = makeDialog(options);
    pDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(pDialog.get()));
    // The window may be larger than the small test screen; its top left corner is on it always.
    const QRect available = pDialog->screen()->availableGeometry();
    const QRect frame = pDialog->frameGeometry();
    QVERIFY2(frame.left() >= available.left() && frame.top() >= available.top(),
             qPrintable(QStringLiteral("at %1,%2").arg(frame.left()).arg(frame.top())));
    QVERIFY(frame.width() > available.width() || frame.right() <= available.right());
}

void TestMainDialog::optionsShapeTheWindow()
{
    QFETCH(bool, install);
    QFETCH(bool, debug);
    QFETCH(bool, owner);

    SOptions options;
    options.install = install;
    options.debug = debug;
    options.owner = owner;
    auto pDialog = makeDialog(options);
    const Ui_CMainDialog ui = form(*pDialog);
    QCOMPARE(ui.DebugEdit->isVisibleTo(pDialog.get()), install || debug);
    QVERIFY(ui.DebugEdit->isReadOnly());
    QCOMPARE(ui.DebugButtons->isVisibleTo(pDialog.get()), debug);
    QCOMPARE(ui.GroupDeIce->isVisibleTo(pDialog.get()), owner);
    if (!install && !debug)
    {
        QCOMPARE(pDialog->size(), QSize(470, 400));
        return;
    }

    // Beside the debug box the version fields keep room for their texts.
    pDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(pDialog.get()));
    for (QLineEdit* pEdit :
         {ui.LineEditSerialNumber, ui.LineEditBootloaderVersion, ui.LineEditApplicationVersionNew})
        QVERIFY2(pEdit->width() > pEdit->fontMetrics().horizontalAdvance(QLatin1String("9999999")),
                 qPrintable(pEdit->objectName()));
}

void TestMainDialog::deIcingWithoutSupportIsUndone()
{
    SOptions options;
    options.owner = true;
    auto pDialog = makeDialog(options);
    const Ui_CMainDialog ui = form(*pDialog);
    pDialog->show();
    pDialog->setState(ST_UP_TO_DATE);
    CBoxAnswerer answerer;
    ui.ButtonDeIce->click();
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].title, QStringLiteral("Update of the Firmware Required"));
    QCOMPARE(
        answerer.seen[0].text,
        QStringLiteral("The firmware of the tolVane100 needs to be updated for the deicing functionality"));
    QVERIFY(!ui.ButtonDeIce->isChecked());
}

// Every field of the window of its usual size shows its whole text, with the longer labels of
// the translations too: the longest number a unit can be given, and versions as an
// identification and the shipped images give them.
void TestMainDialog::fieldsShowTheirWholeText_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QString();
    QTest::newRow("German") << QStringLiteral("de");
}

void TestMainDialog::fieldsShowTheirWholeText()
{
    QFETCH(QString, language);
    initUpdateTranslations();
    QTranslator translator;
    if (!language.isEmpty())
        QVERIFY(translator.load(QStringLiteral("Quorvanix-update_") + language,
                                QStringLiteral(":/translations")));
    QCoreApplication::installTranslator(&translator);
    SOptions options;
    options.serial = QStringLiteral("999999");
    auto pDialog = makeDialog(options);
    QCoreApplication::removeTranslator(&translator);
    pDialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(pDialog.get()));

    const Ui_CMainDialog ui = form(*pDialog);
    QCOMPARE(ui.LineEditSerialNumber->text(), QStringLiteral("999999"));
    QCOMPARE(ui.LineEditApplicationVersionNew->text(), QStringLiteral("2.12"));
    ui.LineEditBoardVersion->setText(QStringLiteral("12"));
    ui.LineEditBootloaderVersion->setText(QStringLiteral("2.12.CX"));
    ui.LineEditApplicationVersion->setText(QStringLiteral("2.12"));
    ui.LineEditWiFiVersion->setText(QStringLiteral("2.12"));
    QStringList cut; // the fields that do not show their whole text
    for (QLineEdit* pEdit : pDialog->findChildren<QLineEdit*>())
    {
        if (!pEdit->isVisible())
            continue;
        QStyleOptionFrame frame;
        frame.initFrom(pEdit);
        frame.lineWidth = pEdit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, pEdit);
        const QRect text = pEdit->style()->subElementRect(QStyle::SE_LineEditContents, &frame, pEdit);
        const int nMargin = 2; // the line edit's own margin on each side of its text
        // The line edit uses a pixel beside its text; with less it scrolls the text.
        const int nNeeded = pEdit->fontMetrics().horizontalAdvance(pEdit->text()) + 1;
        if (text.width() - 2 * nMargin < nNeeded)
            cut << QStringLiteral("%1: %2 px for %3 px of '%4'")
                       .arg(pEdit->objectName())
                       .arg(text.width() - 2 * nMargin)
                       .arg(nNeeded)
                       .arg(pEdit->text());
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestMainDialog)
#include "tst_maindialog.moc"
