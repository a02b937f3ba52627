// TForm15 "Podesavanja".
#include "trend/chartparameterswindow.h"

#include "core/drawing/canvas.h"
#include "core/history/chartrecordfile.h"
#include "core/plant/plantmodel.h"
#include "core/services/dialogs.h"
#include "core/services/formstyle.h"
#include "core/services/tw.h"
#include "core/text/numberformat.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>

namespace {

enum Column { SwatchColumn = 0, MinimumColumn = 1, MaximumColumn = 2, WidthColumn = 3 };
constexpr int GridColumns = 4;
constexpr int GridRows = 1 + QuantityCount; // the header row, then one row per quantity
constexpr int ColumnWidth = 68;
constexpr int RowHeight = 18;
constexpr int SwatchInset = 2;
constexpr int LeftSide = 1;
constexpr int RightSide = 2;

const std::array<QString, QuantityCount> QuantityNames{QStringLiteral("Nivo"), QStringLiteral("Temperatura"),
                                                       QStringLiteral("Masa"), QStringLiteral("Zapremina")};
const std::array<QString, GridColumns> Headers{QStringLiteral("Boja"), QStringLiteral("Minimum"),
                                               QStringLiteral("Maksimum"), QStringLiteral("Debljina")};

WinColour toWinColour(const QColor &colour)
{
    return static_cast<WinColour>(colour.red()) | static_cast<WinColour>(colour.green()) << 8
           | static_cast<WinColour>(colour.blue()) << 16;
}

Quantity quantityOfRow(int row) { return AllQuantities[static_cast<std::size_t>(row - 1)]; }

// ComboBox1 lists the tanks in slot order.
int slotOfItem(int index) { return index + 1; }

// Paints a swatch over the cells that have a colour, the cell as usual elsewhere.
class SwatchDelegate final : public QStyledItemDelegate
{
public:
    SwatchDelegate(std::function<std::optional<QColor>(int, int)> colourOf, QObject *parent)
        : QStyledItemDelegate(parent)
        , m_colourOf(std::move(colourOf))
    {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const std::optional<QColor> colour = m_colourOf(index.row(), index.column());
        if (!colour) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        painter->fillRect(option.rect, Qt::white);
        painter->fillRect(option.rect.adjusted(SwatchInset, SwatchInset, -SwatchInset, -SwatchInset), *colour);
    }

private:
    std::function<std::optional<QColor>(int, int)> m_colourOf;
};

QButtonGroup *quantityGroup(QWidget *parent, const char *name, const QString &title, QRect geometry)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(6, 2, 2, 2);
    layout->setSpacing(0);
    auto *group = new QButtonGroup(box);
    for (int q = 0; q < QuantityCount; ++q) {
        auto *button = new QRadioButton(QuantityNames[static_cast<std::size_t>(q)], box);
        layout->addWidget(button);
        group->addButton(button, q);
    }
    return group;
}

} // namespace

