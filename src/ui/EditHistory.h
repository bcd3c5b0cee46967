#pragma once

#include "model/EditingSession.h"
#include "ui/ParameterPanel.h"

#include <QUndoStack>
#include <functional>

// Undo and redo of the profile's content as the window edits it. Every change
// of what SAVE would write (or of which file it writes to) is one step, which
// holds the profile and the panel as they were before and after it. Undo and
// redo only put those back: nothing is sent to the keyboard and no file is
// written. Window's thread only.
class EditHistory {
public:
    static constexpr int StepLimit = 1000;

    // `changed` runs after every recorded change and every undo or redo.
    EditHistory(EditingSession& session, ParameterPanel& panel, std::function<void()> changed);

    // Runs `change`. When it altered the profile, that is one step, also when
    // it then raised: what it did stays done, and can be undone. A change
    // made while another runs (a field finished as a command's prompt takes
    // the focus) belongs to the outer one's step.
    void Record(const std::function<void()>& change);
    void Undo();
    void Redo();
    // Forgets every step: the profile and panel as they are now are the start.
    void Clear();

    const QUndoStack& Steps() const { return Stack; }

    struct State {
        ParameterModel Model;
        QString Path;
        PanelView Panel;
    };

private:
    class Step;

    void Finish(State before);
    void Apply(const State& state);

    EditingSession& Session;
    ParameterPanel& Panel;
    std::function<void()> Changed;
    QUndoStack Stack;
    // What the panel showed once the last change was done, before the user
    // began the next one.
    PanelView ShownPanel;
    int Running = 0;
};
