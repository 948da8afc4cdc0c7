#ifndef FANPOLLINGTHREAD_H
#define FANPOLLINGTHREAD_H

#include <QMutex>
#include <QThread>

class CMainObject;

// The polling thread: creates the polling object in itself, hands it over once and then runs
// its event loop, in which every conversation with the unit takes place.
class CFanPollingThread : public QThread
{
    Q_OBJECT

public:
    explicit CFanPollingThread(bool bTestFlag, QObject* parent = nullptr);
    ~CFanPollingThread() override;

    // Blocks until run() has created the polling object.
    CMainObject* getMainObject();
    static void msleep(int ms) { QThread::msleep(ulong(ms)); }

protected:
    void run() override;

private:
    CMainObject* m_pMainObject = nullptr;
    // Locked by the constructor and unlocked by run(): the start-up gate.
    QMutex m_mutex;
    bool m_bTestFlag;
};

#endif // FANPOLLINGTHREAD_H
