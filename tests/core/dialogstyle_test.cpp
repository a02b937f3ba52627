// Message-box icons by caption, and Qt's translation under the plant's locales.
#include "core/services/dialogstyle.h"

#include <QLibraryInfo>
#include <QTranslator>

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
    // Installed by scripts/setup.sh from Debian's qt6-translations-l10n.
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral("qtbase_hr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    EXPECT_EQ(translator.translate("QPlatformTheme", "Cancel"), QStringLiteral("Odustani"));
}

} // namespace
