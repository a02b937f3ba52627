// Numbers typed into the tank and material editors: what converts, the ranges, the one message that
// stops a save, exact values for untouched cells, and the one message of failed writes.
#include "config/editorfaults.h"
#include "config/materialeditor.h"
#include "config/materialsheet.h"
#include "config/stringgrid.h"
#include "config/tankeditor.h"
#include "tests/config/editorfixture.h"
#include "tests/support/namedcases.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

namespace {

using namespace Qt::StringLiterals;
using Call = RecordingDialogs::Call;
using Kind = RecordingDialogs::Kind;

constexpr NumberRange Length{0, 100};
constexpr NumberRange Extent{0, 100, false};
constexpr NumberRange Density{500, 2000};

struct NumberCase
{
    const char *name;
    QString text;
    NumberRange range;
    TypedNumber expected;
};

class TypedNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(TypedNumberTest, ConvertsOnlyAWholeNumberInsideTheRange)
{
    const TypedNumber typed = parseTypedNumber(GetParam().text, GetParam().range);
    EXPECT_EQ(typed.fault, GetParam().expected.fault);
    EXPECT_EQ(typed.value, GetParam().expected.value);
}

constexpr auto NotANumber = NumberFault::NotANumber;
constexpr auto OutOfRange = NumberFault::OutOfRange;

INSTANTIATE_TEST_SUITE_P(Cells, TypedNumberTest, testing::Values(
    NumberCase{"Letters", u"abc"_s, Extent, {0, NotANumber}},
    NumberCase{"TrailingLetter", u"7.2x"_s, Extent, {0, NotANumber}},
    NumberCase{"LetterOForZero", u"92O"_s, Density, {0, NotANumber}},
    NumberCase{"HugeExponent", u"1e20"_s, {0, 100000}, {0, OutOfRange}},
    NumberCase{"Exponent", u"1E3"_s, {0, 100000}, {1000, NumberFault::None}},
    NumberCase{"Empty", QString(), Density, {0, NotANumber}},
    NumberCase{"TwoPoints", u"1.2.3"_s, Length, {0, NotANumber}},
    NumberCase{"CommaAndBlanks", u" 11,5 "_s, Length, {11.5, NumberFault::None}},
    NumberCase{"NegativeLength", u"-5"_s, Length, {0, OutOfRange}},
    NumberCase{"ZeroLength", u"0"_s, Length, {0, NumberFault::None}},
    NumberCase{"ZeroDiameter", u"0"_s, Extent, {0, OutOfRange}},
    NumberCase{"LargestDiameter", u"100"_s, Extent, {100, NumberFault::None}},
    NumberCase{"JustAboveLargest", u"100.001"_s, Extent, {0, OutOfRange}},
    NumberCase{"LightestDensity", u"500"_s, Density, {500, NumberFault::None}},
    NumberCase{"JustBelowLightest", u"499,999"_s, Density, {0, OutOfRange}},
    NumberCase{"HeaviestDensity", u"2000"_s, Density, {2000, NumberFault::None}}), caseName<NumberCase>);

TEST(WriteFailuresText, GroupsTheRecordsByReasonAndNamesNoneForAListPage)
{
    QList<WriteFailure> failures{{u"R 74"_s, ExchangeStatus::NoConnection}, {u"R 75"_s, ExchangeStatus::UnknownRequest},
                                 {u"R 78"_s, ExchangeStatus::NoConnection}, {u"R 79"_s, ExchangeStatus::StoreFailed}};
    EXPECT_EQ(writeFailuresText(ServerRecord::TankParams, failures),
              u"Neuspesan unos podataka o rezervoaru.\nR 74, R 78: Racunar nije uspostavio vezu sa serverom.\n"
              "R 75\nR 79: Server nije mogao da snimi podatke."_s);
    failures.append({u"R 80"_s, ExchangeStatus::AccessRefused});
    EXPECT_EQ(writeFailuresText(ServerRecord::TankParams, failures), u"Nemate pravo izmene konfiguracije."_s);
    EXPECT_EQ(writeFailuresText(ServerRecord::MaterialList, {{QString(), ExchangeStatus::StoreFailed}}),
              u"Neuspesan upis spiska materijala.\nServer nije mogao da snimi podatke."_s);
    EXPECT_EQ(writeFailuresText(ServerRecord::User, {{u"PETAR"_s, ExchangeStatus::PasswordTaken}}),
              u"Upis konfiguracije neuspesan.\nPETAR: Tu lozinku vec ima drugi korisnik."_s);
}

class TypedEditors : public EditorFixture
{
protected:
    // A double click on the cell, the text into the entry box, "OK".
    void type(QWidget &editor, int column, int row, const QString &text, const char *ok)
    {
        clickCell(*child<StringGrid>(editor, "StringGrid1"), column, row, true);
        child<QLineEdit>(editor, "Edit1")->setText(text);
        child<QPushButton>(editor, ok)->click();
    }
    void trigger(QWidget &editor, const char *action) { child<QAction>(editor, action)->trigger(); }
    QString cell(QWidget &editor, int column, int row) { return child<StringGrid>(editor, "StringGrid1")->cell(column, row); }
};

TEST_F(TypedEditors, ATankSaveStopsAtBadCellsWithOneMessageThenWritesExactValuesAndShowsThem)
{
    TankParamsWire r75 = storedTank(75);
    r75.deadZoneVolume = 15.5803360663969;
    ASSERT_EQ(writeRecord(*store, r75, encodeTankParamsWire), ExchangeStatus::Success);
    ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Change"_s, u"true"_s).ok());
    TankEditor editor(services);
    editor.show();
    trigger(editor, "Izmenaparametara2");
    type(editor, 2, 1, u"abc"_s, "Button3");
    type(editor, 5, 4, u"-5"_s, "Button3");
    type(editor, 7, 4, u"1e20"_s, "Button3");
    trigger(editor, "Snimikonfiguraciju1");
    EXPECT_EQ(dialogs.calls, QList<Call>{(Call{Kind::Message, u"Konfiguracija nije snimljena. Ispravite:\n"
                                                              "R 74, D [m]: \"abc\" nije broj.\n"
                                                              "R 79, H 0 [mm]: \"-5\" nije u opsegu od 0 do 100000.\n"
                                                              "R 79, V maksimalno [m3]: \"1e20\" nije u opsegu od 0 do 100000."_s, u"Error"_s})});
    EXPECT_TRUE(writtenCodes().isEmpty());
    EXPECT_EQ(cell(editor, 2, 1), u"abc"_s) << "the grid stays as it was, to be corrected";

    dialogs.calls.clear();
    type(editor, 2, 1, u"4,5"_s, "Button3");
    type(editor, 5, 4, u"0"_s, "Button3");
    type(editor, 7, 4, u"1000"_s, "Button3");
    trigger(editor, "Snimikonfiguraciju1");
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(storedTank(74).diameter, 4.5);
    EXPECT_EQ(storedTank(79).maxVolume, 1000);
    EXPECT_EQ(storedTank(75).deadZoneVolume, 15.5803360663969) << "an untouched cell keeps its exact value";
    EXPECT_EQ(cell(editor, 2, 1), u"4.500"_s) << "the grid shows what was saved";
    trigger(editor, "Izlaz1");
    EXPECT_TRUE(dialogs.calls.isEmpty()) << "nothing left unsaved";
}

TEST_F(TypedEditors, FifteenFailedTankWritesGiveOneMessage)
{
    TankEditor editor(services);
    editor.show();
    for (const int tankId : TankIdList)
        failing.insert({ExchangeOperation::Write, tankId + TankParamsCodeBase});
    trigger(editor, "Snimikonfiguraciju1");
    ASSERT_EQ(dialogs.calls.size(), 1);
    EXPECT_EQ(dialogs.calls[0].text, u"Neuspesan unos podataka o rezervoaru.\nR 74, R 75, R 78, R 79, R 80, R 81, R 82, "
                                     "R 83, R 84, R 85, R 86, R 87, R 88, R 96, R 97: Racunar nije uspostavio vezu sa serverom."_s);
}

TEST_F(TypedEditors, AMaterialSaveStopsAtABadOrMissingDensityAndKeepsUntouchedOnesExact)
{
    putMaterials(3);
    const MaterialRecord exact{205, u"S3"_s, u"Ime 3"_s, u"Ulje"_s, 912.3456789};
    ASSERT_EQ(writeRecord(*store, MaterialWire{205, exact}, encodeMaterialWire), ExchangeStatus::Success);
    MaterialEditor editor(services);
    editor.show();
    type(editor, 4, 1, u"92O"_s, "Button2");
    trigger(editor, "Novimaterijal1");
    type(editor, 1, 4, u"Novo"_s, "Button2");
    server.requests.clear();
    trigger(editor, "Pregled1");
    EXPECT_EQ(dialogs.calls, QList<Call>{(Call{Kind::Message, u"Konfiguracija nije snimljena. Ispravite:\n"
                                                              "Materijal 1 (Ime 1), Ro na 20 \u00B0C [kg/m3]: \"92O\" nije broj.\n"
                                                              "Materijal 4 (Novo), Ro na 20 \u00B0C [kg/m3]: \"\" nije broj."_s,
                                               u"Error"_s})});
    EXPECT_TRUE(writtenCodes().isEmpty());
    EXPECT_EQ(cell(editor, 4, 1), u"92O"_s);

    dialogs.calls.clear();
    type(editor, 4, 1, u"920"_s, "Button2");
    type(editor, 4, 4, u"1999,5"_s, "Button2");
    trigger(editor, "Pregled1");
    EXPECT_TRUE(dialogs.calls.isEmpty());
    EXPECT_EQ(stored(205, decodeMaterialWire).material.density20, 912.3456789);
    EXPECT_EQ(stored(206, decodeMaterialWire).material.density20, 1999.5);
    EXPECT_EQ(cell(editor, 4, 1), u"920.000"_s);
}

} // namespace
