#include "AppSettings.h"
#include "CurvePicking.h"
#include "GraphicsTab.h"
#include "MainWindow.h"
#include "ModalAnswerer.h"
#include "SettingsCheck.h"
#include "SingleInstance.h"
#include "Startup.h"
#include "TsMessages.h"
#include "WindowCloser.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QSet>
#include <QSharedMemory>
#include <QTabWidget>
#include <QtTest>

#include <sys/stat.h>

// tolVane-Vozudoz started with "-l de": the window shows the German texts (Qt's own buttons too) and
// fits a screen of 1366 x 768 pixels with them, and none of its texts
// is an English source text left untranslated (a widget built before the translator was installed,
// a text set in another context than its translation's).
class TestGermanStart : public QObject
{
    Q_OBJECT

private slots:
    void windowSpeaksGerman();
    void boxesOfTheStartSpeakGerman();

private:
    static QSet<QString> windowTexts(QWidget* pWindow);
};

QSet<QString> TestGermanStart::windowTexts(QWidget* pWindow)
{
    QSet<QString> texts{pWindow->windowTitle()};
    for (QWidget* pWidget : pWindow->findChildren<QWidget*>())
    {
        texts << pWidget->toolTip();
        if (auto* pLabel = qobject_cast<QLabel*>(pWidget))
            texts << pLabel->text();
        else if (auto* pButton = qobject_cast<QAbstractButton*>(pWidget))
            texts << pButton->text();
        else if (auto* pGroup = qobject_cast<QGroupBox*>(pWidget))
            texts << pGroup->title();
        else if (auto* pTabs = qobject_cast<QTabWidget*>(pWidget))
            for (int i = 0; i < pTabs->count(); ++i)
                texts << pTabs->tabText(i) << pTabs->tabToolTip(i);
    }
    texts.remove(QString());
    return texts;
}

void TestGermanStart::windowSpeaksGerman()
{
    QSet<QString> shown;
    QStringList qtButtons;
    QSize minimum;
    QStringList cutNames;
    const CWindowCloser<CMainWindow> closer(
        &CMainWindow::getInstance,
        [&](CMainWindow& window)
        {
            shown = windowTexts(&window);
            QMessageBox box(QMessageBox::Question, QString(), QString(),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel |
                                QMessageBox::Close);
            for (QAbstractButton* pButton : box.buttons())
                qtButtons << pButton->text().remove('&');
            // The widest the tool row gets: with the retrieval's progress bar.
            window.findChild<QWidget*>("progressSecLog")->show();
            minimum = window.minimumSizeHint();
            // The diagrams tab in a window as large as such a screen leaves it.
            window.showNormal();
            window.resize(1366, 740);
            auto* pDiagrams = window.findChild<CGraphicsTab*>();
            auto* pTabs = window.findChild<QTabWidget*>("tabWidget");
            for (int i = 0; i < pTabs->count(); ++i)
                if (pTabs->widget(i)->isAncestorOf(pDiagrams))
                    pTabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            cutNames = cutDescriptions(pDiagrams->findChild<CGraphicsCurvePicker*>());
        });
    CBoxAnswerer answerer; // a failed translation load would say so in a box
    QCOMPARE(runVozudoz(*qApp), 0);
    QCOMPARE(answerer.seen.size(), 0);
    QVERIFY(!shown.isEmpty());

    // Qt's own buttons speak German too.
    qtButtons.sort();
    QCOMPARE(qtButtons, QStringList({"Abbrechen", "Ja", "Nein", "OK", "Schließen"}));
    // The window fits a screen of 1366 x 768 pixels with its German texts.
    QVERIFY2(minimum.width() <= 1366 && minimum.height() <= 700,
             qPrintable(QString("%1 x %2").arg(minimum.width()).arg(minimum.height())));

    QVERIFY2(cutNames.isEmpty(), qPrintable(cutNames.join("\n")));

    // Frame, views and the diagrams' form.
    for (const char* pGerman :
         {"Verbindung:", "Übersicht", "Diagramme", "Angezeigte Werte", "Diagramm speichern..."})
        QVERIFY2(shown.contains(QString::fromUtf8(pGerman)), pGerman);

    QSet<QString> english, german;
    for (const char* pTs :
         {"/rozirar/translations/Quorvanix-rozirar_de.ts", "/Common/translations/common_de.ts"})
    {
        QString strError;
        for (const SMessage& m : currentMessages(QStringLiteral(TS_ROOT) + pTs, strError))
        {
            english << m.source;
            german << m.translation;
        }
        QVERIFY2(strError.isEmpty(), qPrintable(strError));
    }
    QStringList left;
    for (const QString& strText : shown)
        if (english.contains(strText) && !german.contains(strText))
            left << strText;
    QVERIFY2(left.isEmpty(), qPrintable(left.join('\n')));
}

void TestGermanStart::boxesOfTheStartSpeakGerman()
{
    // The settings box came before the chosen language was installed: English on a system whose
    // locale is C, while the boxes after it were German.
    QCOMPARE(QLocale::system().language(), QLocale::C);
    nameVozudoz();
    const QString own = CAppSettings::ownPath();
    QVERIFY(QDir().mkpath(QFileInfo(own).path()));
    QCOMPARE(::mkfifo(QFile::encodeName(own).constData(), 0600), 0);
    CSettingsCheck check;
    check.run();
    QSharedMemory other("Quorvanix-prevent-multiple-instances"); // ends the start after its boxes
    QVERIFY(acquireSingleInstance(other) == ESingleInstance::HELD);
    CBoxAnswerer answerer;
    const int nExit = runVozudoz(*qApp, check);
    QFile::remove(own);
    CAppSettings::setSources(CAppSettings::ALL_FILES);
    QLocale::setDefault(QLocale::system());

    QCOMPARE(nExit, -1);
    QCOMPARE(answerer.seen.size(), 2);
    QCOMPARE(
        answerer.seen[0].text,
        QString::fromUtf8("Die Einstellungsdatei '%1' ist keine gewöhnliche Datei.\n\nBei diesem Start wird "
                          "keine Einstellungsdatei gelesen: Es gelten die Standardeinstellungen, und jetzt "
                          "geänderte Einstellungen werden nicht gespeichert.")
            .arg(own));
    QCOMPARE(answerer.seen[1].text,
             QString::fromUtf8("Update-tolVane oder tolVane-Vozudoz läuft bereits.\nEs kann "
                               "immer nur eines dieser Programme laufen."));
}

// The options reach the program through the application's arguments; QtTest keeps its own.
int main(int argc, char** argv)
{
    int nAppArgc = 3;
    char strLocaleOption[] = "-l";
    char strLocale[] = "de";
    char* appArgv[] = {argv[0], strLocaleOption, strLocale, nullptr};
    QApplication app(nAppArgc, appArgv);
    TestGermanStart test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_germanstart.moc"
