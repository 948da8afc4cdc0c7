#include "StateRecord.h"

#include "DataDict.h"

namespace StateRecord
{
QString abbreviation(int nIndex)
{
    return nIndex < 0 ? QString() : CDataDict::instance()->getText(nIndex, CDataDict::COL_ABBREVIATION);
}

QString description(int nIndex)
{
    return nIndex < 0 ? QString("") : CDataDict::instance()->getText(nIndex, CDataDict::COL_DESCRIPTION);
}
} // namespace StateRecord
