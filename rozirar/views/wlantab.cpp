#include "wlantab.h"

#include "AppSettings.h"
#include "CredentialScrambler.h"
#include "TextTable.h"
#include "ViewResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QSettings>
#include <QTimer>
#include <QVBoxLayout>
#include <QVector>

// A failed connection stops the program in every build: these connections are the tab.
#define WLAN_CONNECT_CHECKED(expr)                                                                           \
    do                                                                                                       \
    {                                                                                                        \
        if (!static_cast<bool>(expr))                                                                        \
            qt_assert(#expr, __FILE__, __LINE__);                                                            \
    } while (false)

namespace
{
const char* const HELP_URL = "https://www.quorvanix.com/support/wifi-configuration";
const char* const APP_URL = "https://www.dravlin-vozudoz.com";

const int MIN_KEY_LENGTH = 4;
const int MAX_WLAN_NAME_LENGTH = 24;
const int MAX_WLAN_PASSWORD_LENGTH = 24;
const int MAX_KEY_LENGTH = 16;
const int MAX_UNIT_NAME_LENGTH = 24;
const int MAX_EMAIL_LENGTH = 48;

const char* const KEY_IP_BYTE[4] = {"IPByte0", "IPByte1", "IPByte2", "IPByte3"};

QString text(int nIndex)
{
    return QString::fromUtf8(GetText(nIndex));
}

// Text of a setting up to its first zero byte.
QString settingText(const QByteArray& bytes)
{
    const QByteArray text = bytes.left(bytes.indexOf('\0') < 0 ? bytes.size() : bytes.indexOf('\0'));
    // Passwords are stored as Latin-1 bytes; reading them as UTF-8 would garble every byte
    // above 0x7F, so bytes that are no valid UTF-8 are taken as Latin-1.
    QString strUtf8 = QString::fromUtf8(text);
    if (strUtf8.contains(QChar::ReplacementCharacter))
        return QString::fromLatin1(text);
    return strUtf8;
}

// The first character of the text that ISO 8859-1 has not, or an empty text.
QString firstNonLatin1(const QString& strText)
{
    for (int i = 0; i < strText.size(); ++i)
        if (strText[i].unicode() > 0xFF)
            return strText.mid(i, strText[i].isHighSurrogate() ? 2 : 1);
    return QString();
}

// The settings file holds the passwords: only its owner may read it. A settings file written again
// keeps the permissions of the one it replaces, so a new file is made private before it gets them.
void restrictToOwner(const QString& strPath)
{
    QFile file(strPath);
    const QFileInfo info(strPath);
    if (info.exists() && !info.isFile())
        return; // not a settings file the program wrote: left as it is
    if (!info.exists())
    {
        QDir().mkpath(QFileInfo(strPath).absolutePath());
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.close();
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void critical(const QString& strTitle, const QString& strText)
{
    QMessageBox::critical(nullptr, strTitle, strText, QMessageBox::Ok);
}

bool isValidEmail(const QString& strEmail)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("\\b[A-Z0-9._%+-]+@[A-Z0-9.-]+\\.[A-Z]{2,4}\\b")),
        QRegularExpression::CaseInsensitiveOption);
    return strEmail.isEmpty() || pattern.match(strEmail).hasMatch();
}
} // namespace

CWLANTab::CWLANTab(QWidget* parent) : QWidget(parent)
{
    initViewResources();
    buildLayout();
    applyStyleSheet(size());

    m_pLESerialNr->setEnabled(false);
    m_pPBUpdate->setEnabled(false);
    m_pDeleteCred->setEnabled(false);
    loadSettings();

    for (QLineEdit* pEdit :
         {m_pLEWLANName, m_pLEWLANPassword, m_pLEtolVanePassword, m_pLEtolVaneName, m_pLEEmail1, m_pLEEmail2})
        WLAN_CONNECT_CHECKED(connect(pEdit, &QLineEdit::textChanged, this, &CWLANTab::onGUIChanged));
    WLAN_CONNECT_CHECKED(connect(m_pPBUpdate, &QPushButton::clicked, this, &CWLANTab::onUpdateCredentials));
    WLAN_CONNECT_CHECKED(connect(m_pDeleteCred, &QPushButton::clicked, this, &CWLANTab::onDeleteCredentials));
}

