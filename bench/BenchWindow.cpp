#include "BenchWindow.h"

#include "Midi.h"

#include <QCoreApplication>

BenchWindow::BenchWindow() {
    auto service = std::make_unique<FakeMidiService>();
    Service = service.get();
    Input = Service->AddInputPort("HBX740");
    Service->AddOutputPort("HBX740");
    UseMidiService(std::move(service));
    Usb.Ids = {QStringLiteral("USB\\VID_5D2E&PID_9A47\\BENCH")};
    Form = std::make_unique<TForm1>(EditorServices{Prompts, Usb, Folder.Path()});
    Form->show();
    QCoreApplication::processEvents();
}

BenchWindow::~BenchWindow() {
    Form.reset();
    ReleaseMidi();
}
