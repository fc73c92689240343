// The Animation window on the offscreen platform rendering a loop through
// the keyframe files given, as bench/animation_time.sh has zephyrin-render
// draw it (120 frames of 640 x 480 at 2 M iterations, seed 1, smooth, and a
// video): how long the render takes on the program's drawing pool, and the
// longest the interface thread waited for a 10 ms timer meanwhile (what
// opening a menu would wait). A measuring tool:
// animation_window_render FOLDER KEY.zpr KEY.zpr...
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "animation_window/animation_window.h"
#include "animation_window/frame_renderer.h"
#include "animation_window/render_dialog.h"
#include "engine/file/param_file.h"
#include "util/thread_pool.h"

int main(int argc, char** argv) {
    using namespace zephyrin;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    if (argc < 4) {
        std::fprintf(stderr, "usage: animation_window_render FOLDER KEY.zpr KEY.zpr...\n");
        return 1;
    }
    ThreadPool pool;
    AnimationWindow window(pool);
    for (int i = 2; i < argc; ++i) {
        const Result<std::string> text = ReadParameterFile(argv[i]);
        if (!text || !window.addKeyframeText(*text, QString::fromLocal8Bit(argv[i]))) return 1;
        window.setSegmentFrames(120 / (argc - 2));
    }
    window.loopBox()->setChecked(true);
    window.smoothBox()->setChecked(true);
    window.setRenderChoice({.folder = QString::fromLocal8Bit(argv[1]),
                            .width = 640,
                            .height = 480,
                            .iterations = 2'000'000,
                            .depth = 8,
                            .seed = 1,
                            .video = true,
                            .fps = 30});
    RenderDialog* dialog = window.renderDialog();
    FrameRenderer* renderer = dialog->renderer();
    QElapsedTimer clock, tick;
    qint64 longestWait = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestWait = std::max(longestWait, tick.elapsed());
        tick.restart();
    });
    QObject::connect(renderer, &FrameRenderer::finished, [&](const QString& summary, bool) {
        std::printf("%s in %.2f s; the interface thread waited at most %lld ms for a 10 ms timer\n",
                    qPrintable(summary), static_cast<double>(clock.elapsed()) / 1000,
                    static_cast<long long>(longestWait));
        application.quit();
    });
    clock.start();
    tick.start();
    ticker.start();
    dialog->render(window.document());
    if (!renderer->running()) {
        std::fprintf(stderr, "%s\n", qPrintable(dialog->status()));
        return 1;
    }
    return application.exec();
}