void CWLANTab::buildLayout()
{
    auto newEdit = [this](const char* pName)
    {
        auto* pEdit = new QLineEdit(this);
        pEdit->setObjectName(QLatin1String(pName));
        return pEdit;
    };
    m_pLEWLANName = newEdit("m_pLEWLANName");
    m_pLEWLANPassword = newEdit("m_pLEWLANPassword");
    m_pLEtolVanePassword = newEdit("m_pLEtolVanePassword");
    m_pLESerialNr = newEdit("m_pLESerialNr");
    m_pLEtolVaneName = newEdit("m_pLEtolVaneName");
    m_pLEEmail1 = newEdit("m_pLEEmail1");
    m_pLEEmail2 = newEdit("m_pLEEmail2");
    for (int i = 0; i < 4; ++i)
        m_pLEIPByte[i] = newEdit(QStringLiteral("m_pLEIPByte%1").arg(i).toLatin1().constData());

    m_pPBUpdate = new QPushButton(tr("Update Data"), this);
    m_pPBUpdate->setObjectName(QStringLiteral("m_pPBUpdate"));
    m_pDeleteCred = new QPushButton(tr("Delete WLAN-Data"), this);
    m_pDeleteCred->setObjectName(QStringLiteral("m_pDeleteCred"));

    auto newGroup = [this](const QString& strTitle, QGridLayout*& pGrid)
    {
        auto* pGroup = new QGroupBox(strTitle, this);
        pGrid = new QGridLayout(pGroup);
        return pGroup;
    };

    QGridLayout* pGrid = nullptr;
    QGroupBox* pWifi = newGroup(tr("WiFi"), pGrid);
    pGrid->addWidget(new QLabel(tr("WiFi(WLAN) Name: "), pWifi), 0, 0);
    pGrid->addWidget(m_pLEWLANName, 0, 1);
    pGrid->addWidget(new QLabel(tr("WiFi(WLAN) Password: "), pWifi), 1, 0);
    pGrid->addWidget(m_pLEWLANPassword, 1, 1);
    pGrid->addWidget(new QLabel(tr("Activates WiFi transmitter"), pWifi), 2, 0, 1, 2);

    QGroupBox* pUnit = newGroup(tr("tolVane"), pGrid);
    pGrid->addWidget(new QLabel(tr("tolVane Serial Number:"), pUnit), 0, 0);
    pGrid->addWidget(m_pLESerialNr, 0, 1);
    pGrid->addWidget(new QLabel(tr("tolVane Password:"), pUnit), 1, 0);
    pGrid->addWidget(m_pLEtolVanePassword, 1, 1);
    pGrid->addWidget(new QLabel(tr("tolVane Name:"), pUnit), 2, 0);
    pGrid->addWidget(m_pLEtolVaneName, 2, 1);

    QGroupBox* pReport = newGroup(tr("Report"), pGrid);
    pGrid->addWidget(new QLabel(tr("Email 1 for error messages:"), pReport), 0, 0);
    pGrid->addWidget(m_pLEEmail1, 0, 1);
    pGrid->addWidget(new QLabel(tr("Email 2 for error messages:"), pReport), 1, 0);
    pGrid->addWidget(m_pLEEmail2, 1, 1);

    QGroupBox* pController = newGroup(tr("Dravlin"), pGrid);
    m_pControllerGroup = pController;
    auto* pAddressRow = new QHBoxLayout;
    for (int i = 0; i < 4; ++i)
    {
        if (i > 0)
            pAddressRow->addWidget(new QLabel(QStringLiteral("."), pController));
        pAddressRow->addWidget(m_pLEIPByte[i]);
    }
    pAddressRow->addWidget(new QLabel(tr("(optional)"), pController));
    pGrid->addWidget(new QLabel(tr("IP-Address: "), pController), 0, 0);
    pGrid->addLayout(pAddressRow, 0, 1);
    pGrid->addWidget(new QLabel(tr(text(140).toUtf8().constData()), pController), 1, 0, 1, 2);

    auto* pLeft = new QVBoxLayout;
    pLeft->addWidget(pWifi);
    pLeft->addWidget(pUnit);
    pLeft->addWidget(m_pPBUpdate);
    auto* pRight = new QVBoxLayout;
    pRight->addWidget(pReport);
    pRight->addWidget(pController);
    pRight->addWidget(m_pDeleteCred);
    auto* pColumns = new QHBoxLayout;
    pColumns->addLayout(pLeft);
    pColumns->addLayout(pRight);

    auto newLink = [this](const char* pUrl)
    {
        auto* pLabel = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(pUrl)), this);
        pLabel->setTextFormat(Qt::RichText);
        pLabel->setTextInteractionFlags(Qt::TextBrowserInteraction);
        pLabel->setOpenExternalLinks(true);
        return pLabel;
    };
    m_pHelpLink = newLink(HELP_URL);
    m_pAppLink = newLink(APP_URL);
    auto* pLinks = new QGridLayout;
    pLinks->addWidget(new QLabel(tr("Help:"), this), 0, 0);
    pLinks->addWidget(m_pHelpLink, 0, 1);
    pLinks->addWidget(new QLabel(tr("App:"), this), 1, 0);
    pLinks->addWidget(m_pAppLink, 1, 1);
    pLinks->setColumnStretch(1, 1);

    auto* pPage = new QVBoxLayout(this);
    pPage->addStretch(20);
    pPage->addLayout(pColumns);
    pPage->addStretch(30);
    pPage->addLayout(pLinks);
    pPage->addStretch(30);
}

