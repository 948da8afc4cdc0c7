#include "UpdateDecision.h"

#include <QtTest>

Q_DECLARE_METATYPE(SHLP_IdentData)

// Which images a unit needs, from its identification and the shipped versions 2.12.
class TestUpdateDecision : public QObject
{
    Q_OBJECT

private slots:
    void decide_data();
    void decide();
    void versionTexts_data();
    void versionTexts();
};

namespace
{
SHLP_IdentData ident(int bootMain, int bootSub, int appMain, int appSub, bool bPlus = false, int flags = 0,
                     int running = 1)
{
    SHLP_IdentData record;
    record.m_BootMainVer = UINT8(bootMain);
    record.m_BootSubVer = UINT8(bootSub);
    record.m_AppMainVer = UINT8(appMain);
    record.m_AppSubVer = UINT8(appSub);
    record.m_b70 = bPlus;
    record.m_Flags = UINT8(flags);
    record.m_RunningPart = UINT8(running);
    return record;
}
} // namespace

void TestUpdateDecision::decide_data()
{
    QTest::addColumn<SHLP_IdentData>("record");
    QTest::addColumn<bool>("forceBoot");
    QTest::addColumn<bool>("forceApp");
    // Expected flags as a string: boot, application, Wi-Fi module, bridge, old boot, not updatable, de-icing.
    QTest::addColumn<QString>("expected");

    QTest::newRow("application equal is written again") << ident(2, 12, 2, 12) << false << false << "-AW---D";
    QTest::newRow("application newer is left") << ident(2, 12, 2, 13) << false << false << "------D";
    QTest::newRow("application newer, forced") << ident(2, 12, 2, 13) << false << true << "-AW---D";
    QTest::newRow("bootloader older") << ident(2, 11, 2, 13) << false << false << "B-----D";
    QTest::newRow("bootloader equal, forced") << ident(2, 12, 2, 13) << true << false << "B-----D";
    QTest::newRow("bootloader newer") << ident(2, 13, 2, 13) << false << false << "------D";
    QTest::newRow("application 2.01 needs the bridge") << ident(2, 12, 2, 1) << false << false << "-AWb--D";
    QTest::newRow("application 1.03 needs the bootloader")
        << ident(2, 12, 1, 3, true) << false << false << "BAW----";
    QTest::newRow("application 1.x on a tolVane100") << ident(2, 12, 1, 5) << false << false << "-AW--N-";
    QTest::newRow("application 1.x on a plus unit")
        << ident(2, 12, 1, 5, true) << false << false << "-AW----";
    QTest::newRow("bootloader 1.x is old") << ident(1, 20, 2, 12) << false << false << "BAW-O-D";
    QTest::newRow("unit asks for everything") << ident(2, 13, 2, 13, false, 1) << false << false << "BAW---D";
    QTest::newRow("de-icing needs application 1.20")
        << ident(2, 12, 1, 19, true) << false << false << "-AW----";
    QTest::newRow("de-icing from 1.20 and 1.20") << ident(1, 20, 1, 20, true) << false << false << "BAW-O-D";
}

void TestUpdateDecision::decide()
{
    QFETCH(SHLP_IdentData, record);
    QFETCH(bool, forceBoot);
    QFETCH(bool, forceApp);
    QFETCH(QString, expected);

    const SUpdateNeeds needs = CUpdateDecision::decide(record, {{2, 12}, {2, 12}}, forceBoot, forceApp);
    const QString actual = QString() + (needs.bootloaderNeeded ? 'B' : '-') +
                           (needs.applicationNeeded ? 'A' : '-') + (needs.wifiModuleNeeded ? 'W' : '-') +
                           (needs.wifiBridgeNeeded ? 'b' : '-') + (needs.oldBootloader ? 'O' : '-') +
                           (needs.notUpdatable ? 'N' : '-') + (needs.deIceAvailable ? 'D' : '-');
    QCOMPARE(actual, expected);
}

void TestUpdateDecision::versionTexts_data()
{
    QTest::addColumn<int>("running");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("bootloader");

    QTest::newRow("nothing identified") << 0 << 0 << "2.05.-";
    QTest::newRow("bootloader 1") << 1 << 0 << "2.05.A";
    QTest::newRow("bootloader 2, forced") << 2 << 1 << "2.05.BX";
    QTest::newRow("application") << 3 << 0 << "2.05.C";
    QTest::newRow("corrupted code") << 7 << 0 << "2.05.-";
}

void TestUpdateDecision::versionTexts()
{
    QFETCH(int, running);
    QFETCH(int, flags);
    QFETCH(QString, bootloader);

    SHLP_IdentData record = ident(2, 5, 2, 1, false, flags, running);
    record.m_WifiMainVer = 3;
    record.m_WifiSubVer = 7;
    QCOMPARE(CUpdateDecision::bootloaderText(record), bootloader);
    QCOMPARE(CUpdateDecision::applicationVersion(record).text(), QStringLiteral("2.01"));
    QCOMPARE(CUpdateDecision::wifiVersion(record).text(), QStringLiteral("3.07"));
}

QTEST_GUILESS_MAIN(TestUpdateDecision)
#include "tst_updatedecision.moc"
