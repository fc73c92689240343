// The gallery window on the offscreen platform, filling a 4 x 4 grid of
// formula 1 on the program's drawing pool: how long until every tile is
// found and drawn, the share of each tile's pixels lit, and the longest the
// interface thread waited for a 10 ms timer meanwhile (what opening a menu
// would wait). A measuring tool: gallery_window_fill [RUNS].
#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gallery/gallery_window.h"
#include "util/thread_pool.h"

namespace {

using namespace zephyrin;

double LitShare(const QImage& picture) {
    std::int64_t lit = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) lit += (picture.pixel(x, y) & 0xffffff) != 0;
    return static_cast<double>(lit) / (static_cast<double>(picture.width()) * picture.height());
}

bool Full(const GalleryWindow& gallery) {
    if (gallery.entries().size() < 16 || gallery.busy()) return false;
    return std::ranges::all_of(gallery.entries(), [](const GalleryEntry& e) { return !e.picture.isNull(); });
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    ThreadPool pool;
    GalleryWindow gallery(pool);
    gallery.setFormula(1);
    gallery.show();
    std::vector<double> fills;
    for (int run = 1; run <= runs; ++run) {
        QElapsedTimer clock, tick;
        qint64 longestWait = 0;
        QTimer beat;
        beat.setInterval(10);
        QObject::connect(&beat, &QTimer::timeout,
                         [&] { longestWait = std::max(longestWait, tick.restart() - 10); });
        clock.start();
        tick.start();
        beat.start();
        gallery.find();
        while (!Full(gallery) && gallery.busy()) application.processEvents(QEventLoop::WaitForMoreEvents);
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        beat.stop();
        double leastLit = 1;
        for (const GalleryEntry& entry : gallery.entries())
            leastLit = std::min(leastLit, entry.picture.isNull() ? 0.0 : LitShare(entry.picture));
        std::printf("run %d: %zu tiles in %.2f s, least lit tile %.1f %%, longest interface wait %lld ms\n",
                    run, gallery.entries().size(), seconds, 100 * leastLit,
                    static_cast<long long>(longestWait));
        fills.push_back(seconds);
    }
    std::ranges::sort(fills);
    std::printf("4 x 4 gallery of formula 1 on %d threads: median %.2f s, slowest %.2f s over %d runs\n",
                pool.Threads(), fills[fills.size() / 2], fills.back(), runs);
    return 0;
}
