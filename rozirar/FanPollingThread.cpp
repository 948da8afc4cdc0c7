#include "FanPollingThread.h"

#include "FanBase.h"
#include "MainObject.h"
#include "SerialPort.h"

CFanPollingThread::CFanPollingThread(bool bTestFlag, QObject* parent)
    : QThread(parent), m_bTestFlag(bTestFlag)
{
    // The program-wide port is used by this thread only; its notifiers must be made here.
    g_SerialPort.moveToThread(this);
}

CMainObject* CFanPollingThread::getMainObject()
{
    m_ready.acquire();
    m_ready.release(); // open for every later caller
    return m_pMainObject;
}

void CFanPollingThread::run()
{
    // Made and destroyed here: destroying it closes the program-wide port, in the one thread
    // that uses the port.
    CMainObject mainObject(m_bTestFlag);
    m_pMainObject = &mainObject;
    m_ready.release();
    exec();
}
