// The display settings window: the octets checked before anything is written, the address packed
// first octet lowest, and what was saved shown again; its keyboard and the small status windows'.
#include "config/displaysettingswindow.h"

#include "config/status/aboutbox.h"
#include "config/status/connectionlostwindow.h"
#include "config/status/diagnosticlistwindow.h"
#include "config/status/transferwindow.h"
#include "core/exchange/exchangelog.h"
#include "core/settings/settingsstore.h"
#include "tests/support/fixedclock.h"
#include "tests/support/recordingdialogs.h"
#include "tests/support/scriptedexchange.h"
#include "tests/support/widgetdriving.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(DisplaySettingsWindow, ChecksTheOctetsBeforeWritingAndShowsWhatWasSaved)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Skladar.reg"));
    const SettingsStore store(file);
    RecordingDialogs dialogs;
    const auto octets = [](const QWidget &window) { return window.findChildren<QLineEdit *>(QRegularExpression(QStringLiteral("^Edit1[4-7]$"))); };
    {
        DisplaySettingsWindow window(store, dialogs);
        window.showSettings();
        for (const auto &[text, message] : {std::pair{"-1", "prvi"}, {"256", "prvi"}, {"1", "drugi"}}) {
            octets(window)[0]->setText(QString::fromLatin1(text));
            octets(window)[1]->setText(QStringLiteral("x"));
            child<QPushButton>(window, "Button1")->click();
            EXPECT_EQ(dialogs.calls.takeLast().text, QStringLiteral("Adresa IP servera: %1 broj mora biti ceo broj od 0 do 255.").arg(QLatin1String(message)));
        }
        EXPECT_FALSE(QFile::exists(file)) << "nothing is written";
        for (int box = 0; box < 4; ++box)
            octets(window)[box]->setText(QString::number(box + 1));
        child<QLineEdit>(window, "Edit30")->setText(QStringLiteral("r97.bmp"));
        child<QCheckBox>(window, "CheckBox24")->setChecked(true);
        QTest::keyClick(octets(window)[3], Qt::Key_Return); // "Snimi..." is the default button
        QTest::keyClick(octets(window)[3], Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
    }
    qint32 address = 0;
    store.ReadInteger(QStringLiteral("Forma"), QStringLiteral("IPServer"), address);
    EXPECT_EQ(address, 67305985);
    ASSERT_TRUE(store.WriteString(QStringLiteral("Forma\\Slika25"), QStringLiteral("Checked"), QStringLiteral("TRUE")).ok());
    DisplaySettingsWindow window(store, dialogs);
    window.showSettings();
    EXPECT_EQ(octets(window)[3]->text(), QStringLiteral("4"));
    EXPECT_EQ(child<QLineEdit>(window, "Edit30")->text(), QStringLiteral("r97.bmp"));
    EXPECT_TRUE(child<QCheckBox>(window, "CheckBox24")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(window, "CheckBox25")->isChecked()) << "only \"true\" checks";
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

// The settings window's keys are the test above's.
TEST(StatusWindows, EnterOrEscapeClosesThemButOnlyAsksATransferToStop)
{
    ScriptedExchange exchange;
    const FixedClock clock{QDateTime()};
    const ExchangeLog log(exchange, clock);
    DiagnosticListWindow diagnostics(log);
    ConnectionLostWindow notice;
    AboutBox about;
    for (const auto &[window, key] : {std::pair<QWidget *, Qt::Key>{&diagnostics, Qt::Key_Escape},
                                      {&notice, Qt::Key_Return}, {&about, Qt::Key_Return}}) {
        window->show();
        QTest::keyClick(window, key);
        EXPECT_FALSE(window->isVisible()) << window->objectName().toStdString();
    }
    TransferWindow transfer;
    transfer.show();
    QTest::keyClick(&transfer, Qt::Key_Escape);
    EXPECT_TRUE(transfer.abortRequested());
    EXPECT_TRUE(transfer.isVisible()) << "its owner hides it";
}
