// A count of calls that did work: every call on a DC and every object call notes itself here.
// The display's idle detection reads it, with the pixels written on windows, to tell a program
// that only polls for input from one that works between polls (a GetPixel loop draws nothing
// but is not waiting). Read and written by the drawing thread only.
#pragma once

#include <cstdint>

namespace zg {

inline std::uint64_t& activity_counter() {
    static std::uint64_t count = 0;
    return count;
}

inline void note_activity() { ++activity_counter(); }
inline std::uint64_t activity() { return activity_counter(); }

}  // namespace zg
