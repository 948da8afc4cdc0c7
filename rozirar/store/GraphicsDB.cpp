#include "GraphicsDB.h"

#include "DataDict.h"
#include "SecLogDBBase.h"

CGraphicsDB::CGraphicsDB(QObject* parent) : CDBBase(TK_NONE, QStringLiteral("UIThread2"), true, parent) {}

bool CGraphicsDB::createTable()
{
    return true;
}

bool CGraphicsDB::isFieldSelected(int nIndex)
{
    return nIndex == DDI_LogTimestamp || m_fields.contains(nIndex);
}

void CGraphicsDB::addField(int nIndex)
{
    m_fields.insert(nIndex);
}

void CGraphicsDB::removeField(int nIndex)
{
    m_fields.remove(nIndex);
}

void CGraphicsDB::setupQueryModelForTable(QSqlQueryModel& model, int nSerialNr, int nTableKind, int nTimeSpan)
{
    m_nTableKind = nTableKind;
    switch (nTableKind)
    {
    case TK_VALUE_LOGS:
        setupQueryModel(model, nSerialNr, QString());
        break;
    case TK_SEC_LOGS:
        setupQueryModel(model, nSerialNr, CSecLogDBBase::makeTimeSpanCondition(nTimeSpan));
        break;
    case TK_VALUE_LOGS_70:
        setupQueryModel70(model, nSerialNr, QString());
        break;
    case TK_SEC_LOGS_70:
        setupQueryModel70(model, nSerialNr, CSecLogDBBase::makeTimeSpanCondition(nTimeSpan));
        break;
    default:
        break;
    }
}
