// Message-box icons by caption, and Qt's translation under the plant's locales.
#include "core/services/dialogstyle.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogStyle, ErrorCaptionsTakeTheWarningIcon)
{
    for (const char *caption : {"Greska", "File Error...", "Integer error"})
        EXPECT_TRUE(isErrorCaption(QString::fromLatin1(caption))) << caption;
    for (const char *caption : {"Podesavanja", "Skladar", ""})
        EXPECT_FALSE(isErrorCaption(QString::fromLatin1(caption))) << caption;
}

TEST(DialogStyle, SerbianCroatianAndBosnianLocalesGetQtInCroatian)
{
    for (const char *locale : {"sr_RS", "sr_Latn_RS", "hr_HR", "bs_BA", "en_US", "C"})
        EXPECT_EQ(qtTranslationFor(QLocale(QString::fromLatin1(locale))).isEmpty(), locale[0] == 'e' || locale[0] == 'C') << locale;
}

} // namespace
