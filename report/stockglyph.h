// The glyph of the report's fifteen stock buttons, drawn in code.
#pragma once

#include <QIcon>

// A ledger sheet with a pencil, 15 x 15 pixels: in colour for a usable button and in grey, with a
// white relief, for a disabled one.
QIcon stockButtonGlyph();
