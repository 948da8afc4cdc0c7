#pragma once

#include <QString>

class QSharedMemory;

// The shared-memory key that keeps the two Qt programs from running at the same time: each
// creates a segment of it at start and holds it until it ends.
enum class ESingleInstance
{
    HELD,           // this process holds the segment now
    OTHER_INSTANCE, // a segment of the key exists: the other program or another copy runs
    FOLDER_REFUSED  // the key's files could not be made in their folder
};

// Creates the segment, after removing one left behind by a crashed instance (on this platform the
// system keeps a segment after its last user died). Only an existing segment is another instance:
// the key lives in files of the temporary folder, and a folder that cannot be written fails the
// creation too.
ESingleInstance acquireSingleInstance(QSharedMemory& segment);

// What the user is told when the folder refused the key's files, naming it (translated).
QString singleInstanceFolderText(const QSharedMemory& segment);
