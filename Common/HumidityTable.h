#pragma once

#include <QtGlobal>

// Saturation humidity of air at a temperature in 1/8 degC, interpolated linearly from a table
// of -20..+50 degC. Column 0: absolute humidity in 0.1 g/m3; column 1: moisture content in
// 0.1 g/kg of dry air. Below the table 5, above it 1000; a column other than 0 or 1 gives 0.
int InterpolateHumidityTable(qint16 x, unsigned int nColumn);
