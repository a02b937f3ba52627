// The display settings: the packed server address, the octet check and the window's round trip.
#include "config/displaysettings.h"
#include "config/displaysettingswindow.h"

#include "tests/support/recordingdialogs.h"
#include "tests/support/widgetdriving.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(DisplaySettings, TheAddressPacksItsFirstOctetIntoTheLowestByte)
{
    for (const auto &[octets, packed] : {std::pair{AddressOctets{1, 2, 3, 4}, 67305985},
                                         {AddressOctets{192, 168, 1, 200}, -939415360}, {AddressOctets{}, 0}}) {
        EXPECT_EQ(packServerAddress(octets), packed);
        EXPECT_EQ(serverAddressOctets(packed), octets);
    }
    for (const char *wrong : {"256", "-1", "", "1.5", "12a"})
        EXPECT_FALSE(parseOctet(QString::fromLatin1(wrong))) << wrong;
    EXPECT_EQ(parseOctet(QStringLiteral(" 255")), 255);
}

// A wrong octet writes nothing; once mended, everything is saved and shows in the next window,
// where only "true" checks a box.
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
        EXPECT_EQ(window.focusWidget(), child<QPushButton>(window, "Button1"));
        for (int box = 0; box < 4; ++box)
            octets(window)[box]->setText(QString::number(box == 2 ? 256 : box + 1));
        child<QLineEdit>(window, "Edit30")->setText(QStringLiteral("r97.bmp"));
        child<QCheckBox>(window, "CheckBox24")->setChecked(true);
        child<QPushButton>(window, "Button1")->click();
        EXPECT_EQ(dialogs.calls.value(0).text, QStringLiteral("Adresa IP servera: treci broj mora biti ceo broj od 0 do 255."));
        EXPECT_FALSE(QFile::exists(file));
        octets(window)[2]->setText(QStringLiteral("3"));
        child<QPushButton>(window, "Button1")->click();
    }
    ASSERT_TRUE(store.WriteString(QStringLiteral("Forma\\Slika25"), QStringLiteral("Checked"), QStringLiteral("TRUE")).ok());
    DisplaySettingsWindow window(store, dialogs);
    window.showSettings();
    QString shown;
    for (const QLineEdit *box : octets(window))
        shown += box->text();
    EXPECT_EQ(shown, QStringLiteral("1234"));
    EXPECT_EQ(child<QLineEdit>(window, "Edit30")->text(), QStringLiteral("r97.bmp"));
    EXPECT_TRUE(child<QCheckBox>(window, "CheckBox24")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(window, "CheckBox25")->isChecked());
    EXPECT_EQ(dialogs.calls.size(), 1);
}

} // namespace
