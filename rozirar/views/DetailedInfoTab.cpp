#include "DetailedInfoTab.h"

#include "DataDict.h"
#include "FanValues.h"
#include "TextTable.h"
#include "ui_DetailedInfoTab.h"

namespace
{
// Room-area settings up to this value are air-flow codes, not square metres.
constexpr int MAX_AIR_FLOW_CODE = 9;
// The unit reports its largest second-room setting as 90; the unit's own display shows 100.
constexpr int MAX_2ND_ROOM_REPORTED = 90;
} // namespace

CDetailedInfoTab::CDetailedInfoTab(QWidget* parent) : CDetailedInfoTabBase(parent)
{
    ui->RadioMinTOut->setText(QString::fromUtf8(GetText(TXT_OUTSIDE_TEMP_BELOW_MINUS_22)));
}

void CDetailedInfoTab::setCurrentValues(const CFanValues& values, quint32 nSerialNr, const QString& strHWVer,
                                        const QString& strBootlVer, int nOperatingHours, int nFilterHours,
                                        bool bDeicing)
{
    ui->EditOperationMode->setText(values.getModeText());
    ui->EditComfortLevel->setText(QString::number(values.ComfortLevel));

    const int nArea = values.RoomArea;
    if (nArea <= MAX_AIR_FLOW_CODE)
    {
        const int nShown = nArea == 1 ? 40 : nArea == 2 ? 60 : nArea;
        ui->EditRoomArea->setText(QStringLiteral("(%1)").arg(nShown));
        ui->LabelRoomArea_Unit->setText(QString::fromUtf8("m³/h"));
    }
    else
    {
        ui->EditRoomArea->setText(QString::number(nArea));
        ui->LabelRoomArea_Unit->setText(QString::fromUtf8("m²"));
    }

    ui->EditMax2ndRoomExtract->setText(values.Max2ndRoomExtract == MAX_2ND_ROOM_REPORTED
                                           ? QStringLiteral("100")
                                           : QString::number(values.Max2ndRoomExtract));
    ui->CheckBoxDeicing->setChecked(values.Deicing);
    ui->EditSerialNumber->setText(QString::number(nSerialNr));
    ui->EditBoardVersion->setText(strHWVer);
    ui->EditSoftwareVersion->setText(strBootlVer);
    ui->EditFanExtractRPM->setText(QString::number(values.FanExtractRPM));
    ui->EditFanSupplyRPM->setText(QString::number(values.FanSupplyRPM));
    ui->EditOperationHours->setText(QString::number(nOperatingHours));
    ui->EditFilterHours->setText(QString::number(nFilterHours));

    showProgram(values.getProgramIndex());
    showDeicing(bDeicing);
    showReduction(values.getSubStateIndex());
}

void CDetailedInfoTab::showProgram(int nProgramIndex)
{
    switch (nProgramIndex)
    {
    case DDI_MinAir:
        ui->RadioMinAir->setChecked(true);
        break;
    case DDI_RelDry:
        ui->RadioRelDry->setChecked(true);
        break;
    case DDI_AbsDry:
        ui->RadioAbsDry->setChecked(true);
        break;
    case DDI_Cool:
        ui->RadioCool->setChecked(true);
        break;
    case DDI_VenCO2:
        ui->RadioVenCO2->setChecked(true);
        break;
    default:
        clearGroup(ui->RadioMinAir);
        break;
    }
}

void CDetailedInfoTab::showDeicing(bool bDeicing)
{
    ui->GroupBoxReduction->setStyleSheet(
        bDeicing ? QStringLiteral("QGroupBox::title { background-color: rgb(  183, 183, 0); }") : QString());
    const int nEntry = bDeicing ? DDI_MinTOutDeicing : DDI_MinTOut;
    const CDataDict* pDict = CDataDict::instance();
    ui->RadioMinTOut->setText(pDict->getText(nEntry, CDataDict::COL_DESCRIPTION));
    ui->LabelMinTOut_Abbr->setText(pDict->getText(nEntry, CDataDict::COL_ABBREVIATION, true));
}

void CDetailedInfoTab::showReduction(int nSubStateIndex)
{
    switch (nSubStateIndex)
    {
    case DDI_DefrostBypass:
    case DDI_DefrostSupply:
        ui->RadioDefrostBypass->setChecked(true);
        break;
    case DDI_HumInput:
        ui->RadioHumInput->setChecked(true);
        break;
    case DDI_SupplyCondensing:
        ui->RadioSupplyCondensing->setChecked(true);
        break;
    case DDI_MinTOut:
        ui->RadioMinTOut->setChecked(true);
        break;
    default:
        clearGroup(ui->RadioMinTOut);
        break;
    }
}
