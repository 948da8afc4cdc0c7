// The main window's commands: log retrieval and its progress, delete, about, export, import.
#include "MainWindow.h"

#include "ui_MainWindow.h"

#include "AboutDialog.h"
#include "DBImportData.h"
#include "DeleteDlg.h"
#include "DescriptorWriter.h"
#include "ExportFile.h"
#include "ExportFileName.h"
#include "ImportProgressDialog.h"
#include "LogExport.h"
#include "MinuteLogDB.h"
#include "MinuteLogTab.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"
#include "SecLogTab.h"
#include "ServiceTab.h"
#include "TextTable.h"
#include "VokDelimTextModel.h"
#include "WaitCursor.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QSqlQueryModel>

namespace
{
const char* const CSV_CODEC = "ISO 8859-1";
const QChar CSV_SEPARATOR(';');
const QChar CSV_QUOTE('"');

// Yes/No question of a fixed size with the texts of the text table on its buttons.
bool askYesNo(QWidget* parent, const QString& title, const QString& text,
              QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.button(QMessageBox::Yes)->setText(QString::fromUtf8(GetText(TXT_YES)));
    box.button(QMessageBox::No)->setText(QString::fromUtf8(GetText(TXT_NO)));
    box.setDefaultButton(defaultButton);
    return box.exec() == QMessageBox::Yes;
}

QStringList csvNameFilters()
{
    return {CMainWindow::tr("Text files for Excel (*.csv)"), CMainWindow::tr("Any files (*.*)")};
}

void warnUnableToOpen(const QString& strFileName, const QString& strReason)
{
    QMessageBox::warning(nullptr, QCoreApplication::applicationName(),
                         CMainWindow::tr("Unable to open file '%1'.\n%2").arg(strFileName, strReason),
                         QMessageBox::Ok);
}

void warnUnableToOpen(const QFileDevice& file)
{
    warnUnableToOpen(file.fileName(), file.errorString());
}
} // namespace

void CMainWindow::onRetrieveSecLog()
{
    CTabBase* pTab = getCurrentTab();
    auto* pSecLogTab = dynamic_cast<CSecLogTab*>(pTab);
    const bool bService = pTab && pTab == static_cast<CTabBase*>(m_pServiceTab);
    const QString appName = QCoreApplication::applicationName();
    if (!pSecLogTab && !bService)
    {
        QMessageBox::information(this, appName,
                                 tr("This function is only available for the tab pages %1, %2, %3 and %4. ")
                                     .arg(m_pSecLogTabQuarterHour->getTitle(), m_pSecLogTabDay->getTitle(),
                                          m_pSecLogTabMonth->getTitle(), m_pServiceTab->getTitle()),
                                 QMessageBox::Ok);
        return;
    }
    // The unit asked about; the question's wait lets another come on the port.
    const qint64 nSerialNr = m_bRozirared ? qint64(m_nConnectedSerialNr) : CMainObject::SERIAL_NR_UNKNOWN;
    const bool b70 = m_bConnected70;
    if (!askYesNo(this, appName, tr("Retrieve data of '%1' from the tolVane device?").arg(pTab->getTitle()),
                  QMessageBox::Yes))
        return;
    if (bService)
    {
        emit m_pServiceTab->updateCounters();
        return;
    }
    pSecLogTab->reload();
    QMetaObject::invokeMethod(
        m_mainObject, "retrieveSecLog", Qt::AutoConnection,
        Q_ARG(CLogging::EMaxTimeSpan, CLogging::EMaxTimeSpan(pSecLogTab->getTimeSpan())),
        Q_ARG(qint64, nSerialNr), Q_ARG(bool, b70));
}

