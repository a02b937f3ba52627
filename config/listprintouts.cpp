// Drawing the pages of the tank, material and user lists.
#include "config/listprintouts.h"

#include "core/codec/shorttext.h"
#include "core/drawing/canvas.h"
#include "core/drawing/drawhelpers.h"
#include "core/text/numberformat.h"

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

// Tank list: a header row and 15 tank rows, each two row units high, below top = H / 6.
void drawTankPage(Canvas &canvas, QSize size, const std::array<TankGridRow, TankCount> &rows, const Clock &clock)
{
    const PageGeometry page = pageGeometry(size);
    const int u = page.margin;
    const int top = page.height / 6;
    const int rowHeight = 2 * page.rowUnit;
    DrawText(canvas, u, page.titleY,
             QStringLiteral("Spisak parametra na osnovu kojih se vrsi podesavanje softvera na projektu SKLADAR"), 12, 0);
    drawRules(canvas, page, top, rowHeight, TankCount + 1, [](int k) { return k == 0 || k == TankCount + 1; });
    const int bottom = top + (TankCount + 1) * rowHeight;
    drawFrameSides(canvas, page, top, bottom);
    for (int m = 2; m <= 9; ++m)
        DrawLine(canvas, m * u, top, m * u, bottom, 1);

    DrawText(canvas, u, top + 2, QStringLiteral("Rezervoar"), 12, 10);
    const QString headers[] = {QStringLiteral("Precnik [m]"), QStringLiteral("Visina [m]"), QStringLiteral("Nivom. [m]"),
                               QStringLiteral("Mz [mm]"),     QStringLiteral("H max [m]"),  QStringLiteral("V max [m3]"),
                               QStringLiteral("V mz [m3]"),   QStringLiteral("Materijal")};
    for (int m = 2; m <= 9; ++m)
        DrawText(canvas, m * u, top + 12, headers[m - 2], 10, m == 2 ? 5 : 10);

    for (int k = 1; k <= TankCount; ++k) {
        const int y = top + k * rowHeight + 12;
        const TankGridRow &row = rows[static_cast<std::size_t>(k - 1)];
        DrawText(canvas, u, y, tankDisplayName(k), 12, 10);
        for (int m = FirstGeometryColumn; m < TankMaterialColumn; ++m)
            DrawTextRight(canvas, m * u + u, y, row[static_cast<std::size_t>(m)], 8, 10);
        DrawText(canvas, 9 * u, y, row[TankMaterialColumn], 8, 20);
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

    DrawText(canvas, u, top + 2, QStringLiteral("No"), 10, 10);
    DrawText(canvas, x1, top + 2, QStringLiteral("Materijal"), 10, 5);
    DrawText(canvas, x2, top + 2, QStringLiteral("Vrsta materijala"), 10, 10);
    DrawText(canvas, x3, top + 2, QStringLiteral("Sifra"), 10, 10);
    DrawText(canvas, x4, top + 12, QStringLiteral("Ro na 20 \u00B0C [kg/m3]"), 8, 10);

    const int first = (pageNumber - 1) * MaterialsPerPrintedPage;
    const int last = std::min(static_cast<int>(rows.size()), first + MaterialsPerPrintedPage);
    for (int m = first; m < last; ++m) {
        const int y = top + (m - first + 1) * r + 12;
        const MaterialGridRow &row = rows[m];
        DrawText(canvas, u, y, FormatInteger(m + 1), 8, 10);
        DrawText(canvas, x1, y, row[MaterialNameColumn], 7, 10);
        DrawText(canvas, x2, y, row[MaterialKindColumn], 7, 10);
        DrawText(canvas, x3, y, row[MaterialSifraColumn], 7, 10);
        DrawText(canvas, x4, y, row[MaterialDensityColumn], 7, 10);
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
    const int u = layout.page.margin;
    for (int j = 1; j <= TankCount; ++j)
        DrawLine(canvas, layout.tankX(j), layout.rowTop(block, 1), layout.tankX(j), layout.rowTop(block, UserBlockRows), 1);
    DrawText(canvas, u, layout.rowTop(block, 1) + 2, QStringLiteral("Rezervoar"), 10, 10);
    for (int j = 1; j <= TankCount; ++j)
        DrawText(canvas, layout.tankX(j), layout.rowTop(block, 1) + 2, tankDisplayName(j), 8, 10);
    for (int right = 0; right < 5; ++right)
        DrawText(canvas, u, layout.rowTop(block, right + 2) + 2, rightNames[right], 10, 10);
}

void drawUser(Canvas &canvas, const UserPage &layout, int block, const UserWire &user)
{
    DrawText(canvas, layout.page.margin, layout.rowTop(block, 0) + 12,
             QStringLiteral("Korisnik : ") + textUpToNul(user.userName) + QStringLiteral("   Lozinka : ")
                 + textUpToNul(user.password),
             8, 10);
    for (int j = 1; j <= TankCount; ++j) {
        const std::array<quint8, 5> flags = flagsOf(user.rights[static_cast<std::size_t>(j - 1)]);
        for (int right = 0; right < 5; ++right)
            DrawText(canvas, layout.tankX(j), layout.rowTop(block, right + 2) + 12,
                     flags[static_cast<std::size_t>(right)] == 1 ? QStringLiteral("  x") : QStringLiteral("   "), 7, 10);
    }
}

void drawUserPage(Canvas &canvas, QSize size, int pageNumber, const QList<UserWire> &users, const Clock &clock)
{
    const UserPage layout{pageGeometry(size), size.height() / 8};
    constexpr int lastRule = UsersPerPrintedPage * UserBlockRows;
    DrawText(canvas, layout.page.margin, layout.page.titleY, QStringLiteral("Spisak korisnika projekta SKLADAR"), 12, 0);
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

Printout tankListPrintout(const std::array<TankGridRow, TankCount> &rows, const Clock &clock)
{
    return {QPageLayout::Landscape, 1,
            [rows, &clock](Canvas &canvas, QSize size, int) { drawTankPage(canvas, size, rows, clock); }};
}

Printout materialListPrintout(const QList<MaterialGridRow> &rows, const Clock &clock)
{
    return {QPageLayout::Portrait, pagesFor(rows.size(), MaterialsPerPrintedPage, MaterialPageLimit),
            [rows, &clock](Canvas &canvas, QSize size, int page) { drawMaterialPage(canvas, size, page, rows, clock); }};
}

Printout userListPrintout(const QList<UserWire> &users, const Clock &clock)
{
    return {QPageLayout::Portrait, pagesFor(users.size(), UsersPerPrintedPage, UserPageLimit),
            [users, &clock](Canvas &canvas, QSize size, int page) { drawUserPage(canvas, size, page, users, clock); }};
}
