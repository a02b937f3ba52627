// The four panels of the report window, hidden until needed: date, sort, groups and stock.
#pragma once

#include "report/reportmoment.h"
#include "report/reportsettings.h"

#include <QFrame>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A raised panel with its layout name; its buttons are reached as members to be connected.
// The keyboard works on the panel it is typed in: Enter in any of its fields presses the panel's
// default button and Escape closes it. Shown, it makes its button the window's default and puts the
// focus in its first field.
class ReportPanel : public QFrame
{
public:
    ReportPanel(const char *name, const QRect &geometry, QWidget *parent);

    // Shows the panel over `beneath`, which stays in sight but takes no input until this one closes.
    void showOver(QWidget *beneath);

protected:
    QPushButton *button(const char *name, const QString &caption, const QRect &geometry);
    QLineEdit *field(const char *name, const QRect &geometry);
    void label(const char *name, const QString &text, const QRect &geometry);
    // The button Enter presses, and the widget that takes the focus when the panel shows.
    void setKeys(QPushButton *defaultButton, QWidget *first);

    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QPushButton *m_default = nullptr;
    QWidget *m_first = nullptr;
    QWidget *m_beneath = nullptr;
};

// Panel1: day / month / year, hour : minute, "&Izracunaj" (default) and "&Odustani".
class DatePanel : public ReportPanel
{
public:
    explicit DatePanel(QWidget *parent);
    // Each field gets its number without leading zeros.
    void fill(const ReportMoment &moment);
    DatePanelFields fields() const;

    QPushButton *compute;
    QPushButton *cancel;

private:
    std::array<QLineEdit *, 5> m_fields{}; // day, month, year, hour, minute
};

// Panel2: the four sort modes, "&Napravi" (default), "&Odustani" and "&Definisi".
class SortPanel : public ReportPanel
{
public:
    explicit SortPanel(QWidget *parent);
    // Ticks the mode's button, which takes the focus.
    void tick(SortMode mode);
    SortMode ticked() const;

    QPushButton *make;
    QPushButton *cancel;
    QPushButton *define;

private:
    std::array<QRadioButton *, 4> m_modes{};
};

// Panel3: a column of fifteen group items per tank and a box per group, "&Uradi" (default) and
// "&Odustani".
class GroupPanel : public ReportPanel
{
public:
    explicit GroupPanel(QWidget *parent);
    // Tank groups 1..15 select their item; any other selects none. Each box follows its flag.
    void fill(const OperatorGroups &groups);
    // The selected item + 1 of every tank (0 when none) and the ticks.
    OperatorGroups chosen() const;

    QPushButton *apply;
    QPushButton *cancel;

private:
    SlotArray<QButtonGroup *> m_tankGroups{};
    GroupArray<QCheckBox *> m_shown{};
};

// Panel4: "Unesite stanje :", the field and "OK" (default).
class StockPanel : public ReportPanel
{
public:
    explicit StockPanel(QWidget *parent);
    // The shown panel's field takes the group's own figure, all of it selected, so that typing
    // replaces it.
    void open(long double figure);
    QLineEdit *value;
    QPushButton *ok;
};