void CMainWindow::onSecLogRetrievalProcess(int nPercentage, CLogging::EMaxTimeSpan secLogType)
{
    CSecLogTab* pTab = secLogTabOf(secLogType);
    m_bRetrieving = nPercentage >= 0;
    ui->progressSecLog->setValue(nPercentage);
    ui->progressSecLog->setFormat(tr("%1 %p%").arg(pTab->getTitle()));
    ui->progressSecLog->setVisible(m_bRetrieving);
    updateEnableStateToolbarControls();
    if (nPercentage >= 0)
        return;
    pTab->reload();
    if (nPercentage == CMainObject::PROGRESS_NOTHING_STORED)
        QMessageBox::information(
            this, QCoreApplication::applicationName(),
            tr("There are currently no '%1' records stored on the tolVane device.").arg(pTab->getTitle()),
            QMessageBox::Ok);
    else if (nPercentage == CMainObject::PROGRESS_COMMUNICATION_ERROR)
        QMessageBox::information(
            this, QCoreApplication::applicationName(),
            tr("Communication error while retrieving '%1' records from the tolVane device.")
                .arg(pTab->getTitle()),
            QMessageBox::Ok);
}

void CMainWindow::onSecLogStoreFailure(CLogging::EMaxTimeSpan secLogType, int nStored, int nEntries)
{
    QMessageBox::warning(this, QCoreApplication::applicationName(),
                         tr("Unable to store the '%1' records retrieved from the tolVane device in the "
                            "database: %2 of %3 entries were stored.")
                             .arg(secLogTabOf(secLogType)->getTitle())
                             .arg(nStored)
                             .arg(nEntries),
                         QMessageBox::Ok);
}

void CMainWindow::onDelete()
{
    bool b70 = false;
    const qint64 nSelected = ui->m_pComboSerialNr->getCurrentSerialNr(&b70);
    CDeleteDlg dialog(this, nSelected);
    const int nResult = dialog.exec();
    QString strQuestion;
    qint64 nSerialNr = CDBBase::ALL_SERIAL_NUMBERS;
    QList<CDBBase*> tables;
    if (nResult == CDeleteDlg::RESULT_SELECTED)
    {
        // The selector tells a tolVane 100 from a tolVane plus of the same number: only the
        // selected unit's rows go, those of its type's tables.
        nSerialNr = nSelected;
        const QString strUnit = b70 ? QStringLiteral("tolVane plus") : QStringLiteral("tolVane 100");
        strQuestion =
            nSerialNr <= 0
                ? tr("Delete all data of the %1 without a serial number?").arg(strUnit)
                : tr("Delete all data of the %1 with serial number %2?").arg(strUnit).arg(nSerialNr);
        tables = b70 ? QList<CDBBase*>{m_pMinuteLogDB70, m_pSecLogDB70}
                     : QList<CDBBase*>{m_pMinuteLogDB, m_pSecLogDB};
    }
    else if (nResult == CDeleteDlg::RESULT_ALL)
    {
        strQuestion = tr("Delete all data?");
        tables = {m_pMinuteLogDB70, m_pMinuteLogDB, m_pSecLogDB, m_pSecLogDB70};
    }
    else
    {
        return;
    }
    if (!askYesNo(this, "tolVane-Vozudoz", strQuestion, QMessageBox::No))
        return;
    CDBBase::deleteRecords(nSerialNr, tables);
    reloadViews(true);
}

void CMainWindow::onAbout()
{
    CAboutDialog dialog(this);
    dialog.exec();
}

bool CMainWindow::writeServiceTab(QIODevice* pDevice, const QStringList& names, const QList<quint32>& values)
{
    const int nRows = qMin(names.size(), values.size());
    CVokDelimTextModel model;
    model.insertColumns(0, 2);
    model.insertRows(0, nRows);
    model.setHeaderData(0, Qt::Horizontal, "Parameter", Qt::EditRole);
    model.setHeaderData(1, Qt::Horizontal, "Value", Qt::EditRole);
    for (int i = 0; i < nRows; ++i)
    {
        model.setCellData(i, 0, names.at(i));
        model.setCellData(i, 1, QString::number(values.at(i)));
    }
    return model.save(pDevice, true, CSV_SEPARATOR, CSV_QUOTE, CSV_CODEC);
}

