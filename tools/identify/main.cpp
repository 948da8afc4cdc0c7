// unit-identify: opens the unit's port and prints what the unit says about itself and its
// current state. The port is argv[1], else the environment variable TOLVANE_UNIT_PORT.
#include "DataDict.h"
#include "Fan.h"
#include "Fan_70_PC.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <cstdio>

namespace
{
QString version(int main, int sub)
{
    return QStringLiteral("%1.%2").arg(main).arg(sub, 2, 10, QLatin1Char('0'));
}

// Every value of the record, one per line, named by its description or else by its key.
template <class TValues> void printValues(const TValues& values)
{
    const CDataDict* dict = CDataDict::instance();
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
    {
        const QVariant value = values.getValue(i);
        if (!value.isValid() || value.isNull())
            continue;
        QString name = dict->getText(i, CDataDict::COL_DESCRIPTION).trimmed();
        if (name.isEmpty())
            name = dict->getKey(i);
        const QString text =
            value.type() == QVariant::Double ? QString::number(value.toDouble(), 'f', 1) : value.toString();
        std::printf("  %-40s %s %s\n", qPrintable(name), qPrintable(text),
                    qPrintable(dict->getText(i, CDataDict::COL_UNIT)));
    }
}

template <class TUnit, class TEntry, class TValues> bool printCurrentState(TUnit& unit)
{
    TEntry entry;
    if (!unit.getCurrentState(entry))
        return false;
    std::printf("Current state:\n");
    printValues(TValues(entry));
    return true;
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

    // As the main program does: a tolVane100 object first, a plus object once the unit says so.
    // Until then the object speaks of itself as a tolVane100, so its messages are shown only
    // when the identification fails; after it the lines below tell what the unit is.
    CFan fan(false);
    auto report = [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text.trimmed())); };
    QStringList identMessages;
    const QMetaObject::Connection identConnection = QObject::connect(
        &fan, &CFanBase::signalUserInfo, [&identMessages](const QString& text) { identMessages << text; });
    SHLP_IdentData ident;
    if (!fan.openComPort(port) || !fan.getIdentData(ident))
    {
        for (const QString& text : identMessages)
            report(text);
        return 1;
    }
    QObject::disconnect(identConnection);
    QObject::connect(&fan, &CFanBase::signalUserInfo, report);

    std::printf("Serial number:        %u\n", ident.m_SerialNr);
    std::printf("Hardware version:     %u\n", ident.m_HWVersion);
    std::printf("Bootloader version:   %s\n", qPrintable(version(ident.m_BootMainVer, ident.m_BootSubVer)));
    std::printf("Application version:  %s\n", qPrintable(version(ident.m_AppMainVer, ident.m_AppSubVer)));
    std::printf("Unit type:            %s\n", ident.m_b70 ? "tolVane plus" : "tolVane100");

    if (!ident.m_b70)
        return printCurrentState<CFan, SPrimLogEntry, CFanValues>(fan) ? 0 : 1;
    CFan_70_PC plus;
    QObject::connect(&plus, &CFanBase::signalUserInfo, report);
    return printCurrentState<CFan_70_PC, SPrimLogEntry_70, CFanValues70>(plus) ? 0 : 1;
}
