#include "AppSettings.h"
#include "ModalAnswerer.h"
#include "wlantab.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

namespace
{
// The settings' unscrambling, written out here as the stored format defines it: a running XOR
// with the key a73e51c90b76d24f, then 32 leading bytes dropped.
QByteArray unscrambled(const QByteArray& stored)
{
    const QByteArray key = QByteArray::fromHex("a73e51c90b76d24f");
    QByteArray bytes = stored;
    char prev = 0;
    for (int i = 0; i < bytes.size(); ++i)
    {
        const char x = bytes[i];
        bytes[i] = char(x ^ key[i % 8] ^ prev);
        prev = x;
    }
    return bytes.mid(32);
}

// "Geheim1!" behind the random bytes 0..31.
const char* const STORED_GEHEIM =
    "a798cb010e7da9e14e7922e0e79c4000b798db011e7db9e15e7932e0f79c5000e0bb822e4c57b4da";
// "Pässwort" in Latin-1 behind 32 zero bytes.
const char* const STORED_PAESSWORT =
    "a799c8010a7caee1467829e0eb9d4f00a799c8010a7caee1467829e0eb9d4f00f72d0fb5c9d0704b";
// 20 bytes: shorter than the random part.
const char* const STORED_SHORT = "a798cb010e7da9e14e7922e0e79c4000b798db01";

QByteArray addressOf(const QVariant& argument)
{
    const SIpAddress address = argument.value<SIpAddress>();
    return QByteArray(reinterpret_cast<const char*>(address.m_Bytes), 4);
}

struct SEntries
{
    QString wlanName = QStringLiteral("HomeNet");
    QString wlanPassword = QStringLiteral("wlan-secret");
    QString key = QStringLiteral("unit1234");
    QString unitName = QStringLiteral("Kitchen");
    QString email1 = QStringLiteral("alice@example.org");
    QString email2;
    QStringList ip = {QStringLiteral("192"), QStringLiteral("168"), QStringLiteral("1"),
                      QStringLiteral("20")};
};
} // namespace

class TestWLANTab : public QObject
{
    Q_OBJECT

private:
    static QLineEdit* edit(CWLANTab& tab, const QString& name) { return tab.findChild<QLineEdit*>(name); }
    static QPushButton* button(CWLANTab& tab, const char* name)
    {
        return tab.findChild<QPushButton*>(QLatin1String(name));
    }

    static void enter(CWLANTab& tab, const SEntries& e)
    {
        edit(tab, "m_pLEWLANName")->setText(e.wlanName);
        edit(tab, "m_pLEWLANPassword")->setText(e.wlanPassword);
        edit(tab, "m_pLEtolVanePassword")->setText(e.key);
        edit(tab, "m_pLEtolVaneName")->setText(e.unitName);
        edit(tab, "m_pLEEmail1")->setText(e.email1);
        edit(tab, "m_pLEEmail2")->setText(e.email2);
        for (int i = 0; i < 4; ++i)
            edit(tab, QStringLiteral("m_pLEIPByte%1").arg(i))->setText(e.ip.value(i));
    }

    // A connected, Wi-Fi-capable tolVane100.
    static void connectUnit(CWLANTab& tab, int nSerialNr = 1234)
    {
        g_bWifiAvailable = true;
        tab.onRozirarionStateChanged(STATE_OK, nSerialNr, false);
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<SIpAddress>("SIpAddress");
        QCoreApplication::setOrganizationName(QStringLiteral("Quorvanix"));
        QCoreApplication::setApplicationName(QStringLiteral("tolVane-Vozudoz"));
    }

    void init()
    {
        QSettings().clear();
        g_bWifiAvailable = false;
    }

