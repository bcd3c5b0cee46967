#pragma once

#include <QString>
#include <stdexcept>

// An error whose text is shown to the user as it stands (UTF-8 in what()).
class EditorError : public std::runtime_error {
public:
    explicit EditorError(const QString& text) : std::runtime_error(text.toStdString()) {}
};
