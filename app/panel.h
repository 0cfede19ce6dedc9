// The parameter panel on the left of the window: ten buttons, four value boxes, the status line.
//
// Hit-testing is data: PANEL_BUTTONS lists the buttons in the order in which a click is tested,
// each with strict limits (left < x < right, top < y < bottom), so a click on a limit line hits
// nothing. The boxes do not overlap, so at most one button acts. FindPanelButton and
// CanApplyStep are pure; HandlePanelClick adds the drawing.
#pragma once

#include "app/gyroscope.h"

enum class ButtonKind { RESET, DECREASE, INCREASE, EXIT };

struct PanelBox {
    int left, top, right, bottom;
};

// A parameter that the panel shows and steps by one within [lower, upper].
struct PanelField {
    float SimulationState::*member;
    float lower, upper;
    PanelBox valueBox;  // painted white to erase the old number
    int valueX, valueY;
};

struct PanelButton {
    ButtonKind kind;
    PanelBox hit;              // strict limits
    const PanelField* field;   // null for reset and exit
    const char* firstStatus;   // drawn at (160, 50); null for exit
    const char* secondStatus;  // drawn at (500, 50); null for reset and exit
};

inline constexpr int PANEL_BUTTON_COUNT = 10;
extern const PanelButton PANEL_BUTTONS[PANEL_BUTTON_COUNT];
extern const PanelField ANGLE_FIELD, NUTATION_FIELD, SPEED_FIELD, FRICTION_FIELD;

// Texts the panel shares with the start-up drawing.
inline constexpr const char* RESET_LABEL = "R\xe9initialiser";  // Windows-1252 e acute

// The first button whose hit box holds (x, y) strictly, or null.
const PanelButton* FindPanelButton(int x, int y);

// "-" acts when lower < value <= upper, "+" when lower <= value < upper; reset and exit always.
bool CanApplyStep(const PanelButton& button, const SimulationState& state);

// Carries out a left click taken while the cursor was over the panel; the click itself may lie
// anywhere. Exit sets exitRequested to 1 and draws nothing.
void HandlePanelClick(window& w, SimulationState& state, int& exitRequested, int x, int y);
