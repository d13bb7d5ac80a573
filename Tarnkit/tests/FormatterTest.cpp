#include "Tarnkit/Foundation/ConstantNameFormatter.h"
#include "Tarnkit/Foundation/ExpressionFormatter.h"
#include "Tarnkit/Foundation/NumberFormatter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

#include <optional>

namespace {

using namespace tarnkit;

const QString constantNameMessage = "Constant names must only contain A-Z, a-z, 0-9 and the characters _ and $";

// ---- ConstantNameFormatter ------------------------------------------------------------------

struct DisplayCase {
    QString prefix;
    QVariant value;
    std::optional<QString> display;
    std::optional<QString> editing;
};

TEST(ConstantNameFormatterTest, DisplayAndEditingTexts)
{
    const DisplayCase cases[] = {
        {"$", QStringLiteral("Total"), "$Total", "Total"},
        {"$", QStringLiteral("$Total"), "$Total", "Total"},
        {"$", QStringLiteral("X"), "$X", "X"},
        {"$", QStringLiteral("$X"), "$X", "X"},
        // Only a prefix at the very start is taken off for editing, as only that one is shown.
        {"$", QStringLiteral("x$y"), "$x$y", "x$y"},
        {"$", QStringLiteral("$$y"), "$$y", "$y"},
        {"$", QStringLiteral(""), "$", ""},
        {"k", QStringLiteral("Key"), "kKey", "Key"},
        {"k", QStringLiteral("key"), "key", "ey"},
        {"", QStringLiteral("abc"), "abc", "abc"},
        // Values that are not strings show nothing.
        {"$", QVariant(3), std::nullopt, std::nullopt},
        {"$", QVariant(2.5), std::nullopt, std::nullopt},
        {"$", QVariant(), std::nullopt, std::nullopt},
    };
    for (const DisplayCase& c : cases) {
        ConstantNameFormatter formatter;
        formatter.setRequiredPrefix(c.prefix);
        const std::string name = (c.prefix + " / " + c.value.toString()).toStdString();
        EXPECT_EQ(formatter.string(c.value), c.display) << name;
        EXPECT_EQ(formatter.editingString(c.value), c.editing) << name;
    }
}

TEST(ConstantNameFormatterTest, DefaultPrefixIsDollar)
{
    EXPECT_EQ(ConstantNameFormatter().requiredPrefix(), "$");
}

TEST(ConstantNameFormatterTest, AcceptsNameCharactersOnly)
{
    struct Case {
        QString text;
        bool accepted;
    };
    const Case cases[] = {
        {"", true},          {"Total", true},    {"a_b$9", true},    {"$Total", true},
        {"ZZ_top0", true},   {"has space", false}, {"a+b", false},   {"a/b", false},
        {"a@b", false},      {"#a", false},      {"a-b", false},     {"a.b", false},
        {"caf\u00e9", false}, {"tab\t", false},  {"\u0416", false},  {"a\nb", false},
    };
    ConstantNameFormatter formatter;
    for (const Case& c : cases) {
        QVariant value = QStringLiteral("untouched");
        QString error = QStringLiteral("untouched");
        EXPECT_EQ(formatter.getObjectValue(&value, c.text, &error), c.accepted) << c.text.toStdString();
        if (c.accepted) {
            EXPECT_EQ(value.typeId(), QMetaType::QString);
            EXPECT_EQ(value.toString(), c.text) << "the prefix is neither added nor removed";
            EXPECT_EQ(error, "untouched");
        } else {
            EXPECT_EQ(value.toString(), "untouched");
            EXPECT_EQ(error, constantNameMessage);
        }

        QString kept = QStringLiteral("previous");
        error = QStringLiteral("untouched");
        EXPECT_EQ(formatter.isPartialStringValid(c.text, &kept, &error), c.accepted) << c.text.toStdString();
        EXPECT_EQ(kept, c.accepted ? c.text : QStringLiteral("previous"));
        EXPECT_EQ(error, c.accepted ? QStringLiteral("untouched") : constantNameMessage);
    }
    // Slots are optional.
    EXPECT_TRUE(formatter.getObjectValue(nullptr, "ok", nullptr));
    EXPECT_FALSE(formatter.isPartialStringValid("not ok", nullptr, nullptr));
}

/// A translation of the library's messages, as an application would install one.
class MessageTranslator : public QTranslator {
public:
    explicit MessageTranslator(QString translation) : translation_(std::move(translation)) {}
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QByteArray(context) == "ConstantNameFormatter" && QString::fromUtf8(source) == constantNameMessage)
            return translation_;
        return {};
    }
    bool isEmpty() const override { return false; }

