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
    bool wifiBridgeNeeded = false; // only ever set here; the dialog clears it after a complete update
    bool oldBootloader = false;
    bool notUpdatable = false;
    bool deIceAvailable = false;
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

    static SVersion bootloaderVersion(const SHLP_IdentData& ident);
    static SVersion applicationVersion(const SHLP_IdentData& ident);
    static SVersion wifiVersion(const SHLP_IdentData& ident);
    // "2.12.CX": version, running image letter (A bootloader 1, B bootloader 2, C application,
    // else "-") and "X" when the unit asks for a forced update.
    static QString bootloaderText(const SHLP_IdentData& ident);
};
