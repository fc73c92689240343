// Plotting: map a point into the frozen view, count the hit, turn the count
// into a colour and paint the pixel at once.
#include <cmath>
#include <cstdint>

#include "engine/core/engine.h"
#include "engine/core/hit_weight.h"
#include "engine/core/pixel_index.h"
#include "engine/core/plot_colour.h"
#include "imaging/picture.h"

namespace zephyrin {

void Engine::PlotPoint() {
    if (host_->picture) colours_.Refresh(*v, host_->effects.colorMix, cycles);
    PlotAt(x, y);
}

void Engine::PlotAt(double plotX, double plotY) {
    TFractalRec& rec = *v;
    rec.lastX = plotX;
    rec.lastY = plotY;
    const std::int32_t column = PixelIndex(plotX, rec.plotXMin, rec.plotXMax, rec.width);
    const std::int32_t row = PixelIndex(plotY, rec.plotYMin, rec.plotYMax, rec.height);
    if (column < 0 || row < 0 || column >= plotWidth_ || row >= plotHeight_) return;
    px = column;
    py = row;

    const double intensity = rec.intensity;
    const double moved = ((1 + plotX) - xIn) + ((1 + plotY) - yIn);
    std::int32_t& counter = host_->hitList[static_cast<std::size_t>(px) * listSide + py];
    const double increment = !exactHitWeights_ && intensity >= 0 && intensity <= kMaxFastIntensity
                                 ? RoundedHitIncrement(intensity, moved)
                                 : ReferenceHitIncrement(intensity, moved);
    hits = AddHit(counter, increment);
    counter = hits;

    level = LevelOfCount(hits, rec.sqrtFilter);
    host_->lastLevel = level;
    if (Picture* picture = host_->picture) picture->SetPixelWord(px, py, colours_.Word(level));
}

}  // namespace zephyrin
