#include "SimulatedKeyboard.h"

SimulatedKeyboard::SimulatedKeyboard(FakeMidiService& service, const std::string& name,
                                     KeyboardFirmware firmware)
    : InputPort(service.AddInputPort(name)), OutputPort(service.AddOutputPort(name)),
      Service(service), Core(firmware),
      Worker([this](std::stop_token stop) { SendReplies(stop); }) {
    Service.SetSendObserver([this](const std::string& port, std::span<const std::uint8_t> bytes) {
        if (port == OutputPort)
            Heard(bytes);
    });
}

SimulatedKeyboard::~SimulatedKeyboard() {
    Service.SetSendObserver(nullptr);
}

KeyboardCore::Parameters SimulatedKeyboard::Stored() const {
    const std::lock_guard hold(CoreLock);
    return Core.Stored();
}

void SimulatedKeyboard::Heard(std::span<const std::uint8_t> message) {
    if (Silent)
        return;
    std::vector<std::uint8_t> reply;
    {
        const std::lock_guard hold(CoreLock);
        reply = Core.Answer(message);
    }
    if (reply.empty())
        return;
    {
        const std::lock_guard hold(QueueLock);
        Replies.emplace_back(Clock::now() + std::chrono::milliseconds(DelayMs.load()),
                             std::move(reply));
    }
    QueueChanged.notify_all();
}

void SimulatedKeyboard::SendReplies(std::stop_token stop) {
    std::unique_lock hold(QueueLock);
    while (!stop.stop_requested()) {
        if (Replies.empty()) {
            QueueChanged.wait(hold, stop, [this] { return !Replies.empty(); });
            continue;
        }
        const auto due = Replies.front().first;
        if (Clock::now() < due) {
            QueueChanged.wait_until(hold, stop, due, [] { return false; });
            continue;
        }
        std::vector<std::uint8_t> reply = std::move(Replies.front().second);
        Replies.pop_front();
        hold.unlock();
        Service.Inject(InputPort, std::move(reply));
        hold.lock();
    }
}
