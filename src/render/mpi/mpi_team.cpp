#include "render/mpi/mpi_team.h"

#include <algorithm>
#include <iostream>
#include <limits>
#include <numeric>

namespace zephyrin {
namespace {

constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();

std::int32_t CountOf(std::int64_t sum) {
    return static_cast<std::int32_t>(std::clamp(sum + kUntouchedCount, kLowest, kHighest));
}

}  // namespace

MpiTeam::MpiTeam(MPI_Comm communicator) : communicator_(communicator) {
    MPI_Comm_rank(communicator_, &rank_);
    MPI_Comm_size(communicator_, &size_);
}

std::uint64_t MpiTeam::FromFirst(std::uint64_t value) {
    MPI_Bcast(&value, 1, MPI_UINT64_T, 0, communicator_);
    return value;
}

int MpiTeam::Agree(int status) {
    std::vector<int> statuses(static_cast<std::size_t>(size_));
    MPI_Allgather(&status, 1, MPI_INT, statuses.data(), 1, MPI_INT, communicator_);
    if (status != 0 && statuses.front() == 0)
        std::cerr << "rank " << rank_ << ":\n" << messages_.str() << std::flush;
    messages_.str({});
    return *std::ranges::max_element(statuses);
}

std::vector<std::int64_t> MpiTeam::AddCounts(CountGrid& counts, std::int64_t iterations) {
    const std::span<std::int32_t> all = counts.Counts();
    std::vector<std::int64_t> rises(std::min(kChunk, all.size()));
    std::vector<std::int64_t> sums(rank_ == 0 ? rises.size() : 0);
    for (std::size_t offset = 0; offset < all.size(); offset += kChunk) {
        const std::span<std::int32_t> chunk = all.subspan(offset, std::min(kChunk, all.size() - offset));
        std::ranges::transform(chunk, rises.begin(),
                               [](std::int32_t count) { return std::int64_t{count} - kUntouchedCount; });
        MPI_Reduce(rises.data(), sums.data(), static_cast<int>(chunk.size()), MPI_INT64_T, MPI_SUM, 0,
                   communicator_);
        if (rank_ == 0)
            std::transform(sums.begin(), sums.begin() + static_cast<std::ptrdiff_t>(chunk.size()),
                           chunk.begin(), CountOf);
    }
    std::vector<std::int64_t> drawn(rank_ == 0 ? static_cast<std::size_t>(size_) : 0);
    MPI_Gather(&iterations, 1, MPI_INT64_T, drawn.data(), 1, MPI_INT64_T, 0, communicator_);
    return drawn;
}

std::vector<double> MpiTeam::GatherOnFirst(std::span<const double> values) {
    const int count = static_cast<int>(values.size());
    std::vector<int> counts(rank_ == 0 ? static_cast<std::size_t>(size_) : 0);
    MPI_Gather(&count, 1, MPI_INT, counts.data(), 1, MPI_INT, 0, communicator_);
    std::vector<int> offsets(counts.size());
    std::exclusive_scan(counts.begin(), counts.end(), offsets.begin(), 0);
    std::vector<double> gathered(rank_ == 0 ? static_cast<std::size_t>(offsets.back() + counts.back()) : 0);
    MPI_Gatherv(values.data(), count, MPI_DOUBLE, gathered.data(), counts.data(), offsets.data(), MPI_DOUBLE,
                0, communicator_);
    return gathered;
}

void MpiTeam::Leave() {
    left_ = true;
    left_.notify_all();
}

void MpiTeam::WaitUntilLeft() const {
    left_.wait(false);
}

}  // namespace zephyrin
