// Timing of a drawing call for people to read: many short rounds (about a millisecond each), the
// best one kept. On a shared machine most short rounds run without being preempted, so the best
// shows the call's own cost, where one long round almost always includes another process's time
// slice. Used by raster_timing and bench/vs_peers.
#pragma once

#include <algorithm>
#include <chrono>

namespace zg::timing {

struct Rounds {
    int most_calls_per_round;  // the cap on calls in one round
    int least_rounds;          // at least this many rounds...
    double budget_us;          // ...and more while their time stays under this (at most 400)
};

// Microseconds per call of op, the best of the rounds; flush() ends each round (GdiFlush).
template <class Op, class Flush>
double best_round_us(const Op& op, const Flush& flush, const Rounds& rounds) {
    using clock = std::chrono::steady_clock;
    auto round_us = [&](int n) {
        const auto start = clock::now();
        for (int i = 0; i < n; ++i) op();
        flush();
        return std::chrono::duration<double, std::micro>(clock::now() - start).count();
    };
    const double first = round_us(1);
    const int per_round = std::clamp(static_cast<int>(1000.0 / std::max(first, 0.01)), 1, rounds.most_calls_per_round);
    double best = 1e30, spent = first;
    for (int round = 0; round < 400 && (round < rounds.least_rounds || spent < rounds.budget_us); ++round) {
        const double us = round_us(per_round);
        spent += us;
        best = std::min(best, us / per_round);
    }
    return best;
}

}  // namespace zg::timing
