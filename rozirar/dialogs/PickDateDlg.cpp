#include "PickDateDlg.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QVBoxLayout>

CPickDateDlg::CPickDateDlg(QWidget* parent)
    : QDialog(parent), widget(new QWidget(this)), calendarWidget(new QCalendarWidget(widget)),
      buttonBox(new QDialogButtonBox(widget)), verticalLayout(new QVBoxLayout(widget))
{
    setSizeGripEnabled(false);
    resize(350, 300);

    // The calendar panel keeps a fixed place; the dialog has no layout of its own.
    widget->setObjectName(QStringLiteral("widget"));
    widget->setGeometry(0, 10, 348, 285);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setContentsMargins(0, 0, 0, 0);
    calendarWidget->setObjectName(QStringLiteral("calendarWidget"));
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setOrientation(Qt::Horizontal);
    buttonBox->setStandardButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    verticalLayout->addWidget(calendarWidget);
    verticalLayout->addWidget(buttonBox);

    connect(buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QDate CPickDateDlg::selectedDate() const
{
    return calendarWidget->selectedDate();
}
