#include <QTest>
#include <limits>

#include "dialogs/spin_edit.h"

using zephyrin::SpinEdit;

class SpinEditTest : public QObject {
    Q_OBJECT

private slots:
    // Without a range any value survives a write and a read, rounded to the decimals shown.
    void keepsAnyValue_data() {
        QTest::addColumn<double>("written");
        QTest::addColumn<double>("read");
        constexpr double kMax = std::numeric_limits<double>::max();
        QTest::newRow("1e300") << 1e300 << 1e300;
        QTest::newRow("lowest") << -kMax << -kMax;
        QTest::newRow("tenth decimal down") << 0.1234567894 << 0.123456789;
        QTest::newRow("tenth decimal up") << -2.7182818286 << -2.718281829;
    }
    void keepsAnyValue() {
        QFETCH(double, written);
        QFETCH(double, read);
        SpinEdit spin(9, 0.001, nullptr);
        spin.setValue(written);
        QCOMPARE(spin.textValue(), read);
    }

    // A half-typed field reads as 0, although value() still holds the last complete number.
    void unparsableTextReadsAsZero_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("cleared") << QString();
        QTest::newRow("sign only") << QStringLiteral("-");
    }
    void unparsableTextReadsAsZero() {
        QFETCH(QString, typed);
        SpinEdit spin(9, 0.001, nullptr);
        spin.setValue(7.25);
        spin.selectAll();
        QTest::keyClick(&spin, Qt::Key_Backspace);
        QTest::keyClicks(&spin, typed);
        QCOMPARE(spin.value(), 7.25);
        QCOMPARE(spin.textValue(), 0.0);
    }

    // Picture sizes arrive as reals and show as whole numbers.
    void wholeNumbers() {
        SpinEdit spin(0, 10, nullptr);
        spin.setValue(119.6);
        QCOMPARE(spin.text(), QStringLiteral("120"));
        spin.stepUp();
        QCOMPARE(spin.textValue(), 130.0);
    }
};

QTEST_MAIN(SpinEditTest)
#include "spin_edit_test.moc"
