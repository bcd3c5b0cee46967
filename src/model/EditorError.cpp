#include "model/EditorError.h"

QString ErrorBoxText(const QString& text) {
    if (!text.isEmpty() && text.back() > QChar(u'.'))
        return text + u'.';
    return text;
}
