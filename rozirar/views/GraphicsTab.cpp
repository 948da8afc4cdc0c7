#include "GraphicsTab.h"

#include "DataDict.h"
#include "ExportFileName.h"
#include "GraphicsDB.h"
#include "GraphicsFieldCurves.h"
#include "MainWindow.h"
#include "PickDateDlg.h"
#include "ui_GraphicsTab.h"

#include <qwt_date.h>

#include <QApplication>
#include <QClipboard>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QShortcut>
#include <QSqlQueryModel>

static void initDiagramResources()
{
    Q_INIT_RESOURCE(diagrams);
}

namespace
{
// Ten log intervals: a longer step between two rows is a pause of the log.
const qint64 MINUTE_GAP_SECS = 10 * 60;
const qint64 QUARTER_HOUR_GAP_SECS = 10 * 900;
const qint64 DAY_GAP_SECS = 10 * 86400;
const qint64 MONTH_GAP_SECS = 10LL * 2592000;

const int LOG_KIND_MINUTE = -1;

// Only pulls the axis down to 0: no value lies below it.
const double NO_MAXIMUM = -9999;

struct SAxisMinRange
{
    int nField;
    double dMin;
    double dMax;
};

// Later entries of the same unit replace earlier ones.
const SAxisMinRange AXIS_MIN_RANGES[] = {
    {DDI_ExtractTemp, -10, 30},         {DDI_CO2, 300, 1500},
    {DDI_ExtractCO270, 100, 355},       {DDI_SupplyCO270, 100, 355},
    {DDI_RecoveryPercent, 0, 100},      {DDI_Pressure, 0, 1100},
    {DDI_RecoveryWatt, 0, NO_MAXIMUM},  {DDI_EnergyRecovered, 0, NO_MAXIMUM},
    {DDI_FanSupplyRPM, 0, NO_MAXIMUM},  {DDI_FanExtractRPM, 0, NO_MAXIMUM},
    {DDI_FanRPM70, 0, NO_MAXIMUM},      {DDI_AirDensity, 0, NO_MAXIMUM},
    {DDI_AirExchanged, 0, NO_MAXIMUM},  {DDI_WaterRemoved, 0, NO_MAXIMUM},
    {DDI_OutdoorHumAbs, 0, NO_MAXIMUM}, {DDI_ExtractAirFlow, 0, NO_MAXIMUM},
};

// Fields whose logs write 0 where they have no value.
bool zeroMeansNoValue(int nField)
{
    return nField == DDI_RecoveryPercent || nField == DDI_RecoveryWatt || nField == DDI_EnergyCooled;
}

QString fieldName(int nField)
{
    return CDataDict::instance()->getText(nField, CDataDict::COL_ABBREVIATION);
}

int currentSerialNr()
{
    const CMainWindow* pMainWindow = CMainWindow::getInstance();
    return pMainWindow ? pMainWindow->getCurrentSerialNr(nullptr) : CDBBase::ALL_SERIAL_NUMBERS;
}

class CWaitCursor
{
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY(CWaitCursor)
};
} // namespace

CGraphicsTab::CGraphicsTab(bool bCorMisto70, QWidget* parent)
    : QWidget(parent), m_bCorMisto70(bCorMisto70), m_pUi(std::make_unique<Ui::CGraphicsTab>())
{
    initDiagramResources();
    m_pUi->setupUi(this);

    const CDataDict* pDict = CDataDict::instance();
    for (const SAxisMinRange& range : AXIS_MIN_RANGES)
        m_pUi->m_pPlot->setAxisMinRange(pDict->getText(range.nField, CDataDict::COL_UNIT), range.dMin,
                                        range.dMax);

    CGraphicsCurvePicker* pPicker = m_pUi->m_pCurvePicker;
    connect(pPicker, &CGraphicsCurvePicker::curveAdded, this, &CGraphicsTab::onCurveAdded);
    connect(pPicker, &CGraphicsCurvePicker::curveRemoved, this, &CGraphicsTab::onCurveRemoved);
    for (QCheckBox* pBox :
         {m_pUi->m_pCbMinuteLog, m_pUi->m_pCb1_4HourLog, m_pUi->m_pCbDayLog, m_pUi->m_pCbMonthLog})
        connect(pBox, &QCheckBox::clicked, this, &CGraphicsTab::reload);
    connect(m_pUi->m_pBtnExport, &QPushButton::clicked, this, &CGraphicsTab::onExportGraphics);
    connect(m_pUi->m_pBtnFit, &QToolButton::clicked, this, &CGraphicsTab::onFit);
    // Choosing a field shows all of its values.
    connect(pPicker, &CGraphicsCurvePicker::curveAdded, this, &CGraphicsTab::onFit);

    auto* pCopy = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_C), this);
    pCopy->setContext(Qt::WindowShortcut);
    connect(pCopy, &QShortcut::activated, this, &CGraphicsTab::copyToClipboard);

    pPicker->fillAvailable(m_bCorMisto70);
}

