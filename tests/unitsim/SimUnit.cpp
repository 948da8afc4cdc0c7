#include "SimUnit.h"
#include "FreePty.h"
#include "SimMessages.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace unitsim
{
namespace
{
using Clock = std::chrono::steady_clock;

constexpr int REPLY_SENDS = 3;             // a reply packet goes out at most this often
constexpr int INTER_BYTE_TIMEOUT_MS = 200; // a frame that stalls this long is dropped
constexpr int SPLIT_PAUSE_MS = 20;
constexpr int WRITE_TIMEOUT_MS = 1000;

bool makeRaw(int fd)
{
    termios tio;
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

void closeFd(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

QByteArray debugTextData(const QByteArray& text)
{
    return QByteArray(1, char(0x02)) + text + QByteArray(1, '\0');
}

QByteArray debugValueData(qint32 value)
{
    QByteArray d(5, '\0');
    d[0] = char(0x01);
    for (int i = 0; i < 4; ++i)
        d[1 + i] = char((quint32(value) >> (8 * i)) & 0xFF);
    return d;
}

void spoilCrc(QByteArray& packet)
{
    packet[packet.size() - 2] = char(packet[packet.size() - 2] ^ 0x5A);
}
} // namespace

struct CSimUnit::SImpl
{
    struct SArmed
    {
        SSimFault fault;
        int seen = 0;
    };

    mutable std::mutex mutex;
    mutable std::condition_variable recorded;
    SSimUnitModel model;
    QList<SArmed> faults;
    bool silent = false;
    int ackTimeoutMs = 1000;
    QList<SSimFrame> received;
    QList<QByteArray> writes;
    QList<QByteArray> outbox;
    QString portName;

    int master = -1;
    int slave = -1;
    int wake[2] = {-1, -1};
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<bool> disappearing{false};
    std::atomic<bool> serving{false};

    // Serving thread only.
    CSimFrameReader reader;
    QList<QByteArray> pending; // reply packets not yet acknowledged; the first is on the wire
    int sends = 0;
    Clock::time_point deadline;
    Clock::time_point lastByte;

    void run();
    void onFrame(const SSimFrame& frame);
    void onRequest(const SSimFrame& frame);
    void sendReply(const QByteArray& prefix);
    void checkReplyTimeout();
    bool fires(ESimFault kind, int* value = nullptr, int messageCode = -1);
    bool isSilent() const;
    void writePacket(const QByteArray& packet);
    void writeBytes(const QByteArray& bytes);
    void wakeUp();
    void closeAll();
};

bool CSimUnit::SImpl::fires(ESimFault kind, int* value, int messageCode)
{
    std::lock_guard<std::mutex> lock(mutex);
    bool hit = false;
    for (int i = 0; i < faults.size();)
    {
        SArmed& a = faults[i];
        if (a.fault.kind != kind || (a.fault.messageCode >= 0 && a.fault.messageCode != messageCode))
        {
            ++i;
            continue;
        }
        ++a.seen;
        if (a.seen >= a.fault.nth && !hit)
        {
            hit = true;
            if (value)
                *value = a.fault.value;
        }
        if (a.fault.times > 0 && a.seen >= a.fault.nth + a.fault.times - 1)
            faults.removeAt(i);
        else
            ++i;
    }
    return hit;
}

bool CSimUnit::SImpl::isSilent() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return silent;
}

void CSimUnit::SImpl::writeBytes(const QByteArray& bytes)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        writes.append(bytes);
    }
    recorded.notify_all();
    int done = 0;
    while (done < bytes.size())
    {
        const ssize_t n = ::write(master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
        {
            done += int(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        pollfd p{master, POLLOUT, 0};
        if (::poll(&p, 1, WRITE_TIMEOUT_MS) <= 0)
            return; // nobody reads: the bytes are lost, as on a real line
    }
}

void CSimUnit::SImpl::writePacket(const QByteArray& packet)
{
    int pieces = 0;
    if (!fires(ESimFault::SplitWrites, &pieces) || pieces < 2)
    {
        writeBytes(packet);
        return;
    }
    pieces = qMin(pieces, packet.size());
    int at = 0;
    for (int i = 0; i < pieces; ++i)
    {
        const int end = packet.size() * (i + 1) / pieces;
        if (i > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(SPLIT_PAUSE_MS));
        writeBytes(packet.mid(at, end - at));
        at = end;
    }
}

void CSimUnit::SImpl::onFrame(const SSimFrame& frame)
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        received.append(frame);
    }
    recorded.notify_all();
    if (!frame.crcOk || isSilent())
        return;
    if (!frame.isAck())
    {
        onRequest(frame);
        return;
    }
    if (pending.isEmpty())
        return;
    pending.removeFirst();
    if (!pending.isEmpty())
        sendReply(QByteArray());
}

void CSimUnit::SImpl::onRequest(const SSimFrame& frame)
{
    const int code = frame.command == CMD_MESSAGE ? frame.messageCode() : -1;
    if (fires(ESimFault::LoseRequest, nullptr, code))
        return;
    const bool dropAck = fires(ESimFault::DropAck, nullptr, code);
    int delayMs = 0;
    const bool delay = fires(ESimFault::DelayAck, &delayMs, code);
    const bool corruptAck = fires(ESimFault::CorruptAckCrc, nullptr, code);
    const bool merge = fires(ESimFault::MergeAckAndReply, nullptr, code);

    pending.clear(); // a new request abandons what was still to be sent
    QList<QByteArray> replies;
    if (frame.command == CMD_MESSAGE)
    {
        std::lock_guard<std::mutex> lock(mutex);
        replies = answerMessage(model, frame.data);
    }

    QByteArray ack;
    const bool wantsAck = !(frame.flags & FLAG_NO_ACK) && frame.messageCode() != MSG_START_APPLICATION;
    if (wantsAck && !dropAck)
    {
        ack = encodeFrame(frame.command, FLAG_ACK, QByteArray());
        if (corruptAck)
            spoilCrc(ack);
        if (delay)
            std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        if (!merge || replies.isEmpty())
        {
            writePacket(ack);
            ack.clear();
        }
    }
    pending = replies;
    if (!pending.isEmpty())
        sendReply(ack);
}

// First send of the reply packet at the head of `pending`, with the reply faults applied;
// `prefix` (a held-back acknowledgement) goes out in the same write.
void CSimUnit::SImpl::sendReply(const QByteArray& prefix)
{
    QByteArray data = pending.first();
    int value = 0;
    if (fires(ESimFault::WrongReplyId, &value))
        data[0] = char(value);
    if (fires(ESimFault::WrongReplyLength, &value))
        data = value >= 0 ? data + QByteArray(value, '\0') : data.left(qMax(0, data.size() + value));
    QByteArray packet = encodeFrame(CMD_MESSAGE, FLAG_REPEAT, data);
    if (fires(ESimFault::CorruptCrc))
        spoilCrc(packet);

    QByteArray before;
    if (fires(ESimFault::LeadingGarbage, &value))
        for (int i = 0; i < value; ++i)
            before.append(char(0xA5 ^ i)); // never a 'q': it cannot start a magic
    QList<QByteArray> debug;
    if (fires(ESimFault::DebugBeforeReply, &value))
        for (int i = 1; i <= value; ++i)
            debug.append(
                encodeFrame(CMD_DEBUG, FLAG_NO_ACK, debugTextData("debug " + QByteArray::number(i))));

    if (!prefix.isEmpty())
    {
        writePacket(prefix + before + debug.join() + packet);
    }
    else
    {
        if (!before.isEmpty())
            writeBytes(before);
        for (const QByteArray& d : debug)
            writePacket(d);
        writePacket(packet);
    }
    sends = 1;
    int timeout;
    {
        std::lock_guard<std::mutex> lock(mutex);
        timeout = ackTimeoutMs;
    }
    deadline = Clock::now() + std::chrono::milliseconds(timeout);
}

void CSimUnit::SImpl::checkReplyTimeout()
{
    if (pending.isEmpty() || Clock::now() < deadline)
        return;
    if (sends >= REPLY_SENDS || isSilent())
    {
        pending.clear();
        return;
    }
    ++sends;
    writePacket(encodeFrame(CMD_MESSAGE, FLAG_REPEAT, pending.first()));
    std::lock_guard<std::mutex> lock(mutex);
    deadline = Clock::now() + std::chrono::milliseconds(ackTimeoutMs);
}

void CSimUnit::SImpl::run()
{
    char buffer[4096];
    while (!stopping)
    {
        int timeout = -1;
        const auto now = Clock::now();
        if (!pending.isEmpty())
            timeout = int(qMax<qint64>(
                0, std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count()));
        if (reader.hasPartial())
            timeout = timeout < 0 ? INTER_BYTE_TIMEOUT_MS : qMin(timeout, INTER_BYTE_TIMEOUT_MS);
        pollfd fds[2] = {{master, POLLIN, 0}, {wake[0], POLLIN, 0}};
        ::poll(fds, 2, timeout);

        if (fds[1].revents & POLLIN)
        {
            while (::read(wake[0], buffer, sizeof buffer) > 0)
            {
            }
            if (disappearing)
                break;
            QList<QByteArray> out;
            {
                std::lock_guard<std::mutex> lock(mutex);
                out.swap(outbox);
            }
            if (!isSilent())
                for (const QByteArray& packet : out)
                    writePacket(packet);
        }
        if (fds[0].revents & POLLIN)
        {
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n > 0)
            {
                lastByte = Clock::now();
                reader.feed(QByteArray(buffer, int(n)));
                SSimFrame frame;
                while (reader.takeFrame(frame))
                    onFrame(frame);
            }
        }
        if (reader.hasPartial() &&
            Clock::now() - lastByte >= std::chrono::milliseconds(INTER_BYTE_TIMEOUT_MS))
            reader.discardPartial();
        checkReplyTimeout();
    }
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (disappearing)
        {
            // The port vanishes at once; the thread is joined later by stop() or the destructor.
            closeFd(master);
            closeFd(slave);
        }
        serving = false;
    }
    recorded.notify_all();
}