void CWLANTab::loadSettings()
{
    const std::unique_ptr<QSettings> pSettings = CAppSettings::open();
    QSettings& settings = *pSettings;
    m_pLEWLANName->setText(settings.value(QStringLiteral("WLANName")).toString());
    m_pLEWLANPassword->setText(
        settingText(unscrambleCredential(settings.value(QStringLiteral("WLANPassword")).toByteArray())));
    m_pLEtolVanePassword->setText(
        settingText(unscrambleCredential(settings.value(QStringLiteral("tolVanePassword")).toByteArray())));
    m_pLEtolVaneName->setText(settingText(settings.value(QStringLiteral("tolVaneName")).toByteArray()));
    m_pLEEmail1->setText(settingText(settings.value(QStringLiteral("Email1")).toByteArray()));
    m_pLEEmail2->setText(settingText(settings.value(QStringLiteral("Email2")).toByteArray()));
    for (int i = 0; i < 4; ++i)
        m_pLEIPByte[i]->setText(settingText(settings.value(QLatin1String(KEY_IP_BYTE[i])).toByteArray()));
}

bool CWLANTab::storeSettings(const SIpAddress& address)
{
    QVector<QPair<QString, QVariant>> entries{
        {QStringLiteral("WLANName"), m_pLEWLANName->text()},
        {QStringLiteral("WLANPassword"), scrambleCredential(m_pLEWLANPassword->text().toLatin1())},
        {QStringLiteral("tolVanePassword"), scrambleCredential(m_pLEtolVanePassword->text().toLatin1())},
        {QStringLiteral("tolVaneName"), m_pLEtolVaneName->text()},
        {QStringLiteral("Email1"), m_pLEEmail1->text()},
        {QStringLiteral("Email2"), m_pLEEmail2->text()}};
    for (int i = 0; i < 4; ++i)
        entries.append({QLatin1String(KEY_IP_BYTE[i]), int(address.m_Bytes[i])});

    QString strFile;
    {
        const std::unique_ptr<QSettings> pSettings = CAppSettings::open();
        strFile = pSettings->fileName();
        restrictToOwner(strFile);
        for (const auto& entry : entries)
            pSettings->setValue(entry.first, entry.second);
        pSettings->sync();
        if (pSettings->status() != QSettings::NoError)
            return false;
    }
    // What the next start reads: the file itself, as its own settings object reads it back.
    const QSettings written(strFile, QSettings::IniFormat);
    for (const auto& entry : entries)
        if (written.value(entry.first).toByteArray() != entry.second.toByteArray())
            return false;
    return true;
}

QString CWLANTab::getTitle() const
{
    return text(TXT_WIFI_SETUP);
}

void CWLANTab::resizeEvent(QResizeEvent* event)
{
    applyStyleSheet(event->size());
}

void CWLANTab::applyStyleSheet(const QSize& size)
{
    setStyleSheet(makeStyleSheet(size));
    // The controller group is at most 630 pixels wide, unless the font of this size needs more
    // room for its texts. Its contents know their new font once the style sheet has reached them.
    m_pControllerGroup->setMaximumWidth(630);
    QTimer::singleShot(
        0, m_pControllerGroup,
        [this]
        { m_pControllerGroup->setMaximumWidth(qMax(630, m_pControllerGroup->minimumSizeHint().width())); });
}

