#include "ui/Unit1.h"

#include "model/EditorError.h"
#include "model/SettingsFile.h"
#include "model/ValueText.h"
#include "ui/DifferenceMarks.h"
#include "ui/MonitorLine.h"
#include "ui/PortsCommand.h"
#include "ui/UserPrompts.h"
#include "ui/WindowAccess.h"
#include "ui/WindowLook.h"
#include "ui_Unit1.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace {

// The character a key press types, as the VALUE field's filter sees it: Ctrl
// with a letter gives its control code; keys that type nothing (navigation,
// Delete, Tab) give 0 and are not filtered. Those are told by their key code,
// since the platform gives some of them a text too (Delete carries "\x7F" on
// X11 and Wayland).
char16_t TypedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Backspace)
        return 8;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return 13;
    if (key >= Qt::Key_Escape && key < Qt::Key_unknown)
        return 0;
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.front().unicode();
}

// Shown in the progress bar of a wait that ran out, for this long.
constexpr int NoAnswerShownMs = 4000;

} // namespace

TForm1::TForm1(const EditorServices& services, QWidget* parent)
    : QWidget(parent), Form(std::make_unique<Ui::TForm1>()), Prompts(services.Prompts),
      Midi(services.Midi), Files(services.Files), Panel(*Form, Session.Model()),
      History(Session, Panel, [this] { EditShown(); }), Profiles(Session, Prompts, *this),
      Device(new DeviceLink(services.Midi, services.Usb, this)),
      Sync(*Device, Session, Prompts, static_cast<SyncView&>(*this), Held) {
    ApplyWindowLook(*this);
    Form->setupUi(this);
    ApplyControlLook(*this, *Form);
    Marks = std::make_unique<DifferenceMarks>(*this, *Form);
    SetUpKeyboardAndAccess(*this, *Form, Device->Keyboard());
    ShowSelectedForAccess(*Form, Device->Keyboard(), Session.Model().SelectedControl);
    // The focus starts where it always has, on the first field.
    Form->CbEnable->setFocus();
    Line = new MonitorLine(Form->LbStatus, Form->LbData1, Form->LbData2, Form->CmbDataDis, this);
    setWindowOpacity(240.0 / 255.0);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    TimerSyncFW = MakeTimer(QStringLiteral("TimerSyncFW"), 100, &TForm1::TimerSyncFWTimer);
    TimerSyncPC = MakeTimer(QStringLiteral("TimerSyncPC"), 100, &TForm1::TimerSyncPCTimer);
    TimerNoAnswer =
        MakeTimer(QStringLiteral("TimerNoAnswer"), NoAnswerShownMs, &TForm1::HideNoAnswer);
    TimerNoAnswer->setSingleShot(true);
    Session.KeepBackups(ProfileBackups(Files.BackupFolder()));
    ConnectHandlers();
    ConnectDeviceLink();

    Guarded([this] { FormCreate(); });
    // What start-up loaded is where undo stops.
    History.Clear();
}

TForm1::~TForm1() {
    // Closing the window takes the focus from a text field, which would
    // finish its entry into a window whose parts are gone.
    for (QLineEdit* field : {Form->EdtValue, Form->EdtNameEditor})
        disconnect(field, nullptr, this, nullptr);
    Guarded([this] { FormDestroy(); });
    // Ports left open (a disconnected keyboard) would go on calling handlers
    // of a window that is gone.
    if (TMidiInput* inputs = Midi.ExistingInputPorts())
        inputs->CloseOpenPorts();
}

void TForm1::FormCreate() {
    Session.ReadSettings(Files);
    const DeviceChoice ports = ReadDeviceChoice(Files.SettingsFile());
    Device->SetPortChoice(ports.InputPort, ports.OutputPort);
    Form->EdtValue->setAlignment(Qt::AlignCenter);
    Form->EdtValue->setMaxLength(3);
    Session.Model().SelectedControl = 1;
    Session.LoadStartupProfile(Files, [this] { ResetPara(); });
    Panel.StartupFill();
    CreateSysExLock();
    FillDeviceLists();
    DiscoverDevice();
}

template <class Handler> void TForm1::Guarded(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        Prompts.ShowError(ErrorBoxText(QString::fromUtf8(error.what())));
    } catch (...) {
        Prompts.ShowError(TForm1::tr("Unexpected error."));
    }
}

