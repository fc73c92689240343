#pragma once

#include <functional>

namespace zephyrin {

class ThreadPool;

// Splits rows 0..rows-1 into one run of neighbouring rows per thread of
// `pool` and calls work(first, end, share) for each on the pool's threads,
// `share` the run's index (0..threads-1) for state of its own; returns when
// every run is done, rethrowing the first exception a run threw. Without a
// pool, or with one thread, the calling thread does the work as one run.
void ForRowsInParallel(ThreadPool* pool, int rows,
                       const std::function<void(int first, int end, int share)>& work);

// How many runs ForRowsInParallel makes with `pool` (some may be empty,
// and are not called, when there are fewer rows).
int RowRuns(const ThreadPool* pool);

}  // namespace zephyrin
