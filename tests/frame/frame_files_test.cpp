// Files in the frame: opening pictures, with or without their parameter
// files, from the menu and the command line, and the choices remembered from
// one run to the next.
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <utility>

#include "dialogs/parameters_dialog.h"
#include "engine/file/counts_file.h"
#include "engine/file/param_file.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "imaging/image_file.h"
#include "imaging/image_formats.h"
#include "imaging/picture.h"
#include "program_fixture.h"
#include "qt_test_main.h"
#include "services/file_choosers.h"
#include "services/messages.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "view/picture_view.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

class FrameFilesTest : public QObject {
    Q_OBJECT

private slots:
    void openShowsTheImageAtItsSizeAndDrawsNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shell.png"));
        QImage image(123, 45, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        image.setPixel(122, 44, qRgb(200, 150, 100));
        QVERIFY(image.save(path));
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        QStringList filters;
        setFileChooser([&](const FileRequest& request) {
            filters = request.filters;
            return FileChoice{path, 2};
        });
        program.MainForm->FileOpenItemClick();
        setFileChooser({});
        // Every format the program saves, together and one by one.
        QCOMPARE(filters.size(), 9);
        for (const char* pattern : {"*.bmp", "*.jpg", "*.pbm", "*.pgm", "*.png", "*.ppm", "*.tga", "*.tif"})
            QVERIFY(filters[0].contains(QLatin1String(pattern)));
        TMDIChild* child = program.MainForm->activeChild();
        QCOMPARE(child->windowTitle(), path);
        QTRY_COMPARE(child->setupPending, kFalse);
        const Picture* shown = child->PGImage1->currentPicture();
        QCOMPARE(shown->Width(), 123);
        QCOMPARE(shown->Height(), 45);
        QCOMPARE(shown->Pixel(122, 44), Picture::Pack(200, 150, 100));
        QCOMPARE(child->document().v.listWidth, 123);
        QCOMPARE(program.engine.Depth(), 0);
        // A drawing started later uses the image's size.
        When([&] { return program.engine.Depth() > 0; }, [&] { program.MainForm->StopButtonClick(); });
        child->DrawClick(63);
        QCOMPARE(child->PGImage1->currentPicture()->Width(), 123);
    }