void CWLANTab::onRozirarionStateChanged(ERozirarionState eState, qint64 iSerNr, bool bCorMisto70)
{
    if (eState == STATE_OK)
    {
        if (!bCorMisto70)
            m_bActive = true;
        m_pLESerialNr->setText(QStringLiteral("%1").arg(iSerNr));
        m_nSerialNr = bCorMisto70 ? NO_UNIT : iSerNr;
        // Another unit's Wi-Fi status tells of a request of its own, never of the outstanding one.
        if (m_uResultGuard == 0 && m_nSerialNr != m_nRequestSerialNr)
        {
            m_uResultGuard = 0xFF;
            m_bButtonsEnabled = true;
            m_nPendingRequest = REQ_NONE;
        }
    }
    else
    {
        m_bActive = false;
        m_pLESerialNr->setText(QStringLiteral("--"));
    }
    onGUIChanged();
}

void CWLANTab::onGUIChanged()
{
    if (!g_bWifiAvailable)
        return;
    m_pPBUpdate->setEnabled(m_bButtonsEnabled && m_bActive && !m_pLEtolVanePassword->text().isEmpty());
    m_pDeleteCred->setEnabled(m_bButtonsEnabled && m_bActive);
}

void CWLANTab::onEnableButtons()
{
    m_bButtonsEnabled = true;
    onGUIChanged();
}

void CWLANTab::onUpdateCredentials()
{
    m_nPendingRequest = REQ_UPDATE;
    transferCredentials();
}

void CWLANTab::onDeleteCredentials()
{
    m_nPendingRequest = REQ_DELETE;
    transferCredentials();
}

bool CWLANTab::readAddress(bool bCheck, SIpAddress& address)
{
    int values[4];
    for (int i = 0; i < 4; ++i)
    {
        values[i] = m_pLEIPByte[i]->text().toInt(nullptr, 10);
        if (bCheck && (values[i] < 0 || values[i] > 255))
        {
            critical(tr("IP-Adress Error"), tr("The IP-Adress is out of scope."));
            return false;
        }
    }
    for (int i = 0; i < 4; ++i)
        address.m_Bytes[i] = static_cast<quint8>(values[i]);
    return true;
}

bool CWLANTab::checkUpdateEntries(const QString& strKey, const QString& strName, const QString& strEmail1,
                                  const QString& strEmail2, SIpAddress& address)
{
    const QString strWlanName = m_pLEWLANName->text();
    const QString strWlanPassword = m_pLEWLANPassword->text();
    if (strKey.size() < MIN_KEY_LENGTH)
    {
        critical(tr("tolVane Credentials too Short"), tr("The tolVane password is too short!"));
        return false;
    }
    if (!readAddress(true, address))
        return false;
    if (strWlanName.size() > MAX_WLAN_NAME_LENGTH)
    {
        critical(tr("WiFi Credentials too Long"), tr("The name of the WiFi is too long!"));
        return false;
    }
    if (strWlanPassword.size() > MAX_WLAN_PASSWORD_LENGTH)
    {
        critical(tr("WiFi Credentials too Long"), tr("The password of the WiFi is too long!"));
        return false;
    }
    if (strKey.size() > MAX_KEY_LENGTH)
    {
        critical(tr("tolVane Credentials too Long"), tr("The tolVane password is too long!"));
        return false;
    }
    for (QChar c : strKey)
    {
        if (c.unicode() > 0x7F)
        {
            critical(tr("tolVane Passwort Syntax Wrong"), tr("Please avoid special characters!"));
            return false;
        }
    }
    if (strName.size() > MAX_UNIT_NAME_LENGTH)
    {
        critical(tr("tolVane Credentials too Long"), tr("The name of the tolVane is too long!"));
        return false;
    }
    if (strEmail1.size() > MAX_EMAIL_LENGTH)
    {
        critical(tr("Email too Long"), tr("The first e-mail address for error messages is too long!"));
        return false;
    }
    if (strEmail2.size() > MAX_EMAIL_LENGTH)
    {
        critical(tr("Email too Long"), tr("The second e-mail address for error messages is too long!"));
        return false;
    }
    if (!isValidEmail(strEmail1))
    {
        critical(tr("Email Syntax Error"),
                 tr("The first e-mail address for error messages has an invalid syntax!"));
        return false;
    }
    if (!isValidEmail(strEmail2))
    {
        critical(tr("Email Syntax Error"),
                 tr("The second e-mail address for error messages has an invalid syntax!"));
        return false;
    }
    return true;
}