    void fieldsComeFromTheSettings()
    {
        {
            QSettings settings;
            settings.setValue("WLANName", "HomeNet");
            settings.setValue("WLANPassword", QByteArray::fromHex(STORED_PAESSWORT));
            settings.setValue("tolVanePassword", QByteArray::fromHex(STORED_GEHEIM));
            settings.setValue("tolVaneName", "Küche");
            settings.setValue("Email1", "a@b.de");
            settings.setValue("IPByte0", 10);
            settings.setValue("IPByte3", 255);
        }
        CWLANTab tab;
        QCOMPARE(tab.getTitle(), QStringLiteral("WiFi Setup"));
        QCOMPARE(edit(tab, "m_pLEWLANName")->text(), QStringLiteral("HomeNet"));
        QCOMPARE(edit(tab, "m_pLEWLANPassword")->text(), QStringLiteral("Pässwort"));
        QCOMPARE(edit(tab, "m_pLEtolVanePassword")->text(), QStringLiteral("Geheim1!"));
        QCOMPARE(edit(tab, "m_pLEtolVaneName")->text(), QStringLiteral("Küche"));
        QCOMPARE(edit(tab, "m_pLEEmail1")->text(), QStringLiteral("a@b.de"));
        QCOMPARE(edit(tab, "m_pLEEmail2")->text(), QString());
        QCOMPARE(edit(tab, "m_pLEIPByte0")->text(), QStringLiteral("10"));
        QCOMPARE(edit(tab, "m_pLEIPByte1")->text(), QString());
        QCOMPARE(edit(tab, "m_pLEIPByte3")->text(), QStringLiteral("255"));
    }

    void aStoredPasswordShorterThanTheRandomPartReadsEmpty()
    {
        QSettings().setValue("tolVanePassword", QByteArray::fromHex(STORED_SHORT));
        CWLANTab tab;
        QCOMPARE(edit(tab, "m_pLEtolVanePassword")->text(), QString());
    }

    void buttonsFollowConnectionPasswordAndWifiFlag()
    {
        CWLANTab tab;
        enter(tab, SEntries());
        QPushButton* pUpdate = button(tab, "m_pPBUpdate");
        QPushButton* pDelete = button(tab, "m_pDeleteCred");
        QVERIFY(!edit(tab, "m_pLESerialNr")->isEnabled());

        // Without Wi-Fi support the tab never touches its buttons.
        tab.onRozirarionStateChanged(STATE_OK, 55, false);
        QVERIFY(!pUpdate->isEnabled());
        QCOMPARE(edit(tab, "m_pLESerialNr")->text(), QStringLiteral("55"));

        g_bWifiAvailable = true;
        tab.onGUIChanged();
        QVERIFY(pUpdate->isEnabled());
        QVERIFY(pDelete->isEnabled());

        edit(tab, "m_pLEtolVanePassword")->clear();
        QVERIFY(!pUpdate->isEnabled());
        QVERIFY(pDelete->isEnabled());
        edit(tab, "m_pLEtolVanePassword")->setText("abcd");

        // A plus unit in state ok leaves the active flag as it was.
        tab.onRozirarionStateChanged(STATE_OK, 77, true);
        QVERIFY(pUpdate->isEnabled());
        QCOMPARE(edit(tab, "m_pLESerialNr")->text(), QStringLiteral("77"));

        tab.onRozirarionStateChanged(STATE_COMMUNICATION_ERROR, 55, false);
        QCOMPARE(edit(tab, "m_pLESerialNr")->text(), QStringLiteral("--"));
        QVERIFY(!pUpdate->isEnabled());
        QVERIFY(!pDelete->isEnabled());
        tab.onRozirarionStateChanged(STATE_OK, 77, true);
        QVERIFY(!pUpdate->isEnabled());
    }

    void updateSendsChecksAndStores()
    {
        CWLANTab tab;
        connectUnit(tab);
        SEntries e;
        e.wlanPassword = QStringLiteral("Pässwort");
        e.email2 = QStringLiteral("bob.smith+vent@mail.example.com");
        enter(tab, e);
        QSignalSpy sent(&tab, &CWLANTab::setNetworkCredentials);
        CBoxAnswerer boxes(QMessageBox::Ok);

        button(tab, "m_pPBUpdate")->click();

        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Warning);
        QCOMPARE(boxes.seen[0].title, QStringLiteral("Activate WiFi?"));
        QCOMPARE(sent.size(), 1);
        const QList<QVariant> args = sent.takeFirst();
        QCOMPARE(args[0].toString(), QStringLiteral("HomeNet"));
        QCOMPARE(args[1].toString(), QStringLiteral("Pässwort"));
        QCOMPARE(args[2].toString(), QStringLiteral("unit1234"));
        QCOMPARE(args[3].toString(), QStringLiteral("alice@example.org"));
        QCOMPARE(args[4].toString(), e.email2);
        QCOMPARE(args[5].toString(), QStringLiteral("Kitchen"));
        QCOMPARE(args[6].value<quint8>(), quint8(2));
        QCOMPARE(addressOf(args[7]), QByteArray::fromHex("c0a80114"));

