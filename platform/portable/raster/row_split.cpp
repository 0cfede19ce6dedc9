// Large row jobs on two cores; see row_split.h.
//
// One job has the helper at a time (a job from a second thread meanwhile runs alone). The helper
// announces itself (inside = 1) before it looks for the job, and the caller withdraws the job
// before it looks whether the helper is inside; both in sequentially consistent order, so either
// the helper finds no job or the caller sees it inside and waits until it has left. Nothing the
// job points to is touched after split_rows returns.
#include "raster/row_split.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#if defined(__linux__)
#include <sched.h>
#endif

namespace zg::raster {

namespace {

// The chunks not yet taken are [front, back), packed in one word: the caller takes them from
// the front, the helper from the back. Each side thus keeps to the same rows from one job to
// the next (a wipe every frame), which stay in that core's cache instead of moving between
// the cores with every job.
struct Job {
    int rows = 0, chunk_rows = 0, chunks = 0;
    void* context = nullptr;
    RowChunkWork work = nullptr;
    std::atomic<std::uint64_t> left{0};

    void open() { left.store(static_cast<std::uint64_t>(chunks)); }

    // The next chunk from the front (the caller) or the back (the helper); -1 when none is left.
    int take(bool from_back) {
        std::uint64_t now = left.load(std::memory_order_relaxed);
        for (;;) {
            const auto front = static_cast<std::uint32_t>(now >> 32), back = static_cast<std::uint32_t>(now);
            if (front >= back) return -1;
            const std::uint64_t after = from_back ? (now - 1) : (now + (std::uint64_t{1} << 32));
            if (left.compare_exchange_weak(now, after, std::memory_order_relaxed))
                return static_cast<int>(from_back ? back - 1 : front);
        }
    }

    void run_chunk(int c) const {
        const int first = c * chunk_rows;
        work(context, first, std::min(rows, first + chunk_rows));
    }

    // Takes chunks until none is left.
    void run(bool from_back) {
        for (int c = take(from_back); c >= 0; c = take(from_back)) run_chunk(c);
    }
};

// The helper is between jobs but not asleep: a job handed to it now costs no wake-up. Only a
// hint (a job posted just as the helper falls asleep still wakes it).
std::atomic<bool> helper_awake{false};

// The cores this process may run on (a container or taskset may allow fewer than the machine has).
unsigned usable_cores() {
#if defined(__linux__)
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return static_cast<unsigned>(CPU_COUNT(&set));
#endif
    return std::thread::hardware_concurrency();
}

int threads_allowed() {
    const char* value = std::getenv("ZG_RASTER_THREADS");
    if (const std::optional<int> threads = raster_threads_setting(value)) return *threads;
    std::fprintf(stderr, "zorgraphics: ZG_RASTER_THREADS=%s is not a thread count; accepted values: 1, 2\n", value);
    return 2;
}

void pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

class Helper {
public:
    // Null when jobs stay on the calling thread.
    static Helper* get() {
        static Helper* helper = make();
        return helper;
    }

    void run(Job& job) {
        using clock = std::chrono::steady_clock;
        std::unique_lock<std::mutex> one_job(m_one_job, std::try_to_lock);
        // Another thread's job has the helper, or the helper was lately too slow (below).
        if (!one_job.owns_lock() || clock::now() < m_alone_until) {
            job.run(false);
            return;
        }
        m_job.store(&job);
        m_posted.fetch_add(1);
        m_posted.notify_one();
        job.run(false);
        m_job.store(nullptr);
        // The helper is at most one chunk from done: spin a little, then sleep.
        for (int i = 0; i < spin_rounds && m_inside.load() != 0; ++i) pause();
        if (m_inside.load() == 0) return;
        // A helper still inside has mostly lost its core to another process in the middle of a
        // chunk. On a machine that busy the jobs stay on the calling thread for a while, so that
        // such a wait happens at most a few times a second.
        const clock::time_point start = clock::now();
        while (m_inside.load() != 0) m_inside.wait(1);
        if (clock::now() - start > max_wait) m_alone_until = clock::now() + alone_for;
    }

private:
    // Some tens of microseconds of pause instructions: how long the helper stays awake after a
    // job for the next one (a frame's large jobs come one after another), and how long the
    // caller spins for the helper's last chunk before it sleeps.
    static constexpr int spin_rounds = 2000;
    static constexpr std::chrono::microseconds max_wait{500};
    static constexpr std::chrono::milliseconds alone_for{50};

    static Helper* make() {
        if (threads_allowed() < 2 || usable_cores() < 2) return nullptr;
        // Never destroyed: the thread sleeps until the process ends, and static destruction
        // could not stop it at a safe point.
        auto* helper = new Helper;
        try {
            std::thread(&Helper::serve, helper).detach();
        } catch (const std::system_error&) {
            delete helper;
            return nullptr;
        }
        return helper;
    }

    void serve() {
        std::uint32_t seen = 0;
        for (;;) {
            for (int i = 0; m_posted.load() == seen; ++i) {
                if (i < spin_rounds) {
                    pause();
                    continue;
                }
                helper_awake.store(false, std::memory_order_relaxed);
                m_posted.wait(seen);
            }
            helper_awake.store(true, std::memory_order_relaxed);
            seen = m_posted.load();
            m_inside.store(1);
            if (Job* job = m_job.load()) job->run(true);
            m_inside.store(0);
            m_inside.notify_one();
        }
    }

    std::mutex m_one_job;                                 // held by the caller whose job is posted
    std::chrono::steady_clock::time_point m_alone_until;  // guarded by m_one_job
    std::atomic<Job*> m_job{nullptr};
    std::atomic<std::uint32_t> m_posted{0};  // counts posted jobs; the helper sleeps on it
    std::atomic<int> m_inside{0};            // the helper may be running m_job's chunks
};

std::atomic<RowSplit> split_mode{RowSplit::On};

}  // namespace

std::optional<int> raster_threads_setting(const char* value) {
    if (value == nullptr || value[0] == '\0') return 2;
    if (std::strcmp(value, "1") == 0) return 1;
    if (std::strcmp(value, "2") == 0) return 2;
    return std::nullopt;
}

RowSplit set_row_split(RowSplit mode) { return split_mode.exchange(mode); }

bool worth_splitting(std::size_t bytes) {
    switch (split_mode.load(std::memory_order_relaxed)) {
    case RowSplit::Off: return false;
    case RowSplit::Reversed: return true;
    case RowSplit::On: break;
    }
    return bytes >= split_bytes || helper_awake.load(std::memory_order_relaxed);
}

void split_rows(int rows, void* context, RowChunkWork work) {
    if (rows <= 0) return;
    const RowSplit mode = split_mode.load(std::memory_order_relaxed);
    Helper* helper = mode == RowSplit::On ? Helper::get() : nullptr;
    if (helper == nullptr && mode != RowSplit::Reversed) {
        work(context, 0, rows);
        return;
    }
    Job job;
    job.rows = rows;
    // Chunks small enough that a late helper still finds work and neither side waits long for
    // the other's last chunk.
    job.chunk_rows = std::max(1, rows / 16);
    job.chunks = (rows + job.chunk_rows - 1) / job.chunk_rows;
    job.context = context;
    job.work = work;
    job.open();
    if (mode == RowSplit::Reversed) {
        for (int c = job.chunks - 1; c >= 0; --c) job.run_chunk(c);
        return;
    }
    helper->run(job);
}

}  // namespace zg::raster