ChartParametersWindow::ChartParametersWindow(TankChartRecords &records, const DataFolder &folder, Dialogs &dialogs,
                                             const Tw &w, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint | Qt::WindowTitleHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_records(records)
    , m_folder(folder)
    , m_dialogs(dialogs)
    , m_w(w)
    , m_comboBox1(new QComboBox(this))
    , m_edit1(new QLineEdit(this))
    , m_button2(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Podesavanja"));
    setFont(formFont());
    setFixedSize(493, 223);

    auto *prompt = new QLabel(QStringLiteral("Izaberite rezervoar cije parametre zelite podesavati :"), this);
    prompt->setObjectName(QStringLiteral("Label1"));
    prompt->setWordWrap(true);
    prompt->setGeometry(8, 6, 150, 48);
    m_comboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (int slot = 1; slot <= TankCount; ++slot)
        m_comboBox1->addItem(QStringLiteral("Rezervoar %1").arg(TankIdList[slot]));
    m_comboBox1->setItemText(TankCount - 1, m_comboBox1->itemText(TankCount - 1) + QLatin1Char(' '));
    m_comboBox1->setGeometry(8, 58, 150, 22);
    connect(m_comboBox1, &QComboBox::currentIndexChanged, this, &ChartParametersWindow::ComboBox1Change);

    createAxisGroups();
    createGrid();

    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit1->setGeometry(360, 128, 105, 21);
    m_button2->setObjectName(QStringLiteral("Button2"));
    m_button2->setGeometry(360, 154, 50, 25);
    m_edit1->setEnabled(false);
    m_button2->setEnabled(false);
    connect(m_button2, &QPushButton::clicked, this, &ChartParametersWindow::Button2Click);

    // Enter applies the typed value, as "OK" does; saving is always a deliberate click.
    m_button2->setDefault(true);
    auto *save = new QPushButton(QStringLiteral("Snimi konfiguraciju"), this);
    save->setObjectName(QStringLiteral("Button1"));
    save->setAutoDefault(false);
    save->setGeometry(360, 190, 125, 25);
    connect(save, &QPushButton::clicked, this, &ChartParametersWindow::Button1Click);
}

void ChartParametersWindow::createAxisGroups()
{
    auto *caption = new QLabel(QStringLiteral("Skala"), this);
    caption->setObjectName(QStringLiteral("Label2"));
    caption->setGeometry(170, 4, 60, 14);
    m_radioGroup1 = quantityGroup(this, "RadioGroup1", QStringLiteral("Leva"), QRect(170, 20, 140, 100));
    m_radioGroup2 = quantityGroup(this, "RadioGroup2", QStringLiteral("Desna"), QRect(316, 20, 140, 100));
    m_radioGroup1->button(static_cast<int>(Quantity::Level))->setChecked(true);
    m_radioGroup2->button(static_cast<int>(Quantity::Temperature))->setChecked(true);
    connect(m_radioGroup1, &QButtonGroup::idClicked, this, &ChartParametersWindow::RadioGroup1Click);
    connect(m_radioGroup2, &QButtonGroup::idClicked, this, &ChartParametersWindow::RadioGroup2Click);
}

// StringGrid1: the header row and the four quantities, labelled at the left; nothing is typed into
// the cells, values come through the editor.
void ChartParametersWindow::createGrid()
{
    m_grid = new QTableWidget(GridRows, GridColumns, this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->horizontalHeader()->hide();
    QStringList labels{QString()};
    for (const QString &name : QuantityNames)
        labels << name;
    m_grid->setVerticalHeaderLabels(labels);
    m_grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->horizontalHeader()->setDefaultSectionSize(ColumnWidth);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int row = 0; row < GridRows; ++row)
        for (int column = 0; column < GridColumns; ++column)
            m_grid->setItem(row, column, new QTableWidgetItem);
    m_grid->setItemDelegate(
        new SwatchDelegate([this](int row, int column) { return swatchColour(row, column); }, m_grid));
    m_grid->setGeometry(8, 126, 346, GridRows * RowHeight + 2);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &ChartParametersWindow::StringGrid1DblClick);
}

void ChartParametersWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    for (int column = 0; column < GridColumns; ++column)
        m_grid->item(0, column)->setText(Headers[static_cast<std::size_t>(column)]);
    m_comboBox1->setCurrentIndex(-1);
    showSettings(nullptr);
}

TankChartRecord *ChartParametersWindow::chosenRecord()
{
    const int index = m_comboBox1->currentIndex();
    return index < 0 ? nullptr : &m_records[slotOfItem(index)];
}

std::optional<QColor> ChartParametersWindow::swatchColour(int row, int column) const
{
    const int index = m_comboBox1->currentIndex();
    if (index < 0 || column != SwatchColumn || row < 1)
        return std::nullopt;
    return toQColor(m_records[slotOfItem(index)].settings(quantityOfRow(row)).curveColour);
}

void ChartParametersWindow::setReadFile(const ChartRecordsRead &read)
{
    m_savable = read.usable;
    m_fileBytes = read.fileBytes;
}

void ChartParametersWindow::ComboBox1Change(int index)
{
    showSettings(index < 0 ? nullptr : &m_records[slotOfItem(index)]);
}

