// What the editors write when the server refuses: one message in every window, no write after the
// refusal; and the tank numbers a new user's rights carry from the start.
#include "config/consolescreeneditor.h"
#include "config/materialeditor.h"
#include "config/tankeditor.h"
#include "config/usereditor.h"
#include "tests/config/editorfixture.h"
#include "tests/support/widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <memory>

namespace {

using namespace Qt::StringLiterals;

struct SaveCase
{
    const char *name;
    std::function<std::unique_ptr<QDialog>(const EditorServices &)> open;
    std::function<void(QDialog &)> save;
};

void trigger(QDialog &editor, const char *action) { child<QAction>(editor, action)->trigger(); }

using RefusedWrites = EditorFixture;

TEST_F(RefusedWrites, EveryEditorSaysTheOperatorMayNotChangeTheConfiguration)
{
    const SaveCase cases[] = {
        {"TankEditor", [](const EditorServices &s) { return std::make_unique<TankEditor>(s); },
         [](QDialog &e) { trigger(e, "Snimikonfiguraciju1"); }},
        {"MaterialEditor", [](const EditorServices &s) { return std::make_unique<MaterialEditor>(s); },
         [](QDialog &e) { trigger(e, "Pregled1"); }},
        {"ConsoleScreenEditor", [](const EditorServices &s) { return std::make_unique<ConsoleScreenEditor>(s); },
         [](QDialog &e) { trigger(e, "Snimi1"); }},
        {"UserEditor", [](const EditorServices &s) { return std::make_unique<UserEditor>(s); },
         [](QDialog &e) { child<QPushButton>(e, "Button2")->click(); }},
    };
    server.answer = [this](ExchangeOperation operation, ExchangeBuffer &buffer) {
        return operation == ExchangeOperation::Write ? ExchangeStatus::AccessRefused : store->exchange(operation, buffer);
    };
    for (const SaveCase &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.calls.clear();
        const std::unique_ptr<QDialog> editor = c.open(services);
        editor->show();
        server.requests.clear();
        c.save(*editor);
        EXPECT_EQ(dialogs.calls, (QList<RecordingDialogs::Call>{
                                     {RecordingDialogs::Kind::Message, u"Nemate pravo izmene konfiguracije."_s,
                                      exchangeFailureCaption(c.name == std::string("UserEditor") ? ServerRecord::User
                                                                                                   : ServerRecord::TankParams)}}));
        EXPECT_EQ(writtenCodes().size(), EditorTries) << "no record is tried after the refusal";
    }
}

TEST_F(RefusedWrites, ANewUserSavedUnselectedCarriesTheTankNumbersOfItsRights)
{
    UserEditor editor(services);
    editor.show();
    trigger(editor, "Novikorisnik1");
    child<QLineEdit>(editor, "Edit1")->setText(u"Petar"_s);
    child<QLineEdit>(editor, "Edit2")->setText(u"pet"_s);
    child<QPushButton>(editor, "Button3")->click();
    child<QPushButton>(editor, "Button2")->click();
    const UserRecord petar = loadUsers(*store).configuration.users.last();
    ASSERT_EQ(shownName(petar).trimmed(), u"PETAR"_s);
    for (int slot = 1; slot <= TankCount; ++slot) {
        EXPECT_EQ(petar.rights[slot - 1].tankId, TankIdList[slot - 1]) << slot;
        EXPECT_FALSE(petar.rights[slot - 1].seesLiveValues() || petar.rights[slot - 1].istorija) << slot;
    }
}

} // namespace
