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

class DisplaySettingsWindowTest : public testing::Test
{
protected:
    // Shows a new window with the octet boxes set to texts, unless texts is empty.
    DisplaySettingsWindow &show(const QStringList &texts = {})
    {
        windows.push_back(std::make_unique<DisplaySettingsWindow>(store, dialogs));
        windows.back()->showSettings();
        for (qsizetype box = 0; box < texts.size(); ++box)
            octetBox(box)->setText(texts[box]);
        return *windows.back();
    }
    QLineEdit *octetBox(qsizetype box) const { return windows.back()->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(14 + box)); }
    template <typename T>
    T *get(const char *name) const { return child<T>(*windows.back(), name); }

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("Skladar.reg"));
    SettingsStore store{file};
    RecordingDialogs dialogs;
    std::vector<std::unique_ptr<DisplaySettingsWindow>> windows;
};

TEST_F(DisplaySettingsWindowTest, SavedValuesShowAgainAndOnlyTrueChecks)
{
    show({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    EXPECT_EQ(windows.back()->focusWidget(), get<QPushButton>("Button1"));
    get<QLineEdit>("Edit30")->setText(QStringLiteral("r97.bmp"));
    get<QCheckBox>("CheckBox24")->setChecked(true);
    get<QCheckBox>("CheckBox25")->setChecked(true);
    get<QPushButton>("Button1")->click();
    ASSERT_TRUE(store.WriteString(QStringLiteral("Forma\\Slika25"), QStringLiteral("Checked"), QStringLiteral("TRUE")).ok());
    show();
    EXPECT_EQ(octetBox(0)->text() + octetBox(1)->text() + octetBox(2)->text() + octetBox(3)->text(), QStringLiteral("1234"));
    EXPECT_EQ(get<QLineEdit>("Edit30")->text(), QStringLiteral("r97.bmp"));
    EXPECT_TRUE(get<QCheckBox>("CheckBox24")->isChecked());
    EXPECT_FALSE(get<QCheckBox>("CheckBox25")->isChecked());
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(DisplaySettingsWindowTest, AWrongOctetNamesItsBoxAndWritesNothing)
{
    show({QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("256"), QStringLiteral("1")});
    get<QPushButton>("Button1")->click();
    EXPECT_EQ(dialogs.calls.value(0).text, QStringLiteral("Adresa IP servera: treci broj mora biti ceo broj od 0 do 255."));
    EXPECT_FALSE(QFile::exists(file));
}

} // namespace
