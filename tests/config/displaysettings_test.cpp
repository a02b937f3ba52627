// The display settings: the packed server address, the octet check and the window's round trip.
#include "config/displaysettings.h"
#include "config/displaysettingswindow.h"

#include "tests/support/namedcases.h"
#include "tests/support/recordingdialogs.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct PackingCase
{
    const char *name;
    AddressOctets octets;
    qint32 packed;
};

class AddressPacking : public testing::TestWithParam<PackingCase>
{
};

TEST_P(AddressPacking, FirstOctetInTheLowestByte)
{
    EXPECT_EQ(packServerAddress(GetParam().octets), GetParam().packed);
    EXPECT_EQ(serverAddressOctets(GetParam().packed), GetParam().octets);
}

INSTANTIATE_TEST_SUITE_P(Addresses, AddressPacking,
                         testing::Values(PackingCase{"OneTwoThreeFour", {1, 2, 3, 4}, 67305985},
                                         PackingCase{"Nothing", {0, 0, 0, 0}, 0},
                                         PackingCase{"HighOctetSetsTheSign", {192, 168, 1, 200}, -939415360},
                                         PackingCase{"AllOnes", {255, 255, 255, 255}, -1}),
                         caseName<PackingCase>);

TEST(ParseOctet, TakesWholeNumbersFromZeroTo255Only)
{
    for (const auto &[text, octet] : {std::pair<const char *, int>{"0", 0}, {"255", 255}, {" 7", 7}, {"256", -1},
                                      {"-1", -1}, {"", -1}, {"1.5", -1}, {"12a", -1}}) {
        const std::optional<quint8> parsed = parseOctet(QString::fromLatin1(text));
        EXPECT_EQ(parsed ? *parsed : -1, octet) << text;
    }
}

class DisplaySettingsWindowTest : public testing::Test
{
protected:
    QString storeFile() const { return dir.filePath(QStringLiteral("Skladar.reg")); }

    std::unique_ptr<DisplaySettingsWindow> openWindow()
    {
        auto window = std::make_unique<DisplaySettingsWindow>(store, dialogs);
        window->showSettings();
        return window;
    }

    template <typename T>
    static T *child(const QWidget &window, const QString &name)
    {
        T *found = window.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    static QString octets(const QWidget &window)
    {
        QStringList texts;
        for (int box = 14; box <= 17; ++box)
            texts << child<QLineEdit>(window, QStringLiteral("Edit%1").arg(box))->text();
        return texts.join(QLatin1Char('.'));
    }

    static void setOctets(const QWidget &window, const QStringList &texts)
    {
        for (int box = 14; box <= 17; ++box)
            child<QLineEdit>(window, QStringLiteral("Edit%1").arg(box))->setText(texts[box - 14]);
    }

    QTemporaryDir dir;
    SettingsStore store{storeFile()};
    RecordingDialogs dialogs;
};

TEST_F(DisplaySettingsWindowTest, SavedValuesShowAgainInTheNextWindow)
{
    auto first = openWindow();
    EXPECT_EQ(first->focusWidget(), child<QPushButton>(*first, QStringLiteral("Button1")));
    EXPECT_EQ(octets(*first), QStringLiteral("0.0.0.0"));
    setOctets(*first, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    child<QLineEdit>(*first, QStringLiteral("Edit30"))->setText(QStringLiteral("r97.bmp"));
    child<QCheckBox>(*first, QStringLiteral("CheckBox25"))->setChecked(true);
    child<QLineEdit>(*first, QStringLiteral("Edit1"))->setText(QStringLiteral("bargraf.par"));
    child<QPushButton>(*first, QStringLiteral("Button1"))->click();
    ASSERT_TRUE(store.WriteString(QStringLiteral("Forma\\Slika25"), QStringLiteral("Checked"), QStringLiteral("TRUE")).ok());

    qint32 packed = 0;
    store.ReadInteger(QStringLiteral("Forma"), QStringLiteral("IPServer"), packed);
    EXPECT_EQ(packed, 67305985);
    auto second = openWindow();
    EXPECT_EQ(octets(*second), QStringLiteral("1.2.3.4"));
    EXPECT_EQ(child<QLineEdit>(*second, QStringLiteral("Edit30"))->text(), QStringLiteral("r97.bmp"));
    EXPECT_EQ(child<QLineEdit>(*second, QStringLiteral("Edit1"))->text(), QStringLiteral("bargraf.par"));
    EXPECT_FALSE(child<QCheckBox>(*second, QStringLiteral("CheckBox25"))->isChecked()) << "only \"true\" checks";
    EXPECT_TRUE(dialogs.calls.isEmpty());
}

TEST_F(DisplaySettingsWindowTest, AWrongOctetNamesItsBoxAndWritesNothing)
{
    auto window = openWindow();
    child<QLineEdit>(*window, QStringLiteral("Edit2"))->setText(QStringLiteral("skladar.bmp"));
    setOctets(*window, {QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("256"), QStringLiteral("1")});
    child<QPushButton>(*window, QStringLiteral("Button1"))->click();
    EXPECT_EQ(dialogs.calls.value(0).text, QStringLiteral("Adresa IP servera: treci broj mora biti ceo broj od 0 do 255."));
    EXPECT_FALSE(QFile::exists(storeFile()));
}

} // namespace
