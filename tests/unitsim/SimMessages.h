#pragma once

#include "SimUnitModel.h"

namespace unitsim
{
// Reply lengths (data bytes) of the messages that have a reply.
constexpr int IDENT_REPLY = IDENT_RECORD_SIZE;
constexpr int STATE_REPLY_100 = 2 + STATE_RECORD_100;
constexpr int STATE_REPLY_PLUS = 2 + STATE_RECORD_PLUS;
constexpr int COUNTERS_PER_REPLY = 8;
constexpr int COUNTERS_REPLY = 5 + 4 * COUNTERS_PER_REPLY;
constexpr int TIMER_REPLY = 8;
constexpr int SEC_LOG_PER_REPLY = 5;
constexpr int SEC_LOG_REPLY = 6 + SEC_LOG_PER_REPLY * SEC_LOG_ENTRY_SIZE;
constexpr int PRIM_LOG_PER_REPLY = 7;
constexpr int PRIM_LOG_REPLY_100 = 4 + PRIM_LOG_PER_REPLY * STATE_RECORD_100;
constexpr int PRIM_LOG_REPLY_PLUS = 4 + PRIM_LOG_PER_REPLY * STATE_RECORD_PLUS;
constexpr int CHECK_REPLY = 3;
constexpr int SEC_LOG_COUNT_REPLY = 20;
constexpr int VENT_REPLY = 2 + VENT_COUNT * VENT_RECORD_SIZE;
constexpr int WIFI_REPLY = 170;
constexpr int SINGLE_COUNTER_REPLY = 7;
constexpr int MEMORY_REPLY_MAX = 200;
constexpr int PARTITIONS_PER_REPLY = 10;
constexpr int PARTITION_REPLY = PARTITIONS_PER_REPLY * PARTITION_ENTRY_SIZE; // no code byte
constexpr int SWAP_REPLY = 4;

static_assert(STATE_REPLY_100 == 28 && STATE_REPLY_PLUS == 30, "state replies");
static_assert(COUNTERS_REPLY == 37, "counter reply");
static_assert(SEC_LOG_REPLY == 166, "second-log reply");
static_assert(PRIM_LOG_REPLY_100 == 186 && PRIM_LOG_REPLY_PLUS == 200, "primary-log replies");
static_assert(VENT_REPLY == 146, "vent reply");

// Message codes the unit knows.
enum EMessageCode : quint8
{
    MSG_IDENT = 1,
    MSG_IDENT_REPLY = 2,
    MSG_SET_SERIAL_NUMBER = 3,
    MSG_UPLOAD_MODE_BEGIN = 4,
    MSG_UPLOAD_MODE_END = 5,
    MSG_SWAP_BOOTLOADERS = 6,
    MSG_SWAP_BOOTLOADERS_REPLY = 10, // the one reply that does not carry its request's code
    MSG_UPLOAD_START = 7,
    MSG_UPLOAD_DATA = 8,
    MSG_UPLOAD_END = 9,
    MSG_PARTITION_TABLE = 11,
    MSG_REPORT_MEMORY = 12,
    MSG_COUNTERS = 13,
    MSG_TIMER = 14,
    MSG_PRIM_LOG = 15,
    MSG_SIMULATION = 16,
    MSG_START_APPLICATION = 17,
    MSG_STARTUP_MODE = 18,
    MSG_STATE = 19,
    MSG_SEC_LOG = 20,
    MSG_ERASE_SEC_LOG = 21,
    MSG_AVERAGE = 22,
    MSG_CHECK_SEC_LOG = 23,
    MSG_SEC_LOG_COUNT = 24,
    MSG_VENTS = 25,
    MSG_WIFI = 26,
    MSG_SINGLE_COUNTER = 27,
    MSG_MOVE_VENT = 28,
    MSG_CREDENTIALS = 29
};

// The unit's answer to one high-layer message (the data of a command-1 frame): the data of
// each reply packet in sending order. An empty list means the acknowledgement is all.
// Unknown codes, and the Wi-Fi, credential and vent messages on a plus unit, get none.
// Upload data records place the number of bytes their bytes 2-3 give.
QList<QByteArray> answerMessage(SSimUnitModel& model, const QByteArray& request);
} // namespace unitsim
