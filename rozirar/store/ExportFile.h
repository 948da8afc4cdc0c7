#pragma once

#include <QString>

class QSaveFile;

// Puts a complete export, written beside the file through the open QSaveFile, in its place. An
// existing file stays the file it was, with its owner, group, mode and every name that leads to
// it: the new one replaces it when it takes the old owner and no other name leads to the old one;
// otherwise the export is written into the file itself. False, with the reason, when it is not
// in place; the file beside is dropped either way.
bool putExportInPlace(QSaveFile& file, QString& strReason);
