// Drawing the pages of the tank, material and user lists.
#include "config/printouts/listprintouts.h"

#include "core/codec/shorttext.h"
#include "core/drawing/canvas.h"
#include "core/drawing/drawhelpers.h"
#include "core/text/numberformat.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

// Horizontal rules from u to W - u at top + k * step for k = 0..last; wide ones are 2 pixels.
template <typename Wide>
void drawRules(Canvas &canvas, const PageGeometry &page, int top, int step, int last, Wide wide)
{
    for (int k = 0; k <= last; ++k)
        DrawLine(canvas, page.margin, top + k * step, page.width - page.margin, top + k * step, wide(k) ? 2 : 1);
}

// The outer vertical rules, 2 pixels wide, from top to bottom.
void drawFrameSides(Canvas &canvas, const PageGeometry &page, int top, int bottom)
{
    DrawLine(canvas, page.margin, top, page.margin, bottom, 2);
    DrawLine(canvas, page.width - page.margin, top, page.width - page.margin, bottom, 2);
}

int pagesFor(qsizetype count, int perPage, int limit)
{
    return std::clamp(static_cast<int>((count + perPage - 1) / perPage), 1, limit);
}

// A cell's text in Arial at `size` points, centred between the cell's top and bottom and `pad` pixels
// in from its left edge, or from its right edge when alignRight; a text too wide for the cell is
// printed smaller until it fits between the pads.
void cellText(Canvas &canvas, const QRect &cell, const QString &text, int size, bool alignRight, int pad)
{
    CanvasState &state = canvas.state();
    state.font = CanvasFont{QStringLiteral("Arial"), size, WinBlack};
    state.transparentText = true;
    state.textAlign = TextAlign::Left | TextAlign::Top;
    const int room = cell.width() - 2 * pad;
    while (state.font.size > 1 && canvas.textWidth(text) > room)
        --state.font.size;
    const int width = canvas.textWidth(text);
    const QFontMetrics metrics(canvas.qtFont());
    const int x = alignRight ? cell.right() + 1 - pad - width : cell.left() + pad;
    canvas.textOut(x, cell.top() + (cell.height() - metrics.height()) / 2, text);
}

// Tank list: a header row and 15 tank rows, each two row units high, below top = H / 6; the
// columns are one margin unit u wide, the last (the material) two. Numbers stand right in their
// cells, names and headers left, all a twelfth of u in from the rules.
void drawTankPage(Canvas &canvas, QSize size, const SlotArray<TankGridRow> &rows, const Clock &clock)
{
    const PageGeometry page = pageGeometry(size);
    const int u = page.margin;
    const int pad = u / 12;
    const int top = page.height / 6;
    const int rowHeight = 2 * page.rowUnit;
    DrawText(canvas, u, page.titleY,
             QStringLiteral("Spisak parametra na osnovu kojih se vrsi podesavanje softvera na projektu SKLADAR"), 12,
             0);
    drawRules(canvas, page, top, rowHeight, TankCount + 1, [](int k) { return k == 0 || k == TankCount + 1; });
    const int bottom = top + (TankCount + 1) * rowHeight;
    drawFrameSides(canvas, page, top, bottom);
    for (int m = 2; m <= 9; ++m)
        DrawLine(canvas, m * u, top, m * u, bottom, 1);

    const auto cell = [&](int m, int k) { return QRect(m * u, top + k * rowHeight, m == 9 ? 2 * u : u, rowHeight); };
    const QString headers[]
        = {QStringLiteral("Rezervoar"),  QStringLiteral("Precnik [m]"), QStringLiteral("Visina [m]"),
           QStringLiteral("Nivom. [m]"), QStringLiteral("Mz [mm]"),     QStringLiteral("H max [m]"),
           QStringLiteral("V max [m3]"), QStringLiteral("V mz [m3]"),   QStringLiteral("Materijal")};
    for (int m = 1; m <= 9; ++m)
        cellText(canvas, cell(m, 0), headers[m - 1], m == 1 ? 12 : 10, false, pad);
    for (int k = 1; k <= TankCount; ++k) {
        const TankGridRow &row = rows[k];
        cellText(canvas, cell(1, k), tankDisplayName(k), 12, false, pad);
        for (int m = FirstGeometryColumn; m < TankMaterialColumn; ++m)
            cellText(canvas, cell(m, k), row[static_cast<std::size_t>(m)], 8, true, pad);
        cellText(canvas, cell(9, k), row[TankMaterialColumn], 8, false, pad);
    }
    drawFooter(canvas, page, 12, clock);
}