void CSimUnit::SImpl::wakeUp()
{
    if (wake[1] >= 0)
    {
        const char c = 1;
        (void)!::write(wake[1], &c, 1);
    }
}

void CSimUnit::SImpl::closeAll()
{
    closeFd(master);
    closeFd(slave);
    closeFd(wake[0]);
    closeFd(wake[1]);
}

CSimUnit::CSimUnit(const SSimUnitModel& model) : d(new SImpl)
{
    d->model = model;
}

CSimUnit::~CSimUnit()
{
    stop();
}

bool CSimUnit::start()
{
    if (d->serving)
        return false;
    if (d->thread.joinable()) // gone after disappear(): comes back on a new pty
    {
        d->thread.join();
        d->closeAll();
    }
    d->reader.discardPartial();
    d->pending.clear();
    SPtyPair pty;
    if (!openFreePty(pty))
        return false;
    const int master = pty.master, slave = pty.slave;
    if (!makeRaw(master) || !makeRaw(slave) || ::pipe2(d->wake, O_CLOEXEC | O_NONBLOCK) != 0)
    {
        ::close(master);
        ::close(slave);
        d->closeAll();
        return false;
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    d->master = master;
    d->slave = slave; // held open so that the line stays up while no PC has it open
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->portName = pty.name;
    }
    d->stopping = false;
    d->disappearing = false;
    d->serving = true;
    d->thread = std::thread([this] { d->run(); });
    return true;
}

