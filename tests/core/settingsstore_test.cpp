// Tests for the settings store on isolated files in a temporary folder.
#include "core/settings/settingsstore.h"


#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

class SettingsStoreTest : public testing::Test
{
protected:
    QByteArray fileText() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path = dir.filePath(u"Skladar.reg"_s);
    SettingsStore store{path};
    qint32 number = 42;
    QString text = u"staro"_s;
};

TEST_F(SettingsStoreTest, MissingKeyLeavesTheVariablesAndMissingValueClearsThem)
{
    const auto read = [&] {
        store.ReadInteger(u"Forma\\"_s, u"IPServer"_s, number);
        EXPECT_TRUE(store.ReadString(u"Forma\\"_s, u"Datoteka"_s, text).ok());
    };
    ASSERT_TRUE(store.WriteInteger(u"Interval\\"_s, u"Period"_s, 5).ok());
    read();
    EXPECT_TRUE(number == 42 && text == u"staro"_s);
    ASSERT_TRUE(store.WriteString(u"Forma\\Slika1"_s, u"Checked"_s, u"true"_s).ok());
    read();
    EXPECT_TRUE(number == 0 && text.isEmpty());
}

TEST_F(SettingsStoreTest, ValuesOfTheOtherKindAreNotConvertedAndTextEndsAtNul)
{
    ASSERT_TRUE(store.WriteString(u"Forma"_s, u"Zoom"_s, u"5"_s).ok());
    ASSERT_TRUE(store.WriteInteger(u"Forma"_s, u"IPServer"_s, 7).ok());
    store.ReadInteger(u"Forma"_s, u"Zoom"_s, number);
    EXPECT_EQ(store.ReadString(u"Forma"_s, u"IPServer"_s, text).error, u"Vrednost Forma\\IPServer nije tekst."_s);
    EXPECT_TRUE(number == 0 && text == u"staro"_s);
    ASSERT_TRUE(store.WriteString(u"Izvestaj"_s, u"Naslov"_s, u"Ulje\0smece"_s).ok());
    ASSERT_TRUE(store.ReadString(u"Izvestaj"_s, u"Naslov"_s, text).ok());
    EXPECT_EQ(text, u"Ulje"_s) << "text is read up to its first NUL";
}

TEST_F(SettingsStoreTest, EachCallSeesWhatAnotherInstanceWrote)
{
    for (const qint32 written : {3, 9}) {
        ASSERT_TRUE(SettingsStore(path).WriteInteger(u"Interval"_s, u"Period"_s, written).ok());
        store.ReadInteger(u"Interval"_s, u"Period"_s, number);
        EXPECT_EQ(number, written);
    }
}

TEST_F(SettingsStoreTest, ATrailingLeadingOrDoubledBackslashNamesTheSameKey)
{
    for (const char16_t *subKey : {u"Forma\\Slika3\\", u"\\Forma\\Slika3", u"Forma\\\\Slika3"}) {
        ASSERT_TRUE(store.WriteInteger(QString::fromUtf16(subKey), u"Checked"_s, 1).ok());
        ASSERT_TRUE(store.WriteInteger(u"Forma\\Slika3"_s, u"Left"_s, 2).ok());
        number = 0;
        store.ReadInteger(u"Forma\\Slika3"_s, u"Checked"_s, number);
        EXPECT_TRUE(number == 1 && fileText().count("[HKEY") == 1) << number;
        ASSERT_TRUE(store.WriteInteger(u"Forma\\Slika3"_s, u"Checked"_s, 0).ok());
    }
}

TEST_F(SettingsStoreTest, WriteBelowARegularFileFails)
{
    ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    const QString unwritable = path + u"/Skladar.reg"_s;
    const SettingsStatus integer = SettingsStore(unwritable).WriteInteger(u"Forma"_s, u"IPServer"_s, 1);
    const SettingsStatus string = SettingsStore(unwritable).WriteString(u"Forma"_s, u"Datoteka"_s, u"a"_s);
    EXPECT_TRUE(integer.error.contains(unwritable)) << integer.error.toStdString();
    EXPECT_TRUE(string.error.contains(u"Forma\\Datoteka"_s)) << string.error.toStdString();
}

TEST_F(SettingsStoreTest, MalformedFileIsNeitherReadNorOverwritten)
{
    const QByteArray malformed = "[HKEY_CURRENT_USER\\Software\\Tervo\\Skladar\\Forma]\n\"IPServer\"=dword:xyz\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(malformed) == malformed.size());
    }
    store.ReadInteger(u"Forma"_s, u"IPServer"_s, number);
    EXPECT_FALSE(store.WriteInteger(u"Forma"_s, u"Zoom"_s, 1).ok());
    EXPECT_TRUE(number == 42 && fileText() == malformed) << number;
}

} // namespace
