#pragma once

#include "PollingTypes.h"
#include "TabBase.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Network credentials of a connected tolVane100: Wi-Fi name and password, the unit's password
// and name, two e-mail addresses and a controller's IP address. Checks the entries, sends them
// through the polling object, remembers them in the settings (passwords scrambled) and shows
// the unit's answer, which arrives later with its Wi-Fi status.
class CWLANTab : public QWidget, public CTabBase
{
    Q_OBJECT

public:
    // The serial number of no tolVane100 in state ok.
    static constexpr qint64 NO_UNIT = -1;

    explicit CWLANTab(QWidget* parent = nullptr);

    QString getTitle() const override;

signals:
    void setNetworkCredentials(QString strName, QString strPassword, QString strKey, QString strEmail1,
                               QString strEmail2, QString strtolVaneName, quint8 uCredType,
                               SIpAddress address = SIpAddress(), qint64 nSerialNr = NO_UNIT);

public slots:
    void onRozirarionStateChanged(ERozirarionState eState, qint64 iSerNr, bool bCorMisto70);
    void onUpdateCredentials();
    void onDeleteCredentials();
    void slotUpdateWlanTabAndOKMsg();
    void slotNOKMsg();
    void slotDelNOKMsg();
    void slotDelOKMsg();
    void onEnableButtons();
    // The polling object could not send the request: shows the error box of its kind.
    void onCredentialsNotSent(quint8 uCredType);
    void onGUIChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    enum ERequest
    {
        REQ_NONE = 0,
        REQ_DELETE = 1,
        REQ_UPDATE = 2
    };

    void buildLayout();
    void applyStyleSheet(const QSize& size);
    void loadSettings();
    // False when the settings file does not hold the entries afterwards.
    bool storeSettings(const SIpAddress& address);
    void transferCredentials();
    // Checks of an update request; shows the box of the first one that fails.
    bool checkUpdateEntries(const QString& strKey, const QString& strName, const QString& strEmail1,
                            const QString& strEmail2, SIpAddress& address);
    bool readAddress(bool bCheck, SIpAddress& address);
    // Every text goes out in ISO 8859-1; shows the box of the first field that holds another character.
    bool checkCharacters();
    void showResult(const QString& strTitle, const QString& strText);

    bool m_bActive = false;
    QLineEdit* m_pLEWLANName;
    QLineEdit* m_pLEWLANPassword;
    QLineEdit* m_pLEtolVanePassword;
    QLineEdit* m_pLESerialNr;
    QLineEdit* m_pLEtolVaneName;
    QLineEdit* m_pLEEmail1;
    QLineEdit* m_pLEEmail2;
    QLineEdit* m_pLEIPByte[4];
    QPushButton* m_pPBUpdate;
    QPushButton* m_pDeleteCred;
    QLabel* m_pHelpLink;
    QLabel* m_pAppLink;
    QGroupBox* m_pControllerGroup;

    // The tolVane100 of the last state ok, and the one the outstanding request went to.
    qint64 m_nSerialNr = NO_UNIT;
    qint64 m_nRequestSerialNr = NO_UNIT;
    int m_nPendingRequest = REQ_NONE;
    // 0 while a request is outstanding: only the first result that arrives for it is shown.
    quint8 m_uResultGuard = 0xFF;
    bool m_bButtonsEnabled = true;
};
