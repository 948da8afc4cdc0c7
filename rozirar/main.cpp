#include "SettingsCheck.h"
#include "Startup.h"

#include <QApplication>

int main(int argc, char** argv)
{
    nameVozudoz();
    // Before the application object starts its threads: the check forks.
    CSettingsCheck settingsCheck;
    settingsCheck.run();
    QApplication app(argc, argv);
    return runVozudoz(app, settingsCheck);
}