    // The image stays on show with its parameters loaded; Apply draws it again.
    void openWithAParameterFileBesideLoadsItsParameters() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("shell.png"));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(qRgb(9, 8, 7));
        QVERIFY(image.save(path));
        TFractalRec saved;
        saved.formula = 14;
        saved.zoom = 0.05;
        QFile zpr(dir.filePath(QStringLiteral("shell.zpr")));
        QVERIFY(zpr.open(QIODevice::WriteOnly));
        zpr.write(QByteArray::fromStdString(WriteParameterText(saved, Effects{}, '.')));
        zpr.close();
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        setFileChooser([&](const FileRequest&) { return FileChoice{path, 0}; });
        program.MainForm->FileOpenItemClick();
        setFileChooser({});
        TMDIChild* child = program.MainForm->activeChild();
        QTRY_COMPARE(child->setupPending, kFalse);
        QCOMPARE(program.engine.Depth(), 0);
        QCOMPARE(child->PGImage1->currentPicture()->Pixel(0, 0), Picture::Pack(9, 8, 7));
        QCOMPARE(child->document().v.formula, 14);
        QCOMPARE(child->document().v.zoom, 0.05);
        QCOMPARE(child->windowTitle(), path);

        int depth = 0;
        program.MainForm->ApplyButtonClick();
        When([&] { return program.engine.Depth() > 0; },
             [&] {
                 depth = program.engine.Depth();
                 program.MainForm->StopButtonClick();
             });
        QTRY_VERIFY_WITH_TIMEOUT(depth != 0, 30000);
        QCOMPARE(child->document().v.formula, 14);
        QCOMPARE(child->PGImage1->currentPicture()->Width(), 64);
    }

    // Qt's own limit would refuse this; the program draws pictures this large.
    void openTakesAnImageLargerThanQtsDefaultLimit() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("large.png"));
        // 144 MB as 32-bit pixels, above Qt's 128 MB.
        QImage image(6000, 6000, QImage::Format_RGB32);
        image.fill(Qt::black);
        QVERIFY(image.save(path));
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        QVERIFY(program.MainForm->openImage(path));
        TMDIChild* child = program.MainForm->activeChild();
        QTRY_COMPARE(child->setupPending, kFalse);
        QCOMPARE(child->PGImage1->currentPicture()->Width(), 6000);
    }

    // Save Counts... and Continue wait for a drawing with counts, stopped; the
    // file saved opens in a window that tells its iterations and goes on.
    void countsSavedFromTheMenuOpenAndGoOn() {
        QTemporaryDir dir;
        ProgramWithWindow p;
        QAction* save = p.program.MainForm->item(QStringLiteral("SaveCounts1"));
        QAction* goOn = p.program.MainForm->item(QStringLiteral("Continue1"));
        QVERIFY(!save->isEnabled());
        bool enabledWhileDrawing = true;
        When([&] { return p.child->document().v.iterations > 0; },
             [&] {
                 enabledWhileDrawing = goOn->isEnabled();
                 p.program.MainForm->StopButtonClick();
             });
        setModeWord(kModeNew);
        p.child->FormPaint();
        QVERIFY(!enabledWhileDrawing);
        QVERIFY(goOn->isEnabled());
        setFileChooser([&](const FileRequest&) {
            return FileChoice{dir.filePath(QStringLiteral("poster")), 0};
        });
        save->trigger();
        setFileChooser({});
        const QString path = dir.filePath(QStringLiteral("poster.tif"));
        QVERIFY(IsCountsFile(path.toStdString()));

        TMDIChild* opened = p.program.MainForm->openImage(path);
        QVERIFY(opened);
        QTRY_COMPARE(opened->setupPending, kFalse);
        const std::int64_t held = opened->document().heldIterations();
        QCOMPARE(held, p.child->document().heldIterations());
        const auto* counts =
            p.program.MainForm->statusBar()->findChild<QLabel*>(QStringLiteral("CountsHeld"));
        QCOMPARE(counts->text(), QStringLiteral("%L1 iterations in the counts").arg(held));
        When([&] { return opened->document().heldIterations() > held; },
             [&] { p.program.MainForm->StopButtonClick(); });
        goOn->trigger();
        QVERIFY(opened->document().heldIterations() > held);
    }

    // Every format Save As writes opens again at its size.
    void openReadsEveryFormatTheProgramSaves_data() {
        QTest::addColumn<QString>("extension");
        for (const ImageFormatInfo& format : ImageFormats())
            QTest::newRow(format.extension.data()) << QString::fromLatin1(format.extension.data());
    }
    void openReadsEveryFormatTheProgramSaves() {
        QFETCH(QString, extension);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("saved.") + extension);
        Picture picture(37, 21);
        picture.Fill(Picture::Pack(255, 255, 255));
        QVERIFY(SaveImage(picture, path.toStdString(), ColourChange::kAgreed));
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        TMDIChild* child = program.MainForm->openImage(path);
        QVERIFY(child);
        QTRY_COMPARE(child->setupPending, kFalse);
        QCOMPARE(child->PGImage1->currentPicture()->Width(), 37);
        QCOMPARE(child->PGImage1->currentPicture()->Height(), 21);
    }

    // A file dialog opens where the last one of its subject chose a file:
    // pictures are opened and saved in one folder, gradients loaded from
    // another.
    void fileDialogsOpenInTheFolderLastUsed() {
        QTemporaryDir pictures, gradients;
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        QStringList folders;
        QString answer;
        setFileChooser([&](const FileRequest& request) -> std::optional<FileChoice> {
            folders << request.folder;
            if (answer.isEmpty()) return std::nullopt;
            return FileChoice{std::exchange(answer, QString()), 0};
        });
        setMessageSink([](const QString&) {});  // the gradient file is not there
        FileRequest save;
        save.kind = FileRequest::Kind::kSave;
        answer = pictures.filePath(QStringLiteral("typed.png"));
        chooseFile(nullptr, save);
        answer = gradients.filePath(QStringLiteral("g.ggr"));
        program.MainForm->loadGradient();
        program.MainForm->FileOpenItemClick();
        program.MainForm->loadGradient();
        setMessageSink({});
        setFileChooser({});
        QCOMPARE(folders.size(), 4);
        QCOMPARE(folders[2], pictures.path());
        QCOMPARE(folders[3], gradients.path());
    }

    // Each window keeps the size that shows its picture, one title bar apart.
    void cascadeKeepsTheWindowsSizes() {
        QTemporaryDir dir;
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        program.MainForm->resize(1200, 900);
        program.MainForm->show();
        QList<TMDIChild*> windows;
        for (const QSize& size : {QSize(300, 200), QSize(220, 160)}) {
            const QString path = dir.filePath(QStringLiteral("%1.png").arg(size.width()));
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::black);
            QVERIFY(image.save(path));
            windows << program.MainForm->openImage(path);
            QTRY_COMPARE(windows.last()->setupPending, kFalse);
        }
        const QSize first = windows[0]->size(), second = windows[1]->size();
        program.MainForm->WindowCascadeItemClick();
        QCOMPARE(windows[0]->size(), first);
        QCOMPARE(windows[1]->size(), second);
        QVERIFY(windows[1]->pos().y() > windows[0]->pos().y());
    }

    void openRefusesAFileThatIsNoImage() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fake.png"));
        QFile fake(path);
        QVERIFY(fake.open(QIODevice::WriteOnly));
        fake.write("not an image");
        fake.close();
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        setFileChooser([&](const FileRequest&) { return FileChoice{path, 0}; });
        program.MainForm->FileOpenItemClick();
        setFileChooser({});
        setMessageSink({});
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("fake.png")));
        QCOMPARE(program.MainForm->attractorWindows().size(), 0);
    }

    // zephyrin FILE...: each readable file in a window of its own, the others
    // reported, and no blank window besides.
    void filesFromTheCommandLineOpenInWindowsOfTheirOwn() {
        QTemporaryDir dir;
        TFractalRec saved;
        saved.formula = 14;
        saved.zoom = 0.05;
        const QString parameters = dir.filePath(QStringLiteral("saved.zpr"));
        QFile zpr(parameters);
        QVERIFY(zpr.open(QIODevice::WriteOnly));
        zpr.write(QByteArray::fromStdString(WriteParameterText(saved, Effects{}, '.')));
        zpr.close();
        const QString image = dir.filePath(QStringLiteral("shell.png"));
        QVERIFY(QImage(64, 48, QImage::Format_RGB32).save(image));
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        Program program;
        program.MainForm->openFiles({parameters, dir.filePath(QStringLiteral("missing.zpr")), image});
        setMessageSink({});
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].contains(QStringLiteral("missing.zpr")));
        const QList<TMDIChild*> windows = program.MainForm->attractorWindows();
        QCOMPARE(windows.size(), 2);
        int formula = 0;
        When([&] { return program.engine.Depth() > 0; },
             [&] {
                 formula = windows[0]->document().v.formula;
                 program.MainForm->StopButtonClick();
                 program.engine.StopCurrent();
             });
        QTRY_VERIFY_WITH_TIMEOUT(formula != 0, 30000);
        QCOMPARE(formula, 14);
        QCOMPARE(windows[1]->windowTitle(), image);
        QCOMPARE(program.MainForm->attractorWindows().size(), 2);
    }

    // Where the frame and a tool window were, and the folder used last, come
    // back in the next run.
    void choicesSurviveARestart() {
        QTemporaryDir dir;
        const QRect frame(60, 50, 700, 500);
        {
            Program program;
            program.MainForm->Timer1()->setEnabled(false);
            program.show();
            program.MainForm->setGeometry(frame);
            program.Form4->show();
            program.Form4->move(250, 140);
            setFileChooser([&](const FileRequest&) {
                return FileChoice{dir.filePath(QStringLiteral("a.zpr")), 0};
            });
            chooseFile(nullptr, FileRequest{});
            setFileChooser({});
            program.MainForm->close();
        }
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        program.show();
        QCOMPARE(program.MainForm->geometry(), frame);
        program.Form4->show();
        QCOMPARE(program.Form4->pos(), QPoint(250, 140));
        QString folder;
        setFileChooser([&](const FileRequest& request) {
            folder = request.folder;
            return std::nullopt;
        });
        chooseFile(nullptr, FileRequest{});
        setFileChooser({});
        QCOMPARE(folder, dir.path());
    }

    // A settings file that cannot be read gives the first run's choices, silently.
    void aDamagedSettingsFileGivesTheDefaults() {
        const QString path = QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zephyrin"),
                                       QStringLiteral("Zephyrin"))
                                 .fileName();
        QFile damaged(path);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write("[frame]\ngeometry=@ByteArray(\x01\x02\n[[[\n\xff\xfe");
        damaged.close();
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        program.show();
        program.Form4->show();
        setMessageSink({});
        QVERIFY(messages.isEmpty());
        QVERIFY(program.MainForm->isVisible());
        QVERIFY(program.MainForm->screen()->availableGeometry().contains(program.Form4->frameGeometry()));
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::FrameFilesTest)

#include "frame_files_test.moc"
