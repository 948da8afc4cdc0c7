#include "PtyPair.h"
#include "SerialPort.h"

#include <QElapsedTimer>
#include <QtTest>

// The port is used without an event loop, as the polling thread uses it.
class TestSerialPort : public QObject
{
    Q_OBJECT

    // Polls bytesAvailable (no event loop) until `count` bytes are there or 2 s passed.
    static qint64 awaitBytes(CSerialPort& port, qint64 count)
    {
        QElapsedTimer timer;
        timer.start();
        qint64 n = 0;
        while ((n = port.bytesAvailable()) < count && timer.elapsed() < 2000)
            QThread::msleep(1);
        return n;
    }

private slots:
    void bytesBothWaysWithoutEventLoop()
    {
        SPtyPair pty;
        QVERIFY(pty.open());
        CSerialPort port(pty.path);
        QCOMPARE(port.queryMode(), CSerialPort::Polling);
        QVERIFY(port.open(QIODevice::ReadWrite));
        QCOMPARE(port.portName(), pty.path);

        const QByteArray out = QByteArray::fromHex("7178766f0110010013a2c3");
        QCOMPARE(port.write(out), qint64(out.size()));
        QCOMPARE(pty.read(out.size()).toHex(), out.toHex());

        QCOMPARE(port.bytesAvailable(), qint64(0));
        QByteArray in;
        for (int i = 0; i < 300; ++i)
            in.append(char(i));
        QVERIFY(pty.write(in));
        QCOMPARE(awaitBytes(port, in.size()), qint64(in.size()));
        QCOMPARE(port.read(10), in.left(10));
        QCOMPARE(port.bytesAvailable(), qint64(in.size() - 10));
        QCOMPARE(port.read(1000), in.mid(10));
        QCOMPARE(port.bytesAvailable(), qint64(0));
    }

    // The link's idle poll: a wait that ends with the first bytes, or at once while some are held.
    void waitForReadyReadEndsWithTheBytes()
    {
        SPtyPair pty;
        QVERIFY(pty.open());
        CSerialPort port(pty.path);
        QVERIFY(!port.waitForReadyRead(1)); // not open
        QVERIFY(port.open(QIODevice::ReadWrite));
        QVERIFY(!port.waitForReadyRead(1));

        QVERIFY(pty.write("abc"));
        QVERIFY(port.waitForReadyRead(2000));
        QCOMPARE(port.read(1), QByteArray("a"));
        QVERIFY(port.waitForReadyRead(0)); // the rest is still held
        QCOMPARE(port.read(2), QByteArray("bc"));
        QVERIFY(!port.waitForReadyRead(1));
    }

    void writeToAClosedPortFails()
    {
        SPtyPair pty;
        QVERIFY(pty.open());
        CSerialPort port(pty.path);
        QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (CSerialPort): device not open");
        QCOMPARE(port.write("x", 1), qint64(-1));
        QVERIFY(port.open(QIODevice::ReadWrite));
        port.close();
        QVERIFY(!port.isOpen());
        QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (CSerialPort): device not open");
        QCOMPARE(port.write("x", 1), qint64(-1));
        QCOMPARE(port.bytesAvailable(), qint64(0));
    }

    void openingAMissingPortFails()
    {
        CSerialPort port(QStringLiteral("/dev/tolvane-no-such-port"));
        QVERIFY(!port.open(QIODevice::ReadWrite));
        QVERIFY(!port.isOpen());
    }

    // The far end goes away (the unit is unplugged): writes report -1, reads find nothing
    // and return at once.
    void vanishedPort()
    {
        SPtyPair pty;
        QVERIFY(pty.open());
        CSerialPort port(pty.path);
        QVERIFY(port.open(QIODevice::ReadWrite));
        QVERIFY(pty.write("abc"));
        QCOMPARE(awaitBytes(port, 3), qint64(3));
        QCOMPARE(port.read(3), QByteArray("abc"));

        pty.close();
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(port.bytesAvailable(), qint64(0));
        QVERIFY(port.read(100).isEmpty());
        QCOMPARE(port.write("hello", 5), qint64(-1));
        QCOMPARE(port.write("hello", 5), qint64(-1));
        QVERIFY(timer.elapsed() < CSerialPort::WRITE_TIMEOUT_MS);

        // The unit comes back (on the same device path when the system reuses it).
        port.close();
        SPtyPair back;
        QVERIFY(back.open());
        port.setPortName(back.path);
        QVERIFY(port.open(QIODevice::ReadWrite));
        QCOMPARE(port.write("again", 5), qint64(5));
        QCOMPARE(back.read(5), QByteArray("again"));
    }

    // Reopening the same path after the other side changed works (the enumerator's "same
    // port again" check hands the same name back).
    void reopen()
    {
        SPtyPair pty;
        QVERIFY(pty.open());
        CSerialPort port(pty.path);
        QVERIFY(port.open(QIODevice::ReadWrite));
        QVERIFY(!port.open(QIODevice::ReadWrite)); // already open
        port.close();
        QVERIFY(port.open(QIODevice::ReadWrite));
        QVERIFY(pty.write("z"));
        QCOMPARE(awaitBytes(port, 1), qint64(1));
        QCOMPARE(port.read(1), QByteArray("z"));
    }
};

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serialport.moc"
