// The report table on a canvas.
#include "report/reportdrawing.h"

#include "core/drawing/canvas.h"

#include <QPainter>

namespace {

class TableDrawer
{
public:
    TableDrawer(Canvas &canvas, const TableGeometry &geometry, const QLocale &locale)
        : m_canvas(canvas)
        , m_geometry(geometry)
        , m_locale(locale)
    {}

    void selectPenAndFont()
    {
        CanvasState &state = m_canvas.state();
        state.pen = CanvasPen{WinBlack, 1, PenStyle::Solid};
        state.font.face = QStringLiteral("Arial");
        state.font.size = m_geometry.fontSize;
        state.font.colour = WinBlack;
    }

    void headerRow(int y)
    {
        line(m_geometry.columns.front(), y, m_geometry.columns.back(), y);
        std::array<QString, TableColumnCount> texts;
        std::ranges::transform(TableColumns, texts.begin(), HeaderText);
        row(y, texts);
    }

    // Vertical lines at the column positions down to the next row, the bottom line, the texts.
    void row(int y, const std::array<QString, TableColumnCount> &texts) { cells(m_geometry.columns, y, texts); }

    void stockCells(int y, long double stock, const ReportGroup &group)
    {
        const std::array<int, 3> &columns = m_geometry.stockColumns;
        const int above = y - m_geometry.rowHeight;
        line(columns.front(), above, columns.back(), above);
        cells(columns, above, std::array{HeaderText(StockColumns[0]), HeaderText(StockColumns[1])});
        cells(columns, y,
              std::array{QuantityText(StockColumns[0], stock, m_locale),
                         group.complete ? QuantityText(StockColumns[1], group.sum - stock, m_locale) : QString()});
    }

    // A tank's texts; its quantities stay empty when they are unknown.
    void tankRow(int y, const TankRecord &tank, const TankQuantity &quantity)
    {
        std::array<QString, TableColumnCount> texts;
        for (std::size_t i = 0; i < TableColumnCount; ++i)
            if (TableColumns[i].text || quantity.known)
                texts[i] = TableCell(TableColumns[i], tank, quantity, m_locale);
        row(y, texts);
    }

    void sumRow(int y, const ReportGroup &group)
    {
        row(y, SumRow(group.complete ? std::optional(group.sum) : std::nullopt, m_locale));
    }

private:
    template <std::size_t Lines, std::size_t Texts>
    void cells(const std::array<int, Lines> &columns, int y, const std::array<QString, Texts> &texts)
    {
        const int bottom = y + m_geometry.rowHeight;
        for (const int x : columns)
            line(x, y, x, bottom);
        line(columns.front(), bottom, columns.back(), bottom);
        for (std::size_t i = 0; i < Texts; ++i)
            m_canvas.textOut(columns[i] + m_geometry.insetX, y + m_geometry.insetY, texts[i]);
    }

    void line(int x1, int y1, int x2, int y2)
    {
        m_canvas.moveTo(x1, y1);
        m_canvas.lineTo(x2, y2);
    }

    Canvas &m_canvas;
    const TableGeometry &m_geometry;
    const QLocale &m_locale;
};

} // namespace

TableExtent DrawReportTable(Canvas &canvas, const TableGeometry &geometry, const ReportContent &content,
                            const QLocale &locale)
{
    TableDrawer drawer(canvas, geometry, locale);
    int y = geometry.firstRow;
    TableExtent extent;
    for (const ReportGroup &group : content.groups) {
        if (y != geometry.firstRow)
            y += 2 * geometry.rowHeight;
        drawer.selectPenAndFont();
        drawer.headerRow(y);
        for (const int slot : group.slots) {
            y += geometry.rowHeight;
            drawer.tankRow(y, content.tanks.slot(slot), content.quantities[slot]);
        }
        if (group.hasSumRow()) {
            y += geometry.rowHeight;
            drawer.sumRow(y, group);
        }
        if (content.stockView) {
            drawer.stockCells(y, content.stock[group.group], group);
            extent.stockRows.append({group.group, y});
        }
    }
    extent.lastRow = y;
    return extent;
}

QString ScreenTitle(const std::optional<ReportMoment> &moment)
{
    return QStringLiteral("Izvestaj za : ") + (moment ? MomentText(*moment) : QStringLiteral("nema podataka"));
}

TableExtent RenderReport(QImage &picture, const ReportContent &content, const QLocale &locale)
{
    if (picture.size() != QSize(ReportPictureWidth, ReportPictureHeight))
        picture = QImage(ReportPictureWidth, ReportPictureHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    Canvas canvas(painter);
    canvas.state().font.face = QStringLiteral("Arial");
    canvas.state().font.size = ScreenTable.fontSize;
    canvas.textOut(ScreenTable.columns.front(), ScreenTitleTop, ScreenTitle(content.moment));
    return DrawReportTable(canvas, ScreenTable, content, locale);
}
