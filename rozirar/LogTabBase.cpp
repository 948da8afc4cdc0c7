#include "LogTabBase.h"

#include "ui_LogTabBase.h"

#include "DBBase.h"

#include <QHeaderView>

CLogTabBase::CLogTabBase(QWidget* parent)
    : QWidget(parent), ui(new Ui::CLogTabBase), m_serialNrSource([] { return CDBBase::ALL_SERIAL_NUMBERS; })
{
    const QString name = objectName();
    ui->setupUi(this);
    if (!name.isEmpty())
        setObjectName(name);
    // hooks for the program's style sheet
    ui->tableView->verticalHeader()->setObjectName("vertical");
    ui->tableView->horizontalHeader()->setObjectName("horizontal");
}

CLogTabBase::~CLogTabBase()
{
    delete ui;
}

QTableView* CLogTabBase::getTableView() const
{
    return ui->tableView;
}

QLabel* CLogTabBase::getDescriptionLabel() const
{
    return ui->labelDescription;
}

QHBoxLayout* CLogTabBase::getTopLayout() const
{
    return ui->m_pLayoutTop;
}

void CLogTabBase::scrollToBottom()
{
    ui->tableView->scrollToBottom();
}

void CLogTabBase::fitColumns()
{
    if (!isVisible())
        return;
    QTableView* pView = ui->tableView;
    pView->resizeColumnsToContents();
    QHeaderView* pHeader = pView->horizontalHeader();
    const int nCount = pHeader->count();
    const int nLast = pHeader->sectionPosition(nCount - 1);
    if (nCount <= 0 || nLast < 0)
        return;
    const int nUsed = nLast + pHeader->sectionSize(nCount - 1);
    const int nAvail = pView->width() - RESERVED_WIDTH;
    if (nAvail <= nUsed)
        return;
    const int nExtra = nAvail - nUsed;
    int nGiven = 0;
    for (int i = 0; i < nCount; ++i)
    {
        const int d = (nExtra - nGiven) / (nCount - i);
        pHeader->resizeSection(i, pHeader->sectionSize(i) + d);
        nGiven += d;
    }
}

void CLogTabBase::resizeEvent(QResizeEvent*)
{
    fitColumns();
}

void CLogTabBase::showEvent(QShowEvent*)
{
    fitColumns();
}