QTimer* TForm1::MakeTimer(const QString& name, int intervalMs, void (TForm1::*handler)()) {
    auto* timer = new QTimer(this);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    connect(timer, &QTimer::timeout, this,
            [this, handler] { Guarded([&] { (this->*handler)(); }); });
    return timer;
}

void TForm1::ConnectHandlers() {
    const auto onClick = [this](ClickLabel* label, void (TForm1::*handler)()) {
        connect(label, &ClickLabel::clicked, this,
                [this, handler] { Guarded([&] { (this->*handler)(); }); });
    };
    onClick(Form->BtnNEW, &TForm1::BtnNEWClick);
    onClick(Form->BtnOpen, &TForm1::BtnOpenClick);
    onClick(Form->BtnSave, &TForm1::BtnSaveClick);
    onClick(Form->BtnExport, &TForm1::BtnExportClick);
    onClick(Form->BtnSyncPc, &TForm1::BtnSyncPcClick);
    onClick(Form->BtnSyncFw, &TForm1::BtnSyncFwClick);
    onClick(Form->BtnReset, &TForm1::BtnResetClick);

    for (ClickLabel* area : {Form->mCode1, Form->mCode2, Form->mCode3, Form->mCode4, Form->mCode5,
                             Form->mCode6, Form->mCode7, Form->mCode8}) {
        connect(area, &ClickLabel::clicked, this,
                [this, area] { Guarded([&] { mCode1Click(area); }); });
    }

    const auto onPush = [this](QPushButton* button, void (TForm1::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { Guarded([&] { (this->*handler)(); }); });
    };
    onPush(Form->BtselfSave, &TForm1::BtselfSaveClick);
    onPush(Form->Button1, &TForm1::Button1Click);
    onPush(Form->Button2, &TForm1::Button2Click);

    connect(Form->CmbDataDis, &QComboBox::activated, this,
            [this] { Guarded([this] { CmbDataDisClick(); }); });

    // From the connection label's context menu, or Ctrl+P anywhere in the window.
    auto* ports = new QAction(tr("MIDI Ports..."), this);
    ports->setObjectName(QStringLiteral("ActionPorts"));
    ports->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    ports->setShortcutContext(Qt::WindowShortcut);
    connect(ports, &QAction::triggered, this, [this] { Guarded([this] { PortsClick(); }); });
    addAction(ports);
    Form->LbConnect->addAction(ports);
    Form->LbConnect->setContextMenuPolicy(Qt::ActionsContextMenu);

    // Undo and redo on every platform by the same keys, over the text
    // fields too (see UndoClick).
    const auto onKeys = [this](const char* name, const QList<QKeySequence>& keys,
                               void (TForm1::*handler)()) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this,
                [this, handler] { Guarded([&] { (this->*handler)(); }); });
        addAction(action);
    };
    onKeys("ActionUndo", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, &TForm1::UndoClick);
    onKeys("ActionRedo",
           {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
           &TForm1::RedoClick);

    // A finished entry of the panel reaches the model, as one step.
    const auto onDone = [this](auto* widget, auto signal) {
        connect(widget, signal, this, [this] { Guarded([this] { PanelEntryDone(); }); });
    };
    for (QComboBox* list :
         {Form->CmbDataType, Form->CmbControlMode, Form->CmbChannel, Form->CmbARPMode,
          Form->CmbARPTime, Form->CmbARPOctave, Form->CmbScale, Form->CmbVelocity, Form->CmbReverb,
          Form->CmbTranspose, Form->CmbKeyChannel})
        onDone(list, &QComboBox::activated);
    onDone(Form->CbEnable, &QCheckBox::clicked);
    onDone(Form->EdtValue, &QLineEdit::editingFinished);
    onDone(Form->EdtNameEditor, &QLineEdit::editingFinished);
    // A VALUE being typed is what SYNC TO FW would send.
    connect(Form->EdtValue, &QLineEdit::textChanged, this, &TForm1::ShowDifferences);

    Form->EdtValue->installEventFilter(this);
    Form->EdtNameEditor->installEventFilter(this);
}

