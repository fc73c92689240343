// The animation window offscreen: keyframes added and reordered, the file
// saved and opened again, frames rendered as the renderer draws them and a
// render cancelled, and the time line marking the frames the check flags.
#include <QCheckBox>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "animation_window/animation_window.h"
#include "animation_window/frame_renderer.h"
#include "animation_window/render_dialog.h"
#include "animation_window/thumbnail_drawer.h"
#include "animation_window/time_line.h"
#include "engine/animate/animation_loading.h"
#include "engine/animate/frame_preview.h"
#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "engine/core/view_coords.h"
#include "engine/file/param_file.h"
#include "imaging/png_reader.h"
#include "qt_test_main.h"
#include "render/run_render.h"
#include "services/messages.h"
#include "util/thread_pool.h"
#include "view/picture_image.h"

namespace zephyrin::testing {

namespace {

constexpr int kPatience = 120000;  // ms; slow under the sanitizers

// A formula 12 attractor whose A moved down by 0.005 settles on a cycle;
// moved by a little less than 0.001 it stays chaotic.
enum class Colouring { kClassic, kDensity, kColorMix };

std::string recordText(double aShift, Colouring colouring = Colouring::kClassic) {
    TFractalRec v = NewWindowRecord(160, 120);
    SelectFormula(v, 12);
    v.randomStart = kFalse;
    v.AAStart = v.AA = v.AACopy = -0.391571582295251 + aShift;
    v.startX = -0.92162178503187;
    v.startY = 0.185936378724646;
    FreezeView(v);
    DensitySettings density;
    density.mode = colouring == Colouring::kDensity ? ColouringMode::kDensity : ColouringMode::kClassic;
    Effects effects;
    effects.colorMix = ToFlag(colouring == Colouring::kColorMix);
    return WriteParameterText(v, effects, density, '.');
}

std::string letterText(QChar letter) {
    return recordText(0.0002 * (letter.unicode() - 'A'));
}

// Keyframes A, B, C... in order.
void addLetters(AnimationWindow& window, const QString& letters) {
    for (const QChar letter : letters) QVERIFY(window.addKeyframeText(letterText(letter), QString(letter)));
}

QString order(const AnimationWindow& window) {
    QString letters;
    for (const KeyframeText& k : window.document().keyframes)
        for (const QChar letter : QStringLiteral("ABCD"))
            if (k.parameters == letterText(letter)) letters += letter;
    return letters;
}

// Hidden ones too: ffmpeg writes the video as a hidden file first.
QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

RenderChoice tinyChoice(const QString& folder) {
    return {.folder = folder, .width = 40, .height = 30, .iterations = 20000, .depth = 8, .seed = 5};
}

}  // namespace

}  // namespace zephyrin::testing

Q_DECLARE_METATYPE(zephyrin::testing::Colouring)

