// A picture document on its own, shown by a stand-in for the view: where a
// drawing stands as it starts, nests and stops, the hand-over of a drawing
// between the engine and the threads, and recolouring without a new drawing.
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "engine/colouring/colour_from_counts.h"
#include "engine/colouring/density_colour.h"
#include "engine/core/defaults.h"
#include "engine/core/engine.h"
#include "engine/core/formula_table.h"
#include "engine/core/view_coords.h"
#include "imaging/gradient.h"
#include "imaging/picture.h"
#include "qt_test_main.h"
#include "services/event_pump.h"
#include "util/thread_pool.h"
#include "window/picture_document.h"

namespace zephyrin::testing {

namespace {

class StubDisplay final : public PictureDisplay {
public:
    Picture* shownPicture() const override { return shown.get(); }
    void setShownPicture(std::unique_ptr<Picture> picture) override {
        shown = std::move(picture);
        ++pictures;
    }
    std::unique_ptr<Picture> shown;
    int pictures = 0;
};

// A 120 by 90 document set up as a new window sets up its record.
struct DocumentFixture {
    DocumentFixture() {
        TFractalRec& v = document.v;
        v.width = v.listWidth = 120;
        v.height = v.listHeight = 90;
        ResetCoordinates(v);
        SetNewWindowDefaults(v);
        document.newHitList();
    }

    // Draws as a window does; each step of `steps` runs 50 ms after the one
    // before, inside the drawing, and the drawing is stopped after the last.
    void Draw(std::vector<std::function<void()>> steps) {
        steps.push_back([this] { document.stopDrawing(); });
        Chain(std::move(steps), 0);
        DrawNow();
    }
    void DrawNow() {
        document.beginDrawing();
        document.freshPicture();
        document.freezeView();
        document.drawUntilStopped();
        document.endDrawing();
    }
    void Chain(std::vector<std::function<void()>> steps, std::size_t next) {
        if (next == steps.size()) return;
        QTimer::singleShot(50, &document, [this, steps, next] {
            steps[next]();
            Chain(steps, next + 1);
        });
    }

    Engine engine{2024};
    EventPump pump;
    ThreadPool pool{2};
    StubDisplay display;
    PictureDocument document{engine, pump, &pool, display};
};

using State = PictureDocument::DrawingState;

}  // namespace

class PictureDocumentTest : public QObject {
    Q_OBJECT

private slots:
    // Idle, drawing, a drawing nested in it, one stop for both, idle again.
    void aDrawingStartsNestsAndStops() {
        DocumentFixture f;
        f.document.setColouringMode(ColouringMode::kClassic);
        QCOMPARE(f.document.state(), State::kIdle);
        std::vector<State> seen;
        std::vector<int> running;
        f.Chain({[&] {
                    seen.push_back(f.document.state());
                    running.push_back(f.document.drawingsRunning());
                    f.Chain({[&] {
                                seen.push_back(f.document.state());
                                running.push_back(f.document.drawingsRunning());
                                f.document.stopDrawing();
                                seen.push_back(f.document.state());
                            }},
                            0);
                    f.DrawNow();
                }},
                0);
        f.DrawNow();
        QCOMPARE(seen, (std::vector<State>{State::kDrawing, State::kDrawing, State::kStopped}));
        QCOMPARE(running, (std::vector<int>{1, 2}));
        QCOMPARE(f.document.state(), State::kIdle);
        QCOMPARE(f.engine.Depth(), 0);
        QVERIFY(f.document.v.iterations > 0);
        // Each drawing starts on a fresh picture of the list size, which the engine paints.
        QCOMPARE(f.display.pictures, 2);
        QCOMPARE(f.document.picture, f.display.shown.get());
        QCOMPARE(f.display.shown->Width(), 120);
    }

    // Switched to density colouring mid-drawing, the drawing goes on on the
    // threads from the engine's counts; a closed document's drawing ends instead.
    void aSwitchedColouringHandsTheDrawingOver() {
        for (const bool closed : {false, true}) {
            DocumentFixture f;
            f.document.setColouringMode(ColouringMode::kClassic);
            std::int32_t before = 0;
            bool onThreads = false;
            f.Draw({[&] {
                        before = f.document.v.iterations;
                        f.document.setClosed(closed);
                        f.document.setColouringMode(ColouringMode::kDensity);
                    },
                    [&] { onThreads = f.document.threadsDrawing() != nullptr; }});
            QCOMPARE(onThreads, !closed);
            QCOMPARE(f.document.countsByRow(), !closed);
            if (!closed) QVERIFY(f.document.v.iterations > before);
            QCOMPARE(f.document.state(), State::kIdle);
        }
    }

    // The counts of a stopped drawing coloured anew: another brightness, the
    // classic colours and back, each without a drawing or a new count.
    void theCountsAreRecolouredWithoutANewDrawing() {
        DocumentFixture f;
        f.document.setColouringMode(ColouringMode::kDensity);
        f.Draw({});
        const std::int32_t iterations = f.document.v.iterations;
        const CountGrid counts = f.document.counts();
        const Picture first = *f.display.shown;

        DensitySettings brighter = f.document.density();
        brighter.brightness = 4.0;
        f.document.applyColouring(brighter);
        QCOMPARE(f.document.density().brightness, 4.0);
        QVERIFY(*f.display.shown != first);
        QVERIFY(*f.display.shown ==
                ToPicture(DensityColour({counts, 1}, f.document.density(),
                                        *FindGradient(f.document.density().gradient), false)));

        f.document.setColouringMode(ColouringMode::kClassic);
        QVERIFY(*f.display.shown == ColourFromCounts(counts, f.document.v));
        QCOMPARE(f.document.picture, f.display.shown.get());

        QCOMPARE(f.display.pictures, 1);
        QCOMPARE(f.document.v.iterations, iterations);
        QVERIFY(f.document.counts() == counts);
        QCOMPARE(f.engine.Depth(), 0);
    }

    // Undoing a colouring recolours; undoing a formula asks for a drawing.
    void anUndoRedrawsOnlyWhatTheCountsCannotShow() {
        DocumentFixture f;
        f.document.setColouringMode(ColouringMode::kDensity);
        f.Draw({});
        const double brightness = f.document.density().brightness;
        DensitySettings brighter = f.document.density();
        brighter.brightness = brightness * 2;
        f.document.applyColouring(brighter);
        QSignalSpy redraws(&f.document, &PictureDocument::redrawRequested);
        f.document.undo();
        QCOMPARE(f.document.density().brightness, brightness);
        QCOMPARE(redraws.count(), 0);

        const int formula = f.document.v.formula;
        SelectFormula(f.document.v, formula == 63 ? 70 : 63);
        f.document.recordHistory();
        f.document.undo();
        QCOMPARE(f.document.v.formula, formula);
        QCOMPARE(redraws.count(), 1);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::PictureDocumentTest)
#include "picture_document_test.moc"
