// The panels of the report window.
#include "report/reportpanels.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

const std::array<const char *, 4> SortCaptions{"Po &siframa materijala", "Po &vrstama materijala",
                                               "Po &imenu materijala", "Po &brojevima rezervoara"};
constexpr int ItemPitch = 23;   // the group items of a tank's column
constexpr int ColumnPitch = 44; // the tanks' columns
constexpr int ColumnTop = 30;   // of the tanks' columns in the panel
constexpr int FirstItem = 20;   // of the top item in its column; each group's box stands level with it

QString named(const char *prefix, int number) { return QLatin1String(prefix) + QString::number(number); }

} // namespace

ReportPanel::ReportPanel(const char *name, const QRect &geometry, QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QLatin1String(name));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    setGeometry(geometry);
    hide();
}

void ReportPanel::showOver(QWidget *beneath)
{
    m_beneath = beneath;
    beneath->setEnabled(false);
    show();
    raise();
}

void ReportPanel::setKeys(QPushButton *defaultButton, QWidget *first)
{
    m_default = defaultButton;
    m_first = first;
}

void ReportPanel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_default->isEnabled())
            m_default->click();
        break;
    case Qt::Key_Escape:
        hide();
        break;
    default:
        QFrame::keyPressEvent(event);
    }
}

void ReportPanel::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    m_default->setDefault(true);
    m_first->setFocus(Qt::TabFocusReason); // a field's text comes selected
}

// Only a panel closed on its own gives the input back; one hidden with its window keeps it.
void ReportPanel::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    if (m_beneath && isHidden()) {
        m_beneath->setEnabled(true);
        m_beneath = nullptr;
    }
}

QPushButton *ReportPanel::button(const char *name, const QString &caption, const QRect &geometry)
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

QLineEdit *ReportPanel::field(const char *name, const QRect &geometry)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    return edit;
}

void ReportPanel::label(const char *name, const QString &text, const QRect &geometry)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setWordWrap(true);
}

DatePanel::DatePanel(QWidget *parent)
    : ReportPanel("Panel1", QRect(250, 150, 300, 110), parent)
{
    label("Label1", QStringLiteral("Datum :"), QRect(10, 12, 55, 17));
    label("Label2", QStringLiteral("/"), QRect(104, 12, 8, 17));
    label("Label3", QStringLiteral("/"), QRect(146, 12, 8, 17));
    label("Label4", QStringLiteral("Vreme :"), QRect(10, 42, 55, 17));
    label("Label5", QStringLiteral(":"), QRect(104, 42, 8, 17));
    m_fields = {field("Edit1", QRect(70, 10, 30, 21)), field("Edit2", QRect(112, 10, 30, 21)),
                field("Edit3", QRect(154, 10, 45, 21)), field("Edit4", QRect(70, 40, 30, 21)),
                field("Edit5", QRect(112, 40, 30, 21))};
    compute = button("Button1", QStringLiteral("&Izracunaj"), QRect(40, 75, 100, 25));
    cancel = button("Button2", QStringLiteral("&Odustani"), QRect(160, 75, 100, 25));
    setKeys(compute, m_fields[0]);
}

void DatePanel::fill(const ReportMoment &moment)
{
    const std::array values{moment.day, moment.month, moment.year, moment.hour, moment.minute};
    for (std::size_t i = 0; i < values.size(); ++i)
        m_fields[i]->setText(QString::number(values[i]));
}

DatePanelFields DatePanel::fields() const
{
    return {m_fields[0]->text(), m_fields[1]->text(), m_fields[2]->text(), m_fields[3]->text(), m_fields[4]->text()};
}

SortPanel::SortPanel(QWidget *parent)
    : ReportPanel("Panel2", QRect(200, 120, 400, 200), parent)
{
    label("Label6", QStringLiteral("Izaberite nacin na koji zelite da vam izvestaji budu sortirani :"),
          QRect(10, 8, 380, 32));
    for (std::size_t i = 0; i < m_modes.size(); ++i) {
        m_modes[i] = new QRadioButton(QLatin1String(SortCaptions[i]), this);
        m_modes[i]->setObjectName(named("RadioButton", static_cast<int>(i) + 1));
        m_modes[i]->setGeometry(20, 45 + 25 * static_cast<int>(i), 250, 20);
    }
    make = button("Button3", QStringLiteral("&Napravi"), QRect(20, 160, 110, 25));
    cancel = button("Button4", QStringLiteral("&Odustani"), QRect(145, 160, 110, 25));
    define = button("Button5", QStringLiteral("&Definisi"), QRect(270, 160, 110, 25));
    setKeys(make, m_modes[0]);
}

