// Large row jobs on two cores; see row_split.h.
//
// One job runs at a time (a second thread drawing meanwhile does its job alone). The helper
// announces itself (inside = 1) before it looks for the job, and the caller withdraws the job
// before it looks whether the helper is inside; both in sequentially consistent order, so either
// the helper finds no job or the caller sees it inside and waits until it has left. Nothing the
// job points to is touched after split_rows returns.
#include "raster/row_split.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace zg::raster {

namespace {

struct Job {
    int rows = 0, chunk_rows = 0, chunks = 0;
    void* context = nullptr;
    RowChunkWork work = nullptr;
    std::atomic<int> next{0};

    // Takes chunks until none is left.
    void run() {
        for (int c = next.fetch_add(1, std::memory_order_relaxed); c < chunks;
             c = next.fetch_add(1, std::memory_order_relaxed)) {
            const int first = c * chunk_rows;
            work(context, first, std::min(rows, first + chunk_rows));
        }
    }
};

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
        std::unique_lock<std::mutex> one_job(m_one_job, std::try_to_lock);
        if (!one_job.owns_lock()) {  // another thread's job has the helper
            job.run();
            return;
        }
        m_job.store(&job);
        m_posted.fetch_add(1);
        m_posted.notify_one();
        job.run();
        m_job.store(nullptr);
        // The helper is at most one chunk from done: spin a little, then sleep.
        for (int i = 0; m_inside.load() != 0; ++i) {
            if (i < spin_rounds)
                pause();
            else
                m_inside.wait(1);
        }
    }

private:
    // About 20 microseconds of pause instructions: how long the helper stays awake after a job
    // for the next one (a frame's large jobs come one after another), and how long the caller
    // spins before it sleeps.
    static constexpr int spin_rounds = 2000;

    static Helper* make() {
        const char* setting = std::getenv("ZG_RASTER_THREADS");
        if (setting != nullptr && std::strcmp(setting, "1") == 0) return nullptr;
        if (std::thread::hardware_concurrency() < 2) return nullptr;
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
                if (i < spin_rounds)
                    pause();
                else
                    m_posted.wait(seen);
            }
            seen = m_posted.load();
            m_inside.store(1);
            if (Job* job = m_job.load()) job->run();
            m_inside.store(0);
            m_inside.notify_one();
        }
    }

    std::mutex m_one_job;  // held by the caller whose job is posted
    std::atomic<Job*> m_job{nullptr};
    std::atomic<std::uint32_t> m_posted{0};  // counts posted jobs; the helper sleeps on it
    std::atomic<int> m_inside{0};            // the helper may be running m_job's chunks
};

std::atomic<RowSplit> split_mode{RowSplit::On};

}  // namespace

RowSplit set_row_split(RowSplit mode) { return split_mode.exchange(mode); }

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
    if (mode == RowSplit::Reversed) {
        for (int c = job.chunks - 1; c >= 0; --c)
            work(context, c * job.chunk_rows, std::min(rows, (c + 1) * job.chunk_rows));
        return;
    }
    helper->run(job);
}

}  // namespace zg::raster
