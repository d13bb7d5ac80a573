#include "Mossbell/AudioParameter.h"
#include "Mossbell/DefaultLabelFormatter.h"
#include "Mossbell/LabelDisplayOptions.h"
#include "Mossbell/LabelNameFormatter.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

using namespace mossbell;
using au::ParameterUnit;

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

std::shared_ptr<AudioParameter> makeParameter(ParameterUnit units, float lower, float upper,
                                              std::optional<std::vector<std::string>> strings = std::nullopt)
{
    return AudioParameter::create(3, "formantShift", "Shift", units, {lower, upper}, lower,
                                  AudioParameter::ValueIncrement::linear(), std::move(strings), std::nullopt);
}

TEST(DefaultLabelFormatter, PrintsWithTheNumberOfDecimalPlacesItWasGiven)
{
    const auto decibels = makeParameter(ParameterUnit::decibels, -60, 6);
    const struct {
        int places;
        float value;
        const char* format;
        const char* text;
    } cases[] = {
        {0, 3.14159f, "%.0f", "3"},
        {1, 3.14159f, "%0.1lf", "3.1"},
        {2, 3.14159f, "%0.2lf", "3.14"},
        {1, -12.25f, "%0.1lf", "-12.2"}, // printf rounds the binary value, 12.25 exactly: to even
        {0, 2.5f, "%.0f", "2"},
        {0, -59.6f, "%.0f", "-60"},
        {3, 0.0f, "%0.3lf", "0.000"},
        {10, 1.0f, "%0.10lf", "1.0000000000"},
        {1, 1e20f, "%0.1lf", "100000002004087734272.0"},
        {1, inf, "%0.1lf", "inf"},
        {1, nan, "%0.1lf", "nan"},
    };
    for (const auto& c : cases) {
        const DefaultLabelFormatter formatter(*decibels, c.places);
        EXPECT_EQ(formatter.decimalPlaces(), c.places);
        EXPECT_EQ(formatter.saveScaleFactor(), 1.0f);
        EXPECT_EQ(formatter.formatString(), c.format);
        EXPECT_EQ(formatter.format(c.value), c.text) << c.value << " with " << c.places;
    }
}

TEST(DefaultLabelFormatter, ShowsAbsoluteCentsInHundreds)
{
    const auto cents = makeParameter(ParameterUnit::absoluteCents, -2400, 2400);
    const DefaultLabelFormatter formatter(*cents, 1);
    EXPECT_EQ(formatter.saveScaleFactor(), 0.01f);
    EXPECT_EQ(formatter.format(1200), "12.0");
    EXPECT_EQ(formatter.format(-2400), "-24.0");
    EXPECT_EQ(formatter.format(150), "1.5");
    // Reading back does not scale: the label multiplies by 100 when it sets the value.
    EXPECT_EQ(formatter.value("12"), 12.0f);

    // Only absolute cents are scaled.
    const auto relative = makeParameter(ParameterUnit::cents, -1200, 1200);
    EXPECT_EQ(DefaultLabelFormatter(*relative, 1).format(1200), "1200.0");
}

