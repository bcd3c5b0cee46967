#include "WindowFixture.h"
#include "model/ProfileFile.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QFile>

// The window used without a mouse, and as a screen reader sees it.
namespace {

class KeyboardUse : public WindowTest {
protected:
    void StartActive() {
        Start();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }
    // Keys go where the platform sends them: to the focus widget.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    bool TabTo(const char* name) {
        for (int i = 0; i < 40; ++i) {
            if (QApplication::focusWidget()->objectName() == QLatin1String(name))
                return true;
            Key(Qt::Key_Tab);
        }
        return false;
    }
    QByteArray ProfileBytes() const {
        QFile file(Folder.FilePath("customer.cus"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

QAccessibleInterface* Find(QAccessibleInterface* root, QObject* object) {
    if (root->object() == object)
        return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* found = Find(root->child(i), object))
            return found;
    }
    return nullptr;
}

// The caption a screen reader reads with a field: its label relation.
QString Caption(QAccessibleInterface* field) {
    const auto labels = field ? field->relations(QAccessible::Label)
                              : QList<QPair<QAccessibleInterface*, QAccessible::Relation>>();
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

void Walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit) {
    visit(node);
    for (int i = 0; i < node->childCount(); ++i)
        Walk(node->child(i), visit);
}

} // namespace

TEST_F(KeyboardUse, AControlAndASettingAreEditedAndSavedWithTheKeyboardOnly) {
    StartActive();
    Key(Qt::Key_3, Qt::ControlModifier);
    ASSERT_EQ(VisibleHighlight(), 3);
    ASSERT_TRUE(TabTo("EdtValue"));
    Key(Qt::Key_End);
    for (int i = 0; i < 3; ++i)
        Key(Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), "99");
    ASSERT_TRUE(TabTo("CmbReverb"));
    Key(Qt::Key_Down);
    ASSERT_TRUE(TabTo("BtnSave"));
    Key(Qt::Key_Space);

    ASSERT_EQ(Prompts.Notices().size(), 1);
    const QByteArray byKeyboard = ProfileBytes();
    ParameterModel saved;
    LoadParaFromFile(saved, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(saved.Record(3).Value, 99);
    EXPECT_EQ(saved.GlobalSettings()[Reverb], 1);

    // The same edits with the mouse write the same bytes.
    Window.reset();
    ASSERT_TRUE(QFile::remove(Folder.FilePath("customer.cus")));
    Start();
    SelectControl(3);
    SetValue("99");
    Get<QComboBox>("CmbReverb")->setCurrentIndex(1);
    Click("BtnSave");
    EXPECT_EQ(byKeyboard, ProfileBytes());
}

TEST_F(KeyboardUse, EachShortcutDoesWhatAClickOnItsTargetDoes) {
    StartActive();
    for (int n = 8; n >= 1; --n) {
        Key(Qt::Key(Qt::Key_0 + n), Qt::ControlModifier);
        EXPECT_EQ(VisibleHighlight(), n);
    }
    // From a text field too, whose own bindings take some of these keys.
    Get("EdtNameEditor")->setFocus();
    Prompts.ConfirmAnswers = {false};
    Key(Qt::Key_N, Qt::ControlModifier);
    Key(Qt::Key_O, Qt::ControlModifier);
    Key(Qt::Key_E, Qt::ControlModifier);
    Key(Qt::Key_S, Qt::ControlModifier);
    using Kind = FakeUserPrompts::Kind;
    QList<Kind> asked;
    for (const auto& shown : Prompts.Log)
        asked << shown.What;
    EXPECT_EQ(asked, (QList<Kind>{Kind::Confirm, Kind::OpenFile, Kind::SaveFile, Kind::Notice}));
    EXPECT_EQ(Get("BtnSave")->toolTip(), "SAVE (Ctrl+S)");
    EXPECT_EQ(Get("mCode8")->toolTip(), "Record (Ctrl+8)");
}

TEST_F(KeyboardUse, EveryFocusableWidgetHasANameAndItsRoleForAScreenReader) {
    StartActive();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(Window.get());
    ASSERT_NE(window, nullptr);
    int focusable = 0;
    Walk(window, [&](QAccessibleInterface* node) {
        const auto* widget = qobject_cast<const QWidget*>(node->object());
        if (!widget || !widget->isVisible() || !node->state().focusable)
            return;
        ++focusable;
        const QString name = widget->objectName();
        EXPECT_FALSE(node->text(QAccessible::Name).isEmpty()) << name.toStdString();
        if (node->role() == QAccessible::ComboBox) {
            EXPECT_FALSE(Caption(node).isEmpty() && node->text(QAccessible::Description).isEmpty())
                << name.toStdString();
        }
        EXPECT_TRUE((QList<QAccessible::Role>{QAccessible::Button, QAccessible::ComboBox,
                                              QAccessible::EditableText, QAccessible::CheckBox})
                        .contains(node->role()))
            << name.toStdString() << " role " << node->role();
    });
    EXPECT_EQ(focusable, 7 + 8 + 15);

    const auto nameOf = [&](const char* object) {
        QAccessibleInterface* node = Find(window, Get(object));
        return node ? node->text(QAccessible::Name) : QString();
    };
    EXPECT_EQ(Caption(Find(window, Get("CmbARPMode"))), "ARP MODE");
    EXPECT_EQ(Caption(Find(window, Get("CmbDataType"))), "TYPE");
    EXPECT_EQ(nameOf("EdtValue"), "VALUE");
    EXPECT_EQ(nameOf("mCode1"), "Encoder, selected");
    EXPECT_EQ(nameOf("mCode2"), "Knob 1");
    EXPECT_EQ(nameOf("LbConnect"), "Disconnect");

    // A screen reader's press runs the command as a click does.
    QAccessibleInterface* save = Find(window, Get("BtnSave"));
    ASSERT_NE(save, nullptr);
    ASSERT_EQ(save->role(), QAccessible::Button);
    save->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Prompts.Notices().size(), 1);
    QAccessibleInterface* stop = Find(window, Get("mCode7"));
    stop->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(nameOf("mCode7"), "Stop, selected");
    EXPECT_EQ(nameOf("mCode1"), "Encoder");
}
