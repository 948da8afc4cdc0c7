#include "GraphicsTab.h"

#include "DataDict.h"
#include "ExportFile.h"
#include "ExportFileName.h"
#include "GraphicsDB.h"
#include "GraphicsFieldCurves.h"
#include "LocalTimeParser.h"
#include "PickDateDlg.h"
#include "WaitCursor.h"
#include "ui_GraphicsTab.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QMessageBox>
#include <QPainter>
#include <QSaveFile>
#include <QShortcut>

#include <cmath>

static void initDiagramResources()
{
    Q_INIT_RESOURCE(diagrams);
}

namespace
{
// One source of rows: its tables, the span of the second log, the tag its segments carry, and
// the longest step between two rows of one segment (ten log intervals; a longer one is a pause
// of the log).
struct SLogKind
{
    int nTableKind;
    int nTableKind70;
    int nSpan;
    int nTag;
    qint64 nMaxGapSecs;
};

const SLogKind LOG_KINDS[] = {
    {CDBBase::TK_VALUE_LOGS, CDBBase::TK_VALUE_LOGS_70, 0, -1, 10 * 60},
    {CDBBase::TK_SEC_LOGS, CDBBase::TK_SEC_LOGS_70, 0, 0, 10 * 900},
    {CDBBase::TK_SEC_LOGS, CDBBase::TK_SEC_LOGS_70, 1, 1, 10 * 86400},
    {CDBBase::TK_SEC_LOGS, CDBBase::TK_SEC_LOGS_70, 2, 2, 10LL * 2592000},
};
const int LOG_KIND_COUNT = 4;
const int MINUTE_VALUES = 0;

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
} // namespace

CGraphicsTab::CGraphicsTab(bool bCorMisto70, QWidget* parent)
    : QWidget(parent), m_bCorMisto70(bCorMisto70), m_pUi(std::make_unique<Ui::CGraphicsTab>()),
      m_serialNrSource([] { return CDBBase::ALL_SERIAL_NUMBERS; })
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
    for (int nLogKind = 0; nLogKind < LOG_KIND_COUNT; ++nLogKind)
        connect(box(nLogKind), &QCheckBox::clicked, this, [this, nLogKind] { onLogKindClicked(nLogKind); });
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

QCheckBox* CGraphicsTab::box(int nLogKind) const
{
    QCheckBox* const boxes[] = {m_pUi->m_pCbMinuteLog, m_pUi->m_pCb1_4HourLog, m_pUi->m_pCbDayLog,
                                m_pUi->m_pCbMonthLog};
    return boxes[nLogKind];
}

void CGraphicsTab::enableLogKindBoxes()
{
    int nTicked = 0;
    for (int nLogKind = 0; nLogKind < LOG_KIND_COUNT; ++nLogKind)
        nTicked += box(nLogKind)->isChecked() ? 1 : 0;
    for (int nLogKind = 0; nLogKind < LOG_KIND_COUNT; ++nLogKind)
        box(nLogKind)->setEnabled(nTicked >= 2 || !box(nLogKind)->isChecked());
}

void CGraphicsTab::setTodaySource(std::function<QDate()> source)
{
    m_pUi->m_pPlot->setToday(std::move(source));
}

void CGraphicsTab::reload()
{
    SWaitCursor waitCursor;
    enableLogKindBoxes();
    m_pUi->m_pPlot->clear();
    for (int nField : m_pUi->m_pCurvePicker->selectedFields())
        onCurveAdded(nField);
    m_pUi->m_pPlot->replot();
}

void CGraphicsTab::onLogKindClicked(int nLogKind)
{
    SWaitCursor waitCursor;
    enableLogKindBoxes();
    CGraphicsPlot* pPlot = m_pUi->m_pPlot;
    if (box(nLogKind)->isChecked())
    {
        for (int nField : m_pUi->m_pCurvePicker->selectedFields())
            createFieldCurves(nField, nLogKind);
    }
    else
    {
        pPlot->removeSegments(LOG_KINDS[nLogKind].nTag);
    }
    pPlot->fitAxis(CGraphicsPlot::AXIS_LEFT);
    pPlot->fitAxis(CGraphicsPlot::AXIS_RIGHT);
    pPlot->replot();
}

