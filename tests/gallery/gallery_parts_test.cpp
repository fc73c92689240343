// The gallery's order and bands, the text of the measures, and favourites
// kept and read back.
#include <QTemporaryDir>
#include <QTest>
#include <limits>

#include "engine/file/param_file.h"
#include "gallery/favourites.h"
#include "gallery/gallery_jobs.h"
#include "gallery/gallery_order.h"
#include "gallery/measures_text.h"
#include "imaging/embedded_parameters.h"
#include "qt_test_main.h"

namespace zephyrin::testing {

namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

GalleryEntry entry(double lyapunov, double dimension, double score) {
    GalleryEntry made;
    made.measures.measured = true;
    made.measures.lyapunov = lyapunov;
    made.measures.dimension = dimension;
    made.measures.score = score;
    return made;
}

// A: 0.10 1.3 0.8, B: 0.02 1.1 0.9, C: - 1.6 0.5, D: 0.30 - 0.2, E: 0.02 1.1 0.8.
std::vector<GalleryEntry> fiveEntries() {
    return {entry(0.10, 1.3, 0.8), entry(0.02, 1.1, 0.9), entry(kNone, 1.6, 0.5), entry(0.30, kNone, 0.2),
            entry(0.02, 1.1, 0.8)};
}

}  // namespace

class GalleryPartsTest : public QObject {
    Q_OBJECT

private slots:
    void sortedAndBanded_data() {
        QTest::addColumn<int>("order");
        QTest::addColumn<double>("lyapunovLow");  // NaN: no band
        QTest::addColumn<double>("lyapunovHigh");
        QTest::addColumn<double>("dimensionLow");
        QTest::addColumn<double>("dimensionHigh");
        QTest::addColumn<QString>("shown");  // letters of fiveEntries
        const auto score = static_cast<int>(GalleryOrder::kScore);
        const auto lyapunov = static_cast<int>(GalleryOrder::kLyapunov);
        const auto dimension = static_cast<int>(GalleryOrder::kDimension);
        // Equal keys keep the order found; a missing measure goes last.
        QTest::newRow("score, best first") << score << kNone << kNone << kNone << kNone << "BAECD";
        QTest::newRow("L, smallest first") << lyapunov << kNone << kNone << kNone << kNone << "BEADC";
        QTest::newRow("D2, smallest first") << dimension << kNone << kNone << kNone << kNone << "BEACD";
        QTest::newRow("L band, ends included") << score << 0.02 << 0.10 << kNone << kNone << "BAE";
        QTest::newRow("D2 band leaves out no D2") << lyapunov << kNone << kNone << 1.2 << 1.6 << "AC";
        QTest::newRow("both bands") << dimension << 0.0 << 0.2 << 1.0 << 1.2 << "BE";
        QTest::newRow("an empty band") << score << 1.0 << 2.0 << kNone << kNone << "";
    }
    void sortedAndBanded() {
        QFETCH(int, order);
        QFETCH(double, lyapunovLow);
        QFETCH(double, lyapunovHigh);
        QFETCH(double, dimensionLow);
        QFETCH(double, dimensionHigh);
        QFETCH(QString, shown);
        GalleryFilter filter;
        filter.order = static_cast<GalleryOrder>(order);
        if (!std::isnan(lyapunovLow)) filter.lyapunov = Band{lyapunovLow, lyapunovHigh};
        if (!std::isnan(dimensionLow)) filter.dimension = Band{dimensionLow, dimensionHigh};
        QString letters;
        for (const int index : shownEntries(fiveEntries(), filter)) letters += QChar('A' + index);
        QCOMPARE(letters, shown);
    }

    void measuresAsText() {
        QCOMPARE(measuresText(entry(0.12345, 1.266, 0.805).measures),
                 QStringLiteral("L 0.123  D2 1.27  score 0.81"));
        QCOMPARE(measuresText(entry(kNone, 1.5, 0.4).measures), QStringLiteral("L -  D2 1.50  score 0.40"));
        QCOMPARE(measuresText(OrbitMeasures{}), QStringLiteral("no measures"));
    }

    // A kept favourite is a PNG whose parameters give back the tile's record
    // and colouring, and the folder's listing finds only such pictures.
    void favouriteRoundTrip() {
        QTemporaryDir folder;
        GalleryEntry tile;
        tile.record = galleryBase(1);
        tile.record.randomStart = kFalse;
        for (int i = 1; i <= 12; ++i) tile.record.af[i] = 0.1 * i - 0.6;
        tile.record.AAStart = 0.25;
        tile.seed = 0xabcdef;
        tile.picture = QImage(kTileWidth, kTileHeight, QImage::Format_RGB32);
        tile.picture.fill(QColor(10, 200, 30));
        DensitySettings density;
        density.mode = ColouringMode::kDensity;
        density.gamma = 3.5;
        const Result<QString> kept = saveFavourite(folder.path(), tile, density);
        QVERIFY2(kept, kept ? "" : kept.error().c_str());
        QVERIFY(kept->endsWith(QStringLiteral("zephyrin-01-0000000000abcdef.png")));
        QImage plain(4, 4, QImage::Format_RGB32);
        QVERIFY(plain.save(folder.filePath(QStringLiteral("plain.png"))));
        QCOMPARE(favouriteFiles(folder.path()), QStringList{*kept});

        const Result<GalleryEntry> read = readFavourite(*kept);
        QVERIFY(read);
        QCOMPARE(read->file, *kept);
        QCOMPARE(read->picture.size(), QSize(kTileWidth, kTileHeight));
        QCOMPARE(read->picture.pixelColor(5, 5), QColor(10, 200, 30));
        QCOMPARE(read->record.formula, 1);
        QCOMPARE(read->record.af[12], 0.6);
        QCOMPARE(read->record.AAStart, 0.25);
        QCOMPARE(read->record.randomStart, kFalse);
        const Result<std::string> text = ReadEmbeddedParameters(kept->toStdString());
        QVERIFY(text);
        QCOMPARE(*text, entryParameters(tile, density));
    }

    void anUndrawnTileIsNotKept() {
        QTemporaryDir folder;
        QVERIFY(!saveFavourite(folder.path(), GalleryEntry{}, DensitySettings{}));
        QVERIFY(favouriteFiles(folder.path()).isEmpty());
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::GalleryPartsTest)
#include "gallery_parts_test.moc"
