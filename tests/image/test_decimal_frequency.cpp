#include "band_limits.h"
#include "decimal_arithmetic.h"
#include "frequency_check.h"

#include <QTest>
#include <cmath>
#include <limits>

// The MHz <-> 10 Hz conversions and the frequency check every cell edit and import goes through.
class DecimalFrequencyTest : public QObject {
    Q_OBJECT

private slots:
    void multiplyIsExactInDecimal_data();
    void multiplyIsExactInDecimal();
    void multiplyOfNonFiniteIsNonFinite();
    void leadingNumberReadsLikeAtof_data();
    void leadingNumberReadsLikeAtof();
    void truncationTreatsNegativeAndHugeAsAboveEveryLimit();
    void bandLimitsFromBandTexts();
    void frequencyCheck_data();
    void frequencyCheck();
    void everyRasterStepInsideTheBandIsAccepted();
};

void DecimalFrequencyTest::multiplyIsExactInDecimal_data() {
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("expected");
    QTest::newRow("136.00625 to count") << 136.00625 << 100000.0 << 13600625.0;
    QTest::newRow("count to 136.00625") << 13600625.0 << 0.00001 << 136.00625;
    QTest::newRow("136.0125 below in binary") << 136.0125 << 100000.0 << 13601250.0;
    QTest::newRow("145.125") << 145.125 << 100000.0 << 14512500.0;
    QTest::newRow("count to 145.125") << 14512500.0 << 0.00001 << 145.125;
    QTest::newRow("479.99375") << 479.99375 << 100000.0 << 47999375.0;
    QTest::newRow("negative") << -5.0 << 100000.0 << -500000.0;
    QTest::newRow("zero") << 0.0 << 100000.0 << 0.0;
    QTest::newRow("band integer") << 174.0 << 100000.0 << 17400000.0;
    // The 16th significant digit of an operand is dropped before multiplying.
    QTest::newRow("rounded to 15 digits") << 1.0000000000000002 << 3.0 << 3.0;
}

void DecimalFrequencyTest::multiplyIsExactInDecimal() {
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, expected);
    QCOMPARE(DecimalMultiply(a, b), expected); // bit-exact, not fuzzy
}

void DecimalFrequencyTest::multiplyOfNonFiniteIsNonFinite() {
    const double inf = std::numeric_limits<double>::infinity();
    QVERIFY(!std::isfinite(DecimalMultiply(inf, 100000.0)));
    QVERIFY(std::isnan(DecimalMultiply(std::nan(""), 100000.0)));
    QVERIFY(!std::isfinite(DecimalMultiply(1e300, 1e300)));
}

void DecimalFrequencyTest::leadingNumberReadsLikeAtof_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "145.125" << 145.125;
    QTest::newRow("leading blanks") << "  \t145.5" << 145.5;
    QTest::newRow("trailing letters") << "145abc" << 145.0;
    QTest::newRow("not a number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("negative") << "-5" << -5.0;
    QTest::newRow("exponent") << "1e30" << 1e30;
    QTest::newRow("comma is not a decimal point") << "145,125" << 145.0;
}

void DecimalFrequencyTest::leadingNumberReadsLikeAtof() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(LeadingNumber(text.toStdString()), expected);
}

void DecimalFrequencyTest::truncationTreatsNegativeAndHugeAsAboveEveryLimit() {
    QCOMPARE(TruncateToCount(13600625.9), 13600625u);
    QCOMPARE(TruncateToCount(-500000.0), std::uint32_t(-500000));
    QCOMPARE(TruncateToCount(-0.5), 0u);
    QCOMPARE(TruncateToCount(1e35), 0xFFFFFFFFu);
    QCOMPARE(TruncateToCount(-1e35), 0xFFFFFFFFu);
    QCOMPARE(TruncateToCount(std::numeric_limits<double>::infinity()), 0xFFFFFFFFu);
    QCOMPARE(TruncateToCount(std::nan("")), 0xFFFFFFFFu);
}