TEST(DefaultLabelFormatter, ReadsOnlyTextThatIsWhollyANumber)
{
    const auto decibels = makeParameter(ParameterUnit::decibels, -60, 6);
    const DefaultLabelFormatter formatter(*decibels, 1);
    const struct {
        const char* text;
        std::optional<float> value;
    } cases[] = {
        {"5", 5.0f},
        {"-2.5", -2.5f},
        {"+3", 3.0f},
        {"1e2", 100.0f},
        {".5", 0.5f},
        {"0x10", 16.0f},
        {"1e40", inf}, // beyond float: infinity, which the label clamps to the range
        {"", std::nullopt},
        {" 5", std::nullopt},
        {"5 ", std::nullopt},
        {"\t5", std::nullopt},
        {"\n5", std::nullopt},
        {"\v5", std::nullopt},
        {"\f5", std::nullopt},
        {"\r5", std::nullopt},
        {"5x", std::nullopt},
        {"5,5", std::nullopt}, // the C locale: a comma is no decimal separator
        {"dB", std::nullopt},
        {"-", std::nullopt},
        {"3 dB", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatter.value(QString::fromUtf8(c.text)), c.value) << '"' << c.text << '"';

    const auto notANumber = formatter.value("nan");
    ASSERT_TRUE(notANumber);
    EXPECT_TRUE(std::isnan(*notANumber));
    EXPECT_EQ(formatter.value(QString::fromUtf8("5\0x", 3)), std::nullopt) << "an embedded NUL is something left";
    EXPECT_EQ(formatter.value(QString::fromUtf8("5\u00a0")), std::nullopt) << "no-break space";
}

TEST(DefaultLabelFormatter, TextItPrintsReadsBack)
{
    const auto decibels = makeParameter(ParameterUnit::decibels, -60, 6);
    const DefaultLabelFormatter formatter(*decibels, 2);
    for (const float value : {-60.0f, -12.5f, -0.25f, 0.0f, 3.75f, 6.0f}) {
        const auto back = formatter.value(formatter.format(value));
        ASSERT_TRUE(back) << value;
        EXPECT_EQ(*back, value);
    }
}

TEST(DefaultLabelFormatterDeathTest, NegativeDecimalPlacesAreAProgrammingError)
{
    const auto decibels = makeParameter(ParameterUnit::decibels, -60, 6);
    EXPECT_DEATH(DefaultLabelFormatter(*decibels, -1), "negative decimal places");
}

std::shared_ptr<AudioParameter> offOn()
{
    return makeParameter(ParameterUnit::indexed, 0, 1, std::vector<std::string>{"Off", "On"});
}

TEST(LabelNameFormatter, NamesTheNearestIndexRoundingHalfAwayFromZero)
{
    const LabelNameFormatter formatter(*offOn());
    EXPECT_EQ(formatter.valueStrings(), QStringList({"Off", "On"}));
    const struct {
        float value;
        const char* name;
    } cases[] = {{0.4f, "Off"}, {0.6f, "On"}, {0.5f, "On"}, {0.0f, "Off"}, {1.0f, "On"},
                 {1.49f, "On"}, {-0.4f, "Off"}, {-0.0f, "Off"}, {0.49999997f, "Off"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatter.format(c.value), c.name) << c.value;
}

TEST(LabelNameFormatter, ReadsNamesBackInAnyLetterCase)
{
    const LabelNameFormatter formatter(*offOn());
    const struct {
        const char* text;
        std::optional<float> value;
    } cases[] = {{"on", 1.0f}, {"ON", 1.0f}, {"On", 1.0f}, {"oN", 1.0f}, {"off", 0.0f}, {"OFF", 0.0f},
                 {"", std::nullopt}, {"maybe", std::nullopt}, {" on", std::nullopt}, {"1", std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(formatter.value(c.text), c.value) << c.text;

    // Letters beyond ASCII are lower-cased too, and the first of equal names wins.
    const auto seasons =
        makeParameter(ParameterUnit::indexed, 0, 2, std::vector<std::string>{"Été", "Hiver", "été"});
    const LabelNameFormatter french(*seasons);
    EXPECT_EQ(french.value(QString::fromUtf8("ÉTÉ")), 0.0f);
    EXPECT_EQ(french.value("hIVER"), 1.0f);
}

TEST(LabelNameFormatter, AParameterWithoutValueStringsGivesAnEmptyList)
{
    const auto decibels = makeParameter(ParameterUnit::decibels, -60, 6);
    const LabelNameFormatter formatter(*decibels);
    EXPECT_TRUE(formatter.valueStrings().isEmpty());
    EXPECT_EQ(formatter.value("anything"), std::nullopt);
}

// A value with no name must not end the host's process: it shows as the number it is.
TEST(LabelNameFormatter, AValueWithoutANameShowsAsItsNumber)
{
    const LabelNameFormatter formatter(*offOn());
    const struct {
        float value;
        const char* shown;
    } cases[] = {{2.0f, "2"}, {1.6f, "1.6"}, {-0.6f, "-0.6"}, {nan, "nan"}, {inf, "inf"}, {1e30f, "1e+30"}};
    for (const auto& c : cases)
        EXPECT_EQ(formatter.format(c.value), c.shown) << c.value;

    const auto decibels = makeParameter(ParameterUnit::decibels, -60, 6);
    EXPECT_EQ(LabelNameFormatter(*decibels).format(0), "0");
}

TEST(LabelDisplayOptions, KeepsWhatItWasGiven)
{
    const LabelDisplayOptions options(QColor(0x4e, 0xa4, 0xff), 11, 16, 14, true, false, 72);
    EXPECT_EQ(options.valueColor, QColor(0x4e, 0xa4, 0xff));
    EXPECT_EQ(options.labelFontSize, 11);
    EXPECT_EQ(options.valueFontSize, 16);
    EXPECT_EQ(options.editingFontSize, 14);
    EXPECT_TRUE(options.showSuffix);
    EXPECT_FALSE(options.showName);
    EXPECT_EQ(options.labelWidth, 72);
}

} // namespace
