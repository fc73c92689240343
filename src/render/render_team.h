#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "engine/core/count_grid.h"
#include "render/render_share.h"

namespace zephyrin {

// The processes that draw one picture together (the ranks of mpirun): each
// draws its share, the first adds everyone's counts up, colours and writes.
// Every member makes the same calls in the same order.
class RenderTeam {
public:
    virtual ~RenderTeam() = default;

    // This member's share: its index (0 for the first) and the team's size.
    virtual RenderShare Share() const = 0;
    bool First() const { return Share().index == 0; }
    // Where a member other than the first says its messages: they are
    // shown only when it fails where the first did not, so that a team
    // says each thing once.
    virtual std::ostream& Messages() = 0;
    // The first member's value, for every member: what must not differ
    // between them (a random seed, what a file is).
    virtual std::uint64_t FromFirst(std::uint64_t value) = 0;
    // The team's status from every member's: the highest. A member that
    // has failed agrees before it returns, so that the others need not wait
    // for it for ever.
    virtual int Agree(int status) = 0;
    // Adds every member's counts (of one size) to the first's, hit for hit
    // and then kept within the int32 range as CountGrid::Add keeps them;
    // returns, on the first, the iterations each member drew, in order.
    virtual std::vector<std::int64_t> AddCounts(CountGrid& counts, std::int64_t iterations) = 0;
    // Every member's values one after the other, in order, on the first;
    // empty on the others.
    virtual std::vector<double> GatherOnFirst(std::span<const double> values) = 0;
    // This member makes no more of the calls above: the team may close
    // while the first still writes its files.
    virtual void Leave() = 0;
};

}  // namespace zephyrin