void CSimUnit::stop()
{
    if (!d->thread.joinable())
        return;
    d->stopping = true;
    d->wakeUp();
    d->thread.join();
    d->closeAll();
}

bool CSimUnit::isServing() const
{
    return d->serving;
}

QString CSimUnit::portName() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->portName;
}

SSimUnitModel CSimUnit::model() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->model;
}

void CSimUnit::setModel(const SSimUnitModel& model)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->model = model;
}

void CSimUnit::updateModel(const std::function<void(SSimUnitModel&)>& change)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    change(d->model);
}

void CSimUnit::addFault(const SSimFault& fault)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->faults.append({fault, 0});
}

void CSimUnit::clearFaults()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->faults.clear();
}

void CSimUnit::setSilent(bool silent)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->silent = silent;
}

void CSimUnit::disappear()
{
    d->disappearing = true;
    d->wakeUp();
    // Wait for the port to vanish, so that the caller can rely on it.
    std::unique_lock<std::mutex> lock(d->mutex);
    d->recorded.wait_for(lock, std::chrono::seconds(5), [this] { return !d->serving; });
}

bool CSimUnit::restart()
{
    disappear();
    return start();
}

void CSimUnit::setAckTimeoutMs(int ms)
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->ackTimeoutMs = ms;
}

void CSimUnit::sendDebugText(const QByteArray& text)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->outbox.append(encodeFrame(CMD_DEBUG, FLAG_NO_ACK, debugTextData(text)));
    }
    d->wakeUp();
}

void CSimUnit::sendDebugValue(qint32 value)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->outbox.append(encodeFrame(CMD_DEBUG, FLAG_NO_ACK, debugValueData(value)));
    }
    d->wakeUp();
}

QList<SSimFrame> CSimUnit::receivedFrames() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->received;
}

QList<QByteArray> CSimUnit::writes() const
{
    std::lock_guard<std::mutex> lock(d->mutex);
    return d->writes;
}

void CSimUnit::clearRecords()
{
    std::lock_guard<std::mutex> lock(d->mutex);
    d->received.clear();
    d->writes.clear();
}

bool CSimUnit::waitForFrames(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->recorded.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return d->received.size() >= count; });
}

bool CSimUnit::waitForWrites(int count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->recorded.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                [&] { return d->writes.size() >= count; });
}
} // namespace unitsim
