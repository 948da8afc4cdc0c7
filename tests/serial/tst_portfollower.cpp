#include "PortEnumerator.h"
#include "PortFollower.h"
#include "PtyPair.h"
#include "TestFiles.h"

#include <QSignalSpy>
#include <QtTest>
#include <memory>
#include <vector>

namespace
{
enum EStep
{
    UNPLUG,      // the unit's port goes (its name with it)
    PLUG,        // a unit comes under the name, on a device node of its own
    CHMOD,       // the permissions of the node the name leads to change
    SCAN,        // the enumerator compares the ports with its last scan
    LOOK,        // the program looks at the ports itself
    BEGIN,       // a transfer starts
    END,         // the transfer ends, and control is back in the event loop
    END_FAILED,  // the same, with the port's device failed under it
    OPEN_FAILED, // the program could not open the port reported
};

const QString UNIT = QStringLiteral("unit"); // the unit's port in the reports expected
} // namespace

// The follower against pseudo-terminals offered under one name (a link the test owns, as a USB
// adapter keeps its device name when it is plugged in again), with the port list scanned by hand.
class TestPortFollower : public QObject
{
    Q_OBJECT

    QTemporaryDir m_Dir;
    QString m_strLink;
    std::vector<std::unique_ptr<SPtyPair>> m_Ptys; // kept open: each new one is another node

    bool plug()
    {
        m_Ptys.emplace_back(new SPtyPair);
        return m_Ptys.back()->open() && QFile::link(m_Ptys.back()->path, m_strLink);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_Dir.isValid());
        m_strLink = m_Dir.filePath(QStringLiteral("unit"));
    }
    void cleanup()
    {
        qunsetenv(CPortEnumerator::UNIT_PORT_VARIABLE);
        QFile::remove(m_strLink);
        m_Ptys.clear();
    }

    void follows_data();
    void follows();
    void excludedPortIsNeverFollowed();
};

void TestPortFollower::follows_data()
{
    QTest::addColumn<QList<int>>("steps");
    QTest::addColumn<QStringList>("reports"); // what the follower reports after the first port

    QTest::newRow("removal, then arrival") << QList<int>{UNPLUG, SCAN, PLUG, SCAN} << QStringList{"", UNIT};
    QTest::newRow("re-plug between two scans") << QList<int>{UNPLUG, PLUG, SCAN} << QStringList{UNIT};
    QTest::newRow("re-plug no scan has seen") << QList<int>{UNPLUG, PLUG, LOOK} << QStringList{UNIT};
    QTest::newRow("nothing changed") << QList<int>{SCAN, LOOK} << QStringList{};
    QTest::newRow("permission change") << QList<int>{CHMOD, SCAN, LOOK} << QStringList{};
    QTest::newRow("permission change after a re-plug")
        << QList<int>{UNPLUG, PLUG, SCAN, CHMOD, SCAN} << QStringList{UNIT};
    QTest::newRow("permission change under a transfer")
        << QList<int>{BEGIN, CHMOD, SCAN, END} << QStringList{};
    QTest::newRow("removal under a transfer") << QList<int>{BEGIN, UNPLUG, SCAN, END} << QStringList{""};
    QTest::newRow("re-plug under a transfer")
        << QList<int>{BEGIN, UNPLUG, SCAN, PLUG, SCAN, END} << QStringList{UNIT};
    QTest::newRow("re-plug under nested transfers")
        << QList<int>{BEGIN, BEGIN, UNPLUG, PLUG, SCAN, END, END} << QStringList{UNIT};
    QTest::newRow("failure under a transfer") << QList<int>{BEGIN, END_FAILED} << QStringList{UNIT};
    QTest::newRow("port that could not be opened")
        << QList<int>{OPEN_FAILED, SCAN, LOOK} << QStringList{UNIT};
}

void TestPortFollower::follows()
{
    QFETCH(QList<int>, steps);
    QFETCH(QStringList, reports);
    QVERIFY(plug());
    qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, m_strLink.toLocal8Bit());
    CPortEnumerator enumerator;
    enumerator.setPollInterval(3600 * 1000); // scans only where a step says so
    enumerator.setUpNotifications(CPortEnumerator::Polling);
    CPortFollower follower;
    // as the programs do
    connect(&enumerator, &CPortEnumerator::deviceDiscovered, &follower, &CPortFollower::update);
    connect(&enumerator, &CPortEnumerator::deviceRemoved, &follower, &CPortFollower::update);
    QSignalSpy spy(&follower, &CPortFollower::signalPortChanged);
    follower.update();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().first().toString(), m_strLink);

    QList<int> reportsAtBegin;
    for (int step : steps)
        switch (step)
        {
        case UNPLUG:
            QVERIFY(QFile::remove(m_strLink));
            break;
        case PLUG:
            QVERIFY(plug());
            break;
        case CHMOD:
        {
            // The enumerator sees another node: what the follower must not take for one.
            const QString strBefore = CPortEnumerator::getPorts().last().nodeIdentity;
            QVERIFY(TestFiles::changePermissions(m_strLink));
            QVERIFY(CPortEnumerator::getPorts().last().nodeIdentity != strBefore);
            break;
        }
        case SCAN:
            enumerator.rescan();
            break;
        case LOOK:
            follower.update();
            break;
        case BEGIN:
            follower.beginTransfer();
            reportsAtBegin << spy.count();
            break;
        case END:
        case END_FAILED:
            QCOMPARE(spy.count(), reportsAtBegin.takeLast()); // nothing while the transfer runs
            follower.endTransfer(step == END_FAILED);
            QVERIFY(reportsAtBegin.isEmpty() || spy.count() == reportsAtBegin.last());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
            break;
        case OPEN_FAILED:
            follower.portFailed();
            break;
        }

    QStringList reported;
    for (const QList<QVariant>& args : spy)
        reported << (args.first().toString() == m_strLink ? UNIT : args.first().toString());
    QCOMPARE(reported, reports);
    QCOMPARE(follower.port(), reports.isEmpty() || reports.last() == UNIT ? m_strLink : QString());
}

// The updater's option that leaves a port alone (compared ignoring case, as it is typed).
void TestPortFollower::excludedPortIsNeverFollowed()
{
    QVERIFY(plug());
    qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, m_strLink.toLocal8Bit());
    CPortFollower follower(m_strLink.toUpper());
    QSignalSpy spy(&follower, &CPortFollower::signalPortChanged);
    follower.update();
    QCOMPARE(spy.count(), 0);
    QVERIFY(follower.port().isEmpty());
}

QTEST_GUILESS_MAIN(TestPortFollower)
#include "tst_portfollower.moc"
