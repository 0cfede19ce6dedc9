// The panel's table and drawing. Each field box holds its label on the first row and "-", the
// value and "+" on the second; the whole panel is drawn again after every click, which costs
// nothing next to a person's clicking and keeps the boxes and values always in step. The keys'
// table says which key does what; the help panel lists the same table.
#include "lab/lab_panel.h"

#include <graphics/window.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

namespace {

constexpr int FIELD_TOP = 40, FIELD_PITCH = 47, FIELD_HEIGHT = 42, ROW_OFFSET = 20;

constexpr LabBox FieldFrame(int index) {
    return {15, FIELD_TOP + index * FIELD_PITCH, 185, FIELD_TOP + index * FIELD_PITCH + FIELD_HEIGHT};
}

bool StrictlyInside(const LabBox& box, int x, int y) {
    return box.left < x && x < box.right && box.top < y && y < box.bottom;
}

void FillBox(window& w, const LabBox& box) { w.DrawRectangle(box.left, box.top, box.right, box.bottom, FILLED, 0, 0); }

void DrawField(window& w, const LabField& field, const LabControls& controls) {
    FillBox(w, field.frame);
    w.DrawString(field.frame.left + 8, field.frame.top + 3, field.label);
    const int row = field.frame.top + ROW_OFFSET;
    w.DrawString(field.frame.left + 10, row, "-");
    w.DrawString(field.frame.right - 18, row, "+");
    const std::string value = FieldText(field, controls);
    int width = 0, height = 0;
    w.GetStringSize(width, height, value);
    w.DrawString((field.frame.left + field.frame.right - width) / 2, row, value);
}

void DrawButton(window& w, const LabBox& box, const char* label) {
    FillBox(w, box);
    int width = 0, height = 0;
    w.GetStringSize(width, height, label);
    w.DrawString((box.left + box.right - width) / 2, (box.top + box.bottom - height) / 2, label);
}

}  // namespace

const LabField LAB_FIELDS[LAB_FIELD_COUNT] = {
    {"Preset", nullptr, 0, PRESET_COUNT - 1, 1, "%.0f", FieldEffect::CHOOSES_PRESET, FieldFrame(0), 'p'},
    {"Spin omega3 (rad/s)", &LabControls::spin, 0, 400, 10, "%.0f", FieldEffect::RESTARTS, FieldFrame(1), 'w'},
    {"Initial tilt (deg)", &LabControls::tilt, 0, 150, 1, "%.0f", FieldEffect::RESTARTS, FieldFrame(2), 't'},
    {"Nutation (%)", &LabControls::nutation, 0, 300, 10, "%.0f", FieldEffect::RESTARTS, FieldFrame(3), 'n'},
    {"Arm l (cm)", &LabControls::arm, 1, 8, 0.5, "%.1f", FieldEffect::RESTARTS, FieldFrame(4), 'l'},
    {"Mass (g)", &LabControls::mass, 20, 500, 10, "%.0f", FieldEffect::RESTARTS, FieldFrame(5), 'm'},
    {"Spin friction (uNms)", &LabControls::spinFriction, 0, 50, 1, "%.0f", FieldEffect::ACTS_LIVE, FieldFrame(6), 'k'},
    {"Pivot friction (uNms)", &LabControls::pivotFriction, 0, 100, 5, "%.0f", FieldEffect::ACTS_LIVE, FieldFrame(7),
     'c'},
    {"Time scale (%)", &LabControls::timeScale, 5, 100, 5, "%.0f", FieldEffect::ACTS_LIVE, FieldFrame(8), 's'},
};

