// Windows-1252: the code page's own characters, the undefined codes and what cannot be encoded.
#include "core/codec/windows1252.h"

#include "tests/support/bytes.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

TEST(Windows1252, EveryByteRoundTrips)
{
    QByteArray all(256, '\0');
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<char>(i);
    const QString text = fromWindows1252(all);
    EXPECT_EQ(text.mid(0x7F, 3), QStringView(u"\u007F\u20AC\u0081"));
    EXPECT_EQ(text.mid(0x9D, 4), QStringView(u"\u009D\u017E\u0178\u00A0"));
    for (const int undefined : {0x8D, 0x8F, 0x90})
        EXPECT_EQ(text[undefined], QChar(undefined));
    EXPECT_EQ(text[0xB0], QChar(0x00B0));
    EXPECT_EQ(hexText(toWindows1252(text)), hexText(all));
}

struct EncodeCase {
    const char *name;
    std::u16string_view text;
    const char *hex;
};

class Windows1252Encode : public testing::TestWithParam<EncodeCase> {};

TEST_P(Windows1252Encode, OneByteOrQuestionMarkPerCharacter)
{
    EXPECT_EQ(hexText(toWindows1252(QStringView(GetParam().text))), hexText(hexBytes(GetParam().hex)));
}

INSTANTIATE_TEST_SUITE_P(All, Windows1252Encode, testing::Values(
    EncodeCase{"Mixed", u"20 \u00B0C \u20AC\u2014\u00FF", "32 30 20 B0 43 20 80 97 FF"},
    EncodeCase{"Cyrillic", u"\u0416z", "3F 7A"},
    EncodeCase{"SurrogatePairIsOneCharacter", u"\U0001F600z", "3F 7A"},
    EncodeCase{"LoneHighSurrogate", u"\xD800z", "3F 7A"},
    EncodeCase{"HighSurrogateAtEnd", u"z\xD800", "7A 3F"},
    EncodeCase{"ControlNotInCodePage", u"\u0080\u0082", "3F 3F"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
