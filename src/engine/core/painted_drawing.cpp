#include "engine/core/painted_drawing.h"

#include <algorithm>

#include "engine/core/engine.h"

namespace zephyrin {
namespace {

// No events to handle: the pump only counts iterations and, every few
// thousand, asks whether to draw on. The count ends the drawing at exactly
// the budget.
class PaintingHost final : public EngineHost {
public:
    static constexpr std::int64_t kCheckpointInterval = 4096;

    PaintingHost(TFractalRec& rec, std::int64_t budget, const std::function<bool(std::int64_t)>& goOn)
        : rec_(rec), budget_(budget), goOn_(goOn), checkpoint_(std::min(budget, kCheckpointInterval)) {
        if (budget <= 0) rec_.stop = kTrue;
    }

    void ProcessMessages() override {
        if (++done_ == checkpoint_) Checkpoint();
    }

    std::int64_t Done() const { return done_; }

private:
    void Checkpoint() {
        if (done_ >= budget_ || !goOn_(done_)) {
            rec_.stop = kTrue;
            return;
        }
        checkpoint_ = std::min(done_ + kCheckpointInterval, budget_);
    }

    TFractalRec& rec_;
    const std::int64_t budget_;
    const std::function<bool(std::int64_t)>& goOn_;
    std::int64_t done_ = 0;
    std::int64_t checkpoint_;
};

}  // namespace

PaintedDrawing PaintAsItGoes(const TFractalRec& start, const Effects& effects, std::uint64_t seed,
                             std::int64_t budget, const std::function<bool(std::int64_t)>& goOn) {
    PaintedDrawing drawn{.picture = {}, .record = start, .iterations = 0};
    PaintingHost host(drawn.record, budget, goOn);
    host.effects = effects;
    drawn.picture.SetSize(drawn.record.width, drawn.record.height);
    host.picture = &drawn.picture;
    Engine engine(seed);
    engine.RunEngine(drawn.record, host);
    drawn.iterations = host.Done();
    return drawn;
}

}  // namespace zephyrin
