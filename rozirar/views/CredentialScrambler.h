#pragma once

#include <QByteArray>

// The reversible scrambling of the passwords kept in the settings: 32 random bytes in front,
// then a running XOR with a fixed 8-byte key. Not encryption; it keeps the passwords out of
// plain sight in the settings file.
QByteArray scrambleCredential(const QByteArray& plain);
// Gives an empty array for 32 bytes or fewer.
QByteArray unscrambleCredential(const QByteArray& stored);
