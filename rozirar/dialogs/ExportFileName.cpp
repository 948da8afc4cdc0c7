#include "ExportFileName.h"

#include "AppSettings.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>

QString rememberedFolder(const char* settingsKey)
{
    const QVariant folder = CAppSettings::open()->value(settingsKey);
    if (folder.isValid() && folder.canConvert<QString>())
        return folder.toString();
    return QStandardPaths::standardLocations(QStandardPaths::DocumentsLocation).value(0);
}

void rememberFolder(const char* settingsKey, const QString& strFileName)
{
    const QString folder = QFileInfo(strFileName).absolutePath();
    if (!folder.isEmpty())
        CAppSettings::open()->setValue(settingsKey, folder);
}

QString GetExportFileName(const QString& caption, const QStringList& nameFilters, const QString& fileName,
                          const QString& defaultSuffix, SAgreedFile& agreed)
{
    QFileDialog dialog(QApplication::activeWindow(), caption, QString(), QString());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // the question below asks it once
    dialog.setNameFilters(nameFilters);
    if (!nameFilters.isEmpty())
        dialog.selectNameFilter(nameFilters.first());
    dialog.setDirectory(rememberedFolder("FileExportDir"));
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (!defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    const QString chosen = dialog.selectedFiles().value(0);
    if (chosen.isEmpty())
        return QString();
    // The file asked about, before the question lets another be put in its place.
    agreed = SAgreedFile::at(chosen);
    if (agreed.bThere &&
        QMessageBox::question(
            QApplication::activeWindow(), QCoreApplication::applicationName(),
            QCoreApplication::translate("main", "The file '%1' exists alrady. Do you want to overwrite it?")
                .arg(chosen),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton) != QMessageBox::Yes)
        return QString();
    rememberFolder("FileExportDir", chosen);
    return chosen;
}
