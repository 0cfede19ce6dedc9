// The loop, the clicks and the keys. Each click or key redraws the panel; the frame after it
// redraws the rest, so an action never leaves a picture half updated in the back buffer when it is
// shown. A picture is saved after the frame is shown, so the file holds exactly what was seen.
#include "lab/lab.h"

#include "lab/scene.h"

#include <graphics/window.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

namespace {

constexpr double TURN_STEP = 5 * std::numbers::pi / 180;    // per arrow key
constexpr double DRAG_TURN = 0.5 * std::numbers::pi / 180;  // per pixel dragged
constexpr double ZOOM_STEP = 1.1;

std::string Degrees(int value) { return std::to_string(value) + " deg"; }

std::string RestingStartStatus(const LabControls& controls) {
    return "-> Resting from the release: the rim touches the table; lower the tilt to " +
           Degrees(TiltLimitDegrees(controls)) + " or less";
}

// Says why a top that starts resting does not move, or nothing for a top that runs.
void ExplainRestingStart(LabSession& session, const Experiment& experiment) {
    if (!experiment.Resting()) return;
    session.running = false;
    session.status = RestingStartStatus(session.controls);
}

std::string StatusAfterStep(const LabField& field, const LabControls& controls) {
    std::string text = std::string("-> ") + field.label + ": " + FieldText(field, controls);
    if (field.effect == FieldEffect::RESTARTS) text += ", released again";
    return text;
}

std::string StatusAtLimit(const LabField& field, const LabControls& controls) {
    std::string text = std::string("-> ") + field.label + ": at its limit";
    if (field.member == &LabControls::tilt)
        text += " (from " + Degrees(TiltLimitDegrees(controls) + 1) + " the rim would touch the table)";
    return text;
}

// Closes the CSV file in progress; the status says how many rows went where, after `why`.
void StopCsv(LabSession& session, Experiment& experiment, const std::string& why) {
    if (!session.csv.IsOpen()) return;
    experiment.SetStepRecorder(nullptr);
    const long rows = session.csv.RowCount();
    const bool written = session.csv.Close();
    session.status = "-> " + why + "; CSV: " + std::to_string(rows) + " rows in " + session.csv.Path() +
                     (written ? "" : " (a write FAILED)");
}

// A new release; a top that had come to rest also starts running again, as a person expects
// after Reset, while a paused one stays paused. A CSV file in progress ends with its run.
void Release(LabSession& session, Experiment& experiment) {
    StopCsv(session, experiment, "Released again");
    if (experiment.Resting()) session.running = true;
    experiment.Restart(session.controls);
}

void ApplyFieldStep(LabSession& session, Experiment& experiment, const LabTarget& target) {
    if (!ApplyStep(*target.field, target.action, session.controls)) {
        session.status = StatusAtLimit(*target.field, session.controls);
        return;
    }
    const std::string status = StatusAfterStep(*target.field, session.controls);
    if (target.field->effect == FieldEffect::ACTS_LIVE) {
        experiment.SetFriction(session.controls);
        session.status = status;
        return;
    }
    Release(session, experiment);
    session.status = status;
    ExplainRestingStart(session, experiment);
}

// Recording starts a new release so that the file holds the whole run from its start.
void StartCsv(LabSession& session, Experiment& experiment) {
    const std::string path = NextFreeFileName("gyroscope_lab", ".csv");
    Release(session, experiment);
    if (!session.csv.Open(path, session.csvRows)) {
        session.status = "-> CSV: cannot write " + path;
        return;
    }
    experiment.SetStepRecorder(&session.csv);
    session.csv.Write(experiment.CsvRowNow());  // the release itself
    session.status = "-> CSV from the release, to " + path + " (E stops)";
    ExplainRestingStart(session, experiment);
}

void RunOrPause(LabSession& session, const Experiment& experiment) {
    if (experiment.Resting()) {
        const bool fromTheStart = experiment.State().time == 0;
        session.status = fromTheStart ? RestingStartStatus(session.controls)
                                      : "-> The top rests on the table: Reset releases it again";
        return;
    }
    session.running = !session.running;
    session.status = session.running ? "-> Running" : "-> Paused";
}

void PrintWindow(window& w, LabSession& session) {
    session.status = "-> Print: the picture went to the print dialog";
    w.Print();
}

// The view and display actions: none of them touches the motion. False for another action.
bool ApplyDisplayAction(LabSession& session, LabAction action) {
    LabDisplay& d = session.display;
    switch (action) {
    case LabAction::TRACE_SHORTER: d.traceLength = std::max(0, d.traceLength - 1); return true;
    case LabAction::TRACE_LONGER: d.traceLength = std::min(TRACE_LENGTH_COUNT - 1, d.traceLength + 1); return true;
    case LabAction::TURN_LEFT: d.view.Turn(-TURN_STEP, 0); return true;
    case LabAction::TURN_RIGHT: d.view.Turn(TURN_STEP, 0); return true;
    case LabAction::TURN_UP: d.view.Turn(0, TURN_STEP); return true;
    case LabAction::TURN_DOWN: d.view.Turn(0, -TURN_STEP); return true;
    case LabAction::ZOOM_IN: d.view.Zoom(ZOOM_STEP); return true;
    case LabAction::ZOOM_OUT: d.view.Zoom(1 / ZOOM_STEP); return true;
    case LabAction::RESET_VIEW: d.view = LabView{}; return true;
    case LabAction::WINDOW_SECOND: d.window = PlotWindow::LAST_SECOND; return true;
    case LabAction::WINDOW_TEN_SECONDS: d.window = PlotWindow::LAST_TEN_SECONDS; return true;
    case LabAction::WINDOW_RUN: d.window = PlotWindow::WHOLE_RUN; return true;
    case LabAction::SWITCH_RATE_PLOT:
        d.rate = d.rate == RatePlot::PHI_RATE ? RatePlot::SPIN : RatePlot::PHI_RATE;
        return true;
    case LabAction::HELP: d.help = !d.help; return true;
    case LabAction::CLOSE_HELP: d.help = false; return true;
    default: return false;
    }
}

bool ApplyTarget(window& w, LabSession& session, Experiment& experiment, const LabTarget& target) {
    if (ApplyDisplayAction(session, target.action)) return true;
    switch (target.action) {
    case LabAction::DECREASE:
    case LabAction::INCREASE: ApplyFieldStep(session, experiment, target); return true;
    case LabAction::RUN_PAUSE: RunOrPause(session, experiment); return true;
    case LabAction::RESET:
        Release(session, experiment);
        session.status = "-> Released again from the initial tilt";
        ExplainRestingStart(session, experiment);
        return true;
    case LabAction::SAVE_IMAGE: session.saveImagePending = true; return true;
    case LabAction::EXPORT_CSV:
        if (session.csv.IsOpen())
            StopCsv(session, experiment, "Stopped");
        else
            StartCsv(session, experiment);
        return true;
    case LabAction::CSV_ROWS:
        session.csvRows = session.csvRows == CsvRows::EVERY_STEP ? CsvRows::EVERY_FRAME : CsvRows::EVERY_STEP;
        session.status = session.csvRows == CsvRows::EVERY_STEP ? "-> The next CSV has a row for every step"
                                                                : "-> The next CSV has a row for every frame";
        return true;
    case LabAction::PRINT: PrintWindow(w, session); return true;
    case LabAction::EXIT: return false;
    default: return true;
    }
}

// A drag that starts in the scene turns the view; false when nothing moved.
bool FollowDrag(window& w, LabSession& session) {
    int x = 0, y = 0;
    if (w.GetButtonState(LEFT_BUTTON, x, y) != BUTTON_DOWN) {
        session.dragging = false;
        return false;
    }
    if (!session.dragging) {
        session.dragging = x > SCENE_LEFT && x < SCENE_RIGHT && y > SCENE_TOP + 25 && y < SCENE_BOTTOM;
        session.dragX = x, session.dragY = y;
        return false;
    }
    if (x == session.dragX && y == session.dragY) return false;
    session.display.view.Turn((x - session.dragX) * DRAG_TURN, (y - session.dragY) * DRAG_TURN);
    session.dragX = x, session.dragY = y;
    return true;
}

// Takes every click and key that arrived during the frame; false once one of them was Exit.
bool TakeQueuedInput(window& w, LabSession& session, Experiment& experiment, bool& changed) {
    int x = 0, y = 0;
    for (ClickType click = w.PollMouseClick(x, y); click != NO_CLICK; click = w.PollMouseClick(x, y)) {
        changed = true;
        if (click == LEFT_CLICK && !HandleLabClick(w, session, experiment, x, y)) return false;
    }
    char code = 0;
    for (KeyType key = w.PollKeyPress(code); key != NO_KEY; key = w.PollKeyPress(code)) {
        changed = true;
        if (!HandleLabKey(w, session, experiment, key, code)) return false;
    }
    return true;
}

void AdvanceFrame(window& w, LabSession& session, Experiment& experiment) {
    experiment.Advance(FRAME_MS / 1000.0 * session.controls.timeScale / 100);
    if (session.csv.IsOpen() && session.csvRows == CsvRows::EVERY_FRAME) session.csv.Write(experiment.CsvRowNow());
    if (!experiment.Resting()) return;
    session.running = false;  // the button reads Run from now on
    session.status = "-> The top rests: the rim of its disk touched the table";
    StopCsv(session, experiment, "The top rests on the table");
    DrawLabPanel(w, session);
}

void SavePicture(window& w, LabSession& session) {
    session.saveImagePending = false;
    const std::string path = NextFreeFileName("gyroscope_lab", ".png");
    session.status = w.SaveImage(path) ? "-> Picture saved to " + path : "-> The picture could not be saved to " + path;
    DrawStatusLine(w, session.status);
    w.UpdateBuffer();
}

// Each library call takes at most one native message; a drag sends mouse moves far faster than
// the frames come, so a frame takes up to this many first, lest they pile up and the view lag.
constexpr int MESSAGES_PER_FRAME = 64;

bool RunOneFrame(window& w, LabSession& session, Experiment& experiment) {
    Sleep(FRAME_MS);
    for (int i = 0; i < MESSAGES_PER_FRAME; ++i) w.PumpMessages();
    bool changed = session.running && !experiment.Resting();
    if (changed) AdvanceFrame(w, session, experiment);
    if (!TakeQueuedInput(w, session, experiment, changed)) return false;
    changed = FollowDrag(w, session) || changed;
    if (changed) {
        DrawLabFrame(w, session, experiment);
        w.UpdateBuffer();
    }
    if (session.saveImagePending) SavePicture(w, session);
    return true;
}

}  // namespace

bool HandleLabClick(window& w, LabSession& session, Experiment& experiment, int x, int y) {
    if (!ApplyTarget(w, session, experiment, FindLabTarget(x, y))) return false;
    DrawLabPanel(w, session);
    return true;
}

bool HandleLabKey(window& w, LabSession& session, Experiment& experiment, KeyType type, char code) {
    if (!ApplyTarget(w, session, experiment, KeyTarget(type, code))) return false;
    DrawLabPanel(w, session);
    return true;
}

void DrawLabFrame(window& w, const LabSession& session, const Experiment& experiment) {
    if (session.display.help) {
        DrawHelp(w);
        DrawStatusLine(w, session.status);
        return;
    }
    DrawScene(w, experiment, session.display);
    DrawStatusLine(w, session.status);
    const LabReadouts readouts = experiment.Readouts();
    DrawPlots(w, experiment, readouts, session.display);
    DrawViewControls(w, session.display);
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
