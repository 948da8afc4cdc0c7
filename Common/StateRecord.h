#pragma once

#include <QString>
#include <QtGlobal>

// Decoding helpers shared by the current-state records of both unit types.
namespace StateRecord
{
// An 11-bit two's-complement temperature in 1/8 degC: the low byte and bits 0-2 of the next.
inline int rawTemperature(quint8 low, quint8 high)
{
    const int raw = low | ((high & 0x07) << 8);
    return (raw & 0x400) ? raw - 0x800 : raw;
}

inline double temperature(quint8 low, quint8 high)
{
    return rawTemperature(low, high) * 0.125;
}

inline quint16 uint16LE(const quint8* p)
{
    return quint16(p[0] | (p[1] << 8));
}

// Dictionary index from a code table; -1 for a code outside it.
template <int N> int lookup(const int (&table)[N], unsigned int nCode)
{
    return nCode < unsigned(N) ? table[nCode] : -1;
}

// Translated abbreviation of a dictionary entry, a null string for no entry.
QString abbreviation(int nIndex);
// Description of a dictionary entry, an empty text for no entry.
QString description(int nIndex);
} // namespace StateRecord
