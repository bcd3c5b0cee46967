#include "RecordingWindow.h"

ReceivedEvent Short(std::int32_t port, std::uint8_t status, std::uint8_t data1,
                    std::uint8_t data2) {
    return ReceivedEvent{port, false, {status, data1, data2}};
}

ReceivedEvent SysEx(std::int32_t port, std::vector<std::uint8_t> bytes) {
    return ReceivedEvent{port, true, std::move(bytes)};
}

void RecordingWindow::MidiDataIn(std::int32_t port, std::uint8_t status, std::uint8_t data1,
                                 std::uint8_t data2) {
    Record(Short(port, status, data1, data2));
}

void RecordingWindow::SysExDataIn(std::int32_t port, TByteStream& stream) {
    const std::lock_guard lock(SysExLock);
    const auto bytes = stream.Bytes().subspan(stream.Position());
    Record(SysEx(port, {bytes.begin(), bytes.end()}));
    if (DuringSysEx)
        DuringSysEx(port, stream);
}

void RecordingWindow::Install(TMidiInput& input) {
    input.SetOnShortMessage([this](std::int32_t port, std::uint8_t status, std::uint8_t data1,
                                   std::uint8_t data2) { MidiDataIn(port, status, data1, data2); });
    input.SetOnSysExMessage(
        [this](std::int32_t port, TByteStream& stream) { SysExDataIn(port, stream); });
}

void RecordingWindow::Record(ReceivedEvent event) {
    {
        const std::lock_guard lock(EventsLock);
        Received.push_back(std::move(event));
    }
    EventsChanged.notify_all();
}

std::vector<ReceivedEvent> RecordingWindow::Events() const {
    const std::lock_guard lock(EventsLock);
    return Received;
}

bool RecordingWindow::WaitForEvents(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(EventsLock);
    return EventsChanged.wait_for(lock, timeout, [&] { return Received.size() >= count; });
}
