#pragma once

#include "FakeMidiService.h"
#include "FakeUsbDeviceQuery.h"
#include "FakeUserPrompts.h"
#include "TempFolder.h"
#include "TestMidiPorts.h"
#include "midi/Midi.h"
#include "ui/Unit1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

// The real window on the offscreen platform, in a scratch program folder,
// with scripted prompts, a fake MIDI service and fake USB devices.
class WindowTest : public ::testing::Test, protected TestMidiPorts {
protected:
    TempFolder Folder;
    FakeUserPrompts Prompts;
    FakeUsbDeviceQuery Usb;
    FakeMidiService* Midi = nullptr;
    std::unique_ptr<TForm1> Window;

    void SetUp() override {
        auto service = std::make_unique<FakeMidiService>();
        Midi = service.get();
        UseMidiService(std::move(service));
    }

    void TearDown() override {
        Window.reset();
        ReleaseMidi();
    }

    void Start() {
        Window = std::make_unique<TForm1>(EditorServices{Prompts, Usb, *Ports, Folder.Path()});
        Window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    }

    template <class T = QWidget> T* Get(const char* name) const {
        T* widget = Window->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            ADD_FAILURE() << "no widget " << name;
        return widget;
    }

    // Clicks whatever lies at `pos` of the window, as the user's mouse would.
    void ClickAt(QPoint pos) {
        QWidget* target = Window->childAt(pos);
        ASSERT_NE(target, nullptr) << "nothing at " << pos.x() << "," << pos.y();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(Window.get(), pos));
    }

    void Click(const char* name) {
        QWidget* widget = Get(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    void SelectControl(int n) { Click(QStringLiteral("mCode%1").arg(n).toLatin1().constData()); }

    // Keys go where the platform sends them: to the focus widget.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Clicks into the field, replaces its text by typing and, unless told
    // otherwise, finishes with Enter.
    void Type(const char* name, const QString& text, bool finish = true);
    // The next item of the list, picked with the arrow keys.
    void Pick(const char* name);

    QString Text(const char* name) const;
    QString ComboText(const char* name) const { return Get<QComboBox>(name)->currentText(); }
    void SetValue(const QString& text) { Get<QLineEdit>("EdtValue")->setText(text); }
    void SetName(const QString& text) { Get<QLineEdit>("EdtNameEditor")->setText(text); }
    int VisibleHighlight() const;
};