private:
    QString translation_;
};

TEST(ConstantNameFormatterTest, MessageIsLocalizedAndNeverReadAsAFormat)
{
    struct Case {
        QString translation;
        QString prefix;
        QString expected;
    };
    const Case cases[] = {
        // The one placeholder a translation may use gets the prefix as plain text.
        {"Nur A-Z, a-z, 0-9, _ und %1", "$", "Nur A-Z, a-z, 0-9, _ und $"},
        {"Nur A-Z, a-z, 0-9, _ und %1", "%2%s", "Nur A-Z, a-z, 0-9, _ und %2%s"},
        // Format directives of any other kind stay as they are.
        {"%s%n%@ 100% %d", "$", "%s%n%@ 100% %d"},
        {"Nur Buchstaben", "$", "Nur Buchstaben"},
    };
    for (const Case& c : cases) {
        MessageTranslator translator(c.translation);
        ASSERT_TRUE(QCoreApplication::installTranslator(&translator));
        ConstantNameFormatter formatter;
        formatter.setRequiredPrefix(c.prefix);
        QString error;
        EXPECT_FALSE(formatter.getObjectValue(nullptr, "a b", &error));
        EXPECT_EQ(error, c.expected) << c.translation.toStdString();
        QCoreApplication::removeTranslator(&translator);
    }
}

// ---- ExpressionFormatter ---------------------------------------------------------------------

