// Save As and Load from parameter file, with the file dialogs answered by
// the test and every file in a temporary folder.
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "engine/file/param_file.h"
#include "imaging/image_formats.h"
#include "imaging/picture.h"
#include "qt_test_main.h"
#include "services/file_choosers.h"
#include "services/messages.h"
#include "view/picture_view.h"
#include "window_fixture.h"

namespace zephyrin::testing {

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The first `lines` lines of a complete parameter file.
QByteArray Truncated(const QByteArray& text, int lines) {
    const QList<QByteArray> all = text.split('\n');
    QByteArray result;
    for (int i = 0; i < lines; ++i) result += all[i] + '\n';
    return result;
}

}  // namespace

class WindowFilesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        messages.clear();
        questions.clear();
        answer = true;
        setMessageSink([this](const QString& text) { messages << text; });
        setQuestionHandler([this](const QString& text) {
            questions << text;
            return answer;
        });
    }
    void cleanup() {
        setMessageSink({});
        setQuestionHandler({});
        setFileChooser({});
    }

    void saveAsProposesTheNameAndWritesPictureAndParameters() {
        WindowFixture f;
        f.SetUp(f.child);
        FileRequest asked;
        setFileChooser([&](const FileRequest& request) {
            asked = request;
            return FileChoice{dir.filePath(QStringLiteral("flower")), 4};  // PNG, typed without extension
        });
        f.child->SaveAs1Click();
        QCOMPARE(asked.proposedName, QStringLiteral("zephyrin"));
        QCOMPARE(asked.filters.size(), 8);
        QCOMPARE(asked.filters[0], QStringLiteral("BMP - Bitmap (*.bmp)"));
        QCOMPARE(asked.filters[7], QStringLiteral("TIF - Tagged Image File Format (*.tif)"));
        const QString png = dir.filePath(QStringLiteral("flower.png"));
        QVERIFY(ReadAll(png).startsWith("\x89PNG"));
        QCOMPARE(f.child->windowTitle(), png);
        const QByteArray parameters = ReadAll(dir.filePath(QStringLiteral("flower.zpr")));
        QCOMPARE(parameters.count("\r\n"), 150);
        QVERIFY(parameters.startsWith("Zephyrin v1.000\r\n"));
        QVERIFY(messages.isEmpty());

        // The next Save As proposes the saved name and the format used last.
        f.child->SaveAs1Click();
        QCOMPARE(asked.proposedName, QStringLiteral("flower"));
        QCOMPARE(asked.filterIndex, 4);
    }

    void theExtensionDecidesTheFormat() {
        WindowFixture f;
        f.SetUp(f.child);
        setFileChooser([&](const FileRequest&) {
            return FileChoice{dir.filePath(QStringLiteral("f.jpg")), 0};
        });
        f.child->SaveAs1Click();
        QVERIFY(ReadAll(dir.filePath(QStringLiteral("f.jpg"))).startsWith("\xFF\xD8"));
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("f.zpr"))));

        // The format written is the one remembered, whatever filter was selected.
        FileRequest asked;
        setFileChooser([&](const FileRequest& request) {
            asked = request;
            return std::nullopt;
        });
        f.child->SaveAs1Click();
        QCOMPARE(asked.filterIndex, 1);
        f.NewWindow()->SaveAs1Click();
        QCOMPARE(asked.filterIndex, 1);
    }

    void cancellingTheGreyConversionWritesNothing() {
        WindowFixture f;
        f.SetUp(f.child);
        answer = false;
        setFileChooser([&](const FileRequest&) {
            return FileChoice{dir.filePath(QStringLiteral("g.pgm")), 3};
        });
        const QString caption = f.child->windowTitle();
        f.child->SaveAs1Click();
        QCOMPARE(questions.size(), 1);
        QVERIFY(questions[0].contains(QStringLiteral("Portable Graymap")));
        QVERIFY(questions[0].contains(QStringLiteral("(256 shades of gray)")));
        QCOMPARE(messages,
                 QStringList{QStringLiteral("The graphic cannot be saved with to a Portable Graymap file "
                                            "with the current color resolution (16.7 million colors)")});
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("g.pgm"))));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("g.zpr"))));
        QCOMPARE(f.child->windowTitle(), caption);

        answer = true;
        f.child->SaveAs1Click();
        QVERIFY(ReadAll(dir.filePath(QStringLiteral("g.pgm"))).startsWith("P5"));
    }

    void aFailedSaveChangesNothing() {
        WindowFixture f;
        f.SetUp(f.child);
        setFileChooser([&](const FileRequest&) {
            return FileChoice{dir.filePath(QStringLiteral("missing/folder/p.png")), 4};
        });
        const QString caption = f.child->windowTitle();
        f.child->SaveAs1Click();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("p.png")));
        QCOMPARE(f.child->windowTitle(), caption);
        setFileChooser([&](const FileRequest&) {
            return FileChoice{dir.filePath(QStringLiteral("p.xyz")), 4};
        });
        f.child->SaveAs1Click();
        QCOMPARE(messages.size(), 2);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("p.zpr"))));
    }

    void aSavedParameterFileLoadsBack_data() {
        QTest::addColumn<char>("separator");
        QTest::newRow("point") << '.';
        QTest::newRow("comma") << ',';
    }
    void aSavedParameterFileLoadsBack() {
        QFETCH(char, separator);
        WindowFixture f;
        f.SetUp(f.child);
        TMDIChild* source = f.child;
        source->document().v.formula = 63;
        source->document().v.zoom = 0.0123456789012345;
        source->document().v.red = -17;
        source->document().v.af[77] = -0.123456789012345;
        source->document().v.varBent = kTrue;
        source->document().effects.modulas = kTrue;
        const QString path = dir.filePath(QStringLiteral("loaded.zpr"));
        WriteAll(path, QByteArray::fromStdString(
                           WriteParameterText(source->document().v, source->document().effects, separator)));

        TMDIChild* target = f.NewWindow();
        f.frame.active = target;
        f.SetUp(target);
        QSignalSpy restarts(target->PGImage1, &PictureView::newAutoSize);
        f.RunDrawing([&] { QVERIFY(target->LoadFromParameterFile(path)); });
        QVERIFY(messages.isEmpty());
        QCOMPARE(restarts.count(), 1);
        QCOMPARE(target->document().v.formula, 63);
        QCOMPARE(target->document().v.zoom, 0.0123456789012345);
        QCOMPARE(target->document().v.red, -17.0);
        QCOMPARE(target->document().v.af[77], -0.123456789012345);
        QCOMPARE(target->document().v.af[1], source->document().v.af[1]);
        QCOMPARE(target->document().v.varBent, kTrue);
        QCOMPARE(target->document().effects.modulas, kTrue);
        QCOMPARE(target->document().v.randomStart, kFalse);
        QCOMPARE(target->document().v.AAStart, source->document().v.AAStart);
        QCOMPARE(target->windowTitle(), path);
        QCOMPARE(modeWord(), path);
        QCOMPARE(target->PGImage1->currentPicture()->Width(), 400);
    }

    void aShortFileShowsEachMessageOnceWithItsCount_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("times");
        QTest::newRow("100 lines") << 100 << 35;
        QTest::newRow("10 lines") << 10 << 124;
        QTest::newRow("134 lines") << 134 << 1;
    }
    void aShortFileShowsEachMessageOnceWithItsCount() {
        QFETCH(int, lines);
        QFETCH(int, times);
        WindowFixture f;
        f.SetUp(f.child);
        const QString path = dir.filePath(QStringLiteral("short.zpr"));
        const QByteArray full = QByteArray::fromStdString(
            WriteParameterText(f.child->document().v, f.child->document().effects, '.'));
        WriteAll(path, Truncated(full, lines));
        f.RunDrawing([&] { f.child->LoadFromParameterFile(path); });
        const QString missing =
            QStringLiteral("Missing variable in parameter file: ") + path + QStringLiteral(" using defaults");
        QCOMPARE(messages,
                 QStringList{times == 1 ? missing : missing + QStringLiteral(" (%1 times)").arg(times)});
        QCOMPARE(f.child->document().v.startX, 5.0);
    }

    void aWordInANumberLineStopsReadingButStillDraws() {
        WindowFixture f;
        f.SetUp(f.child);
        const double intensity = f.child->document().v.intensity;
        const QString path = dir.filePath(QStringLiteral("word.zpr"));
        QList<QByteArray> lines =
            QByteArray::fromStdString(WriteParameterText(f.child->document().v, Effects{}, '.')).split('\n');
        lines[1] = "12\r";       // formula 12
        lines[10] = "bright\r";  // intensity
        WriteAll(path, lines.join('\n'));
        QSignalSpy restarts(f.child->PGImage1, &PictureView::newAutoSize);
        f.RunDrawing([&] { f.child->LoadFromParameterFile(path); });
        QCOMPARE(messages,
                 QStringList{QStringLiteral("Error reading parameter file \"%1\", line 11").arg(path)});
        QCOMPARE(f.child->document().v.formula, 12);
        QCOMPARE(f.child->document().v.intensity, intensity);
        QCOMPARE(restarts.count(), 1);
    }

    // A relative gradient path is the parameter file's folder's; saved, the
    // gradient goes inside the parameters and draws again without its file.
    void theGradientTravelsWithTheParameters() {
        WindowFixture f;
        f.SetUp(f.child);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QString gradient = dir.filePath(QStringLiteral("sub/dusk.ggr"));
        WriteAll(gradient, "GIMP Gradient\n1\n0 0.5 1 0 0 0 1 1 0.5 0 1 0 0\n");
        const QString old = dir.filePath(QStringLiteral("sub/old.zpr"));
        WriteAll(old, QByteArray::fromStdString(WriteParameterText(f.child->document().v, Effects{}, '.')) +
                          "density=1\r\ngradient=dusk.ggr\r\n");
        f.RunDrawing([&] { QVERIFY(f.child->LoadFromParameterFile(old)); });
        QCOMPARE(messages, QStringList{});
        QCOMPARE(QString::fromStdString(f.child->document().density().gradient), gradient);
        QVERIFY(f.child->document().density().carried);

        QVERIFY(QFile::remove(gradient));
        setFileChooser([&](const FileRequest&) {
            return FileChoice{dir.filePath(QStringLiteral("d.png")), 4};
        });
        f.child->SaveAs1Click();
        QVERIFY(ReadAll(dir.filePath(QStringLiteral("d.zpr"))).contains("\r\ngradient.segments=1\r\n"));
        TMDIChild* again = f.NewWindow();
        f.frame.active = again;
        f.SetUp(again);
        f.RunDrawing([&] { QVERIFY(again->LoadFromParameterFile(dir.filePath(QStringLiteral("d.png")))); });
        QCOMPARE(messages, QStringList{});
        QCOMPARE(again->document().density(), f.child->document().density());
    }

    void aMissingFileLeavesThePictureAndTheDrawingAlone() {
        WindowFixture f;
        f.SetUp(f.child);
        const Picture* picture = f.child->PGImage1->currentPicture();
        const QString caption = f.child->windowTitle();
        QVERIFY(!f.child->LoadFromParameterFile(dir.filePath(QStringLiteral("none.zpr"))));
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("none.zpr")));
        QCOMPARE(f.child->PGImage1->currentPicture(), picture);
        QCOMPARE(f.child->windowTitle(), caption);
    }

private:
    QTemporaryDir dir;
    QStringList messages;
    QStringList questions;
    bool answer = true;
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::WindowFilesTest)
#include "window_files_test.moc"
