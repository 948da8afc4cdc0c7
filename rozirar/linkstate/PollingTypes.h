#pragma once

#include <QMetaType>
#include <QtGlobal>

#include <atomic>

// What the polling object (frame) and the unit views share: the state of the link to the unit,
// the Wi-Fi flag and the address a Wi-Fi request carries.

// The state of the link as the polling object reports it with each poll.
enum ERozirarionState
{
    STATE_NOT_ROZIRARED = 0,
    STATE_WAITING_FOR_RESPONSE = 1,
    STATE_COMMUNICATION_ERROR = 2,
    STATE_OK = 3
};

// Set by the poll once a tolVane100 runs an application that knows Wi-Fi; never cleared.
// Written by the polling thread, read by the views.
inline std::atomic<bool> g_bWifiAvailable{false};

// The controller's IP address of a Wi-Fi request, bytes 0 to 3 in the order they are sent. It
// crosses to the polling thread by value: the queued call carries its own copy.
struct SIpAddress
{
    quint8 m_Bytes[4] = {0, 0, 0, 0};
};

// Both cross from one thread to the other in queued calls.
Q_DECLARE_METATYPE(ERozirarionState)
Q_DECLARE_METATYPE(SIpAddress)
