#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/colouring/density_settings.h"
#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "util/result.h"

namespace zephyrin {

// A counts file's description starts with this line.
inline constexpr std::string_view kCountsMarker = "Zephyrin counts v1";

// Every run of a drawing draws with streams of its own: the n-th run (from
// 0) with a seed takes those of that seed and n, so runs 0 .. runs - 1 of
// `seed` are in the counts.
struct SeedRuns {
    std::uint64_t seed = 0;
    std::int64_t runs = 0;
    bool operator==(const SeedRuns&) const = default;
};

// What the counts hold: how many iterations, drawn by which runs.
struct CountsHistory {
    std::int64_t iterations = 0;
    std::vector<SeedRuns> seeds;  // in the order they were first drawn with

    // How many runs of `seed` the counts hold, which is the index of its next.
    std::int64_t RunsOf(std::uint64_t seed) const;
    // Notes a run of `seed` that drew `drawn` iterations more.
    void AddRun(std::uint64_t seed, std::int64_t drawn);
    bool operator==(const CountsHistory&) const = default;
};

// Everything a counts file says about its counts besides their size.
struct CountsDescription {
    TFractalRec record;  // the drawing's start as its parameter text holds it
    Effects effects;
    DensitySettings density;  // its mode: how the counts are coloured
    std::int32_t supersample = 1;
    CountsHistory history;
};

// The description: the marker, the parameter text (with a point for
// decimals), then the lines "iterations=N", "seeds=SEED:RUNS,SEED:RUNS...",
// "supersample=N", "colouring=density" or "colouring=classic" and
// "white=1" or "white=0". Lines end in CR LF.
std::string WriteCountsDescription(const CountsDescription& description);

// Reads a description over `record` (a new window's record at the counts'
// size), naming `caption` in its messages. Fails for anything but the
// writer's text: another first line, a parameter text with a missing or
// unreadable line, a key line missing, a value out of range (supersample 1
// to 4), no seed or a seed twice, and a colouring that contradicts the
// parameter text's.
[[nodiscard]] Result<CountsDescription> ReadCountsDescription(std::string_view text, std::string_view caption,
                                                              const TFractalRec& record);

// What keeps two counts from being added up: their drawings differ ("the
// formula: 70 and 63", "coefficient af[7]: ...", "the supersampling: ..."),
// the colouring aside, or they share a seed, whose streams would count the
// same hits twice. Empty when they can be added.
std::string CountsDifference(const CountsDescription& a, const CountsDescription& b);

}  // namespace zephyrin
