#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

#include "gallery/gallery_entry.h"
#include "util/pool_task.h"

namespace zephyrin {

// Runs one search for gallery entries at a time on a thread of the pool, so
// the interface stays responsive; each entry reaches the interface thread as
// soon as it is found.
class GalleryFinder : public QObject {
    Q_OBJECT

public:
    using Found = std::function<void(const GalleryEntry&)>;
    // Calls `found` for each entry, ends soon once `cancel` is set and
    // returns what it did, as the gallery's status line says it.
    using Job = std::function<QString(const std::atomic<bool>& cancel, const Found& found)>;

    explicit GalleryFinder(ThreadPool& pool, QObject* parent = nullptr);
    ~GalleryFinder() override;

    // Stops the search running, then starts `job`.
    void start(Job job);
    // Ends the search at once: nothing it found after this is reported.
    void stop();
    bool running() const { return task_ != nullptr; }

signals:
    void found(const zephyrin::GalleryEntry& entry);
    void finished(const QString& summary);

private:
    void take(unsigned search, const GalleryEntry& entry);
    void end(unsigned search, const QString& summary);

    ThreadPool& pool_;
    std::atomic<bool> cancel_{false};
    std::unique_ptr<PoolTask> task_;
    unsigned search_ = 0;  // reports of earlier searches are dropped
};

}  // namespace zephyrin
