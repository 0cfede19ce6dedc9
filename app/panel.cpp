// The parameter panel's buttons and what each one draws.
//
// The drawing order is part of the behaviour: a stepping button erases the old number, erases the
// status line, writes both status texts, changes the field, and only then draws the new number;
// reset paints the drawing area white first, so the figure is gone until the next frame.
#include "app/panel.h"

#include "app/colors.h"

#include <graphics/window.h>

#include <initializer_list>

const PanelField ANGLE_FIELD{&SimulationState::angle, 0, 90, {85, 125, 100, 145}, 85, 125};
const PanelField NUTATION_FIELD{&SimulationState::nutation, 0, 100, {80, 225, 110, 245}, 85, 225};
const PanelField SPEED_FIELD{&SimulationState::rotationSpeed, 1, 11, {84, 324, 96, 346}, 85, 325};
const PanelField FRICTION_FIELD{&SimulationState::friction, 0, 10, {84, 424, 96, 446}, 85, 425};

namespace {

constexpr const char* LESS_SMOOTH = "Plus vous diminuez la precision moins la courbe est lisse";
constexpr const char* MORE_SMOOTH = "Plus vous augmentez la precision plus la courbe est lisse";
constexpr const char* RESET_STATUS = "-> R\xe9initialiser";

constexpr PanelBox STATUS_LINE{160, 50, 1000, 69};
constexpr int FIRST_STATUS_X = 160, SECOND_STATUS_X = 500, STATUS_Y = 50;

void FillBox(window& w, const PanelBox& box) {
    w.DrawRectangle(box.left, box.top, box.right, box.bottom, FILLED, 0, 0);
}

void EraseStatusLine(window& w) {
    SetPenAndBrush(w, PANEL_BLUE);
    FillBox(w, STATUS_LINE);
}

void DrawFieldValue(window& w, const PanelField& field, const SimulationState& state) {
    w.DrawIntValue(field.valueX, field.valueY, static_cast<int>(state.*field.member));
}

void ApplyStep(window& w, const PanelButton& button, SimulationState& state) {
    const PanelField& field = *button.field;
    SetPenAndBrush(w, WHITE);
    FillBox(w, field.valueBox);
    EraseStatusLine(w);
    w.SetPen(TEXT_BLACK, PEN_WIDTH);
    w.SetBrush(WHITE);
    w.DrawString(FIRST_STATUS_X, STATUS_Y, button.firstStatus);
    w.DrawString(SECOND_STATUS_X, STATUS_Y, button.secondStatus);
    float& value = state.*field.member;
    value = button.kind == ButtonKind::DECREASE ? value - 1 : value + 1;
    DrawFieldValue(w, field, state);
}

void ApplyReset(window& w, SimulationState& state) {
    ClearDrawingArea(w);  // leaves the pen and brush white for the value boxes below
    state = SimulationState{};
    for (const PanelField* field : {&FRICTION_FIELD, &ANGLE_FIELD, &NUTATION_FIELD, &SPEED_FIELD})
        FillBox(w, field->valueBox);
    SetPenAndBrush(w, TEXT_BLACK);
    for (const PanelField* field : {&NUTATION_FIELD, &ANGLE_FIELD, &FRICTION_FIELD, &SPEED_FIELD})
        DrawFieldValue(w, *field, state);
    EraseStatusLine(w);
    w.SetPen(TEXT_BLACK, PEN_WIDTH);
    w.DrawString(FIRST_STATUS_X, STATUS_Y, RESET_STATUS);
}

bool StrictlyInside(const PanelBox& box, int x, int y) {
    return box.left < x && x < box.right && box.top < y && y < box.bottom;
}

}  // namespace

const PanelButton PANEL_BUTTONS[PANEL_BUTTON_COUNT] = {
    {ButtonKind::RESET, {30, 50, 150, 70}, nullptr, RESET_STATUS, nullptr},
    {ButtonKind::DECREASE, {45, 115, 65, 135}, &ANGLE_FIELD, "-> Angle", "Vous diminuez l'angle"},
    {ButtonKind::INCREASE, {115, 115, 125, 135}, &ANGLE_FIELD, "-> Angle", "Vous augmentez l'angle"},
    {ButtonKind::DECREASE, {45, 215, 75, 235}, &NUTATION_FIELD, "-> Nutation", LESS_SMOOTH},
    {ButtonKind::INCREASE, {115, 215, 125, 235}, &NUTATION_FIELD, "-> Nutation", MORE_SMOOTH},
    {ButtonKind::DECREASE, {45, 315, 65, 335}, &SPEED_FIELD, "-> Vitesse de Rotation", LESS_SMOOTH},
    {ButtonKind::INCREASE, {115, 315, 125, 335}, &SPEED_FIELD, "-> Vitesse de rotation", MORE_SMOOTH},
    {ButtonKind::DECREASE, {45, 415, 75, 435}, &FRICTION_FIELD, "-> frottement", LESS_SMOOTH},
    {ButtonKind::INCREASE, {115, 415, 125, 435}, &FRICTION_FIELD, "-> precision", MORE_SMOOTH},
    {ButtonKind::EXIT, {30, 500, 150, 520}, nullptr, nullptr, nullptr},
};

const PanelButton* FindPanelButton(int x, int y) {
    for (const PanelButton& button : PANEL_BUTTONS) {
        if (StrictlyInside(button.hit, x, y)) return &button;
    }
    return nullptr;
}

bool CanApplyStep(const PanelButton& button, const SimulationState& state) {
    if (button.field == nullptr) return true;
    const float value = state.*button.field->member;
    const PanelField& field = *button.field;
    if (button.kind == ButtonKind::DECREASE) return field.lower < value && value <= field.upper;
    return field.lower <= value && value < field.upper;
}

void HandlePanelClick(window& w, SimulationState& state, int& exitRequested, int x, int y) {
    const PanelButton* button = FindPanelButton(x, y);
    if (button == nullptr || !CanApplyStep(*button, state)) return;
    switch (button->kind) {
    case ButtonKind::RESET: ApplyReset(w, state); return;
    case ButtonKind::EXIT: exitRequested = 1; return;
    case ButtonKind::DECREASE:
    case ButtonKind::INCREASE: ApplyStep(w, *button, state); return;
    }
}
