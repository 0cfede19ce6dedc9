// A seeded fuzzer of Win32 call sequences against the portable implementation. Each sequence
// creates DCs, bitmaps, pens, brushes, fonts and regions and then makes a few hundred calls on
// them with arguments drawn towards the edges (INT_MIN, INT_MAX, 2^20 and 2^30 either side,
// zero, small negatives) and with handles that are live, stale, of the wrong kind, stock or null.
//
// It fails (exit 1) when a call takes longer than the limit, when a live object reports the wrong
// kind or a deleted one still answers, or when a sequence leaves objects behind; crashes,
// undefined behaviour and leaks of memory are the sanitizers' to report. Sequence k draws from
// seed + k, so `--seed S --sequences K` replays a run exactly.
//
// Usage: win32_call_fuzz [--seconds N] [--sequences N] [--seed N]   (default: 10 seconds)
#include "fuzz_ops.h"

#include <platform/gdi_count.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
    double seconds = 10;
    long long sequences = -1;  // no bound but time
    unsigned long long seed = 1;
};

bool parse(int argc, char** argv, Options& out) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        char* end = nullptr;
        const double value = std::strtod(argv[i + 1], &end);
        if (end == argv[i + 1] || *end != '\0' || value < 0) return false;
        if (flag == "--seconds")
            out.seconds = value;
        else if (flag == "--sequences")
            out.sequences = static_cast<long long>(value);
        else if (flag == "--seed")
            out.seed = static_cast<unsigned long long>(value);
        else
            return false;
    }
    return argc % 2 == 1;
}

struct Totals {
    long long sequences = 0, calls = 0;
    double slowest_ms = 0;
    const char* slowest_op = "none";
};

// One sequence: its calls, then every object it made is deleted and the live count must be
// back where it started.
bool run_sequence(unsigned long long seed, Totals& totals, double limit_ms) {
    const int live_before = zg_live_gdi_objects();
    fuzz::Session session(seed);
    const int calls = 50 + static_cast<int>(session.rng()() % 400);
    for (int i = 0; i < calls; ++i) {
        const auto start = Clock::now();
        const char* op = session.step();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        ++totals.calls;
        if (ms > totals.slowest_ms) totals = {totals.sequences, totals.calls, ms, op};
        if (ms > limit_ms) {
            std::fprintf(stderr, "seed %llu call %d: %s took %.0f ms\n", seed, i, op, ms);
            return false;
        }
        if (!session.problem().empty()) {
            std::fprintf(stderr, "seed %llu call %d: %s: %s\n", seed, i, op, session.problem().c_str());
            return false;
        }
    }
    session.release_all();
    const int live_after = zg_live_gdi_objects();
    if (live_after != live_before) {
        std::fprintf(stderr, "seed %llu: %d objects live after the sequence, %d before\n", seed, live_after,
                     live_before);
        return false;
    }
    ++totals.sequences;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: win32_call_fuzz [--seconds N] [--sequences N] [--seed N]\n");
        return 2;
    }
    // A hang, or a cost that grows with the coordinates beyond any box the platform accepts.
    // Shapes up to 2^20 pixels across are stepped whole (about a second natively, several in a
    // sanitizer build on a busy machine), so the limit sits well above that.
    const double limit_ms = 20000;
    Totals totals;
    const auto start = Clock::now();
    for (long long k = 0; options.sequences < 0 || k < options.sequences; ++k) {
        if (options.sequences < 0 && std::chrono::duration<double>(Clock::now() - start).count() >= options.seconds)
            break;
        if (!run_sequence(options.seed + static_cast<unsigned long long>(k), totals, limit_ms)) return 1;
    }
    std::printf("win32 call fuzz: seed %llu, %lld sequences, %lld calls, slowest call %s %.1f ms\n", options.seed,
                totals.sequences, totals.calls, totals.slowest_op, totals.slowest_ms);
    if (totals.calls == 0) {
        std::fprintf(stderr, "no call was made\n");
        return 1;
    }
    return 0;
}
