// The chart parameters window driven through its list, grid, editor and radio groups over the
// demonstration chart records, and its saving into "Report.rez".
#include "trend/chartparameterswindow.h"

#include "tests/support/namedcases.h"
#include "tests/trend/chartwindowfixture.h"

#include <QComboBox>
#include <QFile>
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
    ChartParametersTest() { parameters.show(); }

    template <typename T>
    T *part(const char *name) const { return child<T>(parameters, QLatin1String(name)); }
    QTableWidget *grid() const { return part<QTableWidget>("StringGrid1"); }
    void chooseTank(int index) const { part<QComboBox>("ComboBox1")->setCurrentIndex(index); }
    // A quantity's button in "Leva" (RadioGroup1) or "Desna" (RadioGroup2).
    QRadioButton *radio(const char *group, Quantity quantity) const
    {
        return part<QWidget>(group)->findChildren<QRadioButton *>().at(static_cast<int>(quantity));
    }

    void edit(int row, int column, const QString &text)
    {
        grid()->setCurrentCell(row, column);
        parameters.StringGrid1DblClick(row, column);
        part<QLineEdit>("Edit1")->setText(text);
        part<QPushButton>("Button2")->click();
    }

    void expectRecordsAsRead() const
    {
        const TankChartRecords read = readChartRecords(DataFolder(dir.path())).records;
        for (std::size_t i = 0; i < records.size(); ++i)
            EXPECT_EQ(encodeTankChartRecord(records[i]), encodeTankChartRecord(read[i])) << i;
    }

    TankChartRecords records = readChartRecords(DataFolder(dir.path())).records;
    ChartParametersWindow parameters{records, DataFolder(dir.path()), dialogs, w};
};

} // namespace

TEST_F(ChartParametersTest, ChoosingATankShowsItsSettingsWithoutChangingThem)
{
    EXPECT_EQ(part<QComboBox>("ComboBox1")->currentIndex(), -1);
    EXPECT_EQ(part<QComboBox>("ComboBox1")->itemText(TankCount - 1), QStringLiteral("Rezervoar 97 "));
    chooseTank(Tank80);
    EXPECT_EQ(grid()->item(0, 2)->text(), QStringLiteral("Maksimum"));
    EXPECT_EQ(grid()->item(1, 1)->text(), QString::number(records[Tank80].level.scaleMin));
    EXPECT_EQ(grid()->item(1, 2)->text(), QString::number(records[Tank80].level.scaleMax));
    EXPECT_EQ(grid()->item(4, 3)->text(), QString::number(records[Tank80].volume.lineWidth));
    EXPECT_TRUE(radio("RadioGroup1", Quantity::Level)->isChecked());
    EXPECT_TRUE(radio("RadioGroup2", Quantity::Temperature)->isChecked());
    expectRecordsAsRead();
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
    const std::array<qint32, 3> fields{settings.scaleMin, settings.scaleMax, settings.lineWidth};
    EXPECT_EQ(fields[static_cast<std::size_t>(c.column - 1)], c.stored);
    EXPECT_EQ(grid()->item(c.row, c.column)->text(), QString::number(c.stored));
    const RecordingDialogs::Call warning{Kind::Message, QStringLiteral("Neispravno unesen broj"), QStringLiteral("Integer error")};
    EXPECT_EQ(dialogs.calls, QList<RecordingDialogs::Call>(c.warnings, warning));
    EXPECT_FALSE(part<QLineEdit>("Edit1")->isEnabled());
}
INSTANTIATE_TEST_SUITE_P(ChartParameters, EditTest, testing::ValuesIn(EditCases), caseName<EditCase>);

TEST_F(ChartParametersTest, OneQuantityPerAxisTheGroupClickedLastDeciding)
{
    chooseTank(Tank80);
    radio("RadioGroup2", Quantity::Mass)->click();
    radio("RadioGroup1", Quantity::Mass)->click();
    for (const Quantity quantity : AllQuantities)
        EXPECT_EQ(records[Tank80].settings(quantity).axisSide, quantity == Quantity::Mass ? 1 : 0);
}

TEST_F(ChartParametersTest, NothingChangesBeforeATankIsChosenOrOnTheHeaderRow)
{
    parameters.StringGrid1DblClick(1, 0);
    parameters.StringGrid1DblClick(2, 2);
    radio("RadioGroup1", Quantity::Volume)->click();
    chooseTank(Tank80);
    parameters.StringGrid1DblClick(0, 1);
    EXPECT_FALSE(part<QLineEdit>("Edit1")->isEnabled());
    EXPECT_TRUE(dialogs.calls.isEmpty());
    expectRecordsAsRead();
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

TEST_F(ChartParametersTest, SavingWritesOnlyTheEditedFieldAndAFailureIsNeverSaved)
{
    QFile file(dir.filePath(ChartRecordFileName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected = file.readAll();
    file.close();
    chooseTank(Tank80);
    edit(1, 2, QStringLiteral("258")); // the level's maximum: bytes 208..211 of the fifth record
    expected.replace(4 * 504 + 208, 4, QByteArray("\x02\x01\x00\x00", 4));
    part<QPushButton>("Button1")->click();
    EXPECT_EQ(dialogs.calls.back().text, QStringLiteral("Konfiguracija je snimljena."));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), expected);

    dialogs.calls.clear();
    parameters.setSavable(false); // after a read that stopped inside the file
    part<QPushButton>("Button1")->click();
    ASSERT_TRUE(QDir(dir.path()).removeRecursively());
    parameters.setSavable(true);
    part<QPushButton>("Button1")->click();
    ASSERT_EQ(dialogs.calls.size(), 2);
    for (const RecordingDialogs::Call &call : dialogs.calls)
        EXPECT_TRUE(call.text.contains(QStringLiteral("nije snimljena"))) << call.text.toStdString();
}