// Material list: 32 rows of one row unit below a header row, from top = H / 8.
void drawMaterialPage(Canvas &canvas, QSize size, int pageNumber, const QList<MaterialGridRow> &rows,
                      const Clock &clock)
{
    const PageGeometry page = pageGeometry(size);
    const int u = page.margin;
    const int r = page.rowUnit;
    const int top = page.height / 8;
    const int x1 = u + page.width / 24;
    const int x2 = x1 + page.width / 4;
    const int x3 = x2 + page.width / 4;
    const int x4 = x3 + 3 * (page.width / 24);
    constexpr int lastRule = MaterialsPerPrintedPage + 1;
    DrawText(canvas, u, page.titleY, QStringLiteral("Spisak materijala koji se koriste u projektu SKLADAR"), 10, 0);
    drawRules(canvas, page, top, r, lastRule, [](int k) { return k == 0 || k == lastRule; });
    drawFrameSides(canvas, page, top, top + lastRule * r);
    for (const int x : {x1, x2, x3, x4})
        DrawLine(canvas, x, top, x, top + lastRule * r, 1);

    const int pad = u / 12;
    const std::array<int, 6> edges{u, x1, x2, x3, x4, page.width - u};
    const auto cell = [&](int column, int row) {
        return QRect(edges[column], top + row * r, edges[column + 1] - edges[column], r);
    };
    const QString headers[] = {QStringLiteral("No"), QStringLiteral("Materijal"), QStringLiteral("Vrsta materijala"),
                               QStringLiteral("Sifra"), QStringLiteral("Ro na 20 \u00B0C [kg/m3]")};
    for (std::size_t column = 0; column < 5; ++column)
        cellText(canvas, cell(static_cast<int>(column), 0), headers[column], column == 4 ? 8 : 10, false, pad);

    const int first = (pageNumber - 1) * MaterialsPerPrintedPage;
    const int last = std::min(static_cast<int>(rows.size()), first + MaterialsPerPrintedPage);
    for (int m = first; m < last; ++m) {
        const int row = m - first + 1;
        const MaterialGridRow &material = rows[m];
        cellText(canvas, cell(0, row), FormatInteger(m + 1), 8, true, pad);
        cellText(canvas, cell(1, row), material[MaterialNameColumn], 7, false, pad);
        cellText(canvas, cell(2, row), material[MaterialKindColumn], 7, false, pad);
        cellText(canvas, cell(3, row), material[MaterialSifraColumn], 7, false, pad);
        cellText(canvas, cell(4, row), material[MaterialDensityColumn], 7, true, pad);
    }
    drawFooter(canvas, page, 10, clock);
}

// Geometry of the user list: five blocks of seven rows below top = H / 8; tank column j (1..15)
// starts at u + W / 6 + 2 (j - 1) (W / 45).
struct UserPage
{
    PageGeometry page;
    int top;

    int rowTop(int block, int row) const { return top + (7 * (block - 1) + row) * page.rowUnit; }
    int tankX(int j) const { return page.margin + page.width / 6 + 2 * (j - 1) * (page.width / 45); }
    // The cell of tank column j in a block's row; j = 0 is the names' column left of the tanks.
    QRect cell(int block, int row, int j) const
    {
        const int left = j == 0 ? page.margin : tankX(j);
        const int right = j == 0 ? tankX(1) : tankX(j) + 2 * (page.width / 45);
        return QRect(left, rowTop(block, row), right - left, page.rowUnit);
    }
    int pad() const { return page.margin / 12; }
};

constexpr int UserBlockRows = 7;

