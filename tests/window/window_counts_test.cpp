// A window's counts kept: saved to a counts file, opened in a new window
// with the same colours, and continued there or in their own window.
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "engine/colouring/colour_from_counts.h"
#include "engine/colouring/density_colour.h"
#include "engine/core/defaults.h"
#include "engine/file/counts_file.h"
#include "imaging/picture.h"
#include "qt_test_main.h"
#include "services/messages.h"
#include "view/picture_view.h"
#include "window_fixture.h"

namespace zephyrin::testing {

namespace {

void SetColouring(TMDIChild* w, bool density) {
    if ((w->document().density().mode == ColouringMode::kDensity) != density) ToggleDensity(w);
}

// What the counts look like in the window's colouring, `block` x `block` to a pixel.
Picture CountsPicture(TMDIChild* w, int block) {
    const PictureDocument& d = w->document();
    if (PaintsWhilePlotting(d.density().mode)) return ColourFromCounts(d.counts(), d.v);
    return ToPicture(
        DensityColour({d.counts(), block}, d.density(), *FindGradient(d.density().gradient), false));
}

// Every count at least what it was: a drawing going on only adds hits.
bool OnlyGrew(const CountGrid& before, const CountGrid& after) {
    if (before.Width() != after.Width() || before.Height() != after.Height()) return false;
    for (std::size_t i = 0; i < before.Size(); ++i)
        if (after.Counts()[i] < before.Counts()[i]) return false;
    return after.TotalRise() > before.TotalRise();
}

// A new window set up from the counts file at `path`, as File > Open makes it.
TMDIChild* Opened(WindowFixture& f, const QString& path) {
    Result<CountsFile> file = PictureDocument::readCountsFile(path);
    if (!file) return nullptr;
    TMDIChild* w = f.NewWindow();
    w->setWindowTitle(path);
    w->document().setCountsToOpen(*std::move(file));
    w->FormPaint();
    return w;
}

}  // namespace

class WindowCountsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        messages.clear();
        setMessageSink([this](const QString& text) { messages << text; });
    }
    void cleanup() { setMessageSink({}); }

    void aSavedDrawingOpensWithItsColoursAndGoesOn_data() {
        QTest::addColumn<bool>("density");
        QTest::addColumn<int>("reduction");
        QTest::newRow("classic") << false << 1;
        QTest::newRow("density") << true << 1;
        QTest::newRow("density reduced 2:1") << true << 2;
    }
    // The file holds the counts, their iterations and one run of the seed;
    // opened, the picture is the saved window's; continued, the counts only
    // grow and the file holds a second run of the same seed, whose streams
    // are the next of the renderer's rule.
    void aSavedDrawingOpensWithItsColoursAndGoesOn() {
        QFETCH(bool, density);
        QFETCH(int, reduction);
        WindowFixture f;
        TMDIChild* saved = f.child;
        f.SetUp(saved);
        SetColouring(saved, density);
        f.RunDrawing([saved] { saved->DrawClick(70); }, 200'000);
        if (reduction > 1) {
            saved
                ->findChild<QAction*>(QStringLiteral("AntiAlias") + QString::number(reduction) +
                                      QStringLiteral("11"))
                ->trigger();
            saved->Timer1Timer();  // carries the reduction out
        }
        const QString path = dir.filePath(QStringLiteral("counts.tif"));
        QVERIFY(saved->document().saveCounts(path));
        const Result<CountsFile> first = LoadCountsFile(path.toStdString());
        QVERIFY(first);
        const std::int64_t held = saved->document().heldIterations();
        QVERIFY(held > 0);
        QCOMPARE(first->description.history.iterations, held);
        QCOMPARE(first->description.history.seeds.size(), std::size_t{1});
        QCOMPARE(first->description.history.seeds[0].runs, std::int64_t{1});
        QCOMPARE(first->description.supersample, reduction);

        TMDIChild* opened = Opened(f, path);
        QVERIFY(opened);
        QVERIFY(*opened->PGImage1->currentPicture() == *saved->PGImage1->currentPicture());
        QCOMPARE(opened->document().heldIterations(), held);

        const CountGrid before = opened->document().counts();
        f.RunDrawing([opened] { opened->document().continueDrawing(); }, 200'000);
        QVERIFY(opened->document().heldIterations() > held);
        QVERIFY(OnlyGrew(before, opened->document().counts()));
        QVERIFY(*opened->PGImage1->currentPicture() == CountsPicture(opened, reduction));

        QVERIFY(opened->document().saveCounts(path));
        const Result<CountsFile> second = LoadCountsFile(path.toStdString());
        QVERIFY(second);
        QCOMPARE(second->description.history.iterations, opened->document().heldIterations());
        const SeedRuns runs{first->description.history.seeds[0].seed, 2};
        QCOMPARE(second->description.history.seeds, std::vector<SeedRuns>{runs});
        QVERIFY(messages.isEmpty());
    }

    void aStoppedDrawingGoesOnInItsWindow_data() {
        QTest::addColumn<bool>("density");
        QTest::newRow("classic") << false;
        QTest::newRow("density") << true;
    }
    // Not while it draws; once stopped, on the same picture from its counts.
    void aStoppedDrawingGoesOnInItsWindow() {
        QFETCH(bool, density);
        WindowFixture f;
        TMDIChild* w = f.child;
        f.SetUp(w);
        SetColouring(w, density);
        bool whileDrawing = true;
        f.RunDrawing([w] { w->DrawClick(70); }, 200'000, [&] { whileDrawing = w->document().canContinue(); });
        QVERIFY(!whileDrawing);
        QVERIFY(w->document().canContinue());
        const std::int64_t held = w->document().heldIterations();
        const CountGrid before = w->document().counts();
        const Picture* shown = w->PGImage1->currentPicture();
        f.RunDrawing([w] { w->document().continueDrawing(); }, 200'000);
        QVERIFY(w->document().heldIterations() > held);
        QVERIFY(OnlyGrew(before, w->document().counts()));
        QCOMPARE(w->PGImage1->currentPicture(), shown);
        QVERIFY(*shown == CountsPicture(w, 1));
        QVERIFY(w->document().canContinue());
    }

    // A reduced classic picture no longer has the counts' pixels to paint on.
    void aReducedClassicPictureCannotGoOn() {
        WindowFixture f;
        f.SetUp(f.child);
        SetColouring(f.child, false);
        f.RunDrawing([&f] { f.child->DrawClick(70); }, 100'000);
        f.child->findChild<QAction*>(QStringLiteral("AntiAlias211"))->trigger();
        f.child->Timer1Timer();  // carries the reduction out
        QVERIFY(!f.child->document().canContinue());
    }

    void countsThatCannotBeShownAreRefused_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("supersample");
        QTest::addColumn<bool>("colorMix");
        QTest::addColumn<QString>("said");
        QTest::newRow("painted as it goes") << 40 << 1 << true << QStringLiteral("painted as it was drawn");
        QTest::newRow("size of another supersampling") << 41 << 2 << false << QStringLiteral("do not divide");
    }
    void countsThatCannotBeShownAreRefused() {
        QFETCH(int, width);
        QFETCH(int, supersample);
        QFETCH(bool, colorMix);
        QFETCH(QString, said);
        CountsDescription description{NewWindowRecord(width, 30), {}, {}, supersample, {10, {{7, 1}}}};
        description.effects.colorMix = ToFlag(colorMix);
        const QString path = dir.filePath(QStringLiteral("refused.tif"));
        QVERIFY(SaveCountsFile(path.toStdString(), CountGrid(width, 30), description));
        const Result<CountsFile> file = PictureDocument::readCountsFile(path);
        QVERIFY(!file);
        QVERIFY2(file.error().find(said.toStdString()) != std::string::npos, file.error().c_str());
    }

    // Nothing drawn, or a picture painted as it goes: no file, and why.
    void windowsWithoutColouringCountsSaveNone() {
        WindowFixture f;
        const QString path = dir.filePath(QStringLiteral("none.tif"));
        const Result<> nothingDrawn = f.child->document().saveCounts(path);
        f.SetUp(f.child);
        SetColouring(f.child, false);
        f.child->document().effects.colorMix = kTrue;
        const Result<> painted = f.child->document().saveCounts(path);
        QVERIFY(!nothingDrawn && nothingDrawn.error().find("nothing has been drawn") != std::string::npos);
        QVERIFY(!painted && painted.error().find("painted as it is drawn") != std::string::npos);
        QVERIFY(!QFile::exists(path));
    }

private:
    QTemporaryDir dir;
    QStringList messages;
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowCountsTest)

#include "window_counts_test.moc"
