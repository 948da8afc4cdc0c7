#include "Fan_70_PC.h"

#include "LogReplies.h"

#include <QDebug>
#include <iterator>

namespace
{
constexpr int STATE_REPLY_SIZE = 30;
constexpr int PRIM_LOG_REPLY_SIZE = 200;

static_assert(2 + SPrimLogEntry_70::SIZE == STATE_REPLY_SIZE, "state reply");
static_assert(4 + 7 * SPrimLogEntry_70::SIZE == PRIM_LOG_REPLY_SIZE, "primary-log reply");

const char* const MODE_NAMES[] = {"MinAir", "RelDry", "AbsDry", "SumCoo",
                                  "VenCO2", "HumInp", "CO2Inp", "HCO2In"};
} // namespace

CFan_70_PC::CFan_70_PC(QObject* parent) : CFanBase(parent) {}

const char* CFan_70_PC::getModeName(int mode) const
{
    if (unsigned(mode) >= unsigned(std::size(MODE_NAMES)))
        return "- ?? -";
    return MODE_NAMES[mode];
}

QString CFan_70_PC::getDeviceTypeText() const
{
    return QStringLiteral("tolVane plus");
}

int CFan_70_PC::getUnitType() const
{
    return 1;
}

bool CFan_70_PC::getCurrentState(SPrimLogEntry_70& entry)
{
    return readCurrentState(entry.m_Bytes, STATE_REPLY_SIZE);
}

bool CFan_70_PC::setSimulationValues(const SHLP_SetSimulationValues_70& values)
{
    qDebug() << "sizeof(SHLP_SetSimulationValues_70):" << SHLP_SetSimulationValues_70::SIZE;
    const auto bytes = values.encode();
    return sendOnLink(bytes.data(), UINT16(bytes.size()),
                      "CFan_70::setSimulationValues: Error sending request for simulation values");
}

bool CFan_70_PC::getPrimLog(QVector<SPrimLogEntry_70>& entries)
{
    return requestPrimLog(entries, PRIM_LOG_REPLY_SIZE, "SPrimLogEntry_70", "CFan_70_PC::getPrimLog");
}

bool CFan_70_PC::getSecLog(QVector<SSecLogEntry_70>& entries, CLogging_70::EMaxTimeSpan span, UINT16 count,
                           UINT16 first)
{
    return requestSecLog(entries, int(span), count, first, "SSecLogEntry_70", "CFan_70_PC::getSecLog");
}
