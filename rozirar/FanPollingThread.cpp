#include "FanPollingThread.h"

#include "FanBase.h"
#include "MainObject.h"
#include "SerialPort.h"

CFanPollingThread::CFanPollingThread(bool bTestFlag, QObject* parent)
    : QThread(parent), m_bTestFlag(bTestFlag)
{
    m_mutex.lock();
    // The program-wide port is used by this thread only; its notifiers must be made here.
    g_SerialPort.moveToThread(this);
}

CFanPollingThread::~CFanPollingThread()
{
    // A thread that never ran still holds the gate; a locked mutex must not be destroyed.
    if (!m_pMainObject)
        m_mutex.unlock();
}

CMainObject* CFanPollingThread::getMainObject()
{
    m_mutex.lock();
    m_mutex.unlock();
    return m_pMainObject;
}

void CFanPollingThread::run()
{
    // The polling object is never deleted: deleting it would delete the unit object, which
    // closes the program-wide port while the user interface may still talk to it at exit.
    m_pMainObject = new CMainObject(m_bTestFlag);
    m_mutex.unlock();
    exec();
}
