// Message-box icons by caption, and Qt's translation under the plant's locales.
#include "core/services/dialogstyle.h"

#include <QLibraryInfo>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

TEST(DialogStyle, ErrorCaptionsTakeTheWarningIcon)
{
    const struct { const char *caption; bool error; } cases[] = {
        {"Greska", true}, {"File Error...", true}, {"Integer error", true}, {"Error...", true},
        {"Podesavanja", false}, {"Skladar", false}, {"", false}};
    for (const auto &c : cases)
        EXPECT_EQ(isErrorCaption(QString::fromLatin1(c.caption)), c.error) << c.caption;
}

TEST(DialogStyle, SerbianCroatianAndBosnianLocalesGetQtInCroatian)
{
    const struct { const char *locale; const char *translation; } cases[] = {
        {"sr_RS", "qtbase_hr"}, {"sr_Latn_RS", "qtbase_hr"}, {"hr_HR", "qtbase_hr"}, {"bs_BA", "qtbase_hr"},
        {"en_US", ""}, {"de_DE", ""}, {"C", ""}};
    for (const auto &c : cases)
        EXPECT_EQ(qtTranslationFor(QLocale(QString::fromLatin1(c.locale))), QString::fromLatin1(c.translation)) << c.locale;
    // Installed by scripts/setup.sh from Debian's qt6-translations-l10n.
    QTranslator translator;
    ASSERT_TRUE(translator.load(QStringLiteral("qtbase_hr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    EXPECT_EQ(translator.translate("QPlatformTheme", "Cancel"), QStringLiteral("Odustani"));
}

} // namespace
