#include "SimulatedKeyboard.h"

SimulatedKeyboard::SimulatedKeyboard(FakeMidiService& service, const std::string& name,
                                     KeyboardFirmware firmware)
    : InputPort(service.AddInputPort(name)), OutputPort(service.AddOutputPort(name)),
      Service(service), Core(firmware), Worker([this] { SendReplies(); }) {
    Service.SetSendObserver([this](const std::string& port, std::span<const std::uint8_t> bytes) {
        if (port == OutputPort)
            Heard(bytes);
    });
}

SimulatedKeyboard::~SimulatedKeyboard() {
    Service.SetSendObserver(nullptr);
    {
        const std::lock_guard hold(QueueLock);
        Stopping = true;
    }
    QueueChanged.notify_all();
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

void SimulatedKeyboard::SendReplies() {
    std::unique_lock hold(QueueLock);
    while (!Stopping) {
        if (Replies.empty()) {
            QueueChanged.wait(hold, [this] { return Stopping || !Replies.empty(); });
            continue;
        }
        const auto due = Replies.front().first;
        if (Clock::now() < due) {
            QueueChanged.wait_until(hold, due, [this] { return Stopping; });
            continue;
        }
        std::vector<std::uint8_t> reply = std::move(Replies.front().second);
        Replies.pop_front();
        hold.unlock();
        Service.Inject(InputPort, std::move(reply));
        hold.lock();
    }
}
