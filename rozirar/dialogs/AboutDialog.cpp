#include "AboutDialog.h"

#include "ui_AboutDialog.h"

// The logo is compiled into this static library; make sure it is registered before the form uses it.
static void initAboutResources()
{
    Q_INIT_RESOURCE(about);
}

namespace
{
const char* const PROGRAM_VERSION = "2.12 ";
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent), ui(new Ui::CAboutDialog)
{
    initAboutResources();
    ui->setupUi(this);
    ui->labelVersion->setText(
        ui->labelVersion->text().replace(QLatin1String("%1"), QLatin1String(PROGRAM_VERSION)));
}

CAboutDialog::~CAboutDialog()
{
    delete ui;
}
