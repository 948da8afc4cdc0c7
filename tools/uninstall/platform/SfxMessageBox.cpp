#include "SfxMessageBox.h"
#include "SfxUi.h"

#include <QAbstractButton>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

namespace sfx
{

namespace
{

QString ToQString(const WString& text)
{
    return QString::fromUtf16(text.data(), int(text.size()));
}

bool IsYesNo(unsigned flags)
{
    return (flags & 0xF) == MB_YESNO;
}

int DefaultAnswer(unsigned flags)
{
    return IsYesNo(flags) ? IDNO : IDOK;
}

const char* AnswerName(int answer)
{
    switch (answer)
    {
    case IDYES:
        return "yes";
    case IDNO:
        return "no";
    default:
        return "ok";
    }
}

// The next scripted answer, or 0 when no script is given.
int ScriptedAnswer(unsigned flags)
{
    static int next = 0;
    const char* script = std::getenv("TOLVANE_MSGBOX_ANSWERS");
    if (!script)
        return 0;
    const QStringList answers = QString::fromUtf8(script).split(',', Qt::SkipEmptyParts);
    if (next >= answers.size())
        return DefaultAnswer(flags);
    const QString answer = answers.at(next++).trimmed().toLower();
    if (IsYesNo(flags))
        return answer == "yes" ? IDYES : IDNO;
    return IDOK;
}

void LogBox(const WString& text, const WString& caption, unsigned flags, int answer)
{
    const char* logPath = std::getenv("TOLVANE_MSGBOX_LOG");
    if (!logPath)
        return;
    QFile log(QString::fromLocal8Bit(logPath));
    if (!log.open(QIODevice::Append))
        return;
    const QJsonObject record{{"caption", ToQString(caption)},
                             {"text", ToQString(text)},
                             {"flags", int(flags)},
                             {"answer", AnswerName(answer)}};
    log.write(QJsonDocument(record).toJson(QJsonDocument::Compact) + '\n');
}

int DialogBox(HWND, const WString& text, const WString& caption, unsigned flags, int scripted)
{
    QMessageBox box;
    box.setWindowTitle(ToQString(caption));
    box.setText(ToQString(text));
    switch (flags & 0xF0)
    {
    case MB_ICONERROR:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    if (flags & MB_TOPMOST)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (IsYesNo(flags))
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    else
        box.setStandardButtons(QMessageBox::Ok);
    if (scripted)
    {
        const QMessageBox::StandardButton button = scripted == IDYES  ? QMessageBox::Yes
                                                   : scripted == IDNO ? QMessageBox::No
                                                                      : QMessageBox::Ok;
        QTimer::singleShot(0, &box, [&box, button] { box.button(button)->click(); });
    }
    switch (box.exec())
    {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    default:
        return IsYesNo(flags) ? IDNO : IDOK;
    }
}

int ConsoleBox(const WString& text, const WString& caption, unsigned flags, int scripted)
{
    std::cout << ToUtf8Lossy(caption) << ": " << ToUtf8Lossy(text) << '\n';
    if (!IsYesNo(flags))
    {
        std::cout.flush();
        return IDOK;
    }
    std::cout << "[y/n] ";
    if (scripted)
    {
        std::cout << AnswerName(scripted) << std::endl;
        return scripted;
    }
    std::cout.flush();
    std::string line;
    while (std::getline(std::cin, line))
    {
        if (line == "y" || line == "Y" || line == "yes")
            return IDYES;
        if (line == "n" || line == "N" || line == "no")
            return IDNO;
        std::cout << "[y/n] " << std::flush;
    }
    return IDNO; // no one to ask: the safe answer
}

} // namespace

int MessageBox(HWND owner, const WString& text, const WString& caption, unsigned flags)
{
    const int scripted = ScriptedAnswer(flags);
    InitCommonControls();
    const int answer = HasGui() ? DialogBox(owner, text, caption, flags, scripted)
                                : ConsoleBox(text, caption, flags, scripted);
    LogBox(text, caption, flags, answer);
    return answer;
}

} // namespace sfx