// Flags of a user's rights in the order of the printed right rows.
std::array<quint8, 5> flagsOf(const TankRights &rights)
{
    return {rights.nivo, rights.temperatura, rights.masa, rights.zapremina, rights.istorija};
}

void drawUserBlockRuling(Canvas &canvas, const UserPage &layout, int block)
{
    static const QString rightNames[] = {QStringLiteral("Nivo"), QStringLiteral("Temperatura"), QStringLiteral("Masa"),
                                         QStringLiteral("Zapremina"), QStringLiteral("Istorija")};
    for (int j = 1; j <= TankCount; ++j)
        DrawLine(canvas, layout.tankX(j), layout.rowTop(block, 1), layout.tankX(j), layout.rowTop(block, UserBlockRows),
                 1);
    cellText(canvas, layout.cell(block, 1, 0), QStringLiteral("Rezervoar"), 10, false, layout.pad());
    for (int j = 1; j <= TankCount; ++j)
        cellText(canvas, layout.cell(block, 1, j), tankDisplayName(j), 8, false, layout.pad());
    for (int right = 0; right < 5; ++right)
        cellText(canvas, layout.cell(block, right + 2, 0), rightNames[right], 10, false, layout.pad());
}

void drawUser(Canvas &canvas, const UserPage &layout, int block, const UserWire &user)
{
    const QRect userRow(layout.page.margin, layout.rowTop(block, 0), layout.page.width - 2 * layout.page.margin,
                        layout.page.rowUnit);
    cellText(canvas, userRow,
             QStringLiteral("Korisnik : ") + textUpToNul(user.userName) + QStringLiteral("   Lozinka : ")
                 + textUpToNul(user.password),
             8, false, layout.pad());
    for (int j = 1; j <= TankCount; ++j) {
        const std::array<quint8, 5> flags = flagsOf(user.rights[j]);
        for (int right = 0; right < 5; ++right) {
            if (flags[static_cast<std::size_t>(right)] == 1)
                cellText(canvas, layout.cell(block, right + 2, j), QStringLiteral("x"), 7, false, layout.pad());
        }
    }
}

void drawUserPage(Canvas &canvas, QSize size, int pageNumber, const QList<UserWire> &users, const Clock &clock)
{
    const UserPage layout{pageGeometry(size), size.height() / 8};
    constexpr int lastRule = UsersPerPrintedPage * UserBlockRows;
    DrawText(canvas, layout.page.margin, layout.page.titleY, QStringLiteral("Spisak korisnika projekta SKLADAR"), 12,
             0);
    drawRules(canvas, layout.page, layout.top, layout.page.rowUnit, lastRule,
              [](int k) { return k % UserBlockRows == 0; });
    drawFrameSides(canvas, layout.page, layout.top, layout.top + lastRule * layout.page.rowUnit);
    for (int block = 1; block <= UsersPerPrintedPage; ++block) {
        drawUserBlockRuling(canvas, layout, block);
        const qsizetype index = (pageNumber - 1) * UsersPerPrintedPage + block - 1;
        if (index < users.size())
            drawUser(canvas, layout, block, users[index]);
    }
    drawFooter(canvas, layout.page, 10, clock);
}

} // namespace

Printout tankListPrintout(const SlotArray<TankGridRow> &rows, const Clock &clock)
{
    return {QPageLayout::Landscape, 1,
            [rows, &clock](Canvas &canvas, QSize size, int) { drawTankPage(canvas, size, rows, clock); }};
}

Printout materialListPrintout(const QList<MaterialGridRow> &rows, const Clock &clock)
{
    return {
        QPageLayout::Portrait, pagesFor(rows.size(), MaterialsPerPrintedPage, MaterialPageLimit),
        [rows, &clock](Canvas &canvas, QSize size, int page) { drawMaterialPage(canvas, size, page, rows, clock); }};
}

Printout userListPrintout(const QList<UserWire> &users, const Clock &clock)
{
    return {QPageLayout::Portrait, pagesFor(users.size(), UsersPerPrintedPage, UserPageLimit),
            [users, &clock](Canvas &canvas, QSize size, int page) { drawUserPage(canvas, size, page, users, clock); }};
}
