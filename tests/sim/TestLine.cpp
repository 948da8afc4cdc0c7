#include "TestLine.h"

#include <QElapsedTimer>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

bool CTestLine::open(const QString& path)
{
    close();
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    termios tio;
    tcgetattr(m_fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_fd, TCSANOW, &tio);
    return true;
}

void CTestLine::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool CTestLine::write(const QByteArray& bytes)
{
    return ::write(m_fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

QByteArray CTestLine::read(int count, int timeoutMs)
{
    QByteArray out;
    QElapsedTimer timer;
    timer.start();
    while (out.size() < count)
    {
        const int left = timeoutMs - int(timer.elapsed());
        pollfd p{m_fd, POLLIN, 0};
        if (left <= 0 || ::poll(&p, 1, left) <= 0 || !(p.revents & POLLIN))
            break;
        char buffer[512];
        const ssize_t n = ::read(m_fd, buffer, size_t(qMin<int>(int(sizeof buffer), count - out.size())));
        if (n <= 0)
            break;
        out.append(buffer, int(n));
    }
    return out;
}

bool CTestLine::quiet(int ms)
{
    pollfd p{m_fd, POLLIN, 0};
    return ::poll(&p, 1, ms) == 0;
}

bool CTestLine::hungUp(int timeoutMs)
{
    pollfd p{m_fd, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0)
        return false;
    if (p.revents & (POLLHUP | POLLERR))
        return true;
    char c;
    return ::read(m_fd, &c, 1) < 0;
}

quint16 CTestLine::crc(const QByteArray& data)
{
    quint16 c = 0xFFFF;
    for (char b : data)
    {
        c ^= quint16(quint8(b) << 8);
        for (int i = 0; i < 8; ++i)
            c = (c & 0x8000) ? quint16((c << 1) ^ 0x1021) : quint16(c << 1);
    }
    return c;
}

QByteArray CTestLine::frame(quint8 command, quint8 flags, const QByteArray& data)
{
    QByteArray f("qxvo");
    f.append(char(command)).append(char(flags));
    f.append(char(data.size() & 0xFF)).append(char(data.size() >> 8));
    f.append(data);
    const quint16 c = crc(data);
    f.append(char(c & 0xFF)).append(char(c >> 8));
    return f;
}
