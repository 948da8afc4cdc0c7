#include "CredentialScrambler.h"

#include <QRandomGenerator>

namespace
{
const quint8 KEY[8] = {0xa7, 0x3e, 0x51, 0xc9, 0x0b, 0x76, 0xd2, 0x4f};
const int RANDOM_PREFIX = 32;
} // namespace

QByteArray scrambleCredential(const QByteArray& plain)
{
    QByteArray bytes = plain;
    // Each new random byte goes to the front, so the first one drawn ends up last of the 32.
    for (int i = 0; i < RANDOM_PREFIX; ++i)
        bytes.prepend(static_cast<char>(QRandomGenerator::global()->generate() & 0xFF));

    quint8 c = 0;
    for (int i = 0; i < bytes.size(); ++i)
    {
        c ^= static_cast<quint8>(bytes[i]) ^ KEY[i % 8];
        bytes[i] = static_cast<char>(c);
    }
    return bytes;
}

QByteArray unscrambleCredential(const QByteArray& stored)
{
    QByteArray bytes = stored;
    quint8 prev = 0;
    for (int i = 0; i < bytes.size(); ++i)
    {
        const quint8 x = static_cast<quint8>(bytes[i]);
        bytes[i] = static_cast<char>(x ^ KEY[i % 8] ^ prev);
        prev = x;
    }
    return bytes.mid(RANDOM_PREFIX);
}
