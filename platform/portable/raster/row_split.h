// Large row jobs on two cores. A fill or copy of a whole window is bound by how fast one core
// moves memory, not by the memory itself: on a two-core machine the second core doubles it.
// Rows are cut into chunks that the calling thread takes from the first and one helper thread
// from the last (started on the first large job, asleep between jobs). The caller never waits for the
// helper to start: when the helper is late or busy, the caller takes every chunk itself, so a
// job costs at most one wake-up more than doing it alone. Chunks cover disjoint rows, so the
// pixels are the same whoever writes them.
//
// ZG_RASTER_THREADS=1 in the environment keeps every job on the calling thread (to measure one
// core, or on a machine shared with other work); 2, like leaving it unset or empty, lets jobs use
// a second core when there is one. Any other value is reported on stderr, naming the variable,
// and changes nothing.
#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <type_traits>

namespace zg::raster {

// When a job is worth the second core, measured on a 2-core VM with fills of rows (one thread
// against split, best of 200): with the helper awake (it spins a little after each job) a
// split takes 1.21 x the time of one thread at 64 KiB, 0.89 x at 128 KiB and 0.67-0.74 x from
// 256 KiB on. Waking a sleeping helper costs the caller 2-15 us and the helper arrives 20 us to
// several ms later on a shared machine, so a job wakes it only from split_bytes on, and smaller
// jobs from awake_split_bytes on go to it only while it is awake.
inline constexpr std::size_t split_bytes = std::size_t{1} << 20;
inline constexpr std::size_t awake_split_bytes = std::size_t{1} << 17;

// How split jobs run, for the whole process: Off keeps them on the calling thread in one piece,
// On is the default, Reversed runs the chunks on the calling thread from the last to the first
// (tests use it to show that a job's rows do not depend on each other's order, and that jobs
// whose rows do are not split). The environment setting above only chooses where it starts.
// Returns the previous mode.
enum class RowSplit : unsigned char { Off, On, Reversed };
RowSplit set_row_split(RowSplit mode);

// The most threads a job may run on, as ZG_RASTER_THREADS gives it: 2 when it is unset or
// empty, 1 or 2 when it is exactly that, nullopt for anything else.
std::optional<int> raster_threads_setting(const char* value);

using RowChunkWork = void (*)(void* context, int first, int end);

// Whether a job of `bytes` (at least awake_split_bytes) goes to split_rows, by the rules above
// (under Reversed every such job does).
bool worth_splitting(std::size_t bytes);

// Runs work(context, first, end) over disjoint chunks covering [0, rows), returning when all
// are done; on two threads when another core is there to take part.
void split_rows(int rows, void* context, RowChunkWork work);

// Calls chunk(first, end) for rows [0, rows), split across cores when the job (rows of
// `row_bytes` each) is worth it, as above. Rows must not depend on each other.
template <class Chunk>
void for_row_chunks(int rows, std::size_t row_bytes, Chunk&& chunk) {
    const std::size_t bytes = row_bytes * static_cast<std::size_t>(std::max(rows, 0));
    if (rows < 2 || bytes < awake_split_bytes || !worth_splitting(bytes)) {
        if (rows > 0) chunk(0, rows);
        return;
    }
    using Fn = std::remove_reference_t<Chunk>;
    split_rows(rows, const_cast<void*>(static_cast<const void*>(&chunk)),
               [](void* context, int first, int end) { (*static_cast<Fn*>(context))(first, end); });
}

}  // namespace zg::raster
