// The console screen editor's window.
#include "config/editors/consolescreeneditor.h"

#include "config/editors/stringgrid.h"
#include "core/codec/windows1252.h"
#include "core/drawing/canvas.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QAction>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>

namespace {

// Reserved cells are painted over in solid blue unless the service value opens them.
inline constexpr WinColour ReservedCellColour = 0xFF0000;

class ReservedCellDelegate final : public QStyledItemDelegate
{
public:
    ReservedCellDelegate(const bool &open, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_open(open)
    {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (isReservedCell(index.row(), index.column()) && !m_open)
            painter->fillRect(option.rect, toQColor(ReservedCellColour));
    }

private:
    const bool &m_open;
};

} // namespace

ConsoleScreenEditor::ConsoleScreenEditor(const EditorServices &services, QWidget *parent)
    : EditorDialog(services, "Form6", QStringLiteral("Konfiguracija operatorske konzole"), QSize(448, 135), parent)
    , m_grid(new StringGrid("StringGrid1", ConsoleScreen::Columns + 1, ConsoleScreen::Lines + 1, client()))
    , m_tanks(new QComboBox(client()))
{
    auto *label = new QLabel(QStringLiteral("Ekran br."), client());
    label->setGeometry(8, 8, 50, 16);
    m_tanks->setObjectName(QStringLiteral("ComboBox1"));
    m_tanks->setGeometry(64, 4, 81, 21);
    connect(m_tanks, &QComboBox::currentIndexChanged, this, &ConsoleScreenEditor::ComboBox1Change);
    setTabOrder(m_tanks, m_grid); // the list above the grid comes first

    m_grid->setGeometry(8, 29, 424, 104);
    m_grid->horizontalHeader()->setMinimumSectionSize(20);
    for (int column = 0; column <= ConsoleScreen::Columns; ++column)
        m_grid->setColumnWidth(column, 20);
    m_grid->setDefaultRowHeight(20);
    m_grid->setToolTip(QStringLiteral("Kliknite na polje koje zelite promeniti"));
    m_grid->setItemDelegate(new ReservedCellDelegate(m_reservedOpen, m_grid));
    connect(m_grid, &QTableWidget::cellClicked, this, &ConsoleScreenEditor::StringGrid1Click);
    createEntry();
    setPanelLocks({m_grid, m_tanks}, m_grid);
    setLeaving([this] { return !m_sheet.saved; },
               [this] {
                   Snimi1Click();
                   return true;
               });

    addMenuItem("Snimi1", QStringLiteral("&Snimi konfiguraciju"), [this] { Snimi1Click(); });
}

void ConsoleScreenEditor::createEntry()
{
    m_entry = namedPanel("Panel1", QRect(160, 0, 120, 29), client());
    m_character = named<QLineEdit>("Edit1", QRect(6, 4, 30, 21), m_entry);
    m_character->setMaxLength(1);
    auto *ok = namedButton("Button1", QStringLiteral("OK"), QRect(44, 2, 70, 25), m_entry);
    // Edit1KeyUp: the character typed, the focus moves on to "OK".
    connect(m_character, &QLineEdit::textEdited, ok, [ok] { ok->setFocus(); });
    connect(ok, &QPushButton::clicked, this, &ConsoleScreenEditor::Button1Click);
    addPanel(m_entry, ok);
}

// The service value is read anew at each showing and each click; the grid is drawn with the last one.
bool ConsoleScreenEditor::reservedCellsOpen()
{
    m_reservedOpen = serviceSettingOn(m_services, QStringLiteral("Console"));
    m_grid->viewport()->update();
    return m_reservedOpen;
}

void ConsoleScreenEditor::FormShow()
{
    hidePanels();
    reservedCellsOpen();
    for (int column = 1; column <= ConsoleScreen::Columns; ++column)
        m_grid->setCell(column, 0, QString::number(column));
    for (int line = 1; line <= ConsoleScreen::Lines; ++line)
        m_grid->setCell(0, line, QString::number(line));
    {
        const QSignalBlocker blocker(m_tanks);
        m_tanks->clear();
        for (int slot = 1; slot <= TankCount; ++slot)
            m_tanks->addItem(tankDisplayName(slot));
        m_tanks->setCurrentIndex(-1);
    }
    if (!loadConsoleSheet(m_services.server, m_sheet))
        reportFailure(ServerRecord::ConsoleScreen, ExchangeOperation::Read);
}

// Every choice, with the mouse on the open list or with the keyboard on the closed one, shows the
// chosen screen; edits live in the screens already, so none is lost by the way the choice was made.
void ConsoleScreenEditor::ComboBox1Change(int index)
{
    m_sheet.shown = index + 1;
    for (int line = 1; line <= ConsoleScreen::Lines; ++line)
        for (int column = 1; column <= ConsoleScreen::Columns; ++column) {
            const char c = m_sheet.shown > 0 ? m_sheet.screens[m_sheet.shown].cell(line, column) : ' ';
            m_grid->setCell(column, line, fromWindows1252(QByteArrayView(&c, 1)));
        }
}

void ConsoleScreenEditor::StringGrid1Click(int row, int column)
{
    if (m_sheet.shown < 1 || row < 1 || column < 1)
        return;
    m_cell = QPoint(column, row);
    if (isReservedCell(row, column) && !reservedCellsOpen())
        return;
    showPanel(m_entry);
    m_character->setText(m_grid->cell(column, row));
    m_character->selectAll();
    m_character->setFocus();
}

void ConsoleScreenEditor::Button1Click()
{
    hidePanels();
    const QByteArray typed = toWindows1252(m_character->text());
    const char c = typed.isEmpty() ? ' ' : typed[0];
    m_grid->setCell(m_cell.x(), m_cell.y(), fromWindows1252(QByteArrayView(&c, 1)));
    setShownCell(m_sheet, m_cell.y(), m_cell.x(), c);
}

void ConsoleScreenEditor::Snimi1Click()
{
    reportFailures(ServerRecord::ConsoleScreen, saveConsoleSheet(m_services.server, m_sheet));
}
