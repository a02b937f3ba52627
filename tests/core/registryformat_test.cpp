// Tests for the registry-export text of our settings files, written and read on in-memory buffers.
#include "core/settings/registryformat.h"


#include <QBuffer>
#include <QVariant>

#include <gtest/gtest.h>

#include <climits>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray written(const QSettings::SettingsMap &map)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeRegistryFile(buffer, map));
    return buffer.data();
}

bool parse(QByteArray text, QSettings::SettingsMap &map)
{
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    return readRegistryFile(buffer, map);
}

#define ROOT "[HKEY_CURRENT_USER\\Software\\Tervo\\Skladar"

TEST(RegistryFormat, WritesSortedSectionsAndReadsThemBackWithTheirKinds)
{
    const QSettings::SettingsMap map{{u"Verzija"_s, INT_MIN}, {u"Forma/Datoteka"_s, u"bargraf.par"_s},
                                     {u"Forma/IPServer"_s, 0x0100007f}, {u"Forma/Slika3/Checked"_s, u"true"_s},
                                     {u"Forma/Zoom"_s, -1}};
    const QByteArray golden = "Windows Registry Editor Version 5.00\n\n" ROOT "]\n\"Verzija\"=dword:80000000\n\n" ROOT
                              "\\Forma]\n\"Datoteka\"=\"bargraf.par\"\n\"IPServer\"=dword:0100007f\n"
                              "\"Zoom\"=dword:ffffffff\n\n" ROOT "\\Forma\\Slika3]\n\"Checked\"=\"true\"\n";
    EXPECT_EQ(written(map), golden);
    QSettings::SettingsMap back;
    ASSERT_TRUE(parse(golden, back));
    EXPECT_EQ(back, map);
    EXPECT_EQ(back.value(u"Forma/Zoom"_s).typeId(), QMetaType::Int);
    EXPECT_EQ(back.value(u"Forma/Datoteka"_s).typeId(), QMetaType::QString);
}

TEST(RegistryFormat, EscapesKeepEachTextOnOneLine)
{
    const QString name = u"Naziv \"A\""_s;
    const QString text = u"C:\\Skladar\r\nŠećer\0kraj"_s;
    const QByteArray bytes = written({{name, text}});
    EXPECT_TRUE(bytes.endsWith("]\n\"Naziv \\\"A\\\"\"=\"C:\\\\Skladar\\r\\n\xC5\xA0" "e\xC4\x87" "er\\0kraj\"\n"));
    QSettings::SettingsMap back;
    ASSERT_TRUE(parse(bytes, back));
    EXPECT_EQ(back.value(name).toString(), text);
}

TEST(RegistryFormat, AcceptsHandWrittenExport)
{
    const QByteArray text = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n; sa stanice 2\r\n"
                            "[HKEY_CURRENT_USER\\SOFTWARE\\Tervo\\Skladar]\r\n\"A\"=dword:1f\r\n\r\n"
                            ROOT "\\Interval]  \r\n\"B\"=dword:FFFFFFFE\r\n\"C\"=\"x\"\r";
    QSettings::SettingsMap map;
    ASSERT_TRUE(parse(text, map));
    EXPECT_EQ(map, (QSettings::SettingsMap{{u"A"_s, 31}, {u"Interval/B"_s, -2}, {u"Interval/C"_s, u"x"_s}}));
}

TEST(RegistryFormat, MalformedTextIsRejectedAndLeavesTheMap)
{
    const char *const texts[] = {
        "\"A\"=dword:1\n" ROOT "]\n",                 // a value outside any section
        "[HKEY_CURRENT_USER\\Software\\Tervo\\Vaga]\n", // another application
        ROOT "X]\n", ROOT "\\Forma\\]\n", ROOT "\n",    // a longer name, an empty key name, an unclosed section
        ROOT "]\n\"A\"=dword:\n", ROOT "]\n\"A\"=dword:000000001\n", ROOT "]\n\"A\"=\"abc\\\"\n",
        ROOT "]\n\"A\"=\"a\"b\n", ROOT "]\n\"A\"=hex:01,02\n", ROOT "]\n\"a/b\"=\"x\"\n"};
    for (const char *text : texts) {
        const QSettings::SettingsMap before{{u"Staro"_s, 1}};
        QSettings::SettingsMap map = before;
        EXPECT_FALSE(parse(text, map)) << text;
        EXPECT_EQ(map, before) << text;
    }
}

#undef ROOT

} // namespace
