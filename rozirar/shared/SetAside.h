#pragma once

#include <QString>

// The names a file is set aside under: strPath + ".damaged", then ".damaged-2" up to this number.
constexpr int MAX_SET_ASIDE_NAMES = 100;

// Renames a file the program cannot use beside itself, never over an existing file, so that the
// user keeps it whole. Returns the new name, or an empty text when the file cannot be renamed
// (every name taken, or the rename refused).
QString setAside(const QString& strPath);
