#include "TsMessages.h"

#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

// Every current text of the three German translation files, as the programs load them (the .qm
// files lrelease makes of the .ts files), is translated and keeps what the program or Qt fills
// in or interprets: %-placeholders, accelerators, line breaks and HTML tags.
namespace
{
QStringList sortedMatches(const QRegularExpression& re, const QString& str)
{
    QStringList found;
    for (auto it = re.globalMatch(str); it.hasNext();)
        found.append(it.next().captured());
    found.sort();
    return found;
}

// What a translation must keep of its source; empty when it does.
QString mismatch(const QString& strSource, const QString& strTranslation)
{
    if (strTranslation.isEmpty())
        return "untranslated";
    static const QRegularExpression placeholder("%L?\\d+");
    if (sortedMatches(placeholder, strSource) != sortedMatches(placeholder, strTranslation))
        return "placeholders differ";
    if (strSource.count('&') != strTranslation.count('&'))
        return "accelerators differ";
    if (strSource.count('\n') != strTranslation.count('\n'))
        return "line breaks differ";
    static const QRegularExpression tag("<[^>]*>");
    if (sortedMatches(tag, strSource) != sortedMatches(tag, strTranslation))
        return "HTML tags differ";
    return {};
}
} // namespace

class TestGermanTexts : public QObject
{
    Q_OBJECT

private slots:
    void everyTextTranslated_data();
    void everyTextTranslated();
    void faultsAreSeen_data();
    void faultsAreSeen();
};

void TestGermanTexts::everyTextTranslated_data()
{
    QTest::addColumn<QString>("tsPath");
    QTest::addColumn<QString>("qmPath");
    QTest::addColumn<QString>("knownText"); // context|source|German, proves the right file is read

    const QString ts = QStringLiteral(TS_ROOT);
    const QString qm = QStringLiteral(QM_DIR);
    QTest::newRow("common") << ts + "/Common/translations/common_de.ts" << qm + "/common_de.qm"
                            << QString::fromUtf8(
                                   "CFanBase|Checking for new devices...|Suche nach neuen Geräten...");
    QTest::newRow("rozirar") << ts + "/rozirar/translations/Quorvanix-rozirar_de.ts"
                             << qm + "/Quorvanix-rozirar_de.qm"
                             << QString::fromUtf8("COverviewScene|Outdoor|Außenluft");
    QTest::newRow("update") << ts + "/update/translations/Quorvanix-update_de.ts"
                            << qm + "/Quorvanix-update_de.qm"
                            << QString::fromUtf8("CMainDialog|Close|Schließen");
}

void TestGermanTexts::everyTextTranslated()
{
    QFETCH(QString, tsPath);
    QFETCH(QString, qmPath);
    QFETCH(QString, knownText);

    QString strError;
    const QList<SMessage> messages = currentMessages(tsPath, strError);
    QVERIFY2(strError.isEmpty(), qPrintable(strError));
    QVERIFY(messages.size() > 10);
    QTranslator translator;
    QVERIFY(translator.load(qmPath));

    const QStringList known = knownText.split('|');
    QCOMPARE(translator.translate(qPrintable(known[0]), qPrintable(known[1])), known[2]);

    QStringList faults;
    for (const SMessage& m : messages)
    {
        const QByteArray context = m.context.toUtf8(), source = m.source.toUtf8(),
                         comment = m.comment.toUtf8();
        if (m.bUnfinished)
            faults.append(QString("%1 \"%2\": unfinished").arg(m.context, m.source));
        const QList<int> counts = m.bNumerus ? QList<int>{1, 2} : QList<int>{-1};
        for (int n : counts)
        {
            const QString strFault = mismatch(
                m.source,
                translator.translate(context, source, comment.isEmpty() ? nullptr : comment.constData(), n));
            if (!strFault.isEmpty())
                faults.append(QString("%1 \"%2\": %3").arg(m.context, m.source, strFault));
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
}

void TestGermanTexts::faultsAreSeen_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<QString>("fault");

    QTest::newRow("kept") << "Delete all data with serial number %1?"
                          << QString::fromUtf8("Alle Daten mit der Seriennummer %1 löschen?") << "";
    QTest::newRow("placeholders reordered") << "%1 of %2"
                                            << "%2 von %1"
                                            << "";
    QTest::newRow("missing") << "Close"
                             << ""
                             << "untranslated";
    QTest::newRow("placeholder lost") << "Updating %1 ..."
                                      << "Aktualisierung ..."
                                      << "placeholders differ";
    QTest::newRow("placeholder renumbered") << "%1 detected!"
                                            << "%2 erkannt!"
                                            << "placeholders differ";
    QTest::newRow("placeholder doubled") << "Runtime: %1:%2"
                                         << "Laufzeit: %1:%1"
                                         << "placeholders differ";
    QTest::newRow("accelerator lost") << "&Update Firmware"
                                      << "Firmware aktualisieren"
                                      << "accelerators differ";
    QTest::newRow("line break lost") << "Unable to open file '%1'.\n%2"
                                     << "Datei '%1' nicht lesbar. %2"
                                     << "line breaks differ";
    QTest::newRow("tag lost") << "<p>A</p><ol><li>B</li></ol>"
                              << "<p>A</p><ol>B</li></ol>"
                              << "HTML tags differ";
}

void TestGermanTexts::faultsAreSeen()
{
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QTEST(mismatch(source, translation), "fault");
}

QTEST_GUILESS_MAIN(TestGermanTexts)
#include "tst_germantexts.moc"
