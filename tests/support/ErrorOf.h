#pragma once

#include <QString>
#include <exception>
#include <functional>

// The text of the error an action raises, or "(no error)".
inline QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    return QStringLiteral("(no error)");
}
