#include "gallery/orbit_measurer.h"

#include <exception>
#include <utility>

namespace zephyrin {

namespace {
// One seed for every record, so that a record always shows the same measures.
constexpr std::uint64_t kMeasuringSeed = 1;
}  // namespace

OrbitMeasurer::OrbitMeasurer(ThreadPool& pool, QObject* parent) : QObject(parent), pool_(pool) {}

OrbitMeasurer::~OrbitMeasurer() {
    // The result posted to this object goes with it.
    cancel_ = true;
    task_.reset();
}

void OrbitMeasurer::measure(const TFractalRec& v, const Effects& effects) {
    if (busy()) {
        waiting_ = Request{v, effects};
        return;
    }
    start(Request{v, effects});
}

void OrbitMeasurer::start(const Request& request) {
    task_ = std::make_unique<PoolTask>(pool_, [this, request](const PoolTask&) {
        OrbitMeasures measures;
        try {
            // Short of memory, the record simply shows no measures.
            if (const Result<OrbitMeasures> result =
                    MeasureOrbit(request.record, request.effects, kMeasuringSeed, kSettledBudget, &cancel_))
                measures = *result;
        } catch (const std::exception&) {
            // Nor when the measuring fails otherwise: the measures are a hint, not the picture.
        }
        QMetaObject::invokeMethod(
            this, [this, measures] { finish(measures); }, Qt::QueuedConnection);
    });
    task_->Start();
}

void OrbitMeasurer::finish(const OrbitMeasures& measures) {
    task_.reset();
    if (waiting_) {
        start(*std::exchange(waiting_, std::nullopt));
        return;
    }
    emit measured(measures);
}

}  // namespace zephyrin
