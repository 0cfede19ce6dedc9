// The state of one fuzzed call sequence: the objects it made, those it deleted (kept, to pass
// as stale handles), and the random source that picks each next call and its arguments.
#pragma once

#include <platform/win32.h>

#include <random>
#include <string>
#include <vector>

namespace fuzz {

class Session {
public:
    explicit Session(unsigned long long seed) : m_rng(seed) {}
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Makes one call and returns its name.
    const char* step();
    // What the last call found wrong, empty when nothing.
    const std::string& problem() const { return m_problem; }
    // Deletes every object the sequence still holds, DCs first so nothing stays selected.
    void release_all();

    std::mt19937_64& rng() { return m_rng; }

private:
    struct Made {
        HGDIOBJ handle;
        DWORD kind;  // OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_REGION
    };

    // Arguments.
    int coordinate();
    int size();
    int beside(int from);  // from + size(), saturated
    bool chance(int percent) { return static_cast<int>(m_rng() % 100) < percent; }
    int pick(int count) { return count <= 0 ? 0 : static_cast<int>(m_rng() % static_cast<unsigned>(count)); }
    HDC dc();
    HGDIOBJ object(DWORD kind);
    HRGN region() { return static_cast<HRGN>(object(OBJ_REGION)); }
    COLORREF colour() { return static_cast<COLORREF>(m_rng() & 0x01FFFFFF); }

    // Calls, one family each.
    const char* make_object();
    const char* make_dc();
    const char* delete_object();
    const char* select_and_state();
    const char* draw_lines();
    const char* draw_shapes();
    const char* use_regions();
    const char* blit();
    const char* transfer_dib();
    const char* describe();
    const char* text();

    void keep(HGDIOBJ handle, DWORD kind, const char* call);
    void expect(bool condition, const char* what);

    std::mt19937_64 m_rng;
    std::vector<Made> m_objects;
    std::vector<HDC> m_dcs;
    std::vector<HGDIOBJ> m_stale;
    std::string m_problem;
};

}  // namespace fuzz
