// tolvane-unitsim: a simulated unit on a pseudo-terminal. Prints the port path as the first
// line of its output, then serves until it is killed or its standard input closes.
#include "SimUnit.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <unistd.h>

using namespace unitsim;

namespace
{
// "2.05" -> main 2, sub 5
bool parseVersion(const QString& text, quint8& main, quint8& sub)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    bool okMain = false, okSub = false;
    const uint m = parts.value(0).toUInt(&okMain);
    const uint s = parts.value(1).toUInt(&okSub);
    if (parts.size() != 2 || !okMain || !okSub || m > 255 || s > 255)
        return false;
    main = quint8(m);
    sub = quint8(s);
    return true;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "tolvane-unitsim: %s\n", qPrintable(message));
    return 2;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tolvane-unitsim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A simulated tolVane unit on a pseudo-terminal. "
                                                    "Prints the port path, then serves until stdin closes."));
    parser.addHelpOption();
    const QCommandLineOption type({QStringLiteral("t"), QStringLiteral("type")},
                                  QStringLiteral("Unit type: tolVane100 or plus (default plus)."),
                                  QStringLiteral("type"), QStringLiteral("plus"));
    const QCommandLineOption serial({QStringLiteral("s"), QStringLiteral("serial")},
                                    QStringLiteral("Serial number."), QStringLiteral("number"));
    const QCommandLineOption hw(QStringLiteral("hw"), QStringLiteral("Hardware version (a plain number)."),
                                QStringLiteral("n"));
    const QCommandLineOption boot(QStringLiteral("boot"), QStringLiteral("Bootloader version, e.g. 1.02."),
                                  QStringLiteral("main.sub"));
    const QCommandLineOption appVersion(
        QStringLiteral("app"), QStringLiteral("Application version, e.g. 2.05."), QStringLiteral("main.sub"));
    const QCommandLineOption third(QStringLiteral("third"),
                                   QStringLiteral("Third version (main 0-31, sub 0-127), e.g. 1.03."),
                                   QStringLiteral("main.sub"));
    const QCommandLineOption bootloader(QStringLiteral("in-bootloader"),
                                        QStringLiteral("Start with the application not running."));
    parser.addOptions({type, serial, hw, boot, appVersion, third, bootloader});
    parser.process(app);

    EUnitType unitType;
    const QString typeName = parser.value(type).toLower();
    if (typeName == QLatin1String("plus"))
        unitType = EUnitType::TolVanePlus;
    else if (typeName == QLatin1String("tolvane100") || typeName == QLatin1String("100"))
        unitType = EUnitType::TolVane100;
    else
        return fail(QStringLiteral("unknown unit type '%1' (tolVane100 or plus)").arg(parser.value(type)));

    quint32 serialNumber = 0;
    if (parser.isSet(serial))
    {
        bool ok = false;
        serialNumber = parser.value(serial).toUInt(&ok);
        if (!ok || serialNumber == 0)
            return fail(QStringLiteral("bad serial number '%1'").arg(parser.value(serial)));
    }
    SSimUnitModel model = SSimUnitModel::make(unitType, serialNumber);
    if (parser.isSet(hw))
    {
        bool ok = false;
        const uint v = parser.value(hw).toUInt(&ok);
        if (!ok || v > 255)
            return fail(QStringLiteral("bad hardware version '%1'").arg(parser.value(hw)));
        model.ident.hwVersion = quint8(v);
    }
    const struct
    {
        const QCommandLineOption& option;
        quint8& main;
        quint8& sub;
    } versions[] = {{boot, model.ident.bootMain, model.ident.bootSub},
                    {appVersion, model.ident.appMain, model.ident.appSub},
                    {third, model.ident.thirdMain, model.ident.thirdSub}};
    for (const auto& v : versions)
        if (parser.isSet(v.option) && !parseVersion(parser.value(v.option), v.main, v.sub))
            return fail(QStringLiteral("bad version '%1' (main.sub)").arg(parser.value(v.option)));
    if (model.ident.thirdMain > 31 || model.ident.thirdSub > 127)
        return fail(QStringLiteral("the third version has main 0-31 and sub 0-127"));
    if (parser.isSet(bootloader))
        model.ident.runningPart = 1;

    CSimUnit unit(model);
    if (!unit.start())
        return fail(QStringLiteral("no pseudo-terminal available"));
    std::printf("%s\n", qPrintable(unit.portName()));
    std::fflush(stdout);

    char buffer[256];
    while (::read(STDIN_FILENO, buffer, sizeof buffer) > 0)
    {
    }
    unit.stop();
    return 0;
}
