#pragma once

#include <QString>

class UserPrompts;

// The platform services and places the window works with; the program passes
// the real ones, tests pass fakes and a scratch folder.
struct EditorServices {
    UserPrompts& Prompts;
    // The folder of the program, where "System.ini" and "customer.cus" live.
    QString ProgramFolder;
};
