// The lab's panel on the left of the window: nine boxes with "-" value "+" (the preset and eight
// controls), three buttons (run/pause, reset, exit) in the simulator's style, and below them four
// for what goes out of the program (picture, CSV, print) and the help. Small clickable controls
// sit in the scene (trace length, view reset) and above the plots (time window, third plot).
//
// Hit-testing is data: LAB_FIELDS, the buttons and LAB_KEYS give each box with strict limits
// (left < x < right, top < y < bottom) and each key its target. FindLabTarget, KeyTarget and
// ApplyStep are pure; the drawing is apart.
#pragma once

#include "lab/experiment.h"
#include "lab/scene.h"

#include <graphics/input_queues.h>

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
    char key;  // lower case steps down, upper case up
};

enum class LabAction {
    NONE,
    DECREASE,
    INCREASE,
    RUN_PAUSE,
    RESET,
    EXIT,
    SAVE_IMAGE,
    EXPORT_CSV,
    CSV_ROWS,
    PRINT,
    HELP,
    CLOSE_HELP,
    TRACE_SHORTER,
    TRACE_LONGER,
    TURN_LEFT,
    TURN_RIGHT,
    TURN_UP,
    TURN_DOWN,
    ZOOM_IN,
    ZOOM_OUT,
    RESET_VIEW,
    WINDOW_SECOND,
    WINDOW_TEN_SECONDS,
    WINDOW_RUN,
    SWITCH_RATE_PLOT,
};

struct LabTarget {
    LabAction action = LabAction::NONE;
    const LabField* field = nullptr;  // for DECREASE and INCREASE
};

inline constexpr int LAB_FIELD_COUNT = 9;
extern const LabField LAB_FIELDS[LAB_FIELD_COUNT];
inline constexpr LabBox RUN_BOX{15, 468, 185, 492}, RESET_BOX{15, 500, 185, 524}, EXIT_BOX{15, 532, 185, 556};
inline constexpr LabBox IMAGE_BOX{15, 568, 98, 592}, CSV_BOX{102, 568, 185, 592};
inline constexpr LabBox PRINT_BOX{15, 600, 98, 624}, HELP_BOX{102, 600, 185, 624};
inline constexpr LabBox CSV_ROWS_BOX{15, 632, 185, 656};
// In the scene and above the plots.
inline constexpr LabBox TRACE_MINUS_BOX{300, 76, 322, 94}, TRACE_PLUS_BOX{326, 76, 348, 94};
inline constexpr LabBox VIEW_RESET_BOX{515, 76, 605, 94};
inline constexpr LabBox WINDOW_BOXES[3] = {{660, 74, 730, 92}, {734, 74, 804, 92}, {808, 74, 888, 92}};
inline constexpr LabBox RATE_PLOT_BOX{660, RATE_PLOT_TOP - 22, 990, RATE_PLOT_TOP - 4};

// The "-" hit box is the left 30 pixels of the value row, "+" the right 30.
LabBox MinusBox(const LabField& field);
LabBox PlusBox(const LabField& field);

LabTarget FindLabTarget(int x, int y);
// The target of a key; NONE for a key that does nothing.
LabTarget KeyTarget(KeyType type, char code);

// Steps the field within its limits; false (and nothing changed) at a limit. The tilt stops
// below LargestReleaseTilt of the top the controls describe.
bool ApplyStep(const LabField& field, LabAction direction, LabControls& controls);
// The largest whole degree of tilt a release may have with the controls' arm and mass.
int TiltLimitDegrees(const LabControls& controls);

// The field's value as the panel writes it (the preset by name).
std::string FieldText(const LabField& field, const LabControls& controls);

struct LabSession {
    LabControls controls = PRESETS[2].controls;
    bool running = true;
    std::string status = "-> Preset: cusps   (H: help and every key)";
    LabDisplay display;
    CsvRows csvRows = CsvRows::EVERY_STEP;
    CsvExport csv;
    bool saveImagePending = false;
    bool dragging = false;
    int dragX = 0, dragY = 0;
};

void DrawLabPanel(window& w, const LabSession& session);
void DrawStatusLine(window& w, const std::string& status);
// The small controls in the scene and above the plots.
void DrawViewControls(window& w, const LabDisplay& display);
