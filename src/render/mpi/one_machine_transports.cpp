#include "render/mpi/one_machine_transports.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace zephyrin {
namespace {

// A rank count as Open MPI writes it: decimal digits, at least 1.
std::optional<std::int64_t> RankCount(const char* text) {
    if (!text) return std::nullopt;
    const char* end = text + std::strlen(text);
    std::int64_t count = 0;
    const auto parsed = std::from_chars(text, end, count);
    if (parsed.ec != std::errc() || parsed.ptr != end || count < 1) return std::nullopt;
    return count;
}

}  // namespace

bool AllRanksOnThisMachine(const char* worldSize, const char* localSize) {
    const std::optional<std::int64_t> world = RankCount(worldSize);
    return world && world == RankCount(localSize);
}

void DefaultToOneMachineTransports() {
    if (AllRanksOnThisMachine(std::getenv("OMPI_COMM_WORLD_SIZE"), std::getenv("OMPI_COMM_WORLD_LOCAL_SIZE")))
        setenv("OMPI_MCA_pml", "ob1", 0);
}

}  // namespace zephyrin
