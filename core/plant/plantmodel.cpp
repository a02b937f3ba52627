// Slot look-ups and the console screen of the plant model.
#include "core/plant/plantmodel.h"

#include <algorithm>
#include <stdexcept>

std::optional<int> slotOfTank(int tankId)
{
    const auto found = std::find(TankIdList.begin(), TankIdList.end(), tankId);
    if (found == TankIdList.end())
        return std::nullopt;
    return static_cast<int>(found - TankIdList.begin()) + 1;
}

QString tankDisplayName(int slot)
{
    if (slot < 1 || slot > TankCount)
        return {};
    return QStringLiteral("R %1").arg(TankIdList[slot]);
}

int TankTable::checked(int slot)
{
    if (slot < 1 || slot > TankCount)
        throw std::out_of_range("tank slot out of range");
    return slot;
}

ConsoleScreen::ConsoleScreen() { m_chars.fill(' '); }

ConsoleScreen ConsoleScreen::fromReceived(std::span<const char, Size> bytes)
{
    ConsoleScreen screen;
    std::transform(bytes.begin(), bytes.end(), screen.m_chars.begin(), [](char c) { return c == '\0' ? ' ' : c; });
    return screen;
}

std::size_t ConsoleScreen::index(int line, int column)
{
    if (line < 1 || line > Lines || column < 1 || column > Columns)
        throw std::out_of_range("console screen cell out of range");
    return static_cast<std::size_t>((Lines - line) * Columns + column - 1);
}