void CGraphicsTab::onCurveAdded(int nDataDictField)
{
    CGraphicsPlot* pPlot = m_pUi->m_pPlot;
    for (int nLogKind = 0; nLogKind < LOG_KIND_COUNT; ++nLogKind)
    {
        if (!box(nLogKind)->isChecked() || !createFieldCurves(nDataDictField, nLogKind) ||
            nLogKind != MINUTE_VALUES || pPlot->curveCount() != 1)
            continue;
        // The first field opens on its latest stretch of minute values.
        const CGraphicsFieldCurves* pField = pPlot->findFieldCurves(fieldName(nDataDictField));
        const QList<QPair<double, double>> ranges =
            pField ? pField->segmentRanges(LOG_KINDS[MINUTE_VALUES].nTag) : QList<QPair<double, double>>();
        if (!ranges.isEmpty())
            pPlot->setTimeRange(ranges.last().first, ranges.last().second);
    }
    pPlot->fitAxis(CGraphicsPlot::AXIS_LEFT);
    pPlot->fitAxis(CGraphicsPlot::AXIS_RIGHT);
    pPlot->replot();
}

bool CGraphicsTab::createFieldCurves(int nDataDictField, int nLogKind)
{
    const SLogKind& kind = LOG_KINDS[nLogKind];
    CGraphicsDB db;
    // The second logs keep no virtual supply temperature; their sensor value stands in for it.
    db.addField(nLogKind != MINUTE_VALUES && nDataDictField == DDI_SupplyTempVirt ? DDI_SupplyTemp
                                                                                  : nDataDictField);

    const CDataDict* pDict = CDataDict::instance();
    const bool bZeroIsNoValue = zeroMeansNoValue(nDataDictField);
    QVector<QPointF> points;
    bool bResult = false;
    auto flush = [&]
    {
        if (points.isEmpty())
            return;
        m_pUi->m_pPlot->addCurve(points, fieldName(nDataDictField),
                                 pDict->getText(nDataDictField, CDataDict::COL_UNIT),
                                 CDataDict::getGroupColor(pDict->getGroup(nDataDictField)), kind.nTag);
        // Not clear(): the curve may share the vector, and clearing a shared vector copies it.
        points = QVector<QPointF>();
    };

    qint64 nPrevious = 0;
    db.readRows(m_serialNrSource(), m_bCorMisto70 ? kind.nTableKind70 : kind.nTableKind, kind.nSpan,
                [&](qint64 nTime, double dValue)
                {
                    const bool bValid =
                        !std::isnan(dValue) && !(bZeroIsNoValue && qFuzzyCompare(dValue + 1, 1.0));
                    if (!bValid || (!points.isEmpty() && nTime - nPrevious > kind.nMaxGapSecs))
                        flush();
                    if (bValid)
                    {
                        // x as QwtDate counts it: milliseconds since the epoch.
                        points.append(QPointF(nTime * 1000.0, dValue));
                        bResult = true;
                    }
                    nPrevious = nTime;
                });
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
    pPlot->fitTimeAxis();
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
    // The day's first instant, as the log store finds it: where the clocks skip midnight, midnight
    // is on the day before; where midnight repeats, its first pass.
    if (dialog.exec() == QDialog::Accepted)
        m_pUi->m_pPlot->setStartDate(
            QDateTime::fromSecsSinceEpoch(CLocalTimeParser().startOfDate(dialog.selectedDate())));
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
    // The picture shown now, and nothing of the page after the file dialog: while it waits a unit of
    // the other type may come on the port, and the page is made anew for it.
    const QImage image = renderImage().toImage();
    const QStringList filters = {tr("PNG files (*.png)"), tr("JPEG files (*.jpg)"), tr("Any files (*.*)")};
    SAgreedFile agreed;
    const QString strFileName =
        GetExportFileName(tr("File name for Diagram"), filters, QString(), QStringLiteral("png"), agreed);
    if (strFileName.isEmpty())
        return;
    // Encoded before the file is touched: a format no writer knows leaves a file there as it was.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSaveFile file(strFileName);
    QString strReason;
    if (!buffer.open(QIODevice::WriteOnly) ||
        !image.save(&buffer, QFileInfo(strFileName).suffix().toLower().toLatin1().constData()) ||
        !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() ||
        !putExportInPlace(file, agreed, strReason))
        QMessageBox::warning(QApplication::activeWindow(), QApplication::applicationName(),
                             tr("Unable to export diagram into file '%1'.").arg(strFileName),
                             QMessageBox::Ok);
}
