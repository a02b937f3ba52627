// The chart parameters window driven through its list, grid, editor and radio groups over the
// demonstration chart records, and its saving into "Report.rez".
#include "trend/chartparameterswindow.h"

#include "tests/support/namedcases.h"
#include "tests/trend/chartwindowfixture.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

namespace {

using Kind = RecordingDialogs::Kind;
constexpr int Tank80 = 4; // list index of "Rezervoar 80", slot 5

class ChartParametersTest : public ChartWindowFixture
{
protected:
    ChartParametersTest()
        : records(readChartRecords(DataFolder(dir.path())).records)
        , parameters(records, DataFolder(dir.path()), dialogs, w)
    {
        parameters.show();
    }

    template <typename T>
    T *part(const char *name)
    {
        T *found = parameters.findChild<T *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString cell(int row, int column) { return part<QTableWidget>("StringGrid1")->item(row, column)->text(); }

    void chooseTank(int index) { part<QComboBox>("ComboBox1")->setCurrentIndex(index); }

    // The radio button of a quantity in "Leva" (RadioGroup1) or "Desna" (RadioGroup2).
    QRadioButton *radio(const char *group, Quantity quantity)
    {
        return part<QWidget>(group)->findChildren<QRadioButton *>().at(static_cast<int>(quantity));
    }

    void edit(int row, int column, const QString &text)
    {
        part<QTableWidget>("StringGrid1")->setCurrentCell(row, column);
        parameters.StringGrid1DblClick(row, column);
        part<QLineEdit>("Edit1")->setText(text);
        part<QPushButton>("Button2")->click();
    }

    TankChartRecords records;
    ChartParametersWindow parameters;
};

} // namespace

TEST_F(ChartParametersTest, ChoosingATankShowsItsSettingsWithoutChangingThem)
{
    records[Tank80].level.axisSide = 0;
    records[Tank80].mass.axisSide = 1;
    const TankChartRecords before = records;
    EXPECT_EQ(part<QComboBox>("ComboBox1")->currentIndex(), -1);
    EXPECT_EQ(part<QComboBox>("ComboBox1")->itemText(TankCount - 1), QStringLiteral("Rezervoar 97 "));
    chooseTank(Tank80);
    EXPECT_EQ(cell(0, 2), QStringLiteral("Maksimum"));
    EXPECT_EQ(cell(1, 1), QString::number(records[Tank80].level.scaleMin));
    EXPECT_EQ(cell(1, 2), QString::number(records[Tank80].level.scaleMax));
    EXPECT_EQ(cell(4, 3), QString::number(records[Tank80].volume.lineWidth));
    EXPECT_TRUE(radio("RadioGroup1", Quantity::Mass)->isChecked());
    EXPECT_TRUE(radio("RadioGroup2", Quantity::Temperature)->isChecked());
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(encodeTankChartRecord(records[i]), encodeTankChartRecord(before[i])) << i;
}

namespace {

struct EditCase
{
    const char *name;
    int row;
    int column;
    const char *typed;
    qint32 stored;
    int warnings;
};

class EditTest : public ChartParametersTest, public testing::WithParamInterface<EditCase>
{
};

const EditCase EditCases[] = {
    {"Minimum", 1, 1, "250", 250, 0},
    {"MaximumWithALetterIsZero", 3, 2, "12a", 0, 1},
    {"WidthAfterABlank", 4, 3, " 3", 3, 1},
};

} // namespace

TEST_P(EditTest, StoresTheParsedNumber)
{
    const EditCase &c = GetParam();
    chooseTank(Tank80);
    edit(c.row, c.column, QLatin1String(c.typed));
    const ChartSettings &settings = records[Tank80].settings(AllQuantities[static_cast<std::size_t>(c.row - 1)]);
    EXPECT_EQ(c.column == 1 ? settings.scaleMin : c.column == 2 ? settings.scaleMax : settings.lineWidth, c.stored);
    EXPECT_EQ(cell(c.row, c.column), QString::number(c.stored));
    EXPECT_EQ(dialogs.calls.size(), c.warnings);
    for (const RecordingDialogs::Call &call : dialogs.calls)
        EXPECT_EQ(call, (RecordingDialogs::Call{Kind::Message, QStringLiteral("Neispravno unesen broj"), QStringLiteral("Integer error")}));
    EXPECT_FALSE(part<QLineEdit>("Edit1")->isEnabled());
    EXPECT_TRUE(part<QLineEdit>("Edit1")->text().isEmpty());
}
INSTANTIATE_TEST_SUITE_P(ChartParameters, EditTest, testing::ValuesIn(EditCases), caseName<EditCase>);

TEST_F(ChartParametersTest, OneQuantityPerAxisTheGroupClickedLastDeciding)
{
    chooseTank(Tank80);
    radio("RadioGroup2", Quantity::Mass)->click();
    radio("RadioGroup1", Quantity::Mass)->click();
    const std::array<qint32, QuantityCount> sides{0, 0, 1, 0};
    for (const Quantity quantity : AllQuantities)
        EXPECT_EQ(records[Tank80].settings(quantity).axisSide, sides[static_cast<std::size_t>(quantity)]);
}

TEST_F(ChartParametersTest, NothingChangesBeforeATankIsChosenOrOnTheHeaderRow)
{
    const TankChartRecords before = records;
    parameters.StringGrid1DblClick(1, 0);
    parameters.StringGrid1DblClick(2, 2);
    radio("RadioGroup1", Quantity::Volume)->click();
    chooseTank(Tank80);
    parameters.StringGrid1DblClick(0, 1);
    EXPECT_FALSE(part<QLineEdit>("Edit1")->isEnabled());
    EXPECT_TRUE(dialogs.calls.isEmpty());
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(encodeTankChartRecord(records[i]), encodeTankChartRecord(before[i])) << i;
}

TEST_F(ChartParametersTest, TheColourDialogStartsOnTheCurveColour)
{
    chooseTank(Tank80);
    records[Tank80].temperature.curveColour = 0x0000FF;
    dialogs.colourAnswers = {QColor(1, 2, 3)};
    parameters.StringGrid1DblClick(2, 0);
    EXPECT_EQ(dialogs.calls, (QList<RecordingDialogs::Call>{{Kind::Colour, QStringLiteral("#ff0000"), QString()}}));
    EXPECT_EQ(records[Tank80].temperature.curveColour, 0x030201u);
}

TEST_F(ChartParametersTest, SavingWritesOnlyTheEditedField)
{
    QFile file(dir.filePath(ChartRecordFileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected = file.readAll();
    file.close();
    chooseTank(Tank80);
    edit(1, 2, QStringLiteral("258")); // the level's maximum: bytes 208..211 of the fifth record
    expected.replace(4 * 504 + 208, 4, QByteArray("\x02\x01\x00\x00", 4));
    part<QPushButton>("Button1")->click();
    EXPECT_EQ(dialogs.calls.back(), (RecordingDialogs::Call{Kind::Message, QStringLiteral("Konfiguracija je snimljena."), QStringLiteral("Podesavanja")}));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected);
}

TEST_F(ChartParametersTest, AFailedSaveIsReportedNeverAsSaved)
{
    parameters.setSavable(false);
    part<QPushButton>("Button1")->click();
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    parameters.setSavable(true);
    part<QPushButton>("Button1")->click();
    ASSERT_EQ(dialogs.calls.size(), 2);
    for (const RecordingDialogs::Call &call : dialogs.calls) {
        EXPECT_EQ(call.caption, QStringLiteral("Greska"));
        EXPECT_TRUE(call.text.contains(QStringLiteral("nije snimljena"))) << call.text.toStdString();
    }
}
