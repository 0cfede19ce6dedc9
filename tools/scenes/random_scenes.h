// Random scenes: a seed chooses a short sequence of GDI calls (state changes, clipping and
// drawing of every kind), drawn like any corpus scene. A scene may keep only some of its
// calls, which is how a differing sequence is shrunk to the calls that matter.
#pragma once

#include "scene.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace scenes {

// One call of a random sequence: what it does and the numbers it was drawn with.
struct RandomCall {
    int kind = 0;
    int v[8] = {};
};

std::vector<RandomCall> random_calls(std::uint32_t seed);

// The call as a line of C, for people reading a shrunk sequence.
std::string describe(const RandomCall& call);

// The calls as lines of C, each shape call followed by the sizes that tell cases apart (its
// box, and the box inside a wide inside-frame pen): what the known-deviation list is matched against.
std::vector<std::string> describe_calls(const std::vector<RandomCall>& calls);

// The name of a call's kind ("Rectangle", "pen", ...), used by the known-deviation list.
std::string kind_name(const RandomCall& call);

// A scene selection is "SEED" (every call) or "SEED:i.j.k" (only calls i, j and k, counted from 0).
// Its scene is named random_SEED or random_SEED_i.j.k; nullopt for a malformed selection.
std::optional<Scene> random_scene(const std::string& selection);

// The calls a selection keeps, for describing them.
std::optional<std::vector<RandomCall>> kept_calls(const std::string& selection);

// Shrunk random sequences that once differed from Windows, kept as fixed scenes of the corpus
// (listed in random_fixed.inc, where scripts/fuzz-scenes.sh tells which to add).
const std::vector<std::string>& fixed_random_selections();

}  // namespace scenes
