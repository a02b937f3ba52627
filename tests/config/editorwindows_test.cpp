// The editor windows' grids and panels as an operator meets them: fixed cells that open nothing,
// one panel at a time, the question before typed values are dropped, a frozen header.
#include "config/consolescreeneditor.h"
#include "config/materialeditor.h"
#include "config/stringgrid.h"
#include "config/tankeditor.h"
#include "config/usereditor.h"
#include "tests/config/editorfixture.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

#include <functional>
#include <memory>

namespace {

using namespace Qt::StringLiterals;

StringGrid *grid(const QObject &window) { return child<StringGrid>(window, "StringGrid1"); }
void trigger(const QObject &window, const char *action) { child<QAction>(window, action)->trigger(); }

// Every panel of the window that is open.
QStringList openPanels(const QWidget &window)
{
    QStringList open;
    for (const QFrame *panel : window.findChildren<QFrame *>(QRegularExpression(u"^Panel"_s)))
        if (panel->isVisible())
            open.append(panel->objectName());
    return open;
}

struct GridCase
{
    const char *name;
    std::function<std::unique_ptr<QDialog>(const EditorServices &)> open;
    bool twice; // the window acts on a double click
};

using EditorWindows = EditorFixture;

TEST_F(EditorWindows, AFixedCellOfAnyGridOpensNothingAndChangesNothing)
{
    ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Change"_s, u"true"_s).ok());
    const GridCase cases[] = {
        {"TankEditor", [](const EditorServices &s) {
             auto editor = std::make_unique<TankEditor>(s);
             editor->show();
             trigger(*editor, "Izmenaparametara2");
             return editor;
         }, true},
        {"MaterialEditor", [](const EditorServices &s) { auto e = std::make_unique<MaterialEditor>(s); e->show(); return e; }, true},
        {"ConsoleScreenEditor", [](const EditorServices &s) {
             auto editor = std::make_unique<ConsoleScreenEditor>(s);
             editor->show();
             child<QComboBox>(*editor, "ComboBox1")->setCurrentIndex(0);
             return editor;
         }, false},
        {"UserEditor", [](const EditorServices &s) {
             auto editor = std::make_unique<UserEditor>(s);
             editor->show();
             child<QComboBox>(*editor, "ComboBox1")->setCurrentIndex(0);
             return editor;
         }, false},
    };
    for (const GridCase &c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<QDialog> editor = c.open(services);
        StringGrid &cells = *grid(*editor);
        const auto fixedTexts = [&] {
            QStringList texts;
            for (int column = 0; column < cells.columnCount(); ++column)
                texts.append(cells.cell(column, 0));
            for (int row = 1; row < cells.rowCount(); ++row)
                texts.append(cells.cell(0, row));
            return texts;
        };
        const QStringList before = fixedTexts();
        for (const auto &[column, row] : {std::pair{0, 0}, {3, 0}, {0, 2}, {cells.columnCount() - 1, 0}}) {
            clickCell(cells, column, row, c.twice);
            EXPECT_EQ(openPanels(*editor), QStringList()) << column << ", " << row;
        }
        EXPECT_EQ(fixedTexts(), before);
        EXPECT_TRUE(dialogs.calls.isEmpty());
    }
}

TEST_F(EditorWindows, TheTankEditorOpensOnePanelAtATimeAndAsksBeforeDroppingATypedValue)
{
    ASSERT_TRUE(settings.WriteString(u"Forma\\"_s, u"Change"_s, u"true"_s).ok());
    const TankParamsWire before = storedTank(74);
    TankEditor editor(services);
    editor.show();
    trigger(editor, "Izmenaparametara2");
    clickCell(*grid(editor), TankMaterialColumn, 1, true);
    ASSERT_EQ(openPanels(editor), QStringList{u"Panel1"_s});
    EXPECT_FALSE(grid(editor)->isEnabled());
    EXPECT_FALSE(editor.findChild<QMenu *>()->menuAction()->isEnabled());
    clickCell(*grid(editor), 2, 1, true);
    EXPECT_EQ(openPanels(editor), QStringList{u"Panel1"_s}) << "the grid waits for the chooser";
    child<QPushButton>(editor, "Button1")->click();
    EXPECT_TRUE(grid(editor)->isEnabled());

    clickCell(*grid(editor), 2, 1, true);
    ASSERT_EQ(openPanels(editor), QStringList{u"Panel2"_s});
    child<QLineEdit>(editor, "Edit1")->setText(u"5"_s);
    child<QPushButton>(editor, "Button3")->click();
    dialogs.questionAnswers = {false};
    trigger(editor, "Izlaz1");
    EXPECT_EQ(dialogs.calls, (QList<RecordingDialogs::Call>{{RecordingDialogs::Kind::Question,
                                                              u"Da li zelite sa snimite novu konfiguraciju?"_s, u"Upozorenje!"_s}}));
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(storedTank(74), before) << "Cancel drops the typed value";
}

// The pixels of a strip of the grid as the operator sees it, frozen views included.
QImage strip(StringGrid &cells, const QRect &area)
{
    return cells.grab(area).toImage();
}

TEST_F(EditorWindows, TheMaterialGridKeepsItsFixedRowAndColumnInPlaceAndReopensAtTheTop)
{
    putMaterials(40);
    MaterialEditor editor(services);
    editor.show();
    StringGrid &cells = *grid(editor);
    const QRect area = cells.viewport()->geometry();
    const QRect fixedRow(area.x(), area.y(), area.width(), cells.rowHeight(0));
    const QRect fixedColumn(area.x(), area.y(), cells.columnWidth(0), area.height());
    const QImage rowBefore = strip(cells, fixedRow);
    const QImage columnBefore = strip(cells, fixedColumn);
    cells.verticalScrollBar()->setValue(cells.verticalScrollBar()->maximum());
    EXPECT_EQ(strip(cells, fixedRow), rowBefore) << "the header row stays";
    cells.verticalScrollBar()->setValue(0);
    cells.horizontalScrollBar()->setValue(cells.horizontalScrollBar()->maximum());
    ASSERT_GT(cells.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(strip(cells, fixedColumn), columnBefore) << "the number column stays";

    clickCell(cells, 2, 40);
    trigger(editor, "Izlaz1");
    editor.show();
    EXPECT_EQ(cells.verticalScrollBar()->value(), 0);
    EXPECT_EQ(cells.horizontalScrollBar()->value(), 0);
    EXPECT_EQ(cells.currentRow(), 1);
}

} // namespace