void CMainWindow::onExport()
{
    CTabBase* pTab = getCurrentTab();
    const bool bService = pTab && pTab == static_cast<CTabBase*>(m_pServiceTab);
    if (!dynamic_cast<CLogTabBase*>(pTab) && !bService)
    {
        QMessageBox::information(
            this, QCoreApplication::applicationName(),
            tr("This function is only available for the tab pages %1, %2, %3, %4 and %5. ")
                .arg(m_pMinuteLogTab->getTitle(), m_pSecLogTabQuarterHour->getTitle(),
                     m_pSecLogTabDay->getTitle(), m_pSecLogTabMonth->getTitle(), m_pServiceTab->getTitle()),
            QMessageBox::Ok);
        return;
    }
    // What is shown now: while the file is chosen another unit may come on the port, and the
    // selector and the pages follow it.
    QStringList names;
    QList<quint32> values;
    QSqlQueryModel view;
    if (bService)
    {
        m_pServiceTab->getContent(names, values);
    }
    else
    {
        SWaitCursor wait;
        if (!pTab->setupQueryModel(&view, ui->m_pComboSerialNr->getCurrentSerialNr()))
            return;
    }
    const CLogExport logExport(view);
    view.clear();
    const QString strProposed = pTab->getTitle().replace('/', '-');
    SAgreedFile agreed;
    const QString strFileName = GetExportFileName(tr("File name for exporting '%1'").arg(strProposed),
                                                  csvNameFilters(), strProposed, "csv", agreed);
    if (strFileName.isEmpty())
        return;

    SWaitCursor wait;
    // Written beside the file and put in its place only when complete: a cancel or a failure
    // leaves an existing file as it was.
    QSaveFile file(strFileName);
    if (!file.open(QIODevice::WriteOnly))
    {
        warnUnableToOpen(file);
        return;
    }
    CDescriptorWriter writer(file);
    bool bWritten = false;
    if (bService)
    {
        bWritten = writeServiceTab(&writer, names, values);
    }
    else
    {
        QProgressDialog progress(tr("Exporting '%1'...").arg(pTab->getTitle()), tr("Cancel"), 0,
                                 qMax(logExport.rowCount(), 0), this);
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        bWritten = logExport.write(&writer,
                                   [&progress](int nRows)
                                   {
                                       progress.setValue(nRows);
                                       return !progress.wasCanceled();
                                   });
        if (progress.wasCanceled())
            return; // the unfinished file is dropped
        progress.reset();
    }
    // A file cut short (a full disk) must not pass for a complete export.
    QString strReason = writer.errorString();
    if (!bWritten || !putExportInPlace(file, agreed, strReason))
    {
        QMessageBox::warning(nullptr, QCoreApplication::applicationName(),
                             tr("Unable to write file '%1'.\n%2").arg(file.fileName(), strReason),
                             QMessageBox::Ok);
    }
}

void CMainWindow::onImport()
{
    QFileDialog dialog(this, tr("File name to import"), QString(), QString());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(csvNameFilters());
    dialog.setDefaultSuffix("csv");
    dialog.setDirectory(rememberedFolder("FileImportDir"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString strFileName = dialog.selectedFiles().first();
    rememberFolder("FileImportDir", strFileName);

    CImportProgressDialog progress(this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setLabelText(tr("Reading CSV file '%1'...").arg(QFileInfo(strFileName).fileName()));

    // A pipe would block the open until someone writes, a device might never end: only a regular
    // file is read, and that is asked before the open.
    const QFileInfo info(strFileName);
    if (info.exists() && !info.isFile())
    {
        progress.reset();
        warnUnableToOpen(strFileName, tr("Not a regular file."));
        return;
    }
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly))
    {
        progress.reset();
        warnUnableToOpen(file);
        return;
    }
    CDBImportData importer;
    importer.importData(&file, &progress);
    // minute rows that met the import's lock need not wait for the next poll
    m_pMinuteLogTab->writePendingRows();
    reloadViews(true);
}

void CMainWindow::writePendingMinuteRows()
{
    if (m_pMinuteLogTab->writePendingRows())
        return;
    QMessageBox::warning(this, "tolVane-Vozudoz",
                         tr("%1 minute rows could not be written to the database and are lost.")
                             .arg(m_pMinuteLogTab->pendingRows()));
}
