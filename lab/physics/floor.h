// Where the disk's rim meets the table, for the controls that should only offer releases the top
// can make, and for the status line that says why a release rests.
#pragma once

#include "lab/physics/top.h"

#include <optional>

// The rim touches the table (RimClearance <= 0) for tilts in [first, last]; the top can be
// released at tilts below first, or above last (hanging, when last < pi: the pivot stands
// higher than the arm is long). Nothing when the rim can never reach the table.
struct FloorContact {
    double first = 0, last = 0;  // rad
};
std::optional<FloorContact> FloorContactTilts(const TopParameters& p);
// The lowest clearance of the rim over the tilts theta1..theta2 (m).
double LowestRimClearance(const TopParameters& p, double theta1, double theta2);
// Whether the frictionless motion from this state brings the rim down to the table: it rests
// already, or its nutation reaches a tilt where the rim touches. True for a refused top.
bool ReachesFloor(const TopParameters& p, const TopState& s);
