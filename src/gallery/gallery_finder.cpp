#include "gallery/gallery_finder.h"

#include <exception>

namespace zephyrin {

GalleryFinder::GalleryFinder(ThreadPool& pool, QObject* parent) : QObject(parent), pool_(pool) {}

GalleryFinder::~GalleryFinder() {
    stop();
}

void GalleryFinder::start(Job job) {
    stop();
    cancel_ = false;
    const unsigned search = ++search_;
    task_ = std::make_unique<PoolTask>(pool_, [this, search, job = std::move(job)](const PoolTask&) {
        QString summary;
        try {
            summary = job(cancel_, [this, search](const GalleryEntry& entry) {
                QMetaObject::invokeMethod(
                    this, [this, search, entry] { take(search, entry); }, Qt::QueuedConnection);
            });
        } catch (const std::exception& failure) {
            summary = QStringLiteral("The search failed: ") + QString::fromUtf8(failure.what());
        }
        QMetaObject::invokeMethod(
            this, [this, search, summary] { end(search, summary); }, Qt::QueuedConnection);
    });
    task_->Start();
}

void GalleryFinder::stop() {
    if (!task_) return;
    cancel_ = true;
    // The searches look at the flag within every candidate: this is quick.
    task_.reset();
    ++search_;
}

void GalleryFinder::take(unsigned search, const GalleryEntry& entry) {
    if (search == search_) emit found(entry);
}

void GalleryFinder::end(unsigned search, const QString& summary) {
    if (search != search_) return;
    task_.reset();
    emit finished(summary);
}

}  // namespace zephyrin