void SortPanel::tick(SortMode mode)
{
    QRadioButton *ticked = m_modes[static_cast<std::size_t>(mode)];
    ticked->setChecked(true);
    setKeys(make, ticked);
}

SortMode SortPanel::ticked() const
{
    for (std::size_t i = 0; i < m_modes.size(); ++i)
        if (m_modes[i]->isChecked())
            return static_cast<SortMode>(i);
    return SortMode::Sifra;
}

GroupPanel::GroupPanel(QWidget *parent)
    : ReportPanel("Panel3", QRect(5, 5, 775, 445), parent)
{
    label("Label7",
          QStringLiteral("Izaberite u kojoj grupi ce biti prikazan koji rezervoar i da li ce biti prikazan :"),
          QRect(10, 6, 700, 20));
    for (int slot = 1; slot <= TankCount; ++slot) {
        auto *box = new QGroupBox(QStringLiteral(" R %1").arg(TankIdList[slot]), this);
        box->setObjectName(named("RadioGroup", slot));
        box->setGeometry(10 + ColumnPitch * (slot - 1), ColumnTop, ColumnPitch - 2, FirstItem + ItemPitch * TankCount);
        m_tankGroups[slot] = new QButtonGroup(box);
        for (int item = 0; item < TankCount; ++item) {
            auto *radio = new QRadioButton(box);
            radio->setGeometry(12, FirstItem + ItemPitch * item, 20, 20);
            radio->setChecked(item == 0);
            m_tankGroups[slot]->addButton(radio, item);
        }
    }
    for (int group = 1; group <= TankCount; ++group) {
        m_shown[group] = new QCheckBox(QStringLiteral("G %1").arg(group), this);
        m_shown[group]->setObjectName(named("CheckBox", group));
        m_shown[group]->setGeometry(680, ColumnTop + FirstItem + ItemPitch * (group - 1), 80, 20);
        m_shown[group]->setChecked(group == 1);
    }
    apply = button("Button6", QStringLiteral("&Uradi"), QRect(250, 412, 110, 25));
    cancel = button("Button7", QStringLiteral("&Odustani"), QRect(400, 412, 110, 25));
    setKeys(apply, apply);
}

void GroupPanel::fill(const OperatorGroups &groups)
{
    for (int slot = 1; slot <= TankCount; ++slot) {
        QButtonGroup *column = m_tankGroups[slot];
        const int item = groups.tankGroup[slot] - 1;
        column->setExclusive(false); // lets every item go unticked
        for (QAbstractButton *radio : column->buttons())
            radio->setChecked(column->id(radio) == item);
        column->setExclusive(true);
    }
    for (int group = 1; group <= TankCount; ++group)
        m_shown[group]->setChecked(groups.shown[group]);
}

OperatorGroups GroupPanel::chosen() const
{
    OperatorGroups groups;
    for (int slot = 1; slot <= TankCount; ++slot)
        groups.tankGroup[slot] = m_tankGroups[slot]->checkedId() + 1; // -1 when none is ticked
    for (int group = 1; group <= TankCount; ++group)
        groups.shown[group] = m_shown[group]->isChecked();
    return groups;
}

StockPanel::StockPanel(QWidget *parent)
    : ReportPanel("Panel4", QRect(0, 0, 180, 56), parent)
{
    label("Label8", QStringLiteral("Unesite stanje :"), QRect(8, 4, 160, 17));
    value = field("Edit6", QRect(8, 26, 100, 21));
    ok = button("Button8", QStringLiteral("OK"), QRect(115, 25, 55, 23));
    setKeys(ok, value);
}

void StockPanel::open(long double figure)
{
    value->setText(QString::number(static_cast<double>(figure), 'g', 15));
    value->selectAll();
    value->setFocus();
}
