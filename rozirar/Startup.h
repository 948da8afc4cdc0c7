#pragma once

#include "SettingsCheck.h"

#include <QString>

class QApplication;
class QTranslator;

// The names the settings and the data folder go by; they may be set before the application object exists.
void nameVozudoz();

// Start-up and shut-down of tolVane-Vozudoz on the given application object; returns the exit code.
// settingsCheck: the check of the settings files, run before the start; what it found, the user
// is told.
int runVozudoz(QApplication& app, const CSettingsCheck& settingsCheck = CSettingsCheck());

// A log database SQLite finds damaged is renamed aside with its side files and the user is told
// where it went; false, after a box naming the file and the reason, when it cannot be renamed.
bool setAsideDamagedLogDatabase();

// The language the option -l chose: its translations of the program, of the shared code and of Qt
// are loaded, and it becomes the default locale, which the text table and the dates follow. False,
// with nothing changed, when the program's or the shared code's translation is missing.
bool useLocale(const QString& strLocale, QTranslator& program, QTranslator& common, QTranslator& qt);
