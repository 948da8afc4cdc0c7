#include "ComboDayFilter.h"

#include <QLocale>

CComboDayFilter::CComboDayFilter(QWidget* parent) : QComboBox(parent)
{
    setMinimumContentsLength(11);
    connect(this, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CComboDayFilter::onCurrentIndexChanged);
}

QDate CComboDayFilter::dateAt(int nIndex) const
{
    return itemData(nIndex, Qt::UserRole).toDate();
}

void CComboDayFilter::onCurrentIndexChanged(int nIndex)
{
    const QDate date = nIndex < 0 ? QDate() : dateAt(nIndex);
    if (date == m_date)
        return;
    m_date = date;
    emit selectedDayChanged(date);
}

QDate CComboDayFilter::currentDate() const
{
    return currentIndex() < 0 ? QDate() : dateAt(currentIndex());
}

bool CComboDayFilter::selectDate(const QDate& date)
{
    for (int i = 0; i < count(); ++i)
    {
        if (dateAt(i) == date)
        {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

int CComboDayFilter::findInsertPos(const QDate& date, int lo, int hi) const
{
    if (lo == hi)
    {
        const QDate at = dateAt(lo);
        return date < at ? lo : (date == at ? -1 : lo + 1);
    }
    if (hi - lo >= 2)
    {
        const int mid = (lo + hi) / 2;
        const QDate at = dateAt(mid);
        if (date < at)
            return findInsertPos(date, lo, mid);
        if (date == at)
            return -1;
        return findInsertPos(date, mid, hi);
    }
    const QDate atLo = dateAt(lo);
    const QDate atHi = dateAt(hi);
    if (date == atLo || date == atHi)
        return -1;
    return date < atLo ? lo : (date < atHi ? hi : hi + 1);
}

void CComboDayFilter::addDate(const QDate& date)
{
    const QString text = QLocale().toString(date, QLocale::ShortFormat);
    if (count() == 0)
    {
        insertItem(0, text, date);
        setCurrentIndex(0);
        return;
    }
    const int pos = findInsertPos(date, 0, count() - 1);
    if (pos >= 0)
        insertItem(pos, text, date);
}
