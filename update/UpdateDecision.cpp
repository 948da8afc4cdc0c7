#include "UpdateDecision.h"

namespace
{
// Versions of note on the unit.
constexpr int APP_NEEDING_WIFI_BRIDGE = 201;
constexpr int APP_NEEDING_BOOTLOADER = 103;
constexpr int FIRST_DEICE_VERSION = 120;
} // namespace

QString SVersion::text() const
{
    return QStringLiteral("%1.%2").arg(main).arg(sub, 2, 10, QLatin1Char('0'));
}

SVersion CUpdateDecision::bootloaderVersion(const SHLP_IdentData& ident)
{
    return {ident.m_BootMainVer, ident.m_BootSubVer};
}

SVersion CUpdateDecision::applicationVersion(const SHLP_IdentData& ident)
{
    return {ident.m_AppMainVer, ident.m_AppSubVer};
}

SVersion CUpdateDecision::wifiVersion(const SHLP_IdentData& ident)
{
    return {ident.m_WifiMainVer, ident.m_WifiSubVer};
}

QString CUpdateDecision::bootloaderText(const SHLP_IdentData& ident)
{
    static const char* const s_Letters[] = {"-", "A", "B", "C"};
    const char* pLetter = ident.m_RunningPart < 4 ? s_Letters[ident.m_RunningPart] : "-";
    return QStringLiteral("%1.%2%3").arg(bootloaderVersion(ident).text(), QLatin1String(pLetter),
                                         ident.m_Flags ? QStringLiteral("X") : QString());
}

SUpdateNeeds CUpdateDecision::decide(const SHLP_IdentData& ident, const SShipped& shipped,
                                     bool bForceBootloader, bool bForceApplication)
{
    SUpdateNeeds needs;
    const int nBoot = bootloaderVersion(ident).value();
    const int nApp = applicationVersion(ident).value();

    // Strictly lower: an equal bootloader is not written again.
    needs.bootloaderNeeded = nBoot < shipped.bootloader.value() || bForceBootloader;
    needs.oldBootloader = ident.m_BootMainVer == 1;
    needs.notUpdatable = ident.m_AppMainVer == 1 && !ident.m_b70;
    // Lower or equal: only a newer application on the unit is left alone.
    if (nApp <= shipped.application.value() || bForceApplication)
        needs.applicationNeeded = needs.wifiModuleNeeded = true;
    if (nApp == APP_NEEDING_WIFI_BRIDGE)
        needs.wifiBridgeNeeded = true;
    if (nApp == APP_NEEDING_BOOTLOADER)
        needs.bootloaderNeeded = true;
    if (ident.m_Flags)
        needs.applicationNeeded = needs.wifiModuleNeeded = needs.bootloaderNeeded = true;
    needs.deIceAvailable = nBoot >= FIRST_DEICE_VERSION && nApp >= FIRST_DEICE_VERSION;
    return needs;
}
