#pragma once

#include <QSemaphore>
#include <QThread>

class CMainObject;

// The polling thread: creates the polling object in itself, hands it over once and then runs
// its event loop, in which every conversation with the unit takes place. The polling object
// ends with the thread.
class CFanPollingThread : public QThread
{
    Q_OBJECT

public:
    explicit CFanPollingThread(bool bTestFlag, QObject* parent = nullptr);

    // Blocks until run() has created the polling object; it is valid until the thread ends.
    CMainObject* getMainObject();
    static void msleep(int ms) { QThread::msleep(ulong(ms)); }

protected:
    void run() override;

private:
    CMainObject* m_pMainObject = nullptr;
    // Released by run() once the polling object exists: the start-up gate.
    QSemaphore m_ready;
    bool m_bTestFlag;
};
