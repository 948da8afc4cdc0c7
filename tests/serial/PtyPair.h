#pragma once

#include <QByteArray>
#include <QString>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A raw pseudo-terminal pair; the test plays the far end on the master side.
struct SPtyPair
{
    int master = -1;
    int slave = -1;
    QString path; // the slave's device path, what the port under test opens

    bool open()
    {
        if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
            return false;
        termios tio;
        for (int fd : {master, slave})
        {
            tcgetattr(fd, &tio);
            cfmakeraw(&tio);
            tcsetattr(fd, TCSANOW, &tio);
        }
        char name[256];
        if (ttyname_r(slave, name, sizeof name) != 0)
            return false;
        path = QString::fromLocal8Bit(name);
        return true;
    }

    // Both ends closed: the device goes away.
    void close()
    {
        for (int* fd : {&master, &slave})
            if (*fd >= 0)
            {
                ::close(*fd);
                *fd = -1;
            }
    }

    ~SPtyPair() { close(); }

    bool write(const QByteArray& bytes)
    {
        return ::write(master, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

    QByteArray read(int count, int timeoutMs = 2000)
    {
        QByteArray out;
        while (out.size() < count)
        {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, timeoutMs) <= 0)
                break;
            char buffer[256];
            const ssize_t n = ::read(master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            out.append(buffer, int(n));
        }
        return out;
    }
};
