// Whether every text of a window fits its box in the fonts of the platform the tests run on:
// labels, buttons, check and radio boxes, group titles and the header cells of grids.
#pragma once

#include <QStringList>

class QWidget;

// One line per text that does not fit: "Form2/StringGrid1[0,4]: "H 0 [mm]" needs 61 x 14, has 52 x 16".
// Word-wrapped labels must hold their lines; grids are checked on their first row, on their first
// column when they have no row header, and on their visible header sections.
QStringList clippedTexts(const QWidget &window);
