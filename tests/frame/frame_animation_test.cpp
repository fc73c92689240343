// Drawing > Animation: one window, which takes the active picture window's
// parameters as a keyframe once it has a picture, and asks for a gallery
// tile when there is none.
#include <QAction>
#include <QTest>

#include "animation_window/animation_window.h"
#include "engine/core/defaults.h"
#include "engine/core/formula_table.h"
#include "program_fixture.h"
#include "qt_test_main.h"
#include "services/messages.h"

namespace zephyrin::testing {

class FrameAnimationTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setMessageSink({}); }

    void theAnimationWindowTakesTheActivePicture() {
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        ProgramWithWindow program;
        TMainForm* frame = program.program.MainForm.get();
        frame->item(QStringLiteral("AnimationWindow"))->trigger();
        AnimationWindow* window = frame->animation();
        QVERIFY(window && window->isVisible());
        window->addCurrentPicture();  // the window has no picture yet
        QCOMPARE(messages.size(), 1);
        TFractalRec v = NewWindowRecord(160, 120);
        SelectFormula(v, 12);
        v.randomStart = kFalse;
        program.child->document().v = v;
        program.child->setupPending = kFalse;
        window->addCurrentPicture();
        QVERIFY2(window->keyframeCount() == 1, qPrintable(messages.join(QLatin1Char('\n'))));
        QCOMPARE(window->document().keyframes[0].parameters, program.child->document().parameterText('.'));
        window->addFromGallery();
        QCOMPARE(window->keyframeCount(), 1);
        QCOMPARE(messages.size(), 2);
        frame->item(QStringLiteral("AnimationWindow"))->trigger();
        QCOMPARE(frame->animation(), window);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::FrameAnimationTest)
#include "frame_animation_test.moc"