namespace {

struct KeyBinding {
    char key;
    LabAction action;
};

// Character keys of the actions; both cases do the same.
constexpr KeyBinding ACTION_KEYS[] = {
    {' ', LabAction::RUN_PAUSE},     {'r', LabAction::RESET},
    {'q', LabAction::EXIT},          {'i', LabAction::SAVE_IMAGE},
    {'e', LabAction::EXPORT_CSV},    {'f', LabAction::CSV_ROWS},
    {'o', LabAction::PRINT},         {'h', LabAction::HELP},
    {'[', LabAction::TRACE_SHORTER}, {']', LabAction::TRACE_LONGER},
    {'+', LabAction::ZOOM_IN},       {'=', LabAction::ZOOM_IN},
    {'-', LabAction::ZOOM_OUT},      {'0', LabAction::RESET_VIEW},
    {'1', LabAction::WINDOW_SECOND}, {'2', LabAction::WINDOW_TEN_SECONDS},
    {'3', LabAction::WINDOW_RUN},    {'g', LabAction::SWITCH_RATE_PLOT},
};

struct BoxBinding {
    LabBox box;
    LabAction action;
};

constexpr BoxBinding ACTION_BOXES[] = {
    {RUN_BOX, LabAction::RUN_PAUSE},
    {RESET_BOX, LabAction::RESET},
    {EXIT_BOX, LabAction::EXIT},
    {IMAGE_BOX, LabAction::SAVE_IMAGE},
    {CSV_BOX, LabAction::EXPORT_CSV},
    {PRINT_BOX, LabAction::PRINT},
    {HELP_BOX, LabAction::HELP},
    {CSV_ROWS_BOX, LabAction::CSV_ROWS},
    {TRACE_MINUS_BOX, LabAction::TRACE_SHORTER},
    {TRACE_PLUS_BOX, LabAction::TRACE_LONGER},
    {VIEW_RESET_BOX, LabAction::RESET_VIEW},
    {WINDOW_BOXES[0], LabAction::WINDOW_SECOND},
    {WINDOW_BOXES[1], LabAction::WINDOW_TEN_SECONDS},
    {WINDOW_BOXES[2], LabAction::WINDOW_RUN},
    {RATE_PLOT_BOX, LabAction::SWITCH_RATE_PLOT},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

LabTarget ArrowTarget(char code) {
    switch (code) {
    case 4: return {LabAction::TURN_LEFT, nullptr};
    case 6: return {LabAction::TURN_RIGHT, nullptr};
    case 8: return {LabAction::TURN_UP, nullptr};
    case 2: return {LabAction::TURN_DOWN, nullptr};
    case 7: return {LabAction::RESET_VIEW, nullptr};
    case 9: return {LabAction::ZOOM_IN, nullptr};
    case 3: return {LabAction::ZOOM_OUT, nullptr};
    default: return {};
    }
}

}  // namespace

LabBox MinusBox(const LabField& f) {
    return {f.frame.left + 2, f.frame.top + ROW_OFFSET - 2, f.frame.left + 32, f.frame.bottom};
}

LabBox PlusBox(const LabField& f) {
    return {f.frame.right - 32, f.frame.top + ROW_OFFSET - 2, f.frame.right - 2, f.frame.bottom};
}

LabTarget FindLabTarget(int x, int y) {
    for (const LabField& field : LAB_FIELDS) {
        if (StrictlyInside(MinusBox(field), x, y)) return {LabAction::DECREASE, &field};
        if (StrictlyInside(PlusBox(field), x, y)) return {LabAction::INCREASE, &field};
    }
    for (const BoxBinding& binding : ACTION_BOXES)
        if (StrictlyInside(binding.box, x, y)) return {binding.action, nullptr};
    return {};
}

LabTarget KeyTarget(KeyType type, char code) {
    if (type == ARROW_KEY) return ArrowTarget(code);
    if (type == ESCAPE_KEY) return {LabAction::CLOSE_HELP, nullptr};
    if (type == FUNCTION_KEY && code == 1) return {LabAction::HELP, nullptr};
    if (type != ASCII_KEY) return {};
    for (const LabField& field : LAB_FIELDS) {
        if (code == field.key) return {LabAction::DECREASE, &field};
        if (Lower(code) == field.key) return {LabAction::INCREASE, &field};
    }
    for (const KeyBinding& binding : ACTION_KEYS)
        if (Lower(code) == binding.key) return {binding.action, nullptr};
    return {};
}

int TiltLimitDegrees(const LabControls& controls) {
    const double limit = LargestReleaseTilt(ParametersOf(controls)) * 180 / std::numbers::pi;
    return static_cast<int>(std::ceil(limit)) - 1;
}

bool ApplyStep(const LabField& field, LabAction direction, LabControls& controls) {
    const double sign = direction == LabAction::DECREASE ? -1 : 1;
    if (field.member == nullptr) {
        const int next = controls.preset + static_cast<int>(sign);
        if (next < 0 || next >= PRESET_COUNT) return false;
        controls = WithPreset(controls, next);
        return true;
    }
    double& value = controls.*field.member;
    // A value off the step's grid (a preset's, say) goes to the next grid line in that direction.
    const double steps = value / field.step;
    const bool onGrid = std::abs(steps - std::round(steps)) < 1e-9;
    const double target = onGrid ? std::round(steps) + sign : (sign > 0 ? std::ceil(steps) : std::floor(steps));
    const double next = target * field.step;
    if (next < field.lower - 1e-9 || next > field.upper + 1e-9) return false;
    if (field.member == &LabControls::tilt && sign > 0 && next > TiltLimitDegrees(controls)) return false;
    value = next;
    return true;
}

std::string FieldText(const LabField& field, const LabControls& controls) {
    if (field.member == nullptr) return PRESETS[controls.preset].name;
    char text[32];
    std::snprintf(text, sizeof text, field.format, controls.*field.member);
    return text;
}

void DrawLabPanel(window& w, const LabSession& session) {
    w.SetPen(12, 180, 243, 1);
    w.SetBrush(12, 180, 243);
    w.DrawRectangle(0, 0, 200, 700, FILLED, 0, 0);
    w.SetPen(0, 0, 0, 1);
    w.DrawString(15, 12, "Parameters");
    w.SetPen(0, 0, 0, 2);
    w.SetBrush(255, 255, 255);
    for (const LabField& field : LAB_FIELDS) DrawField(w, field, session.controls);
    DrawButton(w, RUN_BOX, session.running ? "Pause" : "Run");
    DrawButton(w, RESET_BOX, "Reset");
    DrawButton(w, EXIT_BOX, "Exit");
    DrawButton(w, IMAGE_BOX, "Save PNG");
    DrawButton(w, CSV_BOX, session.csv.IsOpen() ? "Stop CSV" : "CSV");
    DrawButton(w, PRINT_BOX, "Print");
    DrawButton(w, HELP_BOX, "Help");
    DrawButton(w, CSV_ROWS_BOX,
               session.csvRows == CsvRows::EVERY_STEP ? "CSV rows: every step" : "CSV rows: every frame");
    w.SetPen(0, 0, 0, 1);
    w.DrawString(15, 668, "H: help and keys");
}

void DrawViewControls(window& w, const LabDisplay& display) {
    w.SetPen(0, 0, 0, 1);
    w.SetBrush(255, 255, 255);
    char text[48];
    std::snprintf(text, sizeof text, "Trace %g s", TRACE_LENGTHS[display.traceLength]);
    w.DrawString(215, 77, text);
    DrawButton(w, TRACE_MINUS_BOX, "-");
    DrawButton(w, TRACE_PLUS_BOX, "+");
    DrawButton(w, VIEW_RESET_BOX, "Reset view");
    w.DrawString(215, 680, "Drag or arrow keys: turn   +/-: zoom");
    const char* names[3] = {"last 1 s", "last 10 s", "whole run"};
    for (int i = 0; i < 3; ++i) {
        const bool chosen = static_cast<int>(display.window) == i;
        w.SetPen(0, 0, 0, chosen ? 2 : 1);
        w.SetBrush(chosen ? 255 : 235, chosen ? 230 : 235, chosen ? 150 : 235);
        DrawButton(w, WINDOW_BOXES[i], names[i]);
    }
}

void DrawStatusLine(window& w, const std::string& status) {
    w.SetPen(12, 180, 243, 1);
    w.SetBrush(12, 180, 243);
    w.DrawRectangle(200, 0, 1000, 71, FILLED, 0, 0);
    w.SetPen(0, 0, 0, 1);
    w.DrawString(215, 12, "The heavy symmetric top, integrated exactly");
    w.DrawString(215, 44, status);
}
