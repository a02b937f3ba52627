// The display settings window: it shows and collects the values; reading and writing them is
// plain code.
#include "config/displaysettingswindow.h"

#include "config/displaysettings.h"
#include "config/formwidgets.h"
#include "config/status/windowplacement.h"
#include "core/services/dialogs.h"
#include "core/text/numberformat.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Pictures 1 to 11 stand in the left column, 12 to 18 in the middle, 19 to 25 on the right.
constexpr int ColumnStarts[] = {1, 12, 19};
constexpr int ColumnWidth = 150;
constexpr int PicturesTop = 64;
constexpr int PictureRowHeight = 36;

QPoint pictureOrigin(int picture)
{
    int column = 2;
    while (picture < ColumnStarts[column])
        --column;
    return {8 + column * ColumnWidth, PicturesTop + (picture - ColumnStarts[column]) * PictureRowHeight};
}

// Pictures 1 to 12 have Edit2 to Edit13, pictures 13 to 25 Edit18 to Edit30.
QString pictureEditName(int picture) { return QStringLiteral("Edit%1").arg(picture <= 12 ? picture + 1 : picture + 5); }

QString octetOrdinal(std::size_t box)
{
    static const std::array<QString, 4> ordinals{QStringLiteral("prvi"), QStringLiteral("drugi"),
                                                 QStringLiteral("treci"), QStringLiteral("cetvrti")};
    return ordinals[box];
}

QLabel *label(const QString &text, QPoint at, QWidget *parent)
{
    auto *widget = new QLabel(text, parent);
    widget->move(at);
    return widget;
}

QLineEdit *edit(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *widget = new QLineEdit(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

DisplaySettingsWindow::DisplaySettingsWindow(const SettingsStore &store, Dialogs &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                          | Qt::WindowCloseButtonHint)
    , m_store(store)
    , m_dialogs(dialogs)
{
    nameForm(*this, "Form8", QStringLiteral("Forma"));
    setFixedSize(457, 484);

    label(QStringLiteral("Parametri bargrafa:"), {8, 8}, this);
    m_barGraphFile = edit(QStringLiteral("Edit1"), QRect(8, 24, 201, 21), this);
    label(QStringLiteral("Adresa IP servera:"), {240, 8}, this);
    for (std::size_t box = 0; box < m_octets.size(); ++box)
        m_octets[box]
            = edit(QStringLiteral("Edit%1").arg(14 + box), QRect(240 + static_cast<int>(box) * 48, 24, 41, 21), this);
    for (int picture = 1; picture <= PictureCount; ++picture)
        createPicture(picture, pictureOrigin(picture));
    m_save = defaultButton("Button1", QStringLiteral("Snimi..."), QRect(352, 448, 89, 25), this);
    connect(m_save, &QPushButton::clicked, this, &DisplaySettingsWindow::Button1Click);
}

void DisplaySettingsWindow::createPicture(int picture, QPoint at)
{
    const auto index = static_cast<std::size_t>(picture - 1);
    label(QStringLiteral("Slika %1:").arg(picture), at, this);
    m_files[index] = edit(pictureEditName(picture), QRect(at + QPoint(0, 16), QSize(113, 21)), this);
    m_checks[index] = new QCheckBox(this);
    m_checks[index]->setObjectName(QStringLiteral("CheckBox%1").arg(picture));
    m_checks[index]->setGeometry(QRect(at + QPoint(120, 18), QSize(17, 17)));
}

void DisplaySettingsWindow::showSettings()
{
    show();
    raise();
    activateWindow();
    m_save->setFocus();
}

void DisplaySettingsWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (centreWhenShown(*this, *event))
        FormShow();
}

void DisplaySettingsWindow::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_save->click();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void DisplaySettingsWindow::FormShow()
{
    DisplaySettings settings;
    const SettingsStatus status = readDisplaySettings(m_store, settings);
    const AddressOctets octets = serverAddressOctets(settings.serverAddress);
    for (std::size_t box = 0; box < octets.size(); ++box)
        m_octets[box]->setText(FormatInteger(octets[box]));
    for (std::size_t i = 0; i < settings.pictures.size(); ++i) {
        m_checks[i]->setChecked(settings.pictures[i].checked);
        m_files[i]->setText(settings.pictures[i].file);
    }
    m_barGraphFile->setText(settings.barGraphFile);
    if (!status.ok())
        m_dialogs.reportError(status.error);
}

// Every octet is checked before anything is written, so a wrong box leaves all settings as they were.
void DisplaySettingsWindow::Button1Click()
{
    DisplaySettings settings;
    AddressOctets octets{};
    for (std::size_t box = 0; box < octets.size(); ++box) {
        const std::optional<quint8> octet = parseOctet(m_octets[box]->text());
        if (!octet) {
            m_dialogs.message(
                QStringLiteral("Adresa IP servera: %1 broj mora biti ceo broj od 0 do 255.").arg(octetOrdinal(box)),
                QStringLiteral("Error"));
            m_octets[box]->setFocus();
            return;
        }
        octets[box] = *octet;
    }
    settings.serverAddress = packServerAddress(octets);
    settings.barGraphFile = m_barGraphFile->text();
    for (std::size_t i = 0; i < settings.pictures.size(); ++i)
        settings.pictures[i] = {m_files[i]->text(), m_checks[i]->isChecked()};
    if (const SettingsStatus status = writeDisplaySettings(m_store, settings); !status.ok())
        m_dialogs.reportError(status.error);
}
