#include "SimUnit.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace unitsim;

// unit-identify against the simulated unit on a pseudo-terminal.
class TestIdentify : public QObject
{
    Q_OBJECT

private slots:
    void printsTheUnitAndEveryValueOfItsState_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<QString>("otherType");
        QTest::addColumn<QStringList>("keyedValues");

        const QStringList errorPlace = {"ErrorFileNr", "ErrorLineNr", "ErrorCode", "DIPSwitch"};
        QTest::newRow("tolVane100") << int(EUnitType::TolVane100) << "tolVane100"
                                    << "tolVane plus"
                                    << errorPlace + QStringList{"VentPosExtract",     "VentPosBypass",
                                                                "VentPosBath",        "VentPosSupply",
                                                                "VentCtrlSetExtract", "VentCtrlSetBypass",
                                                                "VentCtrlSetBath",    "VentCtrlSetSupply",
                                                                "FilterSupplyFull",   "FilterExtractFull"};
        QTest::newRow("tolVane plus") << int(EUnitType::TolVanePlus) << "tolVane plus"
                                      << "tolVane100" << errorPlace;
    }

    void printsTheUnitAndEveryValueOfItsState()
    {
        QFETCH(int, type);
        QFETCH(QString, typeName);
        QFETCH(QString, otherType);
        QFETCH(QStringList, keyedValues);
        CSimUnit sim(SSimUnitModel::make(EUnitType(type), 77));
        QVERIFY(sim.start());

        QProcess tool;
        tool.start(QStringLiteral(IDENTIFY_PROGRAM), {sim.portName()});
        QVERIFY(tool.waitForFinished(30000));
        const QString out = QString::fromUtf8(tool.readAllStandardOutput());
        const QString all = out + QString::fromUtf8(tool.readAllStandardError());

        QCOMPARE(tool.exitCode(), 0);
        QVERIFY2(out.contains("Serial number:        77\n"), qPrintable(out));
        QVERIFY2(out.contains("Unit type:            " + typeName + "\n"), qPrintable(out));
        QVERIFY2(!all.contains(otherType), qPrintable(all));
        QVERIFY2(out.contains(QRegularExpression("\n  Operation mode +\\w+ *\n")), qPrintable(out));
        // values the dictionary describes by no text are shown by their key
        for (const QString& key : keyedValues)
            QVERIFY2(out.contains(QRegularExpression("\n  " + key + " +-?\\d+ *\n")), qPrintable(key));
    }
};

QTEST_MAIN(TestIdentify)
#include "tst_identify.moc"
