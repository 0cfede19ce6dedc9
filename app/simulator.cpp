// Start-up drawing and the frame loop of the simulator, in the order the program has always
// drawn them: the panel and band first, then the heading and title over them, then each box's
// frame followed by its texts.
#include "app/simulator.h"

#include "app/colors.h"
#include "app/panel.h"

#include <graphics/window.h>

namespace {

constexpr const char* HEADING_TEXT = "Param\xe9tres";  // Windows-1252 e acute, one byte
constexpr int MINUS_X = 50, PLUS_X = 120;

struct StartupBox {
    PanelBox frame;
    int labelX, labelY;
    const char* label;
    const PanelField* field;  // null for the reset and exit boxes, which have no "-", value, "+"
};

const StartupBox STARTUP_BOXES[] = {
    {{30, 50, 150, 70}, 50, 55, RESET_LABEL, nullptr},
    {{30, 100, 150, 150}, 70, 105, "Angle", &ANGLE_FIELD},
    {{30, 200, 150, 250}, 38, 205, "Nutation (en %)", &NUTATION_FIELD},
    {{30, 300, 150, 350}, 38, 305, "Vitesse de rotation", &SPEED_FIELD},
    {{30, 400, 150, 450}, 40, 405, "frottement", &FRICTION_FIELD},
    {{30, 500, 150, 520}, 40, 505, "Sortie", nullptr},
};

void DrawStartupBox(window& w, const StartupBox& box, const SimulationState& state) {
    w.DrawRectangle(box.frame.left, box.frame.top, box.frame.right, box.frame.bottom, FILLED, 0, 0);
    w.DrawString(box.labelX, box.labelY, box.label);
    if (box.field == nullptr) return;
    const PanelField& field = *box.field;
    w.DrawString(MINUS_X, field.valueY, "-");
    w.DrawIntValue(field.valueX, field.valueY, static_cast<int>(state.*field.member));
    w.DrawString(PLUS_X, field.valueY, "+");
}

}  // namespace

bool IsOverPanel(int x, int y) { return 0 < x && x < 200 && 0 < y && y < 700; }

void DrawStartup(window& w, const SimulationState& state) {
    w.SetTitle(TITLE_TEXT);
    w.SetFont(14, BOLD, SWISS, nullptr);
    SetPenAndBrush(w, PANEL_BLUE);
    w.DrawRectangle(0, 0, 200, 700, FILLED, 0, 0);
    w.DrawRectangle(150, 0, 1000, 70, FILLED, 0, 0);
    SetPenAndBrush(w, BLACK);
    w.DrawString(30, 20, HEADING_TEXT);
    w.DrawString(250, 20, TITLE_TEXT);
    w.SetPen(TEXT_BLACK, PEN_WIDTH);
    w.SetBrush(WHITE);
    for (const StartupBox& box : STARTUP_BOXES) DrawStartupBox(w, box, state);
}

void RunFrame(window& w, SimulationState& state, int& exitRequested) {
    Sleep(FRAME_SLEEP_MS);
    DrawMovingFrame(w, state);
    int x = 0, y = 0;
    w.GetMousePosition(x, y);
    if (!IsOverPanel(x, y)) return;
    if (w.WaitForMouseClick(x, y) != LEFT_CLICK) return;
    HandlePanelClick(w, state, exitRequested, x, y);
}

int RunSimulator(window& w) {
    SimulationState state;
    int exitRequested = 0;
    DrawStartup(w, state);
    while (exitRequested == 0 && w.IsOpen()) RunFrame(w, state, exitRequested);
    return 0;
}
