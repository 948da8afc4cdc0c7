#include "PortEnumerator.h"
#include "PtyPair.h"

#include <QSignalSpy>
#include <QtTest>

namespace
{
const CPortInfo* find(const QList<CPortInfo>& ports, const QString& name)
{
    for (const CPortInfo& p : ports)
        if (p.portName == name)
            return &p;
    return nullptr;
}
} // namespace

class TestPortEnumerator : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { qunsetenv(CPortEnumerator::UNIT_PORT_VARIABLE); }

    void environmentPortIsTheUnit()
    {
        SPtyPair pty;
        QVERIFY(pty.open());
        QVERIFY(!find(CPortEnumerator::getPorts(), pty.path));

        qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, pty.path.toLocal8Bit());
        const QList<CPortInfo> ports = CPortEnumerator::getPorts();
        QVERIFY(!ports.isEmpty());
        const CPortInfo& unit = ports.last();
        QCOMPARE(unit.portName, pty.path);
        QCOMPARE(unit.vendorID, 0x0409);
        QCOMPARE(unit.productID, 0x01D9);
        QVERIFY(!unit.friendName.isEmpty());
    }

    void environmentPortThatDoesNotExist()
    {
        qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, "/dev/pts/tolvane-missing");
        QVERIFY(!find(CPortEnumerator::getPorts(), QStringLiteral("/dev/pts/tolvane-missing")));
    }

    // The variable names a link the test owns, so that no other process can bring the
    // name back by opening a pty that gets the same number.
    void removalAndArrivalArePolled()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("unit"));
        SPtyPair first, second;
        QVERIFY(first.open() && second.open());
        QVERIFY(QFile::link(first.path, link));
        qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, link.toLocal8Bit());

        CPortEnumerator enumerator;
        enumerator.setUpNotifications(CPortEnumerator::Polling);
        QVERIFY(!enumerator.usesUdev());
        QSignalSpy discovered(&enumerator, &CPortEnumerator::deviceDiscovered);
        QSignalSpy removed(&enumerator, &CPortEnumerator::deviceRemoved);

        enumerator.rescan();
        QCOMPARE(discovered.count() + removed.count(), 0); // the baseline is not news

        QVERIFY(QFile::remove(link)); // the unit goes away
        enumerator.rescan();
        QCOMPARE(removed.count(), 1);
        const CPortInfo gone = removed.first().first().value<CPortInfo>();
        QCOMPARE(gone.portName, link);
        QCOMPARE(gone.vendorID, 0x0409);
        QCOMPARE(gone.productID, 0x01D9);
        QCOMPARE(discovered.count(), 0);

        QVERIFY(QFile::link(second.path, link)); // and comes back, on another pty
        enumerator.rescan();
        QCOMPARE(discovered.count(), 1);
        QCOMPARE(discovered.first().first().value<CPortInfo>().portName, link);
        QCOMPARE(removed.count(), 1);

        // Talking through the port is no change; another device under the name between two
        // scans is a removal and an arrival, though the name stays.
        QCOMPARE(::write(second.slave, "x", 1), 1);
        char c = 0;
        QCOMPARE(::read(second.master, &c, 1), 1);
        enumerator.rescan();
        QCOMPARE(discovered.count() + removed.count(), 2);
        QVERIFY(QFile::remove(link) && QFile::link(first.path, link));
        enumerator.rescan();
        QCOMPARE(removed.count(), 2);
        QCOMPARE(removed.last().first().value<CPortInfo>().portName, link);
        QCOMPARE(discovered.count(), 2);
        QCOMPARE(discovered.last().first().value<CPortInfo>().portName, link);
    }

    void pollingRunsByItself()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("unit"));
        SPtyPair pty;
        QVERIFY(pty.open());
        QVERIFY(QFile::link(pty.path, link));
        qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, link.toLocal8Bit());
        CPortEnumerator enumerator;
        enumerator.setPollInterval(5);
        enumerator.setUpNotifications(CPortEnumerator::Polling);
        QSignalSpy removed(&enumerator, &CPortEnumerator::deviceRemoved);
        QVERIFY(QFile::remove(link));
        QVERIFY(removed.wait(5000));
    }
};

QTEST_GUILESS_MAIN(TestPortEnumerator)
#include "tst_portenumerator.moc"
