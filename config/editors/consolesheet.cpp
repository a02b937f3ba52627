// Loading, editing and saving the console screen editor's working copy.
#include "config/editors/consolesheet.h"

#include "core/exchange/serverexchange.h"

namespace {

qint32 screenCode(int slot) { return TankIdList[slot] + ConsoleScreenCodeBase; }

} // namespace

bool isReservedCell(int line, int column)
{
    if (line == 1)
        return column == 19 || column == 20;
    return (line == 2 || line == 3) && column >= 10 && column <= 17;
}

bool loadConsoleSheet(ServerExchange &server, ConsoleSheet &sheet)
{
    sheet = ConsoleSheet{};
    for (int slot = 1; slot <= TankCount; ++slot) {
        qint32 status = 0;
        const auto wire
            = readRecord(server, codeRequest(screenCode(slot)), decodeConsoleScreenWire, status, EditorTries);
        if (!wire)
            return false;
        sheet.screens[slot] = wire->screen;
    }
    sheet.loaded = true;
    return true;
}

void setShownCell(ConsoleSheet &sheet, int line, int column, char c)
{
    if (sheet.shown < 1 || sheet.shown > TankCount || line < 1 || line > ConsoleScreen::Lines || column < 1
        || column > ConsoleScreen::Columns)
        return;
    sheet.screens[sheet.shown].setCell(line, column, c);
    sheet.saved = false;
}

QList<WriteFailure> saveConsoleSheet(ServerExchange &server, ConsoleSheet &sheet)
{
    QList<WriteFailure> failed;
    for (int slot = 1; sheet.loaded && slot <= TankCount; ++slot) {
        const qint32 status
            = writeRecord(server, ConsoleScreenWire{screenCode(slot), sheet.screens[slot]}, encodeConsoleScreenWire);
        if (status == ExchangeStatus::Success)
            continue;
        failed.append({tankDisplayName(slot), status});
        if (status == ExchangeStatus::AccessRefused)
            break;
    }
    sheet.saved = failed.isEmpty();
    return failed;
}
