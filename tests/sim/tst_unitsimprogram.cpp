#include "TestLine.h"

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

// The simulator program as the demo runs it.
class TestUnitSimProgram : public QObject
{
    Q_OBJECT

private slots:
    void printsItsPortAndServesUntilStdinCloses()
    {
        QProcess sim;
        sim.start(QStringLiteral(UNITSIM_PROGRAM),
                  {QStringLiteral("--type"), QStringLiteral("tolVane100"), QStringLiteral("--serial"),
                   QStringLiteral("4711"), QStringLiteral("--boot"), QStringLiteral("2.05"),
                   QStringLiteral("--app"), QStringLiteral("3.07"), QStringLiteral("--third"),
                   QStringLiteral("9.85"), QStringLiteral("--hw"), QStringLiteral("7"),
                   QStringLiteral("--in-bootloader")});
        QVERIFY(sim.waitForStarted());
        QVERIFY(sim.waitForReadyRead(5000));
        const QString port = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY2(QFileInfo::exists(port), qPrintable(port));

        CTestLine line;
        QVERIFY(line.open(port));
        line.write(CTestLine::frame(1, 0, QByteArray(1, char(1))));
        // serial 4711, hardware 7, bootloader running (1), 2.05, 3.07, third 9.85, tolVane100
        const QByteArray ident =
            QByteArray::fromHex("0267120000000701000205030752150000000000000000000000000000000000"
                                "00000000000000");
        const QByteArray expected =
            QByteArray::fromHex("7178766f01200000ffff") + CTestLine::frame(1, 0x10, ident);
        QCOMPARE(line.read(expected.size()).toHex(), expected.toHex());
        line.close();

        sim.closeWriteChannel();
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);
    }

    void refusesBadOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unit type") << QStringList{QStringLiteral("--type"), QStringLiteral("tolVane200")};
        QTest::newRow("serial number") << QStringList{QStringLiteral("--serial"), QStringLiteral("12a")};
        QTest::newRow("version") << QStringList{QStringLiteral("--app"), QStringLiteral("2")};
        QTest::newRow("third version too big")
            << QStringList{QStringLiteral("--third"), QStringLiteral("32.0")};
    }

    void refusesBadOptions()
    {
        QFETCH(QStringList, arguments);
        QProcess sim;
        sim.start(QStringLiteral(UNITSIM_PROGRAM), arguments);
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(sim.readAllStandardOutput().isEmpty());
        QVERIFY(sim.readAllStandardError().startsWith("tolvane-unitsim: "));
    }
};

QTEST_GUILESS_MAIN(TestUnitSimProgram)
#include "tst_unitsimprogram.moc"
