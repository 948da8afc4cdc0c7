#pragma once

#include "PollingTypes.h"
#include "TabBase.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class QTableWidget;

// The persistent counters of a connected tolVane100 as a table of name and value. Fetched on
// demand through the polling object; the fixed counters and unnamed entries are left out.
class CServiceTab : public QWidget, public CTabBase
{
    Q_OBJECT

public:
    explicit CServiceTab(QWidget* parent = nullptr);

    QString getTitle() const override;
    bool boolOption2(bool b) override;
    bool boolOption3(bool b) override;

signals:
    void updateCounters();

public slots:
    void onUpdateCounters(QStringList lstNames, QList<quint32> lstValues);
    void onRozirarionStateChanged(ERozirarionState eState, qint64 iSerialNr, bool bCorMisto70);
    // The rows last shown; the request it emits is answered later through onUpdateCounters.
    void getContent(QStringList& rLstNames, QList<quint32>& rLstValues);

private:
    QTableWidget* m_pTable;
    QStringList m_lstNames;
    QList<quint32> m_lstValues;
    qint64 m_nLastSerialNr = -1;
    bool m_bLastCorMisto70 = false;
};
