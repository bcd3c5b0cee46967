#include "ui/EditHistory.h"

#include "model/ProfileFile.h"

#include <QUndoCommand>

// The first redo() comes from the push, when the change is already done.
class EditHistory::Step : public QUndoCommand {
public:
    Step(EditHistory& history, State before, State after)
        : History(history), Before(std::move(before)), After(std::move(after)) {}

    void undo() override { History.Apply(Before); }
    void redo() override {
        if (Pushed)
            History.Apply(After);
        Pushed = true;
    }

private:
    EditHistory& History;
    const State Before;
    const State After;
    bool Pushed = false;
};

EditHistory::EditHistory(EditingSession& session, ParameterPanel& panel,
                         std::function<void()> changed)
    : Session(session), Panel(panel), Changed(std::move(changed)) {
    Stack.setUndoLimit(StepLimit);
}

void EditHistory::Record(const std::function<void()>& change) {
    if (Running > 0) {
        change();
        return;
    }
    State before{Session.Model(), Session.ProfilePath(), ShownPanel};
    ++Running;
    try {
        change();
    } catch (...) {
        Finish(std::move(before));
        throw;
    }
    Finish(std::move(before));
}

void EditHistory::Finish(State before) {
    --Running;
    State after{Session.Model(), Session.ProfilePath(), Panel.Shown()};
    ShownPanel = after.Panel;
    if (after.Path != before.Path || EncodeProfile(after.Model) != EncodeProfile(before.Model))
        Stack.push(new Step(*this, std::move(before), std::move(after)));
    Changed();
}

void EditHistory::Undo() {
    if (Running == 0)
        Stack.undo();
}

void EditHistory::Redo() {
    if (Running == 0)
        Stack.redo();
}

void EditHistory::Clear() {
    Stack.clear();
    ShownPanel = Panel.Shown();
}

void EditHistory::Apply(const State& state) {
    Session.Restore(state.Model, state.Path);
    Panel.Show(state.Panel);
    ShownPanel = state.Panel;
    Changed();
}
