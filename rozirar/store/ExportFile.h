#pragma once

#include <QString>

class QSaveFile;

// What a chosen name leads to when the user agrees to write there: no file, or this one.
struct SAgreedFile
{
    bool bThere = false;
    quint64 nDevice = 0;
    quint64 nInode = 0;

    static SAgreedFile at(const QString& strFileName);
};

// Puts a complete export, written beside the file through the open QSaveFile, in its place. Only
// the file the user agreed to overwrite is replaced: another one found under the name by now
// (another program's) stays, with EEXIST. That file stays the file it was, with its owner, group,
// mode and every name that leads to it: the new one replaces it when it takes the old owner and no
// other name leads to the old one; otherwise the export is written into the file itself. False,
// with the reason, when the export is not in place; the file beside is dropped either way.
bool putExportInPlace(QSaveFile& file, const SAgreedFile& agreed, QString& strReason);
