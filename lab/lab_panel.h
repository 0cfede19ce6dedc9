// The lab's panel on the left of the window: nine boxes with "-" value "+" (the preset and eight
// controls) and three buttons (run/pause, reset, exit), in the simulator's style.
//
// Hit-testing is data: LAB_FIELDS and LAB_BUTTONS give each box with strict limits (left < x <
// right, top < y < bottom). FindLabTarget and ApplyStep are pure; the drawing is apart.
#pragma once

#include "lab/experiment.h"

#include <string>

class window;

struct LabBox {
    int left, top, right, bottom;
};

// What a change of a field does to the running experiment.
enum class FieldEffect { RESTARTS, ACTS_LIVE, CHOOSES_PRESET };

struct LabField {
    const char* label;
    double LabControls::*member;  // null for the preset, which is LabControls::preset
    double lower, upper, step;
    const char* format;  // printf pattern of the value
    FieldEffect effect;
    LabBox frame;
};

enum class LabAction { NONE, DECREASE, INCREASE, RUN_PAUSE, RESET, EXIT };

struct LabTarget {
    LabAction action = LabAction::NONE;
    const LabField* field = nullptr;  // for DECREASE and INCREASE
};

inline constexpr int LAB_FIELD_COUNT = 9;
extern const LabField LAB_FIELDS[LAB_FIELD_COUNT];
inline constexpr LabBox RUN_BOX{15, 468, 185, 492}, RESET_BOX{15, 500, 185, 524}, EXIT_BOX{15, 532, 185, 556};

// The "-" hit box is the left 30 pixels of the value row, "+" the right 30.
LabBox MinusBox(const LabField& field);
LabBox PlusBox(const LabField& field);

LabTarget FindLabTarget(int x, int y);

// Steps the field within its limits; false (and nothing changed) at a limit.
bool ApplyStep(const LabField& field, LabAction direction, LabControls& controls);

// The field's value as the panel writes it (the preset by name).
std::string FieldText(const LabField& field, const LabControls& controls);

struct LabSession {
    LabControls controls = PRESETS[2].controls;
    bool running = true;
    std::string status = "-> Preset: cusps";
};

void DrawLabPanel(window& w, const LabSession& session);
void DrawStatusLine(window& w, const std::string& status);
