// The display settings window "Forma": the bar-graph file, the server address and 25 pictures.
#pragma once

#include <QWidget>

#include <array>

class Dialogs;
class QCheckBox;
class QLineEdit;
class QPushButton;
class SettingsStore;

// A service window: each showing reads the settings, "Snimi..." writes them. "Snimi..." is the
// window's default button: Enter in any field presses it. Escape closes the window.
class DisplaySettingsWindow : public QWidget
{
    Q_OBJECT

public:
    // store and dialogs must outlive the window.
    DisplaySettingsWindow(const SettingsStore &store, Dialogs &dialogs, QWidget *parent = nullptr);

public Q_SLOTS:
    // Shows the window, not modally, with "Snimi..." focused.
    void showSettings();

protected:
    void showEvent(QShowEvent *event) override;
    // Enter in any field saves, as "Snimi..." does; Escape closes the window.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createPicture(int picture, QPoint at);
    void FormShow();
    void Button1Click();

    const SettingsStore &m_store;
    Dialogs &m_dialogs;
    QLineEdit *m_barGraphFile = nullptr;    // Edit1
    std::array<QLineEdit *, 4> m_octets{};  // Edit14 .. Edit17
    std::array<QLineEdit *, 25> m_files{};  // Edit2 .. Edit13, Edit18 .. Edit30
    std::array<QCheckBox *, 25> m_checks{}; // CheckBox1 .. CheckBox25
    QPushButton *m_save = nullptr;          // Button1
};
