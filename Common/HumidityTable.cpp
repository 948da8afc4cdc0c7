#include "HumidityTable.h"

namespace
{
constexpr int ROWS = 71;
constexpr int COLUMNS = 2;
constexpr int LOWEST = -160; // -20 degC in 1/8 degC
constexpr int HIGHEST = 400; // +50 degC

// Row r holds r - 20 degC.
const quint16 s_Table[ROWS][COLUMNS] = {
    {10, 7},    // -20
    {11, 8},    // -19
    {12, 9},    // -18
    {13, 9},    // -17
    {14, 10},   // -16
    {15, 11},   // -15
    {17, 12},   // -14
    {18, 13},   // -13
    {20, 15},   // -12
    {21, 16},   // -11
    {23, 17},   // -10
    {25, 19},   // -9
    {27, 20},   // -8
    {29, 22},   // -7
    {32, 24},   // -6
    {34, 26},   // -5
    {37, 28},   // -4
    {39, 30},   // -3
    {42, 32},   // -2
    {45, 35},   // -1
    {49, 38},   // 0
    {52, 41},   // 1
    {56, 44},   // 2
    {60, 47},   // 3
    {64, 50},   // 4
    {69, 54},   // 5
    {73, 58},   // 6
    {78, 62},   // 7
    {84, 67},   // 8
    {89, 71},   // 9
    {95, 76},   // 10
    {102, 82},  // 11
    {108, 87},  // 12
    {115, 93},  // 13
    {123, 100}, // 14
    {131, 107}, // 15
    {139, 114}, // 16
    {148, 121}, // 17
    {157, 129}, // 18
    {167, 138}, // 19
    {177, 147}, // 20
    {188, 157}, // 21
    {199, 167}, // 22
    {212, 178}, // 23
    {224, 189}, // 24
    {238, 201}, // 25
    {252, 214}, // 26
    {267, 227}, // 27
    {283, 241}, // 28
    {299, 256}, // 29
    {317, 272}, // 30
    {335, 289}, // 31
    {354, 306}, // 32
    {375, 325}, // 33
    {396, 345}, // 34
    {419, 366}, // 35
    {442, 388}, // 36
    {467, 411}, // 37
    {494, 435}, // 38
    {521, 461}, // 39
    {550, 488}, // 40
    {581, 517}, // 41
    {613, 548}, // 42
    {647, 580}, // 43
    {683, 614}, // 44
    {721, 655}, // 45
    {760, 688}, // 46
    {802, 728}, // 47
    {846, 770}, // 48
    {893, 815}, // 49
    {942, 862}, // 50
};
} // namespace

int InterpolateHumidityTable(qint16 x, unsigned int nColumn)
{
    if (x < LOWEST)
        return 5;
    if (x > HIGHEST)
        return 1000;
    if (nColumn >= COLUMNS)
        return 0;

    const int row = (x - LOWEST) >> 3;
    const int f = x & 7; // two's complement: -1 lies in the row of -1 degC with f = 7
    const int t0 = s_Table[row][nColumn];
    if (f < 4)
    {
        if (row == ROWS - 1)
            return t0;
        const int t1 = s_Table[row + 1][nColumn];
        return t0 + (((t1 - t0) * f + 4) >> 3);
    }
    // The upper half counts back from the next row; row 70 is only reached with f = 0.
    const int t1 = s_Table[row + 1][nColumn];
    return t1 - (((t1 - t0) * (8 - f) + 4) >> 3);
}
