// The console screen editor's working copy and its loading and saving over the server exchange.
#pragma once

#include "config/editors/editorfaults.h"
#include "core/plant/plantmodel.h"

#include <QList>

#include <array>

class ServerExchange;

// Cells locked unless the service value "Console" allows them: line 1 columns 19 and 20, lines 2
// and 3 columns 10 to 17 (18 cells). Lines and columns count from 1.
bool isReservedCell(int line, int column);

struct ConsoleSheet
{
    SlotArray<ConsoleScreen> screens;
    int shown = 0;       // the slot whose screen the grid shows and edits; 0 before a choice
    bool loaded = false; // all 15 screens were read: a save cannot blank a screen never read
    bool saved = true;   // no cell changed since the last load or save
};

// Blanks every screen, then reads them in slot order with up to 5 tries each; false at the first
// failure, the screens not yet read staying blank. Nothing is shown afterwards; loaded when all 15
// were read, saved = true.
bool loadConsoleSheet(ServerExchange &server, ConsoleSheet &sheet);

// The character of a cell of the shown screen, stored at once: the grid and the shown screen never
// differ, so no choice of another screen can lose an edit. Nothing happens while no screen is shown,
// nor for a line or column outside the screen.
void setShownCell(ConsoleSheet &sheet, int line, int column, char c);

// Writes the 15 screens of a loaded sheet in slot order with up to 5 tries each, going on after a
// failure but stopping at a refused access; returns the writes that failed, named by their tanks.
// saved becomes true only when none failed. A sheet that was not loaded writes nothing and counts
// as saved.
QList<WriteFailure> saveConsoleSheet(ServerExchange &server, ConsoleSheet &sheet);
