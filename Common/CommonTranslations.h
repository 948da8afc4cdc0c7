#pragma once

#include <QString>

class QTranslator;

// The translations of the shared code are compiled into the library (":/translations/common_de.qm",
// ":/translations/common_en.qm"), so they are found whatever the current folder is.

// Loads "common_" + strLocale into rTranslator; a locale with a country ("de_AT") falls back to its
// language ("de"). False when no translation fits.
bool loadCommonTranslation(QTranslator& rTranslator, const QString& strLocale);

// Loads the translation into a new translator owned by the application and installs it.
// Null when no translation fits (or no application object exists).
QTranslator* installCommonTranslation(const QString& strLocale);
