// The gallery window offscreen: tiles found and drawn, Stop, Back, the
// favourites and opening a tile in a picture window.
#include <QCoreApplication>
#include <QMdiArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "frame/main_form.h"
#include "frame/program.h"
#include "gallery/gallery_window.h"
#include "gallery/tile_view.h"
#include "qt_test_main.h"
#include "services/file_choosers.h"
#include "services/messages.h"
#include "services/one_shot_timer.h"
#include "services/settings.h"
#include "util/thread_pool.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

namespace {

constexpr int kPatience = 60000;  // ms; slow under the sanitizers

void setGrid(GalleryWindow& gallery, int rows, int columns) {
    gallery.findChild<QSpinBox*>(QStringLiteral("Rows"))->setValue(rows);
    gallery.findChild<QSpinBox*>(QStringLiteral("Columns"))->setValue(columns);
}

bool allDrawn(const GalleryWindow& gallery, std::size_t count) {
    if (gallery.entries().size() != count || gallery.busy()) return false;
    for (const GalleryEntry& entry : gallery.entries())
        if (entry.picture.isNull()) return false;
    return true;
}

std::vector<std::uint64_t> seeds(const GalleryWindow& gallery) {
    std::vector<std::uint64_t> all;
    for (const GalleryEntry& entry : gallery.entries()) all.push_back(entry.seed);
    return all;
}

}  // namespace

class GalleryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        setFileChooser({});
        setMessageSink({});
        remember(kFavouritesFolderKey, QString());
    }

    void fillsTheGridWithDrawnMeasuredTiles() {
        ThreadPool pool(2);
        GalleryWindow gallery(pool);
        setGrid(gallery, 2, 2);
        gallery.setFormula(1);
        gallery.find();
        QTRY_VERIFY_WITH_TIMEOUT(allDrawn(gallery, 4), kPatience);
        QCOMPARE(gallery.shown().size(), std::size_t{4});
        for (int position = 0; position < 4; ++position) {
            const GalleryEntry& entry =
                gallery.entries()[static_cast<std::size_t>(gallery.shown()[position])];
            QCOMPARE(entry.record.formula, 1);
            QCOMPARE(entry.picture.size(), QSize(200, 150));
            QVERIFY(entry.measures.measured);
            QVERIFY(gallery.tile(position)->caption().startsWith(QStringLiteral("Formula 1\nL ")));
        }
        // Best score first.
        QVERIFY(gallery.entries()[gallery.shown()[0]].measures.score >=
                gallery.entries()[gallery.shown()[3]].measures.score);
    }

    // Stop ends the search and the drawings on the pool at once, and nothing
    // found or drawn afterwards reaches the grid.
    void stopEndsTheSearchAndTheDrawings() {
        ThreadPool pool(2);
        GalleryWindow gallery(pool);
        gallery.setFormula(1);
        gallery.find();
        QTRY_VERIFY_WITH_TIMEOUT(!gallery.entries().empty(), kPatience);
        gallery.stop();
        QVERIFY(!gallery.busy());
        const std::size_t found = gallery.entries().size();
        std::size_t drawn = 0;
        for (const GalleryEntry& entry : gallery.entries()) drawn += !entry.picture.isNull();
        // Whatever the search or the drawings had posted before the stop is delivered now.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(gallery.entries().size(), found);
        std::size_t drawnLater = 0;
        for (const GalleryEntry& entry : gallery.entries()) drawnLater += !entry.picture.isNull();
        QCOMPARE(drawnLater, drawn);
    }

    void moreLikeThisAndBack() {
        ThreadPool pool(2);
        GalleryWindow gallery(pool);
        setGrid(gallery, 1, 2);
        gallery.setFormula(1);
        gallery.find();
        QTRY_VERIFY_WITH_TIMEOUT(allDrawn(gallery, 2), kPatience);
        const std::vector<std::uint64_t> first = seeds(gallery);
        gallery.back();  // nothing before the first grid
        QCOMPARE(gallery.pages(), 1);
        gallery.moreLikeThis();  // nothing selected
        QCOMPARE(gallery.pages(), 1);
        gallery.selectTile(0);
        const GalleryEntry original = gallery.entries()[gallery.shown()[0]];
        gallery.moreLikeThis();
        QCOMPARE(gallery.pages(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(allDrawn(gallery, 2), kPatience);
        QVERIFY(seeds(gallery) != first);
        for (const GalleryEntry& variation : gallery.entries()) {
            QCOMPARE(variation.record.formula, original.record.formula);
            QVERIFY(variation.record.af[1] != original.record.af[1]);
        }
        gallery.back();
        QCOMPARE(gallery.pages(), 1);
        QCOMPARE(seeds(gallery), first);
    }

    // The folder is asked for once and remembered; Favourites shows what was kept.
    void favouritesAreKeptAndShown() {
        QTemporaryDir folder;
        int asked = 0;
        setFileChooser([&](const FileRequest& request) {
            ++asked;
            return request.kind == FileRequest::Kind::kFolder ? std::optional(FileChoice{folder.path(), 0})
                                                              : std::nullopt;
        });
        ThreadPool pool(2);
        GalleryWindow gallery(pool);
        setGrid(gallery, 1, 2);
        gallery.setFormula(1);
        gallery.find();
        QTRY_VERIFY_WITH_TIMEOUT(allDrawn(gallery, 2), kPatience);
        gallery.starTile(0);
        gallery.starTile(1);
        gallery.starTile(1);  // kept already
        QCOMPARE(asked, 1);
        QVERIFY(gallery.tile(0)->starred());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files).size(), 2);
        const double firstAf = gallery.entries()[0].record.af[1];

        gallery.showFavourites();
        QTRY_VERIFY_WITH_TIMEOUT(allDrawn(gallery, 2), kPatience);
        QCOMPARE(gallery.pages(), 2);
        bool found = false;
        for (const GalleryEntry& favourite : gallery.entries()) {
            QVERIFY(!favourite.file.isEmpty());
            QVERIFY(favourite.measures.measured);
            found = found || favourite.record.af[1] == firstAf;
        }
        QVERIFY(found);
        QCOMPARE(asked, 1);
    }

    // A double click opens the tile in a new picture window, which draws it
    // framed and in density colouring.
    void doubleClickOpensAPictureWindow() {
        Program program;
        TMainForm& frame = *program.MainForm;
        frame.Timer1()->setEnabled(false);
        frame.galleryClick();
        GalleryWindow& gallery = *frame.gallery();
        setGrid(gallery, 1, 1);
        gallery.setFormula(1);
        gallery.find();
        QTRY_VERIFY_WITH_TIMEOUT(allDrawn(gallery, 1), kPatience);
        const GalleryEntry tile = gallery.entries().front();
        QTest::mouseDClick(gallery.tile(0), Qt::LeftButton);
        QCOMPARE(frame.attractorWindows().size(), 1);
        TMDIChild* child = frame.attractorWindows().front();
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        bool checked = false;
        // Inside the drawing its set-up starts.
        QTimer::singleShot(1500, [&] {
            checked = true;
            frame.StopButtonClick();
            QCOMPARE(child->setupPending, kFalse);
            QCOMPARE(child->document().v.formula, 1);
            // Beyond the eighteen the Coefficients dialog shows, and rounds.
            QCOMPARE(child->document().v.af[40], tile.record.af[40]);
            QCOMPARE(child->document().v.zoom, tile.record.zoom);
            QCOMPARE(child->document().v.xCenter, tile.record.xCenter);
            QVERIFY(child->document().density().mode == ColouringMode::kDensity);
        });
        QTRY_VERIFY_WITH_TIMEOUT(checked, kPatience);
        gallery.close();
        QVERIFY(!gallery.busy());
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::GalleryWindowTest)
#include "gallery_window_test.moc"
