#pragma once

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QDialogButtonBox;
class QVBoxLayout;

// A calendar from which the diagrams pick the day to show.
class CPickDateDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CPickDateDlg(QWidget* parent = nullptr);

    QDate selectedDate() const;

private:
    QWidget* widget;
    QCalendarWidget* calendarWidget;
    QDialogButtonBox* buttonBox;
    QVBoxLayout* verticalLayout;
};
