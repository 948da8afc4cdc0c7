#pragma once

#include <QComboBox>
#include <QDate>

// Day selector of the minute-log tab: one item per day, ascending, without duplicates.
class CComboDayFilter : public QComboBox
{
    Q_OBJECT

public:
    explicit CComboDayFilter(QWidget* parent = nullptr);

    // The current item's day; null when no item is current.
    QDate currentDate() const;
    // Makes the first item of that day current; false when there is none.
    bool selectDate(const QDate& date);
    // Inserts the day in order unless it is listed; the current item stays the same item.
    void addDate(const QDate& date);

signals:
    void selectedDayChanged(QDate date);

public slots:
    void onCurrentIndexChanged(int nIndex);

private:
    QDate dateAt(int nIndex) const;
    // Where the day belongs among items lo..hi; -1 when it is listed.
    int findInsertPos(const QDate& date, int lo, int hi) const;

    QDate m_date;
};
