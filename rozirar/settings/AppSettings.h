#pragma once

#include <QString>

#include <memory>

class QSettings;

// The program's settings (organisation and application names set). Qt reads every settings file
// for these names: the program's own and the organisation's in the user's folder, then those of
// every system-wide folder. A file the start-up check left out must not be read in this run, and
// leaving one out leaves out every file but the program's own, or, when it is the program's own,
// every file.
class CAppSettings
{
public:
    enum ESources
    {
        ALL_FILES,
        OWN_FILE_ONLY,
        NO_FILE
    };

    // The user's settings file of the program.
    static QString ownPath();
    // Every file the settings read, in Qt's order: the program's own file first, then the
    // organisation's in the user's folder, then the program's and the organisation's of each
    // system-wide folder.
    static QStringList readFiles();

    // For this run; set once at start-up, before the first settings are opened.
    static void setSources(ESources eSources);
    static ESources sources();

    // Settings on the files of this run. With NO_FILE they start empty and cannot be written.
    static std::unique_ptr<QSettings> open();
};
