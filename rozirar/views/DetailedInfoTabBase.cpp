#include "DetailedInfoTabBase.h"

#include "DataDict.h"
#include "TextTable.h"
#include "ViewResources.h"
#include "ui_DetailedInfoTab.h"

#include <QResizeEvent>

CDetailedInfoTabBase::CDetailedInfoTabBase(QWidget* parent) : QWidget(parent), ui(new Ui::CDetailedInfoTab)
{
    initViewResources(); // check marks of the tab style sheet
    ui->setupUi(this);

    const CDataDict* pDict = CDataDict::instance();
    ui->GroupBoxProgram->setTitle(pDict->getText(DDI_Program, CDataDict::COL_DESCRIPTION));
    ui->GroupBoxReduction->setTitle(pDict->getText(DDI_ReductionReason, CDataDict::COL_DESCRIPTION));
    for (QGroupBox* pGroupBox : {ui->GroupBoxEdits, ui->GroupBoxProgram, ui->GroupBoxReduction})
        labelFromDictionary(pGroupBox);

    setStyleSheet(makeStyleSheet(size()));
}

CDetailedInfoTabBase::~CDetailedInfoTabBase()
{
    delete ui;
}

QString CDetailedInfoTabBase::getTitle() const
{
    return QString::fromUtf8(GetText(TXT_DETAILED_INFORMATION));
}

void CDetailedInfoTabBase::resizeEvent(QResizeEvent* event)
{
    setStyleSheet(makeStyleSheet(event->size()));
    QWidget::resizeEvent(event);
}

void CDetailedInfoTabBase::clearGroup(QRadioButton* pButton)
{
    pButton->setChecked(true);
    pButton->setAutoExclusive(false);
    pButton->setChecked(false);
    pButton->setAutoExclusive(true);
}

// A widget named "Label<Key>", "Label<Key>_Abbr", "Label<Key>_Unit" or "Radio<Key>" gets the
// description, abbreviation or unit of dictionary entry <Key>; a name that is not a key, or an
// entry without that text, keeps the form's text (marked by its leading "*").
void CDetailedInfoTabBase::labelFromDictionary(QGroupBox* pGroupBox)
{
    static const QString ABBR_SUFFIX = QStringLiteral("_Abbr");
    static const QString UNIT_SUFFIX = QStringLiteral("_Unit");
    const CDataDict* pDict = CDataDict::instance();

    QLayout* pLayout = pGroupBox->layout();
    for (int i = 0; i < pLayout->count(); ++i)
    {
        QWidget* pWidget = pLayout->itemAt(i)->widget();
        if (!pWidget)
            continue;

        QString strName = pWidget->objectName();
        int nColumn = CDataDict::COL_DESCRIPTION;
        if (strName.endsWith(ABBR_SUFFIX))
        {
            strName.chop(ABBR_SUFFIX.size());
            nColumn = CDataDict::COL_ABBREVIATION;
        }
        else if (strName.endsWith(UNIT_SUFFIX))
        {
            strName.chop(UNIT_SUFFIX.size());
            nColumn = CDataDict::COL_UNIT;
        }
        if (strName.startsWith(QLatin1String("Label")) || strName.startsWith(QLatin1String("Radio")))
            strName.remove(0, 5);

        const int nIndex = pDict->indexOf(strName);
        if (nIndex == CDataDict::NOT_FOUND)
            continue;
        QString strText = pDict->getText(nIndex, nColumn);
        if (strText.isEmpty())
            continue;
        if (nColumn == CDataDict::COL_ABBREVIATION)
            strText = QLatin1Char('(') + strText + QLatin1Char(')');
        else if (nColumn == CDataDict::COL_DESCRIPTION)
            strText += QLatin1Char(':');

        if (QLabel* pLabel = qobject_cast<QLabel*>(pWidget))
            pLabel->setText(strText);
        else if (QRadioButton* pRadio = qobject_cast<QRadioButton*>(pWidget))
            pRadio->setText(strText.left(strText.size() - 1));
    }
}
