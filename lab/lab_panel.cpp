// The panel's table and drawing. Each field box holds its label on the first row and "-", the
// value and "+" on the second; the whole panel is drawn again after every click, which costs
// nothing next to a person's clicking and keeps the boxes and values always in step.
#include "lab/lab_panel.h"

#include <graphics/window.h>

#include <cmath>
#include <cstdio>
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
    w.DrawString((box.left + box.right - width) / 2, box.top + 4, label);
}

}  // namespace

const LabField LAB_FIELDS[LAB_FIELD_COUNT] = {
    {"Preset", nullptr, 0, PRESET_COUNT - 1, 1, "%.0f", FieldEffect::CHOOSES_PRESET, FieldFrame(0)},
    {"Spin w3 (rad/s)", &LabControls::spin, 0, 400, 10, "%.0f", FieldEffect::RESTARTS, FieldFrame(1)},
    {"Initial tilt (deg)", &LabControls::tilt, 0, 150, 1, "%.0f", FieldEffect::RESTARTS, FieldFrame(2)},
    {"Nutation (%)", &LabControls::nutation, 0, 300, 10, "%.0f", FieldEffect::RESTARTS, FieldFrame(3)},
    {"Arm l (cm)", &LabControls::arm, 1, 8, 0.5, "%.1f", FieldEffect::RESTARTS, FieldFrame(4)},
    {"Mass (g)", &LabControls::mass, 20, 500, 10, "%.0f", FieldEffect::RESTARTS, FieldFrame(5)},
    {"Spin friction (uNms)", &LabControls::spinFriction, 0, 50, 1, "%.0f", FieldEffect::ACTS_LIVE, FieldFrame(6)},
    {"Pivot friction (uNms)", &LabControls::pivotFriction, 0, 100, 5, "%.0f", FieldEffect::ACTS_LIVE, FieldFrame(7)},
    {"Time scale (%)", &LabControls::timeScale, 5, 100, 5, "%.0f", FieldEffect::ACTS_LIVE, FieldFrame(8)},
};

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
    if (StrictlyInside(RUN_BOX, x, y)) return {LabAction::RUN_PAUSE, nullptr};
    if (StrictlyInside(RESET_BOX, x, y)) return {LabAction::RESET, nullptr};
    if (StrictlyInside(EXIT_BOX, x, y)) return {LabAction::EXIT, nullptr};
    return {};
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
}

void DrawStatusLine(window& w, const std::string& status) {
    w.SetPen(12, 180, 243, 1);
    w.SetBrush(12, 180, 243);
    w.DrawRectangle(200, 0, 1000, 71, FILLED, 0, 0);
    w.SetPen(0, 0, 0, 1);
    w.DrawString(215, 12, "The heavy symmetric top, integrated exactly");
    w.DrawString(215, 44, status);
}
