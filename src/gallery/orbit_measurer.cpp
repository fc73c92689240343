#include "gallery/orbit_measurer.h"

#include <utility>

namespace zephyrin {

namespace {
// One seed for every record, so that a record always shows the same measures.
constexpr std::uint64_t kMeasuringSeed = 1;
}  // namespace

OrbitMeasurer::OrbitMeasurer(QObject* parent) : QObject(parent) {}

OrbitMeasurer::~OrbitMeasurer() {
    // The result posted to this object goes with it.
    if (worker_.joinable()) worker_.join();
}

void OrbitMeasurer::measure(const TFractalRec& v, const Effects& effects) {
    if (busy()) {
        waiting_ = Request{v, effects};
        return;
    }
    start(Request{v, effects});
}

void OrbitMeasurer::start(const Request& request) {
    worker_ = std::thread([this, request] {
        const Result<OrbitMeasures> result = MeasureOrbit(request.record, request.effects, kMeasuringSeed);
        // Short of memory, the record simply shows no measures.
        const OrbitMeasures measures = result ? *result : OrbitMeasures{};
        QMetaObject::invokeMethod(
            this, [this, measures] { finish(measures); }, Qt::QueuedConnection);
    });
}

void OrbitMeasurer::finish(const OrbitMeasures& measures) {
    worker_.join();
    if (waiting_) {
        start(*std::exchange(waiting_, std::nullopt));
        return;
    }
    emit measured(measures);
}

}  // namespace zephyrin