void DecimalFrequencyTest::bandLimitsFromBandTexts() {
    SetBandLimits(QStringLiteral("400 - 480MHz"));
    QCOMPARE(g_bandLow, 40000000u);
    QCOMPARE(g_bandHigh, 48000000u);
    SetBandLimits(QStringLiteral("136 - 174MHz"));
    QCOMPARE(g_bandLow, 13600000u);
    QCOMPARE(g_bandHigh, 17400000u);
    SetBandLimits(QStringLiteral("no band"));
    QCOMPARE(g_bandLow, 0u);
    QCOMPARE(g_bandHigh, 0u);
    SetBandLimits(QStringLiteral("136 - "));
    QCOMPARE(g_bandLow, 13600000u);
    QCOMPARE(g_bandHigh, 0u);
    SetBandLimits(QStringLiteral("136-174MHz"));
    QCOMPARE(g_bandHigh, 17400000u);
    // Digits beyond int range must not overflow; the limits end up out of reach.
    SetBandLimits(QStringLiteral("99999999999999999999 - 99999999999999999999MHz"));
    QCOMPARE(g_bandLow, 0xFFFFFFFFu);
}

void DecimalFrequencyTest::frequencyCheck_data() {
    using V = FrequencyCheck::Verdict;
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<QString>("display");
    QTest::newRow("lower edge") << "136" << int(V::Accepted) << "136.00000";
    QTest::newRow("upper edge") << "174" << int(V::Accepted) << "174.00000";
    QTest::newRow("above upper edge") << "174.00625" << int(V::OutOfRange) << "174.00625";
    QTest::newRow("below lower edge") << "135.99375" << int(V::OutOfRange) << "135.99375";
    QTest::newRow("off raster") << "145.0031" << int(V::OffRaster) << "145.00310";
    QTest::newRow("6.25k step") << "145.00625" << int(V::Accepted) << "145.00625";
    QTest::newRow("5k step") << "145.005" << int(V::Accepted) << "145.00500";
    QTest::newRow("binary rounding") << "136.0125" << int(V::Accepted) << "136.01250";
    QTest::newRow("trailing letters") << "145abc" << int(V::Accepted) << "145.00000";
    QTest::newRow("negative") << "-5" << int(V::OutOfRange) << "-5.00000";
    QTest::newRow("not a number") << "abc" << int(V::OutOfRange) << "0.00000";
    QTest::newRow("empty") << "" << int(V::OutOfRange) << "0.00000";
    QTest::newRow("infinity") << "inf" << int(V::OutOfRange) << "inf";
    QTest::newRow("nan") << "nan" << int(V::OutOfRange) << "nan";
    QTest::newRow("huge") << "1e30" << int(V::OutOfRange) << QString();
    // 2^32 + 14500000 steps: a count taken modulo 2^32 would land on 145 MHz.
    QTest::newRow("beyond 32 bits") << "43094.67296" << int(V::OutOfRange) << "43094.67296";
}

void DecimalFrequencyTest::frequencyCheck() {
    QFETCH(QString, text);
    QFETCH(int, verdict);
    QFETCH(QString, display);
    const FrequencyCheck check = CheckFrequency(text, 13600000, 17400000);
    QCOMPARE(int(check.verdict), verdict);
    if (!display.isNull()) {
        QCOMPARE(check.display, display);
    }
    QCOMPARE(check.message().isEmpty(), check.accepted());
    if (check.verdict == FrequencyCheck::Verdict::OutOfRange) {
        QCOMPARE(check.message(), QStringLiteral("超出范围"));
    } else if (check.verdict == FrequencyCheck::Verdict::OffRaster) {
        QCOMPARE(check.message(), QStringLiteral("请输入5k/6.25k的倍数"));
    }
}

void DecimalFrequencyTest::everyRasterStepInsideTheBandIsAccepted() {
    // Every 6.25 kHz and 5 kHz step of both bands, typed with five decimals, passes and shows
    // itself: plain double arithmetic would refuse some of them.
    const std::uint32_t bands[2][2] = {{13600000, 17400000}, {40000000, 48000000}};
    for (const auto& band : bands) {
        for (std::uint32_t step : {625u, 500u}) {
            for (std::uint32_t count = band[0]; count <= band[1]; count += step) {
                const QString text = QString::asprintf("%u.%05u", count / 100000, count % 100000);
                const FrequencyCheck check = CheckFrequency(text, band[0], band[1]);
                if (!check.accepted() || check.count != count || check.display != text) {
                    QFAIL(qPrintable(QStringLiteral("refused or changed: ") + text));
                }
            }
        }
    }
}

QTEST_APPLESS_MAIN(DecimalFrequencyTest)
#include "test_decimal_frequency.moc"
