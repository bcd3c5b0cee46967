#include "Unit1.h"

#include "MonitorLine.h"
#include "SettingsFile.h"
#include "StartupProfile.h"
#include "UserPrompts.h"
#include "ValueText.h"
#include "WindowLook.h"
#include "ui_Unit1.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QTimer>

namespace {

// The character a key press types, as the VALUE field's filter sees it: Ctrl
// with a letter gives its control code; keys that type nothing (navigation,
// Delete, Tab) give 0 and are not filtered.
char16_t TypedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        return 0;
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    if (key == Qt::Key_Backspace)
        return 8;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return 13;
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.front().unicode();
}

} // namespace

TForm1::TForm1(const EditorServices& services, QWidget* parent)
    : QWidget(parent), Form(std::make_unique<Ui::TForm1>()), Prompts(services.Prompts),
      Usb(services.Usb), Files{services.ProgramFolder}, Panel(*Form, Parameters),
      Profiles(Parameters, CurrentProfile, Files, Prompts, *this),
      Device(*this, {[this](std::int32_t port, std::uint8_t status, std::uint8_t data1,
                            std::uint8_t data2) { MidiDataIn(port, status, data1, data2); },
                     [this](std::int32_t port, TByteStream& stream) { SysExDataIn(port, stream); },
                     [this](const ParameterBytes& bytes) {
                         QMetaObject::invokeMethod(
                             this, [this, bytes] { Guarded([&] { AnalysisData(bytes); }); },
                             Qt::QueuedConnection);
                     }}),
      Sync(Device, Parameters, CurrentProfile, Prompts, *this) {
    ApplyWindowLook(*this);
    Form->setupUi(this);
    ApplyControlLook(*this, *Form);
    Line = new MonitorLine(Form->LbStatus, Form->LbData1, Form->LbData2, Form->CmbDataDis, this);
    setWindowOpacity(240.0 / 255.0);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    Timer3 = MakeTimer(QStringLiteral("Timer3"), 300, &TForm1::Timer3Timer);
    TimerSyncFW = MakeTimer(QStringLiteral("TimerSyncFW"), 100, &TForm1::TimerSyncFWTimer);
    TimerSyncPC = MakeTimer(QStringLiteral("TimerSyncPC"), 100, &TForm1::TimerSyncPCTimer);
    TimerCheckUSB = MakeTimer(QStringLiteral("TimerCheckUSB"), 1000, &TForm1::TimerCheckUSBTimer);
    ConnectHandlers();
    TimerCheckUSB->start();

    Guarded([this] { FormCreate(); });
}

TForm1::~TForm1() {
    Guarded([this] { FormDestroy(); });
    // Ports left open (a disconnected keyboard) would go on calling handlers
    // of a window that is gone.
    if (TMidiInput* inputs = ExistingInputPorts())
        inputs->CloseOpenPorts();
}

void TForm1::FormCreate() {
    ReadSettingsFile(CurrentProfile, Files);
    Form->EdtValue->setAlignment(Qt::AlignCenter);
    Form->EdtValue->setMaxLength(3);
    Parameters.SelectedControl = 1;
    LoadStartupProfile(Parameters, CurrentProfile, Files, [this] { ResetPara(); });
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
        Prompts.ShowError(QStringLiteral("Unexpected error."));
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

    Form->EdtValue->installEventFilter(this);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
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

void TForm1::BtnNEWClick() {
    Profiles.New();
}

void TForm1::BtnOpenClick() {
    Profiles.Open();
}

void TForm1::BtnSaveClick() {
    Profiles.Save();
}

void TForm1::BtnExportClick() {
    Profiles.Export();
}

void TForm1::BtselfSaveClick() {
    SaveCurrentPara();
}

void TForm1::mCode1Click(QObject* Sender) {
    Panel.SelectControl(Sender->property("tag").toInt());
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
    Sync.BtnSyncFwClick();
}

void TForm1::BtnResetClick() {
    Sync.BtnResetClick();
}

void TForm1::CmbDataDisClick() {
    Line->CmbDataDisClick();
}

void TForm1::CreateSysExLock() {
    SysExLock = std::make_unique<std::mutex>();
}

void TForm1::FillDeviceLists() {
    const auto fill = [](QListWidget* list, const std::vector<TPortEntry>& ports) {
        for (const TPortEntry& port : ports) {
            auto* item = new QListWidgetItem(QString::fromStdString(port.Name), list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    };
    fill(Form->lbxInputDevices, InputPorts().PortNames());
    fill(Form->lbxOutputDevices, OutputPorts().PortNames());
}

void TForm1::DiscoverDevice() {
    Device.DiscoverDevice(Usb);
}

void TForm1::FormDestroy() {
    Device.FormDestroy();
}

void TForm1::Timer3Timer() {
    Device.Timer3Timer(*SysExLock);
}

void TForm1::TimerSyncFWTimer() {
    Sync.TimerSyncFWTimer();
}

void TForm1::TimerSyncPCTimer() {
    Sync.TimerSyncPCTimer();
}

void TForm1::TimerCheckUSBTimer() {
    Device.TimerCheckUSBTimer();
}

void TForm1::MidiDataIn(std::int32_t port, std::uint8_t status, std::uint8_t data1,
                        std::uint8_t data2) {
    Line->MidiDataIn(port, status, data1, data2);
}

void TForm1::SysExDataIn(std::int32_t port, TByteStream& stream) {
    const std::lock_guard hold(*SysExLock);
    Device.SysExDataIn(port, stream);
}

void TForm1::AnalysisData(const ParameterBytes& bytes) {
    DecodeDumpReply(bytes, Parameters);
    RegainData();
    Device.DumpReceived = 1;
}

void TForm1::ResetPara() {
    ::ResetPara(Parameters);
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
    Form->LbConnect->setText(connected ? QStringLiteral("Connect") : QStringLiteral("Disconnect"));
    ShowConnectionColour(*Form->LbConnect, connected);
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

void TForm1::StartIdentityPoll() {
    Timer3->start();
}

void TForm1::StopIdentityPoll() {
    Timer3->stop();
}

void TForm1::StopConnectionCheck() {
    TimerCheckUSB->stop();
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
