#include "ModalAnswerer.h"
#include "SingleInstanceSituation.h"
#include "UpdaterStartup.h"
#include "WindowCloser.h"
#include "maindialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSharedMemory>
#include <QtTest>

// Start-up: single instance, options, translations and exit codes.
class TestUpdaterStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    // First: later runs of this process hold the key themselves.
    void singleInstanceCheck_data();
    void singleInstanceCheck();
    void options_data();
    void options();
    void germanTranslation();

private:
    struct SDialogSeen
    {
        bool found = false;
        bool debugButtons = false, debugEdit = false, deIce = false;
        QString burnText, closeText, serial;
    };
    // Runs the updater, notes what its dialog shows and closes it.
    int runAndClose(const QStringList& options, SDialogSeen& seen, CBoxAnswerer& answerer);
};

void TestUpdaterStartup::initTestCase()
{
    qunsetenv("TOLVANE_UNIT_PORT");
}

int TestUpdaterStartup::runAndClose(const QStringList& options, SDialogSeen& seen, CBoxAnswerer& answerer)
{
    const CWindowCloser<CMainDialog> closer(
        []() -> CMainDialog*
        {
            for (QWidget* pWidget : QApplication::topLevelWidgets())
                if (auto* pDialog = qobject_cast<CMainDialog*>(pWidget); pDialog && pDialog->isVisible())
                    return pDialog;
            return nullptr;
        },
        [&seen](CMainDialog& dialog)
        {
            seen.found = true;
            seen.debugButtons = dialog.findChild<QWidget*>("DebugButtons")->isVisibleTo(&dialog);
            seen.debugEdit = dialog.findChild<QWidget*>("DebugEdit")->isVisibleTo(&dialog);
            seen.deIce = dialog.findChild<QWidget*>("GroupDeIce")->isVisibleTo(&dialog);
            seen.burnText = dialog.findChild<QPushButton*>("ButtonBurn")->text();
            seen.closeText = dialog.findChild<QPushButton*>("ButtonClose")->text();
            seen.serial = dialog.findChild<QLineEdit*>("LineEditSerialNumber")->text();
        });
    Q_UNUSED(answerer) // it answers the start-up's boxes while it lives
    return CUpdaterStartup::run(QStringList{"Update-tolVane"} + options);
}

void TestUpdaterStartup::singleInstanceCheck_data()
{
    SingleInstanceSituation::addRows();
}

void TestUpdaterStartup::singleInstanceCheck()
{
    // A temporary folder that cannot be written was taken for another instance.
    QFETCH(QString, situation);
    QFETCH(bool, otherInstance);
    const SingleInstanceSituation::CSituation current(situation,
                                                      QLatin1String(CUpdaterStartup::SINGLE_INSTANCE_KEY));
    QVERIFY(current.isReady());
    CBoxAnswerer answerer;
    SDialogSeen seen;
    QCOMPARE(runAndClose({"-d", "stray"}, seen, answerer), -1);
    QVERIFY(!seen.found);
    // Before any option is read: no word about the stray argument.
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].title, QStringLiteral("Quorvanix Firmware Update"));
    QCOMPARE(
        answerer.seen[0].text,
        otherInstance
            ? QStringLiteral("An instance of Update-tolVane100 or tolVane-Vozudoz is already running.\nIt is "
                             "not possible to run more than one of those applications at the same time.")
            : QStringLiteral("The folder '%1' for the single-instance check cannot be written.")
                  .arg(current.folder()));
    QCOMPARE(answerer.seen[0].icon, QMessageBox::Warning);
}

void TestUpdaterStartup::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("shown"); // d: debug area, e: debug text only, o: de-icing group
    QTest::addColumn<QString>("burn");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("warning");

    const QString strUpdate = "&Update Firmware";
    const QString strUnrecognized =
        "The command line to start this application contains unrecognized parameters:\n%1\nThey are ignored.";
    QTest::newRow("none") << QStringList() << "" << strUpdate << ""
                          << "";
    QTest::newRow("-D") << QStringList{"-D"} << "d" << strUpdate << ""
                        << "";
    QTest::newRow("/d") << QStringList{"/d"} << "d" << strUpdate << ""
                        << "";
    QTest::newRow("--d") << QStringList{"--d"} << "" << strUpdate << "" << strUnrecognized.arg("--d ");
    QTest::newRow("-m") << QStringList{"-m"} << "e"
                        << "Install and test"
                        << ""
                        << "";
    QTest::newRow("/OWNER") << QStringList{"/OWNER"} << "o" << strUpdate << ""
                            << "";
    QTest::newRow("flags taken") << QStringList{"-fb", "-fa", "-fc", "-ec", "COM9"} << "" << strUpdate << ""
                                 << "";
    QTest::newRow("-sn 4711") << QStringList{"-sn", "4711"} << "" << strUpdate << "4711"
                              << "";
    QTest::newRow("-sn last") << QStringList{"-sn"} << "" << strUpdate << ""
                              << "";
    QTest::newRow("two stray words") << QStringList{"stray", "-d", "words"} << "d" << strUpdate << ""
                                     << strUnrecognized.arg("stray words ");
    QTest::newRow("-l without translation") << QStringList{"-l", "xx"} << "" << strUpdate << ""
                                            << "Unable to load translations for locale 'xx'.";
}

void TestUpdaterStartup::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, shown);
    QFETCH(QString, burn);
    QFETCH(QString, serial);
    QFETCH(QString, warning);

    CBoxAnswerer answerer;
    SDialogSeen seen;
    QCOMPARE(runAndClose(arguments, seen, answerer), 0);
    QVERIFY(seen.found);
    QCOMPARE(seen.debugButtons, shown.contains('d'));
    QCOMPARE(seen.debugEdit, shown.contains('d') || shown.contains('e'));
    QCOMPARE(seen.deIce, shown.contains('o'));
    QCOMPARE(seen.burnText, burn);
    QCOMPARE(seen.serial, serial);
    QCOMPARE(answerer.seen.size(), warning.isEmpty() ? 0 : 1);
    if (!warning.isEmpty())
    {
        QCOMPARE(answerer.seen[0].text, warning);
        QCOMPARE(answerer.seen[0].title, QStringLiteral("Quorvanix Firmware Update"));
    }
}

void TestUpdaterStartup::germanTranslation()
{
    CBoxAnswerer answerer;
    SDialogSeen seen;
    QCOMPARE(runAndClose({"-l", "de_AT"}, seen, answerer), 0);
    QCOMPARE(seen.burnText, QStringLiteral("Firmware &aktualisieren"));
    QCOMPARE(seen.closeText, QStringLiteral("Schließen"));
    QCOMPARE(answerer.seen.size(), 0);
    // English is the source language and loads as well.
    QCOMPARE(runAndClose({"-l", "en_GB"}, seen, answerer), 0);
    QCOMPARE(seen.burnText, QStringLiteral("&Update Firmware"));
    QCOMPARE(answerer.seen.size(), 0);
}

QTEST_MAIN(TestUpdaterStartup)
#include "tst_updaterstartup.moc"