TEST(ExpressionFormatterTest, NumericTextIsOneCLocaleNumberAndNothingElse)
{
    struct Case {
        QString text;
        bool numeric;
    };
    const Case cases[] = {
        {"3", true},      {"1e3", true},     {"-0.5", true},   {"+2", true},     {"inf", true},
        {"NaN", true},    {"0x1p4", true},   {".5", true},     {"", false},      {" 3", false},
        {"3 ", false},    {"\t3", false},    {"\n3", false},   {"a+b", false},   {"1,5", false},
        {"50%", false},   {"3 kg", false},   {"1e", false},    {"--1", false},   {QString(QChar(0)) + "3", false},
        {QStringLiteral("3") + QChar(0), false}, {"\u0663", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpressionFormatter::isNumeric(c.text), c.numeric) << c.text.toStdString();
}

TEST(ExpressionFormatterTest, StartsLenientWithTheDefaultBehaviour)
{
    const ExpressionFormatter formatter;
    EXPECT_TRUE(formatter.isLenient());
    EXPECT_EQ(formatter.formatterBehavior(), NumberFormatter::Behavior::defaultBehavior);
    EXPECT_FALSE(NumberFormatter().isLenient());
}

class ExpressionWithUnit : public ::testing::Test {
protected:
    void SetUp() override
    {
        formatter.setLocale(QLocale::c());
        formatter.setMaximumFractionDigits(2);
        formatter.setPositiveSuffix(" kg");
        plain.setLocale(QLocale::c());
        plain.setMaximumFractionDigits(2);
        plain.setPositiveSuffix(" kg");
        plain.setLenient(true);
    }
    ExpressionFormatter formatter;
    NumberFormatter plain; // the number formatter the expression formatter stands on
};

TEST_F(ExpressionWithUnit, DisplayAndEditingTexts)
{
    struct Case {
        const char* name;
        QVariant value;
        std::optional<QString> display;
        std::optional<QString> editing;
    };
    const Case cases[] = {
        {"number", QVariant(3), "3 kg", "3"},
        {"fraction", QVariant(2.25), "2.25 kg", "2.25"},
        {"negative gets the suffix too", QVariant(-1.5), "-1.5 kg", "-1.5"},
        {"numeric string", QVariant(QStringLiteral("3")), "3 kg", "3"},
        {"expression string unchanged", QVariant(QStringLiteral("a+b")), "a+b", "a+b"},
        {"typed suffix stays a string", QVariant(QStringLiteral("3 kg")), "3 kg", "3 kg"},
        {"empty string", QVariant(QString()), "", ""},
        {"nothing", QVariant(), std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatter.string(c.value), c.display) << c.name;
        EXPECT_EQ(formatter.editingString(c.value), c.editing) << c.name;
    }
}

TEST_F(ExpressionWithUnit, SuffixIsFoundForEditingIgnoringCaseAndAccents)
{
    formatter.setPositiveSuffix(QStringLiteral(" K\u00c9"));
    formatter.setFormatterBehavior(NumberFormatter::Behavior::defaultBehavior);
    EXPECT_EQ(formatter.string(QVariant(7)), QStringLiteral("7 K\u00c9"));
    EXPECT_EQ(formatter.editingString(QVariant(7)), "7");
}

TEST_F(ExpressionWithUnit, OldestBehaviourLeavesTheSuffixAlone)
{
    formatter.setFormatterBehavior(NumberFormatter::Behavior::behavior10_0);
    // The number formatter's own text (suffix included) is shown and edited unchanged.
    EXPECT_EQ(formatter.string(QVariant(3)), "3 kg");
    EXPECT_EQ(formatter.editingString(QVariant(3)), "3 kg");
    EXPECT_EQ(formatter.string(QVariant(QStringLiteral("3"))), "3");
}

TEST_F(ExpressionWithUnit, AcceptingText)
{
    struct Case {
        QString text;
        bool asNumber;
    };
    const Case cases[] = {{"3", true},    {"1e3", true},  {"-0.5", true},    {"+2", true},
                          {"inf", true},  {"a+b", false}, {" 3", false},     {"3 ", false},
                          {"1,5", false}, {"50%", false}, {"3 kg", false}};
    for (const Case& c : cases) {
        QVariant value;
        QString error;
        ASSERT_TRUE(formatter.getObjectValue(&value, c.text, &error)) << c.text.toStdString();
        EXPECT_TRUE(error.isEmpty());
        if (c.asNumber) {
            QVariant expected;
            ASSERT_TRUE(plain.getObjectValue(&expected, c.text, nullptr));
            EXPECT_EQ(value, expected) << c.text.toStdString();
            EXPECT_EQ(value.typeId(), QMetaType::Double);
        } else {
            EXPECT_EQ(value.typeId(), QMetaType::QString) << c.text.toStdString();
            EXPECT_EQ(value.toString(), c.text);
        }
    }

    QVariant empty = 5;
    EXPECT_TRUE(formatter.getObjectValue(&empty, "", nullptr));
    EXPECT_EQ(empty.typeId(), QMetaType::QString);
    EXPECT_TRUE(empty.toString().isEmpty());
}

TEST_F(ExpressionWithUnit, NumericTextTheLocaleCannotReadFailsWithTheNumberFormattersError)
{
    // "0x1p4" is numeric C text, but no locale reads hexadecimal: the number formatter refuses.
    QVariant value = QStringLiteral("untouched");
    QString error;
    EXPECT_FALSE(formatter.getObjectValue(&value, "0x1p4", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(value.toString(), "untouched");
}

TEST(ExpressionFormatterTest, EmptySuffixChangesNothing)
{
    ExpressionFormatter formatter;
    formatter.setLocale(QLocale::c());
    EXPECT_EQ(formatter.string(QVariant(3)), "3");
    EXPECT_EQ(formatter.editingString(QVariant(3)), "3");
}

TEST(ExpressionFormatterTest, NumbersAreReadInTheFormattersLocale)
{
    ExpressionFormatter formatter;
    formatter.setLocale(QLocale(QLocale::German, QLocale::Germany));
    formatter.setMaximumFractionDigits(2);
    // Numeric in C notation, then read by the German number formatter: "." groups thousands.
    QVariant value;
    ASSERT_TRUE(formatter.getObjectValue(&value, "1.500", nullptr));
    EXPECT_DOUBLE_EQ(value.toDouble(), 1500.0);
    EXPECT_EQ(formatter.string(QVariant(2.5)), "2,5");
}

// ---- NumberFormatter --------------------------------------------------------------------------

TEST(NumberFormatterTest, FractionDigitsAndGrouping)
{
    struct Case {
        double value;
        int minimumDigits;
        int maximumDigits;
        bool grouping;
        QString expected;
    };
    const Case cases[] = {
        {3.0, 0, 0, false, "3"},          {3.456, 0, 2, false, "3.46"},   {3.4, 0, 2, false, "3.4"},
        {3.0, 0, 2, false, "3"},          {3.0, 1, 2, false, "3.0"},      {1234567.0, 0, 0, true, "1,234,567"},
        {1234567.0, 0, 0, false, "1234567"}, {-0.5, 0, 1, false, "-0.5"},
    };
    for (const Case& c : cases) {
        NumberFormatter formatter;
        formatter.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        formatter.setMinimumFractionDigits(c.minimumDigits);
        formatter.setMaximumFractionDigits(c.maximumDigits);
        formatter.setUsesGroupingSeparator(c.grouping);
        EXPECT_EQ(formatter.string(QVariant(c.value)), c.expected) << c.value;
    }
    EXPECT_EQ(NumberFormatter().string(QVariant(QStringLiteral("3"))), std::nullopt);
    EXPECT_EQ(NumberFormatter().string(QVariant(true)), std::nullopt);
}

} // namespace
