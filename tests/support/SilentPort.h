#pragma once

#include <QString>

// A serial port nobody answers: a pseudo-terminal whose controlling side stays open and silent, so
// that a unit object sees an open port. Closed with this object.
class CSilentPort
{
public:
    CSilentPort();
    ~CSilentPort();
    CSilentPort(const CSilentPort&) = delete;
    CSilentPort& operator=(const CSilentPort&) = delete;

    // The device to open; empty when no pseudo-terminal was to be had.
    const QString& name() const { return m_Name; }

private:
    int m_Master = -1;
    QString m_Name;
};
