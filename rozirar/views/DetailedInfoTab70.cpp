#include "DetailedInfoTab70.h"

#include "DataDict.h"
#include "FanValues70.h"
#include "ui_DetailedInfoTab.h"

CDetailedInfoTab70::CDetailedInfoTab70(QWidget* parent) : CDetailedInfoTabBase(parent)
{
    for (QWidget* pWidget : std::initializer_list<QWidget*>{
             ui->LabelFanSupplyRPM, ui->LabelFanSupplyRPM_Abbr, ui->EditFanSupplyRPM,
             ui->LabelFanSupplyRPM_Unit, ui->LabelDeicing, ui->LabelDeicing_Abbr, ui->CheckBoxDeicing,
             ui->LabelMax2ndRoomExtract, ui->LabelMax2ndRoomExtract_Abbr, ui->EditMax2ndRoomExtract,
             ui->LabelMax2ndRoomExtract_Unit, ui->LabelFilterHours, ui->LabelFilterHours_Abbr,
             ui->EditFilterHours, ui->RadioDefrostBypass, ui->LabelDefrostBypass_Abbr,
             ui->RadioSupplyCondensing, ui->LabelSupplyCondensing_Abbr})
        pWidget->hide();

    ui->LabelFanExtractRPM->setText(tr("Fan Speed"));
    ui->LabelFanExtractRPM_Abbr->setText(tr("(FS)"));
    ui->RadioMinTOut->setText(tr("CO2 Input"));
    ui->LabelMinTOut_Abbr->setText(tr("(CO2in)"));
    ui->RadioMinTOut->setAutoExclusive(false);
    ui->RadioHumInput->setAutoExclusive(false);
}

void CDetailedInfoTab70::setCurrentValues(const CFanValues70& values, quint32 nSerialNr,
                                          const QString& strHWVer, const QString& strBootlVer,
                                          int nOperatingHours, int, bool)
{
    ui->EditOperationMode->setText(values.getModeText());
    ui->EditComfortLevel->setText(QString::number(values.ComfortLevel));
    ui->EditRoomArea->setText(QString::number(values.RoomArea));
    ui->EditSerialNumber->setText(QString::number(nSerialNr));
    ui->EditBoardVersion->setText(strHWVer);
    ui->EditSoftwareVersion->setText(strBootlVer);
    ui->EditFanExtractRPM->setText(QString::number(values.FanRPM70));
    ui->EditOperationHours->setText(QString::number(nOperatingHours));

    const int nProgram = values.getProgramIndex();
    QRadioButton* const programButtons[] = {ui->RadioMinAir, ui->RadioRelDry, ui->RadioAbsDry, ui->RadioCool,
                                            ui->RadioVenCO2};
    static_assert(DDI_VenCO2 - DDI_MinAir + 1 == 5, "one button per program entry MinAir..VenCO2");
    if (nProgram >= DDI_MinAir && nProgram <= DDI_VenCO2)
        programButtons[nProgram - DDI_MinAir]->setChecked(true);
    else
        clearGroup(ui->RadioMinAir);

    ui->RadioMinTOut->setChecked(nProgram == DDI_CO2Inp || nProgram == DDI_HumUndCO2Inp);
    ui->RadioHumInput->setChecked(nProgram == DDI_HumUndCO2Inp || nProgram == DDI_HumInp);
}
