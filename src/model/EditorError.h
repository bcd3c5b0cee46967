#pragma once

#include <QCoreApplication>
#include <QString>
#include <stdexcept>

// An error whose text is shown to the user as it stands (UTF-8 in what()).
class EditorError : public std::runtime_error {
public:
    explicit EditorError(const QString& text) : std::runtime_error(text.toStdString()) {}
    // A text marked with QT_TRANSLATE_NOOP("EditorError", ...), shown translated.
    explicit EditorError(const char* text)
        : EditorError(QCoreApplication::translate("EditorError", text)) {}
};

// An error's text as the editor shows it: a full stop is appended when the
// last character sorts after ".", so "...!" and "...)" stay as they are.
QString ErrorBoxText(const QString& text);
