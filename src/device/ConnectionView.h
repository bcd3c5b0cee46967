#pragma once

#include <QString>

// What the device link shows in the window. Called on the window's thread only.
class ConnectionView {
public:
    virtual ~ConnectionView() = default;

    // "Connect" in lime green, or "Disconnect" in red.
    virtual void ShowConnection(bool connected) = 0;
    virtual void ShowFirmware(const QString& text) = 0;
    virtual void TickInputPort(int index) = 0;
    virtual void TickOutputPort(int index) = 0;
    virtual void ShowDevicePort(int index) = 0;
    virtual void StartIdentityPoll() = 0;
    virtual void StopIdentityPoll() = 0;
    virtual void StopConnectionCheck() = 0;
};
