#pragma once

#include <QString>
#include <QStringList>

// The names a file is set aside under: strPath + ".damaged", then ".damaged-2" up to this number.
constexpr int MAX_SET_ASIDE_NAMES = 100;

// Renames a file the program cannot use beside itself, never over an existing file, so that the
// user keeps it whole. Each companion that exists (a suffix such as "-wal") goes along under the new
// name and the same suffix, before the file itself: none is left beside a new file of the old name;
// after a failed rename the files moved are moved back. Returns the new name, or an empty text when
// the file cannot be renamed (every name taken, or the rename refused), with the reason in
// *pstrFailure when given.
QString setAside(const QString& strPath, const QStringList& companions = {}, QString* pstrFailure = nullptr);
