#pragma once

#include "HLProtocol.h"

#include <QString>

// A firmware version as the unit and the catalogue give it; compared as main * 100 + sub.
struct SVersion
{
    int main = 0;
    int sub = 0;

    int value() const { return main * 100 + sub; }
    // "2.05": the sub version always in two digits.
    QString text() const;
};

// What the identification of a unit means for the update: which images it needs.
struct SUpdateNeeds
{
    bool bootloaderNeeded = false;
    bool applicationNeeded = false;
    bool wifiModuleNeeded = false;
    bool wifiBridgeNeeded = false; // only ever set here; see CUpdateSequence for how long it holds
    bool oldBootloader = false;
    bool notUpdatable = false;
    bool deIceAvailable = false;
};

// What the unit runs, as its identification reports it (byte 7); other codes are refused.
enum ERunningImage
{
    RUNNING_NONE = 0, // nothing identified
    RUNNING_BOOTLOADER_1 = 1,
    RUNNING_BOOTLOADER_2 = 2,
    RUNNING_APPLICATION = 3
};

inline bool isBootloader(ERunningImage running)
{
    return running == RUNNING_BOOTLOADER_1 || running == RUNNING_BOOTLOADER_2;
}

// Everything the update rests on, from one identification; cleared when an identification fails.
struct SIdentification
{
    ERunningImage running = RUNNING_NONE;
    UINT32 serialNr = 0; // 0: the unit has none the serial-number field could hold
    bool plusUnit = false;
    SVersion bootloader; // of the bootloader it runs
    SVersion application;
    SUpdateNeeds needs;
    QString imageFault; // names a shipped image the unit would need that is missing or damaged
    bool bootloadersOutOfSync = false;
};

// Compares the unit's versions with the shipped ones.
class CUpdateDecision
{
public:
    struct SShipped
    {
        SVersion bootloader; // of bootloader 1; both bootloaders must agree
        SVersion application;
    };

    static SUpdateNeeds decide(const SHLP_IdentData& ident, const SShipped& shipped, bool bForceBootloader,
                               bool bForceApplication);

    // Serial numbers the unit can be given: 1 to 999999. Others (4294967295 is erased flash) are none.
    static bool isSerialNumber(quint64 nNumber) { return nNumber >= 1 && nNumber <= MAX_SERIAL_NUMBER; }
    static constexpr UINT32 MAX_SERIAL_NUMBER = 999999;

    static SVersion bootloaderVersion(const SHLP_IdentData& ident);
    static SVersion applicationVersion(const SHLP_IdentData& ident);
    static SVersion wifiVersion(const SHLP_IdentData& ident);
    // "2.12.CX": version, running image letter (A bootloader 1, B bootloader 2, C application,
    // else "-") and "X" when the unit asks for a forced update.
    static QString bootloaderText(const SHLP_IdentData& ident);
};
