// Edit > Copy Parameters and Paste Parameters through the clipboard.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "engine/core/defaults.h"
#include "engine/file/param_file.h"
#include "frame/main_form.h"
#include "frame/program.h"
#include "gallery/parameters_clipboard.h"
#include "imaging/image_file.h"
#include "qt_test_main.h"
#include "services/messages.h"
#include "services/one_shot_timer.h"
#include "window/tmdi_child.h"

namespace zephyrin::testing {

namespace {

// A new window's record with values no random start would give.
void setRecognisable(TFractalRec& v) {
    v = NewWindowRecord(400, 300);
    v.formula = 2;
    v.randomStart = kFalse;
    for (int i = 1; i <= 18; ++i) v.af[i] = 0.05 * i - 0.4;
    v.AAStart = 0.375;
}

// Pastes, then checks the window the paste opened from inside its first drawing.
void pasteAndCheck(TMainForm& frame, const std::function<void(TMDIChild&)>& check) {
    const int before = static_cast<int>(frame.attractorWindows().size());
    frame.pasteParameters();
    QCOMPARE(frame.attractorWindows().size(), before + 1);
    TMDIChild& child = *frame.attractorWindows().back();
    QStringList messages;
    setMessageSink([&](const QString& text) { messages << text; });
    bool checked = false;
    QTimer::singleShot(1000, [&] {
        checked = true;
        frame.StopButtonClick();
        check(child);
    });
    QTRY_VERIFY_WITH_TIMEOUT(checked, 20000);
    QCOMPARE(messages, QStringList{});
}

}  // namespace

class ParametersClipboardTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { setMessageSink({}); }

    void copiedTextPastesIntoANewWindow() {
        Program program;
        TMainForm& frame = *program.MainForm;
        frame.Timer1()->setEnabled(false);
        frame.FileNewItemClick();
        TMDIChild& source = *frame.activeChild();
        source.Timer1->setEnabled(false);
        setRecognisable(source.document().v);
        source.findChild<QAction*>(QStringLiteral("CopyParameters"))->trigger();
        const QString text = QApplication::clipboard()->text();
        QVERIFY(text.startsWith(QStringLiteral("Zephyrin v1.000\r\n")));
        QCOMPARE(text.count(QStringLiteral("\r\n")), 150);
        pasteAndCheck(frame, [&](TMDIChild& pasted) {
            QCOMPARE(pasted.document().v.formula, 2);
            QCOMPARE(pasted.document().v.af[18], 0.5);
            QCOMPARE(pasted.document().v.AAStart, 0.375);
        });
    }

    // A file URL of a PNG saved with parameters, as a file manager copies it.
    void aPictureFileWithParametersPastes() {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("kept.png"));
        TFractalRec v;
        setRecognisable(v);
        Picture picture(8, 6);
        QVERIFY(SaveImage(picture, path.toStdString(), ColourChange::kAgreed,
                          WriteParameterText(v, Effects{}, '.')));
        Program program;
        TMainForm& frame = *program.MainForm;
        frame.Timer1()->setEnabled(false);
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path)});
        QApplication::clipboard()->setMimeData(data);
        pasteAndCheck(frame, [&](TMDIChild& pasted) {
            QCOMPARE(pasted.pictureName, path);
            QCOMPARE(pasted.document().v.formula, 2);
            QCOMPARE(pasted.document().v.af[1], -0.35);
        });
    }

    void whatHoldsNoParametersOpensNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("an image") << "image";
        QTest::newRow("other text") << "text";
        QTest::newRow("a picture without parameters") << "file";
    }
    void whatHoldsNoParametersOpensNothing() {
        QFETCH(QString, kind);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("plain.png"));
        QVERIFY(SaveImage(Picture(4, 4), path.toStdString(), ColourChange::kAgreed));
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        if (kind == QLatin1String("image")) QApplication::clipboard()->setImage(image);
        if (kind == QLatin1String("text")) QApplication::clipboard()->setText(QStringLiteral("Zephyr"));
        if (kind == QLatin1String("file"))
            QApplication::clipboard()->setText(QUrl::fromLocalFile(path).toString());
        QStringList messages;
        setMessageSink([&](const QString& text) { messages << text; });
        Program program;
        program.MainForm->Timer1()->setEnabled(false);
        program.MainForm->pasteParameters();
        QVERIFY(program.MainForm->attractorWindows().isEmpty());
        QCOMPARE(messages.size(), 1);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::ParametersClipboardTest)
#include "parameters_clipboard_test.moc"