namespace zephyrin::testing {

class AnimationWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        setMessageSink({});
        setQuestionHandler({});
    }

    void addsAndReorders_data() {
        QTest::addColumn<int>("select");
        QTest::addColumn<char>("step");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("selected");
        QTest::newRow("added after the selected") << 0 << '+' << "ADBC" << 1;
        QTest::newRow("removed") << 1 << '-' << "AC" << 1;
        QTest::newRow("the last removed") << 2 << '-' << "AB" << 1;
        QTest::newRow("up") << 2 << '^' << "ACB" << 1;
        QTest::newRow("the first up stays") << 0 << '^' << "ABC" << 0;
        QTest::newRow("down") << 0 << 'v' << "BAC" << 1;
        QTest::newRow("the last down stays") << 2 << 'v' << "ABC" << 2;
    }

    void addsAndReorders() {
        QFETCH(int, select);
        QFETCH(char, step);
        ThreadPool pool(2);
        AnimationWindow window(pool);
        addLetters(window, QStringLiteral("ABC"));
        window.select(select);
        if (step == '+') addLetters(window, QStringLiteral("D"));
        if (step == '-') window.removeSelected();
        if (step == '^') window.moveSelectedUp();
        if (step == 'v') window.moveSelectedDown();
        QTEST(order(window), "order");
        QTEST(window.selected(), "selected");
        // 30 frames from each keyframe to the next, and the last one's own.
        QCOMPARE(window.timeLine()->frames(), 30 * (window.keyframeCount() - 1) + 1);
        window.loopBox()->setChecked(true);
        QCOMPARE(window.timeLine()->frames(), 30 * window.keyframeCount());
        QTRY_VERIFY_WITH_TIMEOUT(!window.thumbnail(0).isNull(), kPatience);
    }

    void takesOfferedParametersAndRefusesUnreadableOnes() {
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        ThreadPool pool(2);
        AnimationWindow window(pool);
        window.setCurrentPictureSource([] {
            return OfferedParameters{letterText('A'), QStringLiteral("A")};
        });
        window.addCurrentPicture();
        window.addFromGallery();  // no gallery
        QVERIFY(!window.addKeyframeText("Zephyrin\nnot a number\n", QStringLiteral("broken")));
        QCOMPARE(order(window), QStringLiteral("A"));
        QCOMPARE(messages.size(), 2);
        // The thumbnail is the keyframe alone, drawn as the preview draws.
        const Result<LoadedKeyframe> a = LoadKeyframe({letterText('A'), 30, false}, "A",
                                                      ThumbnailDrawer::kWidth, ThumbnailDrawer::kHeight);
        QVERIFY(a);
        const Picture expected =
            DrawStill(a->keyframe, a->gradient, ThumbnailDrawer::kWidth, ThumbnailDrawer::kHeight,
                      ThumbnailDrawer::kIterations, ThumbnailDrawer::kSeed);
        QTRY_VERIFY_WITH_TIMEOUT(!window.thumbnail(0).isNull(), kPatience);
        QCOMPARE(window.thumbnail(0), imageOfPicture(expected));
        QVERIFY(messages[0].contains(QStringLiteral("Gallery")));
        QVERIFY(messages[1].contains(QStringLiteral("broken")));
    }

    void savesAndOpensTheAnimation() {
        QTemporaryDir folder;
        ThreadPool pool(2);
        AnimationWindow saved(pool);
        addLetters(saved, QStringLiteral("ABC"));
        saved.select(0);
        saved.setSegmentFrames(12);
        saved.select(2);
        saved.setCut(true);
        saved.loopBox()->setChecked(true);
        saved.smoothBox()->setChecked(true);
        saved.setRenderChoice({.folder = {},
                               .width = 320,
                               .height = 200,
                               .iterations = 12345,
                               .depth = 16,
                               .seed = 7,
                               .fps = 24});
        const QString path = folder.filePath(QStringLiteral("a.zpa"));
        QVERIFY(saved.saveTo(path));

        AnimationWindow opened(pool);
        QVERIFY(opened.openFrom(path));
        const AnimationDocument a = saved.document(), b = opened.document();
        QCOMPARE(b.keyframes.size(), std::size_t{3});
        for (std::size_t i = 0; i < 3; ++i) {
            QCOMPARE(b.keyframes[i].parameters, a.keyframes[i].parameters);
            QCOMPARE(b.keyframes[i].frames, a.keyframes[i].frames);
            QCOMPARE(b.keyframes[i].cut, i == 2);
        }
        QCOMPARE(*b.keyframes[0].frames, std::int64_t{12});
        QVERIFY(opened.loopBox()->isChecked() && opened.smoothBox()->isChecked());
        QCOMPARE(opened.renderChoice().width, 320);
        QCOMPARE(opened.renderChoice().height, 200);
        QCOMPARE(opened.renderChoice().iterations, std::int64_t{12345});
        QCOMPARE(opened.renderChoice().depth, 16);
        QCOMPARE(opened.renderChoice().seed, std::uint64_t{7});
        QCOMPARE(opened.renderChoice().fps, 24.0);
        QCOMPARE(opened.timeLine()->frames(), 12 + 30 + 30);
    }

    void rendersTheFramesTheRendererDraws_data() {
        QTest::addColumn<Colouring>("colouring");
        QTest::newRow("density") << Colouring::kDensity;
        QTest::newRow("classic, from the counts") << Colouring::kClassic;
        QTest::newRow("Color Mix, painted as it goes") << Colouring::kColorMix;
    }

    // The frames are zephyrin-render's from the saved animation file, with
    // as many threads as the pool has.
    void rendersTheFramesTheRendererDraws() {
        QFETCH(Colouring, colouring);
        QTemporaryDir folder;
        ThreadPool pool(2);
        AnimationWindow window(pool);
        QVERIFY(window.addKeyframeText(recordText(0, colouring), QStringLiteral("A")));
        QVERIFY(window.addKeyframeText(recordText(0.0008, colouring), QStringLiteral("B")));
        window.select(0);
        window.setSegmentFrames(2);
        const QString frames = folder.filePath(QStringLiteral("window"));
        window.setRenderChoice(tinyChoice(frames));
        RenderDialog* dialog = window.renderDialog();
        QSignalSpy finished(dialog->renderer(), &FrameRenderer::finished);
        dialog->render(window.document());
        QVERIFY(finished.wait(kPatience));
        QCOMPARE(finished.at(0).at(1).toBool(), true);
        QCOMPARE(filesIn(frames),
                 (QStringList{"frame-0000.png", "frame-0001.png", "frame-0002.png", "frames.csv"}));

        const QString zpa = folder.filePath(QStringLiteral("a.zpa"));
        QVERIFY(window.saveTo(zpa));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("cli")));
        const std::string pattern = folder.filePath(QStringLiteral("cli/frame-%04d.png")).toStdString();
        const Outcome cli = RunRender(
            {zpa.toStdString(), "--threads", std::to_string(pool.Threads()), "--quiet", "-o", pattern});
        QVERIFY2(cli.status == 0, cli.err.c_str());
        for (const char* name : {"frame-0000.png", "frame-0001.png", "frame-0002.png"}) {
            const Result<Picture> ours =
                ReadPngPicture((frames + QLatin1Char('/') + QLatin1String(name)).toStdString());
            const Result<Picture> theirs =
                ReadPngPicture(folder.filePath(QStringLiteral("cli/") + QLatin1String(name)).toStdString());
            QVERIFY(ours && theirs);
            QCOMPARE(ours->Width(), 40);
            QVERIFY2(std::equal(ours->Words(), ours->Words() + 40 * 30, theirs->Words()), name);
        }
        // Their table too, its measures from the same check of each frame.
        QCOMPARE(ReadAll((frames + QStringLiteral("/frames.csv")).toStdString()),
                 ReadAll(folder.filePath(QStringLiteral("cli/frames.csv")).toStdString()));
        // Frames already there are replaced only when the user agrees.
        QStringList questions;
        setQuestionHandler([&](const QString& question) {
            questions << question;
            return false;
        });
        dialog->render(window.document());
        QVERIFY(!dialog->renderer()->running());
        QCOMPARE(questions.size(), 1);
    }

    void cancelStopsTheRenderAndRemovesTheUnfinishedVideo() {
        QTemporaryDir folder;
        ThreadPool pool(2);
        AnimationWindow window(pool);
        QVERIFY(window.addKeyframeText(recordText(0, Colouring::kDensity), QStringLiteral("A")));
        QVERIFY(window.addKeyframeText(recordText(0.0008, Colouring::kDensity), QStringLiteral("B")));
        window.select(0);
        window.setSegmentFrames(200);
        const QString frames = folder.filePath(QStringLiteral("frames"));
        RenderChoice choice = tinyChoice(frames);
        choice.video = true;
        window.setRenderChoice(choice);
        RenderDialog* dialog = window.renderDialog();
        FrameRenderer* renderer = dialog->renderer();
        QSignalSpy finished(renderer, &FrameRenderer::finished);
        dialog->render(window.document());
        QVERIFY2(renderer->running(), qPrintable(dialog->status()));
        QTRY_VERIFY_WITH_TIMEOUT(renderer->framesDone() >= 2, kPatience);
        dialog->cancelOrClose();
        QVERIFY(!renderer->running());
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(1).toBool(), false);
        QVERIFY(dialog->status().startsWith(QStringLiteral("Stopped")));
        // The frames written and their table, and neither the video nor ffmpeg's file of it.
        const QStringList left = filesIn(frames);
        QCOMPARE(left.size(), renderer->framesDone() + 1);
        QVERIFY(left.contains(QStringLiteral("frames.csv")));
        QCOMPARE(left.filter(QStringLiteral("mp4")), QStringList());
        QVERIFY(renderer->framesDone() < 201);
    }

    void theTimeLineMarksTheFramesTheCheckFlags() {
        ThreadPool pool(2);
        AnimationWindow window(pool);
        window.setRenderChoice({.folder = {}, .width = 160, .height = 120, .seed = 3});
        QVERIFY(window.addKeyframeText(recordText(0), QStringLiteral("chaotic")));
        QVERIFY(window.addKeyframeText(recordText(-0.005), QStringLiteral("cycle")));
        QSignalSpy checked(&window, &AnimationWindow::checked);
        window.select(0);
        window.setSegmentFrames(20);
        QVERIFY(checked.wait(kPatience));
        QCOMPARE(window.timeLine()->checked(), std::int64_t{21});

        const Result<LoadedAnimation> loaded = LoadAnimation(window.document(), 160, 120);
        QVERIFY(loaded);
        ThreadPool single(1);
        const Result<std::vector<FrameChaos>> expected = CheckPath(loaded->animation, 0, 20, 3, single);
        QVERIFY(expected);
        for (const FrameChaos& frame : *expected)
            QCOMPARE(window.timeLine()->marked(frame.frame), Flagged(frame.verdict, false));
        QVERIFY(!window.timeLine()->marked(0));
        QVERIFY(window.timeLine()->marked(20));
        QVERIFY(window.checkText().startsWith(QStringLiteral("Not chaotic: frames ")));
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::AnimationWindowTest)
#include "animation_window_test.moc"
