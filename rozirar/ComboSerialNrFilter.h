#pragma once

#include <QComboBox>
#include <QList>

// Serial-number selector of the main window: one item per known unit, tolVane plus units first,
// each type by ascending serial number; the icon shows the unit that reports values.
class CComboSerialNrFilter : public QComboBox
{
    Q_OBJECT

public:
    explicit CComboSerialNrFilter(QWidget* parent = nullptr);

    // The current item's serial number, -1 when none; its type flag goes to *pb70 when given.
    int getCurrentSerialNr(bool* pb70 = nullptr) const;
    // Inserts the unit's item, or replaces it in place; announces nothing.
    void addSerialNr(int nSerialNr, bool bConnected, bool b70);
    bool selectSerialNr(int nSerialNr, bool b70);
    // Rebuilds the list from ascending lists and keeps the selected unit when it is listed.
    void setSerialNrs(const QList<int>& lst100, const QList<int>& lst70);

    static QString makeItemText(int nSerialNr, bool b70);
    int serialNrAt(int nIndex) const;

signals:
    void serialNrChanged(int nSerialNr, bool b70);

public slots:
    void onCurrentIndexChanged(int nIndex);

private:
    bool isPlusAt(int nIndex) const;
    // Binary search over items lo..hi: the unit's index (found) or where it belongs.
    int findSerialNr(int lo, int hi, int nSerialNr, bool b70, bool& bFound) const;
    bool comesBefore(int nSerialNr, bool b70, int nIndex) const;
    bool isAt(int nSerialNr, bool b70, int nIndex) const;
    void connectIndex(bool bConnect);
};
