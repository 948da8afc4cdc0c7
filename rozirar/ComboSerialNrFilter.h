#pragma once

#include <QComboBox>
#include <QIcon>
#include <QList>

// Serial-number selector of the main window: one item per known unit, tolVane plus units first,
// each type by ascending serial number; the icon shows the unit that reports values.
class CComboSerialNrFilter : public QComboBox
{
    Q_OBJECT

public:
    explicit CComboSerialNrFilter(QWidget* parent = nullptr);

    // No item: no serial number a unit can report.
    static constexpr qint64 NO_SERIAL_NR = -1;

    // The current item's serial number, NO_SERIAL_NR when none; its type flag goes to *pb70 when
    // given.
    qint64 getCurrentSerialNr(bool* pb70 = nullptr) const;
    // Inserts the unit's item, or replaces it in place; announces nothing.
    void addSerialNr(quint32 nSerialNr, bool bConnected, bool b70);
    bool selectSerialNr(quint32 nSerialNr, bool b70);
    // Rebuilds the list from ascending lists and keeps the selected unit when it is listed.
    void setSerialNrs(const QList<quint32>& lst100, const QList<quint32>& lst70);

    static QString makeItemText(quint32 nSerialNr, bool b70);
    qint64 serialNrAt(int nIndex) const;

signals:
    void serialNrChanged(qint64 nSerialNr, bool b70);

public slots:
    void onCurrentIndexChanged(int nIndex);

private:
    bool isPlusAt(int nIndex) const;
    // Binary search over items lo..hi: the unit's index (found) or where it belongs.
    int findSerialNr(int lo, int hi, qint64 nSerialNr, bool b70, bool& bFound) const;
    bool comesBefore(qint64 nSerialNr, bool b70, int nIndex) const;
    bool isAt(qint64 nSerialNr, bool b70, int nIndex) const;
    void connectIndex(bool bConnect);

    // Made once: an icon made for every poll brings a pixmap of its own, and the disabled box's
    // greyed copy of each new pixmap stays in Qt's pixmap cache, about a kilobyte per poll.
    QIcon m_connectedIcon;
    QIcon m_notConnectedIcon;
};
