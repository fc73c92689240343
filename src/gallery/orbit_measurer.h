#pragma once

#include <QObject>
#include <atomic>
#include <memory>
#include <optional>

#include "engine/core/effects.h"
#include "engine/core/fractal_rec.h"
#include "engine/explore/orbit_measures.h"
#include "util/pool_task.h"

namespace zephyrin {

// Measures records on a thread of the pool: one at a time, and of the
// records asked for meanwhile only the latest, as only it is still shown.
class OrbitMeasurer : public QObject {
    Q_OBJECT

public:
    explicit OrbitMeasurer(ThreadPool& pool, QObject* parent = nullptr);
    // Ends the measuring in progress within a thousand steps of its orbit.
    ~OrbitMeasurer() override;

    void measure(const TFractalRec& v, const Effects& effects);
    bool busy() const { return task_ != nullptr; }

signals:
    // Of the latest record asked for.
    void measured(const zephyrin::OrbitMeasures& measures);

private:
    struct Request {
        TFractalRec record;
        Effects effects;
    };
    void start(const Request& request);
    void finish(const OrbitMeasures& measures);

    ThreadPool& pool_;
    std::unique_ptr<PoolTask> task_;
    std::optional<Request> waiting_;
    std::atomic<bool> cancel_{false};
};

}  // namespace zephyrin
