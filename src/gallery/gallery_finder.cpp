#include "gallery/gallery_finder.h"

namespace zephyrin {

GalleryFinder::GalleryFinder(QObject* parent) : QObject(parent) {}

GalleryFinder::~GalleryFinder() {
    stop();
}

void GalleryFinder::start(Job job) {
    stop();
    cancel_ = false;
    const unsigned search = ++search_;
    worker_ = std::thread([this, search, job = std::move(job)] {
        const QString summary = job(cancel_, [this, search](const GalleryEntry& entry) {
            QMetaObject::invokeMethod(
                this, [this, search, entry] { take(search, entry); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this, [this, search, summary] { end(search, summary); }, Qt::QueuedConnection);
    });
}

void GalleryFinder::stop() {
    if (!worker_.joinable()) return;
    cancel_ = true;
    // The searches look at the flag within every candidate: this is quick.
    worker_.join();
    ++search_;
}

void GalleryFinder::take(unsigned search, const GalleryEntry& entry) {
    if (search == search_) emit found(entry);
}

void GalleryFinder::end(unsigned search, const QString& summary) {
    if (search != search_) return;
    worker_.join();
    emit finished(summary);
}

}  // namespace zephyrin