// The record's scales and widths in the grid and its axes in the groups; an empty grid without one.
// The colour column shows swatches, never text.
void ChartParametersWindow::showSettings(const TankChartRecord *record)
{
    for (const Quantity quantity : AllQuantities) {
        const int row = static_cast<int>(quantity) + 1;
        if (record == nullptr) {
            for (const int column : {MinimumColumn, MaximumColumn, WidthColumn})
                m_grid->item(row, column)->setText(QString());
            continue;
        }
        const ChartSettings &settings = record->settings(quantity);
        if (settings.axisSide == LeftSide)
            m_radioGroup1->button(static_cast<int>(quantity))->setChecked(true);
        if (settings.axisSide == RightSide)
            m_radioGroup2->button(static_cast<int>(quantity))->setChecked(true);
        m_grid->item(row, MinimumColumn)->setText(FormatInteger(settings.scaleMin));
        m_grid->item(row, MaximumColumn)->setText(FormatInteger(settings.scaleMax));
        m_grid->item(row, WidthColumn)->setText(FormatInteger(settings.lineWidth));
    }
    m_grid->viewport()->update();
}

void ChartParametersWindow::StringGrid1DblClick(int row, int column)
{
    TankChartRecord *record = chosenRecord();
    if (record == nullptr || row < 1)
        return;
    if (column == SwatchColumn) {
        ChartSettings &settings = record->settings(quantityOfRow(row));
        if (const std::optional<QColor> chosen = m_dialogs.chooseColour(toQColor(settings.curveColour))) {
            settings.curveColour = toWinColour(*chosen);
            m_grid->viewport()->update();
        }
        return;
    }
    m_edit1->setEnabled(true);
    m_button2->setEnabled(true);
    m_edit1->setText(m_grid->item(row, column)->text());
    m_edit1->setFocus();
}

void ChartParametersWindow::Button2Click()
{
    const qint32 value = m_w.ParseInteger(m_edit1->text());
    const int row = m_grid->currentRow();
    const int column = m_grid->currentColumn();
    TankChartRecord *record = chosenRecord();
    if (record != nullptr && row >= 1 && column > SwatchColumn) {
        m_grid->item(row, column)->setText(FormatInteger(value));
        ChartSettings &settings = record->settings(quantityOfRow(row));
        qint32 &field = column == MinimumColumn   ? settings.scaleMin
                        : column == MaximumColumn ? settings.scaleMax
                                                  : settings.lineWidth;
        field = value;
    }
    m_edit1->clear();
    m_edit1->setEnabled(false);
    m_button2->setEnabled(false);
}

// Every quantity takes firstSide when the first group shows it, else secondSide when the second
// does, else no axis.
void ChartParametersWindow::applyAxisRule(int firstSide, const QButtonGroup &first, int secondSide,
                                          const QButtonGroup &second)
{
    TankChartRecord *record = chosenRecord();
    if (record == nullptr)
        return;
    for (const Quantity quantity : AllQuantities) {
        const int id = static_cast<int>(quantity);
        record->settings(quantity).axisSide = first.checkedId() == id    ? firstSide
                                              : second.checkedId() == id ? secondSide
                                                                         : 0;
    }
}

void ChartParametersWindow::RadioGroup1Click() { applyAxisRule(LeftSide, *m_radioGroup1, RightSide, *m_radioGroup2); }

void ChartParametersWindow::RadioGroup2Click() { applyAxisRule(RightSide, *m_radioGroup2, LeftSide, *m_radioGroup1); }

void ChartParametersWindow::Button1Click()
{
    if (!m_savable) {
        m_dialogs.message(QStringLiteral("Fajl Report.rez nije procitan u celini, konfiguracija nije snimljena."),
                          QStringLiteral("Greska"));
        return;
    }
    if (!m_fileBytes) {
        m_dialogs.message(QStringLiteral("Fajl Report.rez nije postojao pri citanju, konfiguracija nije snimljena."),
                          QStringLiteral("Greska"));
        return;
    }
    if (const std::optional<FileMessage> failure = saveChartRecords(m_folder, m_records, *m_fileBytes)) {
        m_dialogs.message(failure->text, failure->caption);
        return;
    }
    m_dialogs.message(QStringLiteral("Konfiguracija je snimljena."), QStringLiteral("Podesavanja"));
}
