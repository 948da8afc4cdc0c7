#pragma once

#include <QStringList>

// Start-up of Update-tolVane after the application object exists: translations, the single
// instance shared with the main program, the options, the dialog and the event loop.
class CUpdaterStartup
{
public:
    static constexpr const char* APPLICATION_NAME = "Quorvanix Firmware Update";
    static constexpr const char* SINGLE_INSTANCE_KEY = "Quorvanix-prevent-multiple-instances";
    static constexpr const char* TRANSLATION_PREFIX = "Quorvanix-update_";
    static constexpr int EXIT_CODE_OTHER_INSTANCE = -1;

    // Runs the updater with these arguments (index 0: the program); returns the exit code.
    static int run(const QStringList& arguments);

    // Where the service panels read and write their test values.
    static QString testValuesPath();
};
