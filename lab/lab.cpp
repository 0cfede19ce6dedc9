// The loop and the clicks. Each click redraws the panel and the status line; the frame after it
// redraws the rest, so a click never leaves a picture half updated in the back buffer when it is
// shown.
#include "lab/lab.h"

#include "lab/scene.h"

#include <graphics/window.h>

#include <string>

namespace {

std::string StatusAfterStep(const LabField& field, const LabControls& controls) {
    std::string text = std::string("-> ") + field.label + ": " + FieldText(field, controls);
    if (field.effect == FieldEffect::RESTARTS) text += ", released again";
    return text;
}

// A new release; a top that had come to rest also starts running again, as a person expects
// after Reset, while a paused one stays paused.
void Release(LabSession& session, Experiment& experiment) {
    if (experiment.Resting()) session.running = true;
    experiment.Restart(session.controls);
}

void ApplyFieldClick(LabSession& session, Experiment& experiment, const LabTarget& target) {
    if (!ApplyStep(*target.field, target.action, session.controls)) {
        session.status = std::string("-> ") + target.field->label + ": at its limit";
        return;
    }
    session.status = StatusAfterStep(*target.field, session.controls);
    if (target.field->effect == FieldEffect::ACTS_LIVE) {
        experiment.SetFriction(session.controls);
        return;
    }
    Release(session, experiment);
}

bool ApplyTarget(LabSession& session, Experiment& experiment, const LabTarget& target) {
    switch (target.action) {
    case LabAction::NONE: return true;
    case LabAction::DECREASE:
    case LabAction::INCREASE: ApplyFieldClick(session, experiment, target); return true;
    case LabAction::RUN_PAUSE:
        if (experiment.Resting()) {
            session.status = "-> The top rests on the table: Reset releases it again";
            return true;
        }
        session.running = !session.running;
        session.status = session.running ? "-> Running" : "-> Paused";
        return true;
    case LabAction::RESET:
        Release(session, experiment);
        session.status = "-> Released again from the initial tilt";
        return true;
    case LabAction::EXIT: return false;
    }
    return true;
}

// Takes every click that arrived during the frame; false once one of them was Exit.
bool TakeQueuedClicks(window& w, LabSession& session, Experiment& experiment) {
    int x = 0, y = 0;
    for (ClickType click = w.PollMouseClick(x, y); click != NO_CLICK; click = w.PollMouseClick(x, y)) {
        if (click == LEFT_CLICK && !HandleLabClick(w, session, experiment, x, y)) return false;
    }
    return true;
}

bool RunOneFrame(window& w, LabSession& session, Experiment& experiment) {
    if (session.running && !experiment.Resting()) {
        Sleep(FRAME_MS);
        experiment.Advance(FRAME_MS / 1000.0 * session.controls.timeScale / 100);
        if (experiment.Resting()) {  // the button reads Run from now on
            session.running = false;
            session.status = "-> The top rests: the rim of its disk touched the table";
            DrawLabPanel(w, session);
        }
        if (!TakeQueuedClicks(w, session, experiment)) return false;
    } else {
        int x = 0, y = 0;
        const ClickType click = w.WaitForMouseClick(x, y);
        if (click == NO_CLICK) return false;
        if (click == LEFT_CLICK && !HandleLabClick(w, session, experiment, x, y)) return false;
    }
    DrawLabFrame(w, session, experiment);
    w.UpdateBuffer();
    return true;
}

}  // namespace

bool HandleLabClick(window& w, LabSession& session, Experiment& experiment, int x, int y) {
    if (!ApplyTarget(session, experiment, FindLabTarget(x, y))) return false;
    DrawLabPanel(w, session);
    return true;
}

void DrawLabFrame(window& w, const LabSession& session, const Experiment& experiment) {
    DrawStatusLine(w, session.status);
    DrawScene(w, experiment);
    const LabReadouts readouts = experiment.Readouts();
    DrawPlots(w, experiment, readouts);
    w.SetBrush(255, 255, 255);
    DrawReadouts(w, readouts);
}

int RunLab(window& w) {
    w.SetTitle("Gyroscope lab: the heavy symmetric top");
    w.SetFont(13, BOLD, SWISS, nullptr);
    w.SetBuffering(true);
    LabSession session;
    Experiment experiment(session.controls);
    DrawLabPanel(w, session);
    DrawLabFrame(w, session, experiment);
    w.UpdateBuffer();
    while (w.IsOpen() && RunOneFrame(w, session, experiment)) {}
    return 0;
}
