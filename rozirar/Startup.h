#pragma once

class QApplication;
class QSharedMemory;
class QString;
class QTranslator;

// Start-up and shut-down of tolVane-Vozudoz on the given application object; returns the exit code.
int runVozudoz(QApplication& app);

// Creates the segment that keeps a second instance of either Qt program from starting.
// False when another instance holds it. A segment left behind by a crashed instance is
// removed first (on this platform the system keeps it after its last user died).
bool acquireSingleInstance(QSharedMemory& segment);

// The language the option -l chose: its translations of the program, of the shared code and of Qt
// are loaded, and it becomes the default locale, which the text table and the dates follow. False,
// with nothing changed, when the program's or the shared code's translation is missing.
bool useLocale(const QString& strLocale, QTranslator& program, QTranslator& common, QTranslator& qt);
