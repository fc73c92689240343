#pragma once

#include <mpi.h>

#include <atomic>
#include <sstream>

#include "render/render_team.h"

namespace zephyrin {

// The ranks of an MPI communicator as a team: rank 0 is the first. A rank
// but the first holds its messages until an agreement shows it failed
// where rank 0 did not, and then says them on standard error.
class MpiTeam final : public RenderTeam {
public:
    explicit MpiTeam(MPI_Comm communicator);

    RenderShare Share() const override { return {rank_, size_}; }
    std::ostream& Messages() override { return messages_; }
    std::uint64_t FromFirst(std::uint64_t value) override;
    int Agree(int status) override;
    // In chunks of kChunk counts, each rank's rises as 64-bit integers
    // summed on rank 0, so that nothing overflows before the sum is kept
    // within range and no rank needs more than two chunks beside its counts.
    std::vector<std::int64_t> AddCounts(CountGrid& counts, std::int64_t iterations) override;

    std::vector<double> GatherOnFirst(std::span<const double> values) override;
    // Once or more, from the thread that makes the calls.
    void Leave() override;
    // Returns once the member has left, so that another thread may finalize MPI.
    void WaitUntilLeft() const;

    static constexpr std::size_t kChunk = std::size_t{1} << 20;

private:
    MPI_Comm communicator_;
    std::int32_t rank_ = 0;
    std::int32_t size_ = 1;
    std::ostringstream messages_;
    std::atomic<bool> left_ = false;
};

}  // namespace zephyrin
