// unit-identify: opens the unit's port and prints what the unit says about itself.
// The port is argv[1], else the environment variable TOLVANE_UNIT_PORT.
#include "FanBase.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <cstdio>

namespace
{
// Identification works the same for both unit types; the type is known only afterwards.
class CUnit : public CFanBase
{
public:
    QString getDeviceTypeText() const override { return QStringLiteral("unit"); }
    int getUnitType() const override { return -1; }
};

QString version(int main, int sub)
{
    return QStringLiteral("%1.%2").arg(main).arg(sub, 2, 10, QLatin1Char('0'));
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false")); // the link's trace
    const QString port =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : qEnvironmentVariable("TOLVANE_UNIT_PORT");
    if (port.isEmpty())
    {
        std::fprintf(stderr, "usage: unit-identify PORT (or set TOLVANE_UNIT_PORT)\n");
        return 2;
    }

    CUnit unit;
    QObject::connect(&unit, &CFanBase::signalUserInfo,
                     [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text.trimmed())); });
    SHLP_IdentData ident;
    if (!unit.openComPort(port) || !unit.getIdentData(ident))
        return 1;

    std::printf("Serial number:        %u\n", ident.m_SerialNr);
    std::printf("Hardware version:     %u\n", ident.m_HWVersion);
    std::printf("Bootloader version:   %s\n", qPrintable(version(ident.m_BootMainVer, ident.m_BootSubVer)));
    std::printf("Application version:  %s\n", qPrintable(version(ident.m_AppMainVer, ident.m_AppSubVer)));
    std::printf("Unit type:            %s\n", ident.m_b70 ? "tolVane plus" : "tolVane100");
    return 0;
}
