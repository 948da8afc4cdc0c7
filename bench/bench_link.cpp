// Request/reply exchanges per second through the unit classes and the link protocol, against
// the simulated unit on a pseudo-terminal, beside the raw round trip of the same bytes over the
// same pseudo-terminal in the same run. The ratio is the link's own cost.
#include "FanBase.h"
#include "SimUnit.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace
{
constexpr int EXCHANGES = 200;
constexpr int ROUNDS = 3;

class CBenchFan : public CFanBase
{
public:
    QString getDeviceTypeText() const override { return QStringLiteral("tolVane100"); }
    int getUnitType() const override { return 0; }
};

QByteArray frame(quint8 command, quint8 flags, const QByteArray& data)
{
    CLLProtocolPacket packet;
    packet.SetPacket(command, false, false, false, UINT16(data.size()), data.constData());
    QByteArray out;
    UINT16 size = 0;
    for (int i = 0; i < 3; ++i)
        if (const UINT8* chunk = packet.GetChunk(i, size))
            out.append(reinterpret_cast<const char*>(chunk), size);
    out[5] = char(flags);
    return out;
}

bool readExactly(int fd, int count)
{
    char buffer[256];
    while (count > 0)
    {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 2000) <= 0)
            return false;
        const ssize_t n = ::read(fd, buffer, size_t(std::min<int>(count, sizeof(buffer))));
        if (n <= 0)
            return false;
        count -= int(n);
    }
    return true;
}

// The timer exchange by hand: request, the unit's acknowledgement and reply, our acknowledgement.
double rawPerSecond(const QString& port)
{
    const int fd = ::open(port.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0)
        return 0;
    termios tio{};
    tcgetattr(fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
    const QByteArray request = frame(1, 0x10, QByteArray(1, char(HLP_REPORT_TIME)));
    const QByteArray ack = frame(1, 0x20, QByteArray());
    const int answer = 10 + 10 + SHLP_ReportTime::SIZE; // acknowledgement and reply
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < EXCHANGES; ++i)
    {
        if (::write(fd, request.constData(), size_t(request.size())) != request.size() ||
            !readExactly(fd, answer) || ::write(fd, ack.constData(), size_t(ack.size())) != ack.size())
        {
            ::close(fd);
            return 0;
        }
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    ::close(fd);
    return EXCHANGES / seconds;
}

double linkPerSecond(const QString& port)
{
    CBenchFan fan;
    if (!fan.openComPort(port))
        return 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < EXCHANGES; ++i)
    {
        UINT16 day = 0;
        if (!fan.getTimer(&day, nullptr, nullptr, nullptr, nullptr))
            return 0;
    }
    return EXCHANGES / (clock.nsecsElapsed() / 1e9);
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    unitsim::CSimUnit unit;
    if (!unit.start())
    {
        std::fprintf(stderr, "bench_link: no pseudo-terminal\n");
        return 1;
    }
    QVector<double> raw, link;
    for (int round = 0; round < ROUNDS; ++round)
    {
        raw << rawPerSecond(unit.portName());
        link << linkPerSecond(unit.portName());
        unit.clearRecords();
    }
    unit.stop();
    if (median(raw) <= 0 || median(link) <= 0)
    {
        std::fprintf(stderr, "bench_link: an exchange failed\n");
        return 1;
    }
    std::printf("timer request/reply over a pseudo-terminal, %d exchanges, median of %d rounds\n", EXCHANGES,
                ROUNDS);
    std::printf("  raw round trip of the same bytes: %8.0f exchanges/s\n", median(raw));
    std::printf("  unit class and link protocol:     %8.0f exchanges/s\n", median(link));
    std::printf("  ratio raw/link:                   %8.2f\n", median(raw) / median(link));
    return 0;
}