CGraphicsTab::~CGraphicsTab() = default;

QString CGraphicsTab::getTitle() const
{
    return tr("Diagrams");
}

void CGraphicsTab::reload()
{
    CWaitCursor waitCursor;

    const QList<QCheckBox*> boxes = {m_pUi->m_pCbMinuteLog, m_pUi->m_pCb1_4HourLog, m_pUi->m_pCbDayLog,
                                     m_pUi->m_pCbMonthLog};
    int nTicked = 0;
    for (const QCheckBox* pBox : boxes)
        nTicked += pBox->isChecked() ? 1 : 0;
    // The last ticked box cannot be unticked.
    for (QCheckBox* pBox : boxes)
        pBox->setEnabled(nTicked >= 2 || !pBox->isChecked());

    m_pUi->m_pPlot->clear();
    for (int nField : m_pUi->m_pCurvePicker->selectedFields())
        onCurveAdded(nField);
    m_pUi->m_pPlot->replot();
}

void CGraphicsTab::onCurveAdded(int nDataDictField)
{
    const int nSerialNr = currentSerialNr();
    CGraphicsDB db;
    db.addField(nDataDictField);
    QSqlQueryModel model;
    CGraphicsPlot* pPlot = m_pUi->m_pPlot;

    if (m_pUi->m_pCbMinuteLog->isChecked())
    {
        db.setupQueryModelForTable(model, nSerialNr,
                                   m_bCorMisto70 ? CDBBase::TK_VALUE_LOGS_70 : CDBBase::TK_VALUE_LOGS, 0);
        if (createFieldCurves(model, nDataDictField, MINUTE_GAP_SECS, LOG_KIND_MINUTE) &&
            pPlot->curveCount() == 1)
        {
            // The first field opens on its latest stretch of minute values.
            const CGraphicsFieldCurves* pField = pPlot->findFieldCurves(fieldName(nDataDictField));
            const QList<QPair<double, double>> ranges =
                pField ? pField->segmentRanges(LOG_KIND_MINUTE) : QList<QPair<double, double>>();
            if (!ranges.isEmpty())
                pPlot->setTimeRange(ranges.last().first, ranges.last().second);
        }
    }

    // The second logs keep no virtual supply temperature; their sensor value stands in for it.
    if (nDataDictField == DDI_SupplyTempVirt)
    {
        db.removeField(DDI_SupplyTempVirt);
        db.addField(DDI_SupplyTemp);
    }

    const struct
    {
        QCheckBox* pBox;
        int nSpan;
        qint64 nMaxGapSecs;
    } secLogs[] = {{m_pUi->m_pCb1_4HourLog, 0, QUARTER_HOUR_GAP_SECS},
                   {m_pUi->m_pCbDayLog, 1, DAY_GAP_SECS},
                   {m_pUi->m_pCbMonthLog, 2, MONTH_GAP_SECS}};
    for (const auto& secLog : secLogs)
    {
        if (!secLog.pBox->isChecked())
            continue;
        db.setupQueryModelForTable(
            model, nSerialNr, m_bCorMisto70 ? CDBBase::TK_SEC_LOGS_70 : CDBBase::TK_SEC_LOGS, secLog.nSpan);
        createFieldCurves(model, nDataDictField, secLog.nMaxGapSecs, secLog.nSpan);
    }

    pPlot->fitAxis(CGraphicsPlot::AXIS_LEFT);
    pPlot->fitAxis(CGraphicsPlot::AXIS_RIGHT);
    pPlot->replot();
}

