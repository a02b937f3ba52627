// The pictures of the chart window's tool buttons, drawn in code so that each shows what its button
// does on any desktop theme.
#pragma once

#include <QIcon>

enum class ChartTool { Settings, Period, Copy, Print };

// Settings: a scale with two sliders; Period: a clock face; Copy: two overlapping sheets;
// Print: a printer with a sheet coming out.
QIcon chartToolIcon(ChartTool tool);