        QSettings settings;
        QCOMPARE(settings.value("WLANName").toString(), QStringLiteral("HomeNet"));
        const QByteArray storedWlan = settings.value("WLANPassword").toByteArray();
        QCOMPARE(storedWlan.size(), 32 + 8);
        QCOMPARE(unscrambled(storedWlan), QByteArray("P\xe4sswort"));
        QCOMPARE(unscrambled(settings.value("tolVanePassword").toByteArray()), QByteArray("unit1234"));
        QCOMPARE(settings.value("tolVaneName").toString(), QStringLiteral("Kitchen"));
        QCOMPARE(settings.value("Email1").toString(), QStringLiteral("alice@example.org"));
        QCOMPARE(settings.value("Email2").toString(), e.email2);
        QCOMPARE(settings.value("IPByte0").toInt(), 192);
        QCOMPARE(settings.value("IPByte1").toInt(), 168);
        QCOMPARE(settings.value("IPByte2").toInt(), 1);
        QCOMPARE(settings.value("IPByte3").toInt(), 20);

        // Both buttons wait for the unit's answer.
        QVERIFY(!button(tab, "m_pPBUpdate")->isEnabled());
        QVERIFY(!button(tab, "m_pDeleteCred")->isEnabled());

        // The next tab shows what was stored, the Wi-Fi password included.
        CWLANTab again;
        QCOMPARE(edit(again, "m_pLEWLANPassword")->text(), QStringLiteral("Pässwort"));
        QCOMPARE(edit(again, "m_pLEtolVanePassword")->text(), QStringLiteral("unit1234"));
    }

    // Entries refused with a critical box: nothing is sent or stored, and both buttons stay usable.
    void refusedEntries_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");

        const QByteArray update("onUpdateCredentials");
        const QByteArray remove("onDeleteCredentials");
        const QString key = QStringLiteral("m_pLEtolVanePassword");
        QTest::newRow("password of 3") << update << key << "abc"
                                       << "tolVane Credentials too Short"
                                       << "The tolVane password is too short!";
        QTest::newRow("password of 17") << update << key << QString(17, 'k') << "tolVane Credentials too Long"
                                        << "The tolVane password is too long!";
        QTest::newRow("password above 0x7F")
            << update << key << QStringLiteral("abcdé") << "tolVane Passwort Syntax Wrong"
            << "Please avoid special characters!";
        QTest::newRow("IP byte 256") << update << "m_pLEIPByte2"
                                     << "256"
                                     << "IP-Adress Error"
                                     << "The IP-Adress is out of scope.";
        QTest::newRow("IP byte -1") << update << "m_pLEIPByte0"
                                    << "-1"
                                    << "IP-Adress Error"
                                    << "The IP-Adress is out of scope.";
        QTest::newRow("WiFi name of 25")
            << update << "m_pLEWLANName" << QString(25, 'n') << "WiFi Credentials too Long"
            << "The name of the WiFi is too long!";
        QTest::newRow("WiFi password of 25")
            << update << "m_pLEWLANPassword" << QString(25, 'p') << "WiFi Credentials too Long"
            << "The password of the WiFi is too long!";
        QTest::newRow("unit name of 25")
            << update << "m_pLEtolVaneName" << QString(25, 'u') << "tolVane Credentials too Long"
            << "The name of the tolVane is too long!";
        const QString longMail = QString(41, 'm') + QStringLiteral("@ex.org0"); // 49
        QTest::newRow("email 1 of 49") << update << "m_pLEEmail1" << longMail << "Email too Long"
                                       << "The first e-mail address for error messages is too long!";
        QTest::newRow("email 2 of 49") << update << "m_pLEEmail2" << longMail << "Email too Long"
                                       << "The second e-mail address for error messages is too long!";
        QTest::newRow("email 1 without domain")
            << update << "m_pLEEmail1"
            << "alice@example"
            << "Email Syntax Error"
            << "The first e-mail address for error messages has an invalid "
               "syntax!";
        QTest::newRow("email 2 with blank") << update << "m_pLEEmail2"
                                            << "bob smith@example.org"
                                            << "Email Syntax Error"
                                            << "The second e-mail address for error messages has an invalid "
                                               "syntax!";
        QTest::newRow("email 1 top-level of 5")
            << update << "m_pLEEmail1"
            << "alice@example.travel"
            << "Email Syntax Error"
            << "The first e-mail address for error messages has an invalid "
               "syntax!";
        // Texts go to the unit, and the passwords into the settings, as ISO 8859-1: a character beyond
        // it stops either request before anything is sent or stored.
        const QString latin1 = QStringLiteral("Character not Supported");
        QTest::newRow("WiFi name") << update << "m_pLEWLANName" << QStringLiteral("Caf\u00e9 \u20ac")
                                   << latin1
                                   << QStringLiteral(
                                          "The name of the WiFi contains the character \"\u20ac\", "
                                          "which cannot be transferred!");
        QTest::newRow("WiFi password")
            << update << "m_pLEWLANPassword" << QStringLiteral("pass\u20acwort") << latin1
            << QStringLiteral("The password of the WiFi contains the character "
                              "\"\u20ac\", which cannot be transferred!");
        QTest::newRow("unit name outside the BMP")
            << update << "m_pLEtolVaneName" << QStringLiteral("Hall \U0001F600") << latin1
            << QStringLiteral("The name of the tolVane contains the character \"\U0001F600\", which cannot "
                              "be transferred!");
        QTest::newRow("WiFi password of a delete")
            << remove << "m_pLEWLANPassword" << QStringLiteral("pass\u20acwort") << latin1
            << QStringLiteral("The password of the WiFi contains the character \"\u20ac\", which cannot be "
                              "transferred!");
        QTest::newRow("unit password of a delete")
            << remove << "m_pLEtolVanePassword" << QStringLiteral("\u0141\u00f3d\u017a") << latin1
            << QStringLiteral("The tolVane password contains the character \"\u0141\", which cannot be "
                              "transferred!");
        QTest::newRow("e-mail 2 of a delete")
            << remove << "m_pLEEmail2" << QStringLiteral("b\u0151b@example.org") << latin1
            << QStringLiteral("The second e-mail address for error messages contains the character "
                              "\"\u0151\", which cannot be transferred!");
    }

    void refusedEntries()
    {
        QFETCH(QByteArray, request);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, title);
        QFETCH(QString, text);

        CWLANTab tab;
        connectUnit(tab);
        enter(tab, SEntries());
        edit(tab, field)->setText(value);
        QSignalSpy sent(&tab, &CWLANTab::setNetworkCredentials);
        CBoxAnswerer boxes(QMessageBox::Ok);

        QMetaObject::invokeMethod(&tab, request.constData());

        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
        QVERIFY(!boxes.seen[0].bHasParent);
        QCOMPARE(boxes.seen[0].title, title);
        QCOMPARE(boxes.seen[0].text, text);
        QCOMPARE(sent.size(), 0);
        QVERIFY(QSettings().allKeys().isEmpty());
        QVERIFY(button(tab, "m_pPBUpdate")->isEnabled());
        QVERIFY(button(tab, "m_pDeleteCred")->isEnabled());
    }

    void acceptedEntries_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("address");

        const QByteArray entered = QByteArray::fromHex("c0a80114");
        QTest::newRow("password of 4") << "m_pLEtolVanePassword"
                                       << "abcd" << entered;
        QTest::newRow("password of 16") << "m_pLEtolVanePassword" << QString(16, 'k') << entered;
        QTest::newRow("empty IP byte is 0") << "m_pLEIPByte1" << QString() << QByteArray::fromHex("c0000114");
        QTest::newRow("letters in IP byte are 0") << "m_pLEIPByte3"
                                                  << "ab" << QByteArray::fromHex("c0a80100");
        QTest::newRow("names and mails at their limits")
            << "m_pLEEmail1" << QString(37, 'm') + QStringLiteral("@example.de") << entered;
        QTest::newRow("mail in capitals") << "m_pLEEmail2"
                                          << "BOB@EXAMPLE.ORG" << entered;
    }

    void acceptedEntries()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QByteArray, address);

        CWLANTab tab;
        connectUnit(tab);
        SEntries e;
        e.wlanName = QString(24, 'n');
        e.wlanPassword = QString(24, 'p');
        e.unitName = QString(24, 'u');
        enter(tab, e);
        edit(tab, field)->setText(value);
        QSignalSpy sent(&tab, &CWLANTab::setNetworkCredentials);
        CBoxAnswerer boxes(QMessageBox::Ok);

        QMetaObject::invokeMethod(&tab, "onUpdateCredentials");

        QCOMPARE(sent.size(), 1);
        QCOMPARE(addressOf(sent[0][7]), address);
    }

    void cancelledConfirmationSendsNothing()
    {
        CWLANTab tab;
        connectUnit(tab);
        enter(tab, SEntries());
        QSignalSpy sent(&tab, &CWLANTab::setNetworkCredentials);
        CBoxAnswerer boxes(QMessageBox::Cancel);
        button(tab, "m_pPBUpdate")->click();
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(sent.size(), 0);
        QVERIFY(!QSettings().contains("WLANName"));
        QVERIFY(button(tab, "m_pPBUpdate")->isEnabled());
    }

    void updateWithoutWifiNameAsksNothing()
    {
        CWLANTab tab;
        connectUnit(tab);
        SEntries e;
        e.wlanName.clear();
        enter(tab, e);
        QSignalSpy sent(&tab, &CWLANTab::setNetworkCredentials);
        CBoxAnswerer boxes(QMessageBox::Ok);
        button(tab, "m_pPBUpdate")->click();
        QCOMPARE(boxes.seen.size(), 0);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0][0].toString(), QString());
    }

    // A delete skips every check and the confirmation, but stores what the fields hold.
    void deleteSendsEmptyWifiDataUnchecked()
    {
        CWLANTab tab;
        connectUnit(tab);
        SEntries e;
        e.key = QStringLiteral("ab");
        e.email1 = QStringLiteral("not a mail");
        e.ip =
            QStringList{QStringLiteral("300"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
        enter(tab, e);
        QSignalSpy sent(&tab, &CWLANTab::setNetworkCredentials);
        CBoxAnswerer boxes(QMessageBox::Ok);

        button(tab, "m_pDeleteCred")->click();

        QCOMPARE(boxes.seen.size(), 0);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(sent[0][0].toString(), QString());
        QCOMPARE(sent[0][1].toString(), QString());
        QCOMPARE(sent[0][2].toString(), QStringLiteral("ab"));
        QCOMPARE(sent[0][3].toString(), QStringLiteral("not a mail"));
        QCOMPARE(sent[0][6].value<quint8>(), quint8(1));
        // 300 truncated to 8 bits.
        QCOMPARE(addressOf(sent[0][7]), QByteArray::fromHex("2c010203"));

        QSettings settings;
        QCOMPARE(settings.value("WLANName").toString(), QStringLiteral("HomeNet"));
        QCOMPARE(unscrambled(settings.value("WLANPassword").toByteArray()), QByteArray("wlan-secret"));
        QCOMPARE(settings.value("IPByte0").toInt(), 44);
    }

    void resultShowsOneBoxForAnOutstandingRequest_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("update ok") << QByteArray("slotUpdateWlanTabAndOKMsg") << "Success"
                                   << "The data has been transferred successfully.";
        QTest::newRow("update failed") << QByteArray("slotNOKMsg") << "Error"
                                       << "There was an error when transferring the data.";
        QTest::newRow("delete ok") << QByteArray("slotDelOKMsg") << "Success"
                                   << "WiFi-data has been successfully deleted.";
        QTest::newRow("delete failed") << QByteArray("slotDelNOKMsg") << "Error"
                                       << "There was an error when deleting the WiFi-data.";
    }

    void resultShowsOneBoxForAnOutstandingRequest()
    {
        QFETCH(QByteArray, slot);
        QFETCH(QString, title);
        QFETCH(QString, text);

        CWLANTab tab;
        connectUnit(tab);
        enter(tab, SEntries());
        CBoxAnswerer boxes(QMessageBox::Ok);

        // No request outstanding: nothing to show.
        QMetaObject::invokeMethod(&tab, slot.constData());
        QCOMPARE(boxes.seen.size(), 0);

        button(tab, "m_pDeleteCred")->click();
        QVERIFY(!button(tab, "m_pDeleteCred")->isEnabled());

        // The unit's status poll may deliver the same result more than once.
        QMetaObject::invokeMethod(&tab, slot.constData(), Qt::QueuedConnection);
        QMetaObject::invokeMethod(&tab, slot.constData(), Qt::QueuedConnection);
        QTRY_COMPARE(boxes.seen.size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Information);
        QCOMPARE(boxes.seen[0].title, title);
        QCOMPARE(boxes.seen[0].text, text);
        QVERIFY(button(tab, "m_pDeleteCred")->isEnabled());
        QVERIFY(button(tab, "m_pPBUpdate")->isEnabled());
    }

    // The settings file holds the passwords: after a request only its owner may read it, whether the
    // tab makes the file or finds one the program wrote before.
    void settingsFileIsPrivate_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::newRow("new file") << false;
        QTest::newRow("file readable by all") << true;
    }

    void settingsFileIsPrivate()
    {
        QFETCH(bool, existing);
        const QString path = QSettings().fileName();
        QFile::remove(path);
        if (existing)
        {
            QSettings().setValue("FileExportDir", "/home/export");
            QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ReadGroup | QFileDevice::ReadOther));
        }
        CWLANTab tab;
        connectUnit(tab);
        enter(tab, SEntries());
        CBoxAnswerer boxes(QMessageBox::Ok);
        button(tab, "m_pPBUpdate")->click();

        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(path).permissions() & others, QFileDevice::Permissions());
        QSettings settings;
        QCOMPARE(unscrambled(settings.value("tolVanePassword").toByteArray()), QByteArray("unit1234"));
        QCOMPARE(settings.contains("FileExportDir"), existing);
    }

    // Entries the settings file cannot take: the request still goes out and its result is still
    // shown, but the user is told that the next start brings back the old entries. Each way to
    // fail holds for root too, whom folder permissions do not stop.
    void unsavedEntriesAreReported_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::newRow("folder in place of the file") << "file";
        QTest::newRow("file in place of the folder") << "folder";
        QTest::newRow("own file left out for this run") << "";
    }

    void unsavedEntriesAreReported()
    {
        QFETCH(QString, obstacle);
        const QString path = CAppSettings::ownPath();
        const QString blocked = obstacle == "file" ? path : QFileInfo(path).path();
        QDir(QFileInfo(path).path()).removeRecursively();
        if (obstacle == "file")
            QVERIFY(QDir().mkpath(path));
        else if (obstacle == "folder")
            QVERIFY(QFile(blocked).open(QIODevice::WriteOnly));
        else
            CAppSettings::setSources(CAppSettings::NO_FILE);
        const QFileDevice::Permissions mode = QFileInfo(blocked).permissions();

        CWLANTab tab;
        connectUnit(tab);
        enter(tab, SEntries());
        QSignalSpy sent(&tab, &CWLANTab::setNetworkCredentials);
        CBoxAnswerer boxes(QMessageBox::Ok);
        button(tab, "m_pPBUpdate")->click();
        tab.slotUpdateWlanTabAndOKMsg();
        CAppSettings::setSources(CAppSettings::ALL_FILES);

        QCOMPARE(sent.size(), 1);
        QCOMPARE(boxes.seen.size(), 3);
        QCOMPARE(boxes.seen[1].icon, QMessageBox::Warning);
        QCOMPARE(boxes.seen[1].title, QStringLiteral("Entries not Saved"));
        QCOMPARE(boxes.seen[1].text,
                 QStringLiteral("The entries could not be saved in the settings file '%1'. "
                                "The next start shows the entries saved before.")
                     .arg(path));
        QCOMPARE(boxes.seen[2].text, QStringLiteral("The data has been transferred successfully."));
        // What stood in the way is left as it was.
        QCOMPARE(QFileInfo(blocked).permissions(), mode);
        QDir(QFileInfo(path).path()).removeRecursively();
        QFile::remove(blocked);
    }

    // A request the polling object could not send ends in the error box of its kind.
    void unsentRequestShowsItsError_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("update") << QByteArray("m_pPBUpdate")
                                << "There was an error when transferring the data.";
        QTest::newRow("delete") << QByteArray("m_pDeleteCred")
                                << "There was an error when deleting the WiFi-data.";
    }

    void unsentRequestShowsItsError()
    {
        QFETCH(QByteArray, button);
        QFETCH(QString, text);
        CWLANTab tab;
        connectUnit(tab);
        enter(tab, SEntries());
        // As the polling object answers when it lives in this thread: before the emission returns.
        connect(&tab, &CWLANTab::setNetworkCredentials, &tab,
                [&tab](QString, QString, QString, QString, QString, QString, quint8 uCredType, SIpAddress)
                { tab.onCredentialsNotSent(uCredType); });
        CBoxAnswerer boxes(QMessageBox::Ok);

        this->button(tab, button.constData())->click();

        QCOMPARE(boxes.seen.size(), button == "m_pPBUpdate" ? 2 : 1); // after the confirmation
        QCOMPARE(boxes.seen.last().title, QStringLiteral("Error"));
        QCOMPARE(boxes.seen.last().text, text);
        QVERIFY(this->button(tab, "m_pPBUpdate")->isEnabled());
        QVERIFY(this->button(tab, "m_pDeleteCred")->isEnabled());
    }

    // A request still on its way to the polling thread keeps its own address when the next
    // request is made.
    void eachRequestCarriesItsOwnAddress()
    {
        CWLANTab tab;
        connectUnit(tab);
        SEntries e;
        e.ip =
            QStringList{QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1")};
        enter(tab, e);
        QSignalSpy sent(&tab, &CWLANTab::setNetworkCredentials);
        CBoxAnswerer boxes(QMessageBox::Ok);
        button(tab, "m_pDeleteCred")->click();
        tab.onEnableButtons();
        edit(tab, "m_pLEIPByte3")->setText(QStringLiteral("2"));
        button(tab, "m_pDeleteCred")->click();

        QCOMPARE(sent.size(), 2);
        QCOMPARE(addressOf(sent[0][7]), QByteArray::fromHex("0a000001"));
        QCOMPARE(addressOf(sent[1][7]), QByteArray::fromHex("0a000002"));
    }

    // The idle status gives the buttons back, but a late result still shows its box.
    void enableButtonsKeepsTheRequestOutstanding()
    {
        CWLANTab tab;
        connectUnit(tab);
        enter(tab, SEntries());
        CBoxAnswerer boxes(QMessageBox::Ok);
        button(tab, "m_pDeleteCred")->click();
        tab.onEnableButtons();
        QVERIFY(button(tab, "m_pDeleteCred")->isEnabled());
        tab.slotDelOKMsg();
        QCOMPARE(boxes.seen.size(), 1);
    }

    // The style sheet grows the font with the page's height, while the controller group keeps to
    // a greatest width: every label of the page still shows its whole text.
    void labelsAreNotClipped_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("small window") << QSize(900, 560);
        QTest::newRow("wide window") << QSize(1590, 850);
        QTest::newRow("tall window") << QSize(1590, 1150);
    }

    void labelsAreNotClipped()
    {
        QFETCH(QSize, size);
        CWLANTab tab;
        tab.resize(size);
        tab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tab));
        QCoreApplication::processEvents();
        for (QLabel* pLabel : tab.findChildren<QLabel*>())
            QVERIFY2(pLabel->width() >= pLabel->sizeHint().width(), qPrintable(pLabel->text()));
    }
};

QTEST_MAIN(TestWLANTab)
#include "tst_wlantab.moc"