bool CGraphicsTab::createFieldCurves(QSqlQueryModel& model, int nDataDictField, qint64 nMaxGapSecs,
                                     int nLogKind)
{
    const CDataDict* pDict = CDataDict::instance();
    QVector<QPointF> points;
    bool bResult = false;
    auto flush = [&]
    {
        if (points.isEmpty())
            return;
        m_pUi->m_pPlot->addCurve(points, fieldName(nDataDictField),
                                 pDict->getText(nDataDictField, CDataDict::COL_UNIT),
                                 CDataDict::getGroupColor(pDict->getGroup(nDataDictField)), nLogKind);
        points.clear();
    };

    QDateTime previous;
    for (int r = 0; r < model.rowCount(); ++r)
    {
        const QDateTime t = QDateTime::fromString(model.data(model.index(r, 0)).toString(), Qt::ISODate);
        const QVariant rawValue = model.data(model.index(r, 1));
        bool bValid = !rawValue.isNull();
        const double dValue = bValid ? rawValue.toDouble(&bValid) : 0;
        if (bValid && zeroMeansNoValue(nDataDictField) && qFuzzyCompare(dValue + 1, 1.0))
            bValid = false;

        if (bValid && r > 0 && !points.isEmpty() && previous.secsTo(t) > nMaxGapSecs)
            flush();
        if (!bValid)
            flush();
        else
        {
            points.append(QPointF(QwtDate::toDouble(t), dValue));
            bResult = true;
        }
        previous = t;

        if (r == model.rowCount() - 1 && model.canFetchMore())
            model.fetchMore();
    }
    flush();
    return bResult;
}

void CGraphicsTab::onCurveRemoved(int nDataDictField)
{
    m_pUi->m_pPlot->removeFieldCurves(fieldName(nDataDictField));
}

void CGraphicsTab::onFit()
{
    CGraphicsPlot* pPlot = m_pUi->m_pPlot;
    pPlot->fitAxis(CGraphicsPlot::AXIS_LEFT);
    pPlot->fitAxis(CGraphicsPlot::AXIS_RIGHT);
    pPlot->setAxisAutoScale(QwtPlot::xBottom, true);
    pPlot->replot();
}

void CGraphicsTab::onTimeSpanChanged(int index)
{
    static const int SPAN_SECS[] = {86400, 7 * 86400, 28 * 86400, 336 * 86400};
    m_pUi->m_pPlot->setTimeSpan(index >= 0 && index < 4 ? SPAN_SECS[index] : 1);
}

void CGraphicsTab::onPickDate()
{
    CPickDateDlg dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        m_pUi->m_pPlot->setStartDate(QDateTime(dialog.selectedDate(), QTime(0, 0), Qt::LocalTime));
}

QPixmap CGraphicsTab::renderImage()
{
    QWidget* pPlot = m_pUi->m_pPlot;
    QPixmap pixmap(pPlot->width() + 20, pPlot->height() + 30);
    {
        QPainter painter(&pixmap);
        QLinearGradient gradient(0.1 * pixmap.width(), 0.1 * pixmap.height(), 0.9 * pixmap.width(),
                                 0.9 * pixmap.height());
        gradient.setColorAt(0, QColor(1, 119, 190));
        gradient.setColorAt(1, QColor(74, 183, 238));
        painter.fillRect(pixmap.rect(), gradient);
    }
    pPlot->render(&pixmap, QPoint(10, 20), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return pixmap;
}

void CGraphicsTab::copyToClipboard()
{
    QApplication::clipboard()->setPixmap(renderImage(), QClipboard::Clipboard);
}

void CGraphicsTab::onExportGraphics()
{
    const QStringList filters = {tr("PNG files (*.png)"), tr("JPEG files (*.jpg)"), tr("Any files (*.*)")};
    const QString strFileName =
        GetExportFileName(tr("File name for Diagram"), filters, QString(), QStringLiteral("png"));
    if (strFileName.isEmpty())
        return;
    if (!renderImage().toImage().save(strFileName))
        QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(),
                             tr("Unable to export diagram into file '%1'.").arg(strFileName),
                             QMessageBox::Ok);
}
