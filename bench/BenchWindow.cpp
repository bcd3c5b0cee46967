#include "BenchWindow.h"

#include "midi/Midi.h"

#include <QCoreApplication>

BenchWindow::BenchWindow() {
    auto service = std::make_unique<FakeMidiService>();
    Service = service.get();
    Input = Service->AddInputPort("HBX740");
    Service->AddOutputPort("HBX740");
    Ports = std::make_unique<MidiPorts>(std::move(service));
    Usb.Ids = {QStringLiteral("USB\\VID_5D2E&PID_9A47\\BENCH")};
    Form = std::make_unique<TForm1>(EditorServices{Prompts, Usb, *Ports, Folder.Path()});
    Form->show();
    QCoreApplication::processEvents();
}

BenchWindow::~BenchWindow() {
    Form.reset();
    Ports.reset();
}
