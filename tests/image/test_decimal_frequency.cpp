#include "band_limits.h"
#include "decimal_arithmetic.h"
#include "frequency_check.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cstdlib>
#include <limits>

namespace {

// Switches LC_NUMERIC to a locale whose decimal mark is a comma for as long as it lives: German
// number rules alone, made with localedef into a temporary directory (a whole de_DE.UTF-8 takes
// seconds to build), or a locale the system has.
class CommaLocale {
public:
    CommaLocale() : m_previous(std::setlocale(LC_NUMERIC, nullptr)) {
        QFile source(m_dir.filePath("numbers"));
        if (m_dir.isValid() && source.open(QIODevice::WriteOnly) &&
            source.write("LC_NUMERIC\ncopy \"de_DE\"\nEND LC_NUMERIC\n") > 0) {
            source.close();
            const QByteArray command = "localedef -c -i '" + source.fileName().toLocal8Bit() +
                                       "' -f ANSI_X3.4-1968 '" +
                                       m_dir.filePath("comma").toLocal8Bit() + "' >/dev/null 2>&1";
            if (std::system(command.constData()) >= 0) {
                qputenv("LOCPATH", m_dir.path().toLocal8Bit());
            }
        }
        for (const char* name : {"comma", "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr &&
                *std::localeconv()->decimal_point == ',') {
                m_active = true;
                return;
            }
        }
        std::setlocale(LC_NUMERIC, m_previous.constData());
    }
    ~CommaLocale() {
        std::setlocale(LC_NUMERIC, m_previous.constData());
        qunsetenv("LOCPATH");
    }
    bool active() const { return m_active; }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_active = false;
};

} // namespace

// The MHz <-> 10 Hz conversions and the frequency check every cell edit and import goes through.
class DecimalFrequencyTest : public QObject {
    Q_OBJECT

private slots:
    // Exactness on frequencies, NaN and infinity are pinned through the frequency check below;
    // here what only the multiplication shows: the 16th significant digit of an operand is dropped
    // first, a count goes back to MHz exactly, and overflow is infinity.
    void multiplyIsExactInDecimal() {
        QCOMPARE(DecimalMultiply(1.0000000000000002, 3.0), 3.0);
        QCOMPARE(DecimalMultiply(13600625.0, 0.00001), 136.00625);
        QCOMPARE(DecimalMultiply(1e300, 1e300), std::numeric_limits<double>::infinity());
    }

    void bandLimitsFromBandTexts() {
        const QList<std::tuple<QString, std::uint32_t, std::uint32_t>> cases = {
            {"136 - 174MHz", 13600000u, 17400000u},
            {"no band", 0u, 0u},
            {"136 - ", 13600000u, 0u},
            {"136-174MHz", 13600000u, 17400000u},
            // Digits beyond int range must not overflow; the limits end up out of reach.
            {"99999999999999999999 - 99999999999999999999MHz", 0xFFFFFFFFu, 0xFFFFFFFFu}};
        for (const auto& [text, low, high] : cases) {
            const BandLimits limits = BandLimitsFromText(text);
            QCOMPARE(QList<std::uint32_t>({limits.low, limits.high}),
                     QList<std::uint32_t>({low, high}));
        }
    }

    // Text, verdict and what the cell then shows (null: not examined). Both band edges are inside;
    // only a plain decimal number is a frequency (a decimal comma, a unit, a sign, an exponent or a
    // NUL with digits after it are not); 43094.67296 is 2^32 + 14500000 steps, which a count taken
    // modulo 2^32 would land on 145 MHz. Digits below 10 Hz are dropped, never rounded up: the
    // display is the count that passed the raster check.
    void frequencyCheck() {
        using V = FrequencyCheck::Verdict;
        const QList<std::tuple<QString, V, QString>> cases = {
            {"136", V::Accepted, "136.00000"},
            {"174", V::Accepted, "174.00000"},
            {"174.00625", V::OutOfRange, "174.00625"},
            {"145.0031", V::OffRaster, "145.00310"},
            {"145.005", V::Accepted, "145.00500"},
            {"  \t145.5", V::Accepted, "145.50000"},
            {"146.0000051", V::Accepted, "146.00000"},
            {"145.00624999", V::OffRaster, "145.00624"},
            {"145,125", V::NotANumber, QString()},
            {"146.0 MHz", V::NotANumber, QString()},
            {QString::fromUtf8("145.125\0"
                               "999",
                               11),
             V::NotANumber, QString()},
            {"-5", V::NotANumber, QString()},
            {"", V::NotANumber, QString()},
            {"1e30", V::NotANumber, QString()},
            {"99999999999999999999", V::OutOfRange, QString()},
            {"43094.67296", V::OutOfRange, "43094.67296"}};
        const QString messages[] = {QString(), "超出范围", "请输入5k/6.25k的倍数", "请输入数字"};
        for (const auto& [text, verdict, display] : cases) {
            const FrequencyCheck check = CheckFrequency(text, 13600000, 17400000);
            QVERIFY2(check.verdict == verdict && (display.isNull() || check.display == display),
                     qPrintable(text + " shows " + check.display));
            QCOMPARE(check.message(), messages[int(verdict)]);
        }
    }

    // The user's locale never changes how numbers are read or written: under a decimal-comma
    // locale 145.125 is still 145.125 MHz everywhere, and "145,125" is still not a number.
    void numbersFollowCRulesUnderACommaLocale() {
        const CommaLocale locale;
        if (!locale.active()) {
            QSKIP("no decimal-comma locale could be made (localedef with the de_DE source) or "
                  "found");
        }
        QCOMPARE(QString::fromStdString(FormatMHz(136.00625)), QStringLiteral("136.00625"));
        const FrequencyCheck check = CheckFrequency("145.125", 13600000, 17400000);
        QVERIFY(check.accepted() && check.count == 14512500 && check.display == "145.12500");
        QCOMPARE(CheckFrequency("145,125", 13600000, 17400000).verdict,
                 FrequencyCheck::Verdict::NotANumber);
        const BandLimits vhf = BandLimitsFromText("136 - 174MHz");
        QVERIFY(vhf.low == 13600000 && vhf.high == 17400000);
    }

    void everyRasterStepInsideTheBandIsAccepted() {
        // Every 6.25 kHz and 5 kHz step of both bands, typed with five decimals, passes and shows
        // itself: plain double arithmetic would refuse some of them.
        const std::uint32_t bands[2][2] = {{13600000, 17400000}, {40000000, 48000000}};
        for (const auto& band : bands) {
            for (std::uint32_t step : {625u, 500u}) {
                for (std::uint32_t count = band[0]; count <= band[1]; count += step) {
                    const QString text =
                        QString::asprintf("%u.%05u", count / 100000, count % 100000);
                    const FrequencyCheck check = CheckFrequency(text, band[0], band[1]);
                    if (!check.accepted() || check.count != count || check.display != text) {
                        QFAIL(qPrintable(QStringLiteral("refused or changed: ") + text));
                    }
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(DecimalFrequencyTest)
#include "test_decimal_frequency.moc"
