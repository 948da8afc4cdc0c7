#pragma once

#include "ExportFile.h"

#include <QString>
#include <QStringList>

// Asks for the name of a file to write, starting in the folder remembered under "FileExportDir",
// and asks before an existing file is overwritten. A null string when the user cancelled, chose
// nothing or refused to overwrite; otherwise the folder is remembered, and `agreed` is the file
// the question was about (none when nothing was asked).
QString GetExportFileName(const QString& caption, const QStringList& nameFilters, const QString& fileName,
                          const QString& defaultSuffix, SAgreedFile& agreed);

// The folder a file dialog starts in: the remembered one under the settings key, else the
// first documents folder.
QString rememberedFolder(const char* settingsKey);
// Remembers the folder of the file under the settings key (nothing for an empty path).
void rememberFolder(const char* settingsKey, const QString& strFileName);