bool CWLANTab::checkCharacters()
{
    const struct
    {
        QLineEdit* pEdit;
        const char* pText;
    } fields[] = {
        {m_pLEWLANName, QT_TR_NOOP("The name of the WiFi contains the character \"%1\", which cannot be "
                                   "transferred!")},
        {m_pLEWLANPassword, QT_TR_NOOP("The password of the WiFi contains the character \"%1\", which "
                                       "cannot be transferred!")},
        {m_pLEtolVanePassword, QT_TR_NOOP("The tolVane password contains the character \"%1\", which "
                                          "cannot be transferred!")},
        {m_pLEtolVaneName, QT_TR_NOOP("The name of the tolVane contains the character \"%1\", which "
                                      "cannot be transferred!")},
        {m_pLEEmail1, QT_TR_NOOP("The first e-mail address for error messages contains the character "
                                 "\"%1\", which cannot be transferred!")},
        {m_pLEEmail2, QT_TR_NOOP("The second e-mail address for error messages contains the character "
                                 "\"%1\", which cannot be transferred!")},
    };
    for (const auto& field : fields)
    {
        const QString strCharacter = firstNonLatin1(field.pEdit->text());
        if (!strCharacter.isEmpty())
        {
            critical(tr("Character not Supported"), tr(field.pText).arg(strCharacter));
            return false;
        }
    }
    return true;
}

void CWLANTab::transferCredentials()
{
    // The unit asked for; the boxes below let another come on the port, which gets nothing.
    const qint64 nSerialNr = m_nSerialNr;
    const bool bUpdate = m_nPendingRequest == REQ_UPDATE;
    const QString strKey = m_pLEtolVanePassword->text();
    const QString strName = m_pLEtolVaneName->text();
    const QString strEmail1 = m_pLEEmail1->text();
    const QString strEmail2 = m_pLEEmail2->text();
    QString strWlanName;
    QString strWlanPassword;
    SIpAddress address;

    if (bUpdate)
    {
        if (!checkUpdateEntries(strKey, strName, strEmail1, strEmail2, address))
            return;
        strWlanName = m_pLEWLANName->text();
        strWlanPassword = m_pLEWLANPassword->text();
    }
    else
    {
        readAddress(false, address);
    }
    if (!checkCharacters())
        return;

    if (!strWlanName.isEmpty() &&
        QMessageBox::warning(
            nullptr, tr("Activate WiFi?"),
            tr("If you activate the WiFi function now you must inform residents that the WiFi "
               "data could be used to conclude to their presence or absence."),
            QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;

    // Outstanding before it is sent: a polling object in this thread may answer at once.
    m_uResultGuard = 0;
    m_nRequestSerialNr = nSerialNr;
    m_bButtonsEnabled = false;
    emit setNetworkCredentials(strWlanName, strWlanPassword, strKey, strEmail1, strEmail2, strName,
                               static_cast<quint8>(m_nPendingRequest), address, nSerialNr);
    const bool bStored = storeSettings(address);
    onGUIChanged();
    // The request is on its way whatever the settings say; the user learns that the entries
    // will not come back at the next start.
    if (!bStored)
        QMessageBox::warning(nullptr, tr("Entries not Saved"),
                             tr("The entries could not be saved in the settings file '%1'. The next start "
                                "shows the entries saved before.")
                                 .arg(QDir::toNativeSeparators(CAppSettings::ownPath())),
                             QMessageBox::Ok);
}

void CWLANTab::onCredentialsNotSent(quint8 uCredType)
{
    if (uCredType == REQ_DELETE)
        slotDelNOKMsg();
    else
        slotNOKMsg();
}

void CWLANTab::showResult(const QString& strTitle, const QString& strText)
{
    if (m_uResultGuard == 0)
    {
        m_bButtonsEnabled = true;
        m_uResultGuard = 0xFF;
        onGUIChanged();
        QMessageBox box(QMessageBox::Information, strTitle, strText, QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
    }
    m_nPendingRequest = REQ_NONE;
}

void CWLANTab::slotUpdateWlanTabAndOKMsg()
{
    showResult(tr("Success"), tr("The data has been transferred successfully."));
}

void CWLANTab::slotNOKMsg()
{
    showResult(tr("Error"), tr("There was an error when transferring the data."));
}

void CWLANTab::slotDelOKMsg()
{
    showResult(tr("Success"), tr("WiFi-data has been successfully deleted."));
}

void CWLANTab::slotDelNOKMsg()
{
    showResult(tr("Error"), tr("There was an error when deleting the WiFi-data."));
}
