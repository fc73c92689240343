// What the program-wide services promise the windows and the frame.
#include <QLocale>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <chrono>

#include "qt_test_main.h"
#include "services/event_pump.h"
#include "services/file_choosers.h"
#include "services/locale_format.h"
#include "services/messages.h"
#include "services/mode_word.h"
#include "services/one_shot_timer.h"
#include "services/settings.h"

namespace zephyrin::testing {

namespace {

// The time the pump under test reads.
EventPump::Clock::time_point fakeNow;
EventPump::Clock::time_point FakeClock() {
    return fakeNow;
}

}  // namespace

class ServicesTest : public QObject {
    Q_OBJECT

private slots:
    void messagesAndErrorsReachTheSinkInOrder() {
        QStringList seen;
        setMessageSink([&](const QString& text) { seen << text; });
        ShowMessage(QStringLiteral("there is nothing selected"));
        showError(QStringLiteral("Cannot open"));
        setMessageSink({});
        QCOMPARE(seen, (QStringList{"there is nothing selected", "Cannot open"}));
    }

    // Without anyone to answer, a captured question is the safe "Cancel".
    void aQuestionIsAnsweredByItsHandlerElseCancelled() {
        QStringList seen;
        setMessageSink([&](const QString& text) { seen << text; });
        QVERIFY(!askOkCancel(QStringLiteral("Replace?")));
        QCOMPARE(seen, QStringList{"Replace?"});
        setQuestionHandler([](const QString&) { return true; });
        QVERIFY(askOkCancel(QStringLiteral("Replace?")));
        QCOMPARE(seen.size(), 1);
        setQuestionHandler({});
        setMessageSink({});
    }

    void aRememberedValueComesBackAndAWrongOneGivesTheFallback() {
        remember(kSaveFormatKey, QStringLiteral("png"));
        QCOMPARE(rememberedValue(kSaveFormatKey, QStringLiteral("bmp")).toString(), QStringLiteral("png"));
        QCOMPARE(rememberedValue(QStringLiteral("never/written"), 7).toInt(), 7);
        remember(kBrightnessKey, QStringLiteral("bright"));  // as a hand-edited file would hold it
        QCOMPARE(rememberedValue(kBrightnessKey, 4.0).toDouble(), 4.0);
        remember(kBrightnessKey, 2.5);
        QCOMPARE(rememberedValue(kBrightnessKey, 4.0).toDouble(), 2.5);
    }

    // Each subject opens where its last choice was; a cancelled dialog
    // moves nothing.
    void aFileDialogOpensInTheFolderOfItsSubjectsLastChoice() {
        QTemporaryDir pictures, gradients;
        QStringList folders;
        std::optional<FileChoice> answer;
        setFileChooser([&](const FileRequest& request) {
            folders << request.folder;
            return answer;
        });
        FileRequest picture;
        FileRequest gradient;
        gradient.subject = FileRequest::Subject::kGradients;
        answer = FileChoice{pictures.filePath(QStringLiteral("a.png")), 0};
        QCOMPARE(chooseFile(nullptr, picture)->path, answer->path);
        answer = FileChoice{gradients.filePath(QStringLiteral("g.ggr")), 0};
        QVERIFY(chooseFile(nullptr, gradient));
        answer = std::nullopt;
        QVERIFY(!chooseFile(nullptr, picture));
        QVERIFY(!chooseFile(nullptr, picture));
        QVERIFY(!chooseFile(nullptr, gradient));
        setFileChooser({});
        QCOMPARE(folders.mid(2), (QStringList{pictures.path(), pictures.path(), gradients.path()}));
    }

    // Events wait for the clock to be read, every kCallsPerClockRead calls,
    // and then for kPeriod to have passed since the last dispatch.
    void thePumpDispatchesOnlyAtAClockReadAfterAPeriod() {
        fakeNow = EventPump::Clock::time_point{};
        EventPump pump(&FakeClock);
        int delivered = 0;
        const auto post = [&] {
            QMetaObject::invokeMethod(
                this, [&] { ++delivered; }, Qt::QueuedConnection);
        };
        const auto pumpTimes = [&](std::uint32_t calls) {
            for (std::uint32_t i = 0; i < calls; ++i) pump.pump();
        };
        post();
        pumpTimes(EventPump::kCallsPerClockRead);
        QCOMPARE(delivered, 0);  // read at once: no period has passed
        fakeNow += EventPump::kPeriod;
        pumpTimes(EventPump::kCallsPerClockRead - 1);
        QCOMPARE(delivered, 0);
        pump.pump();
        QCOMPARE(delivered, 1);
        post();
        fakeNow += EventPump::kPeriod - std::chrono::microseconds(1);
        pumpTimes(EventPump::kCallsPerClockRead);
        QCOMPARE(delivered, 1);
        fakeNow += std::chrono::microseconds(1);
        pumpTimes(EventPump::kCallsPerClockRead);
        QCOMPARE(delivered, 2);
    }

    // Any number of enablings within a period give one tick, which finds
    // the timer disabled and may enable it again for the next.
    void aOneShotTimerTicksOncePerEnablingAndCanBeReArmedFromItsTick() {
        OneShotTimer timer(1, nullptr);
        QSignalSpy ticks(&timer, &OneShotTimer::tick);
        QList<bool> enabledInTick;
        connect(&timer, &OneShotTimer::tick, &timer, [&] {
            enabledInTick << timer.isEnabled();
            if (enabledInTick.size() == 1) timer.setEnabled(true);
        });
        timer.setEnabled(true);
        timer.setEnabled(true);
        QVERIFY(ticks.wait(10000));
        QTRY_COMPARE_WITH_TIMEOUT(ticks.count(), 2, 10000);
        QVERIFY(!timer.isEnabled());  // so no third tick can come
        QCOMPARE(enabledInTick, (QList<bool>{false, false}));
    }

    void theModeWordsAreTheFramesTexts() {
        QCOMPARE(kModeNew, QStringLiteral("NEW"));
        QCOMPARE(kModeRunning, QStringLiteral("zephyrin "));  // with its blank
        setModeWord(QStringLiteral("REDUCE311"));
        QCOMPARE(modeWord(), QStringLiteral("REDUCE311"));
    }

    void theDecimalSeparatorIsThePointOrTheComma_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<char>("separator");
        QTest::newRow("English") << QStringLiteral("en_GB") << '.';
        QTest::newRow("German") << QStringLiteral("de_DE") << ',';
        QTest::newRow("Arabic, neither") << QStringLiteral("ar_EG") << '.';
    }
    void theDecimalSeparatorIsThePointOrTheComma() {
        QFETCH(QString, locale);
        QFETCH(char, separator);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        const char found = localeDecimalSeparator();
        QLocale::setDefault(before);
        QCOMPARE(found, separator);
    }
};

}  // namespace zephyrin::testing

ZEPHYRIN_QTEST_MAIN(zephyrin::testing::ServicesTest)

#include "services_test.moc"
