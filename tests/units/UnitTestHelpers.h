#pragma once

// Helpers of the unit-class tests, on the fake wire and on the simulated unit alike.

#include <QList>
#include <QObject>
#include <QStringList>
#include <QVector>

// The Wi-Fi page as the unit object sees it: five slots, found by signature.
class CWifiPage : public QObject
{
    Q_OBJECT
public:
    QStringList calls;
public slots:
    void slotUpdateWlanTabAndOKMsg() { calls << "OK"; }
    void slotNOKMsg() { calls << "NOK"; }
    void slotDelNOKMsg() { calls << "DelNOK"; }
    void slotDelOKMsg() { calls << "DelOK"; }
    void onEnableButtons() { calls << "Enable"; }
};

// The first byte of each entry.
template <typename Entry> QList<int> firstBytes(const QVector<Entry>& entries)
{
    QList<int> out;
    for (const Entry& e : entries)
        out << e.m_Bytes[0];
    return out;
}
