#include "render/metrics_mode.h"

#include <cmath>
#include <new>

#include "engine/core/view_coords.h"
#include "engine/explore/orbit_probe.h"
#include "engine/file/param_file.h"
#include "render/command_line.h"
#include "render/drawing_setup.h"
#include "render/explore.h"
#include "render/render_program.h"
#include "util/number_format.h"

namespace zephyrin {

namespace {

const char* KindName(const OrbitMeasures& measures) {
    if (!measures.measured) return "none";
    switch (measures.kind) {
        case OrbitKind::kRunaway:
            return "runaway";
        case OrbitKind::kFixedPoint:
            return "fixed-point";
        case OrbitKind::kCycle:
            return "cycle";
        case OrbitKind::kWandering:
            return "wandering";
    }
    return "none";
}

// The start the drawing will make of a pending random start: from the seed,
// with its values rounded as its parameter file holds them.
void MakeStartAsDrawn(DrawingSetup& setup, std::uint64_t seed) {
    TFractalRec& v = setup.record;
    if (!v.randomStart) return;
    OrbitProbe starter(v, setup.effects, seed);
    starter.MakeRandomStart();
    TakeStartValues(v, starter.Record());
    Effects effects = setup.effects;
    RoundAsWritten(v, effects);
    FreezeView(v);
}

}  // namespace

std::string MeasureText(double value, int decimals) {
    return std::isnan(value) ? "nan" : FormatFixed(value, decimals, '.');
}

std::string MetricsText(const OrbitMeasures& measures) {
    return "lyapunov=" + MeasureText(measures.lyapunov, 5) +
           "\ndimension=" + MeasureText(measures.dimension, 3) +
           "\ncoverage=" + MeasureText(measures.coverage, 4) + "\nscore=" + MeasureText(measures.score, 3) +
           "\norbit=" + KindName(measures) + "\n";
}

int RunMetrics(const RenderOptions& options, std::ostream& out, std::ostream& err) {
    const std::uint64_t seed = options.seed.value_or(0);
    try {
        Result<PreparedDrawing> prepared = PrepareDrawing(options);
        if (!prepared) {
            SayLines(err, prepared.error());
            return kRenderFailed;
        }
        for (const std::string& message : prepared->messages) SayLines(err, message);
        DrawingSetup& setup = prepared->setup;
        if (options.find || options.fit) {
            const Result<Exploration> explored = Explore(setup, options, seed);
            if (!explored) {
                SayLines(err, explored.error());
                return kRenderFailed;
            }
            if (*explored == Exploration::kNothingFound) {
                SayLines(err, "no attractor of formula " + std::to_string(setup.record.formula) +
                                  " found from seed " + std::to_string(seed));
                return kRenderNothingFound;
            }
        }
        MakeStartAsDrawn(setup, seed);
        const Result<OrbitMeasures> measures =
            MeasureOrbit(setup.record, setup.effects, seed, kSettledBudget);
        if (!measures) {
            SayLines(err, measures.error());
            return kRenderFailed;
        }
        if (!measures->measured && !options.quiet)
            SayLines(err, "note: formula " + std::to_string(setup.record.formula) + " has no map to measure");
        out << MetricsText(*measures);
        return kRenderDone;
    } catch (const std::bad_alloc&) {
        SayLines(err, "not enough memory to measure the orbit");
        return kRenderFailed;
    }
}

}  // namespace zephyrin
