// The stand-ins the stub uses in place of Windows services: message boxes (real dialogs here,
// answered by a helper, or scripted), binding the library by absolute path only, and the
// library's texts and variables as the stub reads them.

#include "SfxTarvek.h"
#include "WideText.h"
#include "platform/SfxLibrary.h"
#include "platform/SfxMessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <unistd.h>

using namespace sfx;

namespace
{

QString Q(const char16_t* text)
{
    return QString::fromUtf16(text);
}

struct SSeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    bool topmost = false;
};

// Answers the next modal box with `button` once it is shown, noting what it looked like.
void AnswerNextBox(QMessageBox::StandardButton button, SSeenBox& seen)
{
    QTimer::singleShot(0,
                       [button, &seen]
                       {
                           auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                           if (!box)
                           {
                               AnswerNextBox(button, seen);
                               return;
                           }
                           seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                                   box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)};
                           box->button(button)->click();
                       });
}

} // namespace

class TestSfxPlatform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qunsetenv("TOLVANE_MSGBOX_ANSWERS"); }

    void dialogBox_data()
    {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("yesNo");
        QTest::addColumn<bool>("topmost");
        QTest::newRow("question, yes") << (MB_ICONQUESTION | MB_YESNO) << int(QMessageBox::Yes) << IDYES
                                       << int(QMessageBox::Question) << true << false;
        QTest::newRow("question, no") << (MB_ICONQUESTION | MB_YESNO) << int(QMessageBox::No) << IDNO
                                      << int(QMessageBox::Question) << true << false;
        QTest::newRow("fatal error") << (MB_ICONERROR | MB_TOPMOST) << int(QMessageBox::Ok) << IDOK
                                     << int(QMessageBox::Critical) << false << true;
        QTest::newRow("information") << MB_ICONINFORMATION << int(QMessageBox::Ok) << IDOK
                                     << int(QMessageBox::Information) << false << false;
    }

    void dialogBox()
    {
        QFETCH(unsigned, flags);
        QFETCH(int, button);
        QFETCH(int, result);
        QFETCH(int, icon);
        QFETCH(bool, yesNo);
        QFETCH(bool, topmost);
        SSeenBox seen;
        AnswerNextBox(QMessageBox::StandardButton(button), seen);
        QCOMPARE(MessageBox(nullptr, u"Line one\r\nline two", u"Caption", flags), result);
        QCOMPARE(seen.title, QString("Caption"));
        QCOMPARE(seen.text, QString("Line one\r\nline two"));
        QCOMPARE(int(seen.icon), icon);
        QCOMPARE(seen.buttons,
                 yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(seen.topmost, topmost);
    }

    // Scripted answers are taken in order; once they run out, a box takes its safe default.
    void scriptedAnswers()
    {
        qputenv("TOLVANE_MSGBOX_ANSWERS", "no,yes");
        QCOMPARE(MessageBox(nullptr, u"first", u"t", MB_YESNO), IDNO);
        QCOMPARE(MessageBox(nullptr, u"second", u"t", MB_YESNO), IDYES);
        QCOMPARE(MessageBox(nullptr, u"third", u"t", MB_YESNO), IDNO);
        QCOMPARE(MessageBox(nullptr, u"fourth", u"t", MB_OK), IDOK);
        qunsetenv("TOLVANE_MSGBOX_ANSWERS");
    }

    // A library named without its folder is never searched for, not even in the current one.
    void libraryByAbsolutePathOnly()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(TARVEK_LIBRARY, dir.path() + "/tarvek.so"));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        CSfxLibrary library;
        QVERIFY(!library.load(u"tarvek.so"));
        QVERIFY(!library.load(u"./tarvek.so"));
        QVERIFY(QDir::setCurrent(previous));
        QVERIFY(library.load(W(dir.path() + "/tarvek.so")));
        QVERIFY(library.proc("PerformUninstall"));
    }

    void libraryTexts_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("german");
        QTest::newRow("variable") << "[%APPTITLE%]"
                                  << "[Pack]"
                                  << "[Pack]";
        QTest::newRow("names without case") << "%apptitle%"
                                            << "Pack"
                                            << "Pack";
        QTest::newRow("percent sign") << "100%% %APPTITLE%"
                                      << "100% Pack"
                                      << "100% Pack";
        QTest::newRow("unset variable") << "a%NOTSET%b"
                                        << "ab"
                                        << "ab";
        QTest::newRow("lone percent") << "50% off"
                                      << "50% off"
                                      << "50% off";
        QTest::newRow("language text") << "#Cancel"
                                       << "Cancel"
                                       << "Abbrechen";
        QTest::newRow("text with a variable")
            << "#UninstallPrompt"
            << "Do you want to remove Pack and all of its components?"
            << "Möchten Sie Pack und alle zugehörigen Komponenten entfernen?";
        QTest::newRow("unknown key") << "#NoSuchKey"
                                     << "#NoSuchKey"
                                     << "#NoSuchKey";
    }

    void libraryTexts()
    {
        QFETCH(QString, expression);
        QFETCH(QString, english);
        QFETCH(QString, german);
        CSfxTarvek tarvek;
        tarvek.setFolder(W(QFileInfo(TARVEK_LIBRARY).absolutePath() + "/"));
        QVERIFY(tarvek.bind());
        tarvek.SetVar(u"APPTITLE", u"Pack");
        tarvek.SetVar(u"XRSFXPATH", W(QString(TARVEK_DATA_DIR) + "/").c_str());
        for (const auto& [language, expected] :
             {std::pair{"C.UTF-8", english}, std::pair{"de_DE.UTF-8", german}})
        {
            qputenv("LC_ALL", language);
            tarvek.InitSFX(nullptr);
            QCOMPARE(Q(tarvek.EvalVar(W(expression).c_str())), expected);
        }
        qputenv("LC_ALL", "C.UTF-8");
    }

    // EvalVarBuf cuts to the buffer (in bytes) and always terminates.
    void libraryTextIntoABuffer()
    {
        CSfxTarvek tarvek;
        tarvek.setFolder(W(QFileInfo(TARVEK_LIBRARY).absolutePath() + "/"));
        QVERIFY(tarvek.bind());
        tarvek.SetVar(u"NAME", u"abcdefgh");
        char16_t buffer[8];
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        QCOMPARE(tarvek.EvalVarBuf(u"%NAME%", buffer, 10), 4);
        QCOMPARE(Q(buffer), QString("abcd"));
        QCOMPARE(buffer[5], u'#');
        QCOMPARE(tarvek.EvalVarBuf(u"%NAME%", buffer, int(sizeof buffer)), 7);
        QCOMPARE(Q(buffer), QString("abcdefg"));
    }
};

QTEST_MAIN(TestSfxPlatform)
#include "tst_sfxplatform.moc"