void TForm1::ConnectDeviceLink() {
    // The monitor line's handler runs on the MIDI input thread and only
    // publishes (see MonitorLine).
    Device->SetShortMessageHandler(
        [this](std::int32_t port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
            MidiDataIn(port, status, data1, data2);
        });
    connect(Device, &DeviceLink::ConnectionShown, this, &TForm1::ShowConnection);
    connect(Device, &DeviceLink::FirmwareShown, this, &TForm1::ShowFirmware);
    connect(Device, &DeviceLink::InputPortTicked, this, &TForm1::TickInputPort);
    connect(Device, &DeviceLink::OutputPortTicked, this, &TForm1::TickOutputPort);
    connect(Device, &DeviceLink::DevicePortShown, this, &TForm1::ShowDevicePort);
    connect(Device, &DeviceLink::PortsRelisted, this, &TForm1::RefillDeviceLists);
    connect(Device, &DeviceLink::SearchChanged, this, &TForm1::ShowSearch);
    connect(Device, &DeviceLink::ErrorRaised, this,
            [this](const QString& text) { Prompts.ShowError(ErrorBoxText(text)); });
    // Threads: a dump reply is recognised on the MIDI input thread, under the
    // link's SysExLock; the queued connection hands its bytes to the window's
    // thread, which alone touches the model and the panel, in arrival order.
    connect(
        Device, &DeviceLink::DumpReplyReceived, this,
        [this](const ParameterBytes& bytes) { Guarded([&] { AnalysisData(bytes); }); },
        Qt::QueuedConnection);
    connect(
        Device, &DeviceLink::WriteAcknowledgementReceived, this,
        [this] {
            Held.Acknowledged();
            ShowDifferences();
        },
        Qt::QueuedConnection);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // The window's shortcuts come before a text field's own editing keys,
    // which the platform sets (under X11 Ctrl+E moves to the line's end).
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        const QList<QAction*> shortcuts = actions();
        if (std::any_of(shortcuts.begin(), shortcuts.end(), [&](const QAction* action) {
                return action->shortcuts().contains(pressed);
            })) {
            event->ignore();
            return true;
        }
    }
    if (watched == Form->EdtValue && event->type() == QEvent::KeyPress) {
        char16_t key = TypedCharacter(*static_cast<QKeyEvent*>(event));
        if (key != 0) {
            EdtValueKeyPress(key);
            return key == 0;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::EdtValueKeyPress(char16_t& Key) {
    if (!IsValueKeyAllowed(Key))
        Key = 0;
}

void TForm1::OpenProfile(const QString& path) {
    Guarded([&] { Profiles.OpenPath(path); });
    // The profile the program was given is where undo stops.
    History.Clear();
}

void TForm1::BtnNEWClick() {
    History.Record([this] { Profiles.New(); });
}

void TForm1::BtnOpenClick() {
    History.Record([this] { Profiles.Open(); });
}

void TForm1::BtnSaveClick() {
    History.Record([this] { Profiles.Save(); });
}

void TForm1::BtnExportClick() {
    History.Record([this] { Profiles.Export(); });
}

void TForm1::BtselfSaveClick() {
    History.Record([this] { SaveCurrentPara(); });
}

void TForm1::mCode1Click(QObject* Sender) {
    History.Record([&] { Panel.SelectControl(Sender->property("tag").toInt()); });
}

void TForm1::PanelEntryDone() {
    History.Record([this] { Panel.Commit(); });
}

// In a text field with typing of its own to undo, the keys undo that typing
// first, as in any text field; then they undo the window's steps.
void TForm1::UndoClick() {
    auto* field = qobject_cast<QLineEdit*>(focusWidget());
    if (field && field->isUndoAvailable())
        field->undo();
    else
        History.Undo();
}

void TForm1::RedoClick() {
    auto* field = qobject_cast<QLineEdit*>(focusWidget());
    if (field && field->isRedoAvailable())
        field->redo();
    else
        History.Redo();
}

void TForm1::EditShown() {
    ShowSelectedForAccess(*Form, Device->Keyboard(), Session.Model().SelectedControl);
    ShowDifferences();
}

void TForm1::ShowDifferences() {
    Marks->Show(Held.Differences(Panel.Pending()));
}

void TForm1::Button1Click() {
    Panel.ShowHighlight(1, true);
    Panel.ShowHighlight(2, true);
}

void TForm1::Button2Click() {
    Panel.ShowHighlight(1, false);
    Panel.ShowHighlight(2, false);
}

void TForm1::BtnSyncPcClick() {
    Sync.BtnSyncPcClick();
}

void TForm1::BtnSyncFwClick() {
    History.Record([this] { Sync.BtnSyncFwClick(); });
}

void TForm1::BtnResetClick() {
    History.Record([this] { Sync.BtnResetClick(); });
}

void TForm1::CmbDataDisClick() {
    Line->CmbDataDisClick();
}

void TForm1::PortsClick() {
    ChooseKeyboardPorts(*Device, Prompts, Files.SettingsFile());
}

void TForm1::CreateSysExLock() {
    Device->CreateSysExLock();
}

void TForm1::FillDeviceLists() {
    const auto fill = [](QListWidget* list, const std::vector<TPortEntry>& ports) {
        for (const TPortEntry& port : ports) {
            auto* item = new QListWidgetItem(QString::fromStdString(port.Name), list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    };
    fill(Form->lbxInputDevices, Midi.InputPorts().PortNames());
    fill(Form->lbxOutputDevices, Midi.OutputPorts().PortNames());
}

void TForm1::RefillDeviceLists() {
    Form->lbxInputDevices->clear();
    Form->lbxOutputDevices->clear();
    FillDeviceLists();
}

void TForm1::DiscoverDevice() {
    Device->DiscoverDevice();
}

void TForm1::FormDestroy() {
    Device->FormDestroy();
}

void TForm1::TimerSyncFWTimer() {
    Sync.TimerSyncFWTimer();
}

void TForm1::TimerSyncPCTimer() {
    Sync.TimerSyncPCTimer();
}

void TForm1::MidiDataIn(std::int32_t port, std::uint8_t status, std::uint8_t data1,
                        std::uint8_t data2) {
    Line->MidiDataIn(port, status, data1, data2);
}

void TForm1::AnalysisData(const ParameterBytes& bytes) {
    ParameterModel read = Session.Model();
    DecodeDumpReply(bytes, read);
    Held.Read(EncodeParameters(read));
    History.Record([&] {
        DecodeDumpReply(bytes, Session.Model());
        RegainData();
    });
    Device->MarkDumpReceived();
}

void TForm1::ResetPara() {
    ::ResetPara(Session.Model());
    RegainData();
}

void TForm1::SaveCurrentPara() {
    Panel.SaveCurrentPara();
}

void TForm1::RegainData() {
    Panel.RegainData();
}

void TForm1::ShowProfileName(const QString& name) {
    Form->LbProFile->setText(name);
}

void TForm1::ShowConnection(bool connected) {
    Form->LbConnect->setText(connected ? tr("Connect") : tr("Disconnect"));
    ShowConnectionColour(*Form->LbConnect, connected);
    // Whatever comes back may hold something else.
    if (!connected) {
        Held.Forget();
        ShowDifferences();
    }
}

void TForm1::ShowFirmware(const QString& text) {
    Form->LbVersions->setText(text);
}

void TForm1::TickInputPort(int index) {
    if (QListWidgetItem* item = Form->lbxInputDevices->item(index))
        item->setCheckState(Qt::Checked);
}

void TForm1::TickOutputPort(int index) {
    if (QListWidgetItem* item = Form->lbxOutputDevices->item(index))
        item->setCheckState(Qt::Checked);
}

void TForm1::ShowDevicePort(int index) {
    Form->LbUSBNum->setText(QString::number(index));
}

void TForm1::ShowSearch(const QStringList& lines) {
    Marks->ShowSearch(lines);
}

void TForm1::SetProgress(SyncWait wait, int position) {
    (wait == SyncWait::ToPc ? Form->ProBarToPC : Form->ProBarToFW)->setValue(position);
}

void TForm1::StartWait(SyncWait wait) {
    (wait == SyncWait::ToPc ? TimerSyncPC : TimerSyncFW)->start();
}

void TForm1::StopWait(SyncWait wait) {
    (wait == SyncWait::ToPc ? TimerSyncPC : TimerSyncFW)->stop();
}

void TForm1::ShowNoAnswer(SyncWait wait) {
    HideNoAnswer();
    QProgressBar* bar = wait == SyncWait::ToPc ? Form->ProBarToPC : Form->ProBarToFW;
    bar->setFormat(tr("The keyboard did not answer."));
    bar->setAlignment(Qt::AlignCenter);
    bar->setTextVisible(true);
    TimerNoAnswer->start();
}

void TForm1::HideNoAnswer() {
    for (QProgressBar* bar : {Form->ProBarToPC, Form->ProBarToFW})
        bar->setTextVisible(false);
}
