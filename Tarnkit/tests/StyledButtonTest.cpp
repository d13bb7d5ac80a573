// The styled button pair and the push button pair: their state, rects and sizes, what they
// draw, and how a button answers the pointer.

#include "Tarnkit/Controls/OstrelPushButton.h"
#include "Tarnkit/Controls/StyledButton.h"
#include "Tarnkit/Controls/StyledButtonDrawing.h"
#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/Validating.h"
#include "Tarnkit/tests/TestViews.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

using namespace tarnkit;
using tarnkit::testing::picture;
using State = StyledControlState;

// ---- fixtures -------------------------------------------------------------------------------

ImageRef solidImage(const QSize& size, const QColor& color = Qt::red)
{
    QImage pixels(size, QImage::Format_ARGB32_Premultiplied);
    pixels.fill(color);
    return std::make_shared<const Image>(QStringLiteral("solid"), pixels, QImage());
}

// A styled cell of a test class: its own style object, its own "superclass" size when asked.
class TestCell : public StyledButtonCell {
public:
    explicit TestCell(ButtonCellStyle& style) : style_(style) {}

    ButtonCellStyle& style() const override { return style_; }
    Size cellSize() const override { return size ? *size : StyledButtonCell::cellSize(); }

    std::optional<Size> size;

private:
    ButtonCellStyle& style_;
};

class InvalidCell : public StyledButtonCell, public Validating {
public:
    bool isValid() const override { return false; }
    QString validationMessage() const override { return QStringLiteral("no"); }
};

class TestButton : public StyledButton {
public:
    TestButton(std::unique_ptr<ButtonCell> cell, std::optional<double> fixedWidth)
        : StyledButton(std::move(cell), nullptr, fixedWidth)
    {
    }
};

int alphaAt(const QImage& image, QPoint point)
{
    return qAlpha(image.pixel(point));
}

// The smallest rect holding every pixel that is not fully transparent.
QRect inkBounds(const QImage& image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// ---- state ----------------------------------------------------------------------------------

TEST(StyledButtonStateTest, DerivedFromTheFlagsTheCellHolds)
{
    struct Case {
        bool enabled;
        bool highlighted;
        ControlStateValue value;
        ButtonType type;
        bool selected;
        State::RawValue expected;
    };
    using enum ControlStateValue;
    const Case cases[] = {
        {false, false, on, ButtonType::pushOnPushOff, false, 35},      // disabled keeps default and on
        {false, true, off, ButtonType::momentaryPushIn, false, 3},     // no highlight while disabled
        {true, true, off, ButtonType::momentaryPushIn, false, 9},
        {true, false, on, ButtonType::momentaryPushIn, false, 1},      // showsStateBy 0 hides on ...
        {true, false, mixed, ButtonType::momentaryChange, false, 1},   // ... and mixed
        {true, false, mixed, ButtonType::toggle, false, 65},
        {true, false, off, ButtonType::momentaryPushIn, true, 5},
        {true, true, on, ButtonType::onOff, true, 45},
    };
    const std::function<std::unique_ptr<ButtonCell>()> makers[] = {
        [] { return std::make_unique<StyledButtonCell>(); },
        [] { return std::make_unique<OstrelPushButtonCell>(); },
    };
    for (const auto& make : makers) {
        for (const auto& c : cases) {
            auto cell = make();
            cell->setEnabled(c.enabled);
            cell->setHighlighted(c.highlighted);
            cell->setStateValue(c.value);
            cell->setButtonType(c.type);
            dynamic_cast<Selectable&>(*cell).setSelected(c.selected);
            EXPECT_EQ(cell->controlState().rawValue(), c.expected) << "expected " << c.expected;
        }
    }

    InvalidCell invalid;
    EXPECT_EQ(invalid.controlState(), State({State::defaultState, State::invalid}));
    invalid.setEnabled(false);
    EXPECT_EQ(invalid.controlState().rawValue(), 131);
}

TEST(StyledButtonStateTest, TheControlPassesItsFlagsToTheCell)
{
    QWidget window;
    auto* button = new StyledButton(&window);
    button->setSelected(true);
    EXPECT_TRUE(button->isSelected());
    EXPECT_TRUE(button->cellAs<StyledButtonCell>()->isSelected());
    window.setEnabled(false); // reaches the button through its parent
    EXPECT_EQ(button->cell().controlState().rawValue(), 7);
    window.setEnabled(true);
    EXPECT_TRUE(button->cell().isEnabled());

    // A cell of another class holds no selection for the button.
    auto* push = new OstrelPushButton(&window);
    push->setCell(std::make_unique<StyledButtonCell>());
    push->setSelected(true);
    EXPECT_FALSE(push->isSelected());
}

// ---- rects and sizes ------------------------------------------------------------------------

TEST(StyledButtonGeometryTest, RectsInsetByTheStyleAndCentredOnTheBounds)
{
    ButtonCellStyle style;
    TestCell cell(style);
    const Rect bounds(10, 20, 100, 30);

    style.setEdgeInsets({1, 2, 3, 4});
    EXPECT_EQ(cell.drawingRect(bounds), Rect(12, 23, 94, 26));
    cell.setBordered(false);
    EXPECT_EQ(cell.drawingRect(bounds), bounds);
    cell.setBordered(true);
    style.setEdgeInsets({});

    // The title: inset by the title insets, then moved to the middle of the bounds (35), not of
    // the inset rect.
    cell.setTitle(QStringLiteral("Title"));
    style.setTitleEdgeInsets({2, 5, 6, 3});
    EXPECT_EQ(cell.titleRect(bounds), Rect(15, 24, 92, 22));
    cell.setVerticallyCenterTitle(false);
    EXPECT_EQ(cell.titleRect(bounds), Rect(15, 26, 92, 22));
    cell.setVerticallyCenterTitle(true);
    style.setTitleEdgeInsets({0, 0, 3, 0});
    EXPECT_EQ(cell.titleRect(Rect(0, 0, 100, 24)), Rect(0, 2, 100, 21)) << "12 - 10.5 rounds away from zero";

    // The image: the superclass centres it in the inset rect, then it moves to the bounds'
    // middle; an image-only cell takes the whole inset rect.
    cell.setTitle(QString());
    cell.setImage(solidImage({8, 8}));
    cell.setImagePosition(ImagePosition::imageLeft);
    style.setImageEdgeInsets({2, 6, 4, 0});
    EXPECT_EQ(cell.imageRect(bounds), Rect(59, 31, 8, 8));
    cell.setImagePosition(ImagePosition::imageOnly);
    EXPECT_EQ(cell.imageRect(bounds), Rect(16, 24, 94, 24));
}

TEST(StyledButtonGeometryTest, ButtonCellLaysImageAndTitleOutTogether)
{
    ButtonCell cell(QStringLiteral("Title"));
    cell.setImage(solidImage({10, 10}));
    cell.setImagePosition(ImagePosition::imageLeft);
    const Rect bounds(0, 0, 140, 30);
    const Rect inside = cell.drawingRect(bounds);
    EXPECT_EQ(inside, Rect(12, 4, 116, 22));

    const Rect image = cell.imageRect(bounds);
    const Rect title = cell.titleRect(bounds);
    const double titleWidth = cell.attributedTitle().size().width;
    EXPECT_EQ(image.size, Size(10, 10));
    EXPECT_EQ(image.y(), 10) << "centred on the drawing rect's middle";
    EXPECT_EQ(title.x(), image.maxX() + ButtonCell::imageTitleSpacing);
    EXPECT_EQ(title.width(), titleWidth);
    EXPECT_EQ(title.height(), inside.height());
    EXPECT_LE(std::abs((image.minX() - inside.minX()) - (inside.maxX() - title.maxX())), 1) << "the pair is centred";
    EXPECT_EQ(cell.cellSize(), Size(10 + 3 + titleWidth + 24, cell.attributedTitle().size().height + 8));

    cell.setImagePosition(ImagePosition::noImage);
    EXPECT_EQ(cell.imageRect(bounds), Rect());
    EXPECT_EQ(cell.titleRect(bounds), inside);
    cell.setImagePosition(ImagePosition::imageOnly);
    EXPECT_EQ(cell.titleRect(bounds), Rect());
}

TEST(StyledButtonGeometryTest, IntrinsicSizeFromTheBezelImage)
{
    struct Case {
        std::optional<double> fixedWidth;
        Size cellSize;
        bool hasBezel;
        bool bordered;
        Size expected;
    };
    // Alignment insets (1, 3, 2, 4) take 7 points across and 3 down; the bezel is 60 x 20.
    const Case cases[] = {
        {80, {40, 17}, true, true, {73, 17}},
        {std::nullopt, {40, 17}, true, true, {53, 17}},
        {std::nullopt, {100, 17}, true, true, {93, 17}},
        {50, {40, 17}, true, true, {43, 17}}, // a fixed width narrower than the bezel stands
        {80, {40, 17}, false, true, {80, 17}},
        {std::nullopt, {40, 17}, true, false, {40, 17}},
    };
    for (const auto& c : cases) {
        ButtonCellStyle style;
        style.setAlignmentRectInsets({1, 3, 2, 4});
        style.setBezelImages(c.hasBezel ? ImageTable{{State::defaultState, solidImage({60, 20})}} : ImageTable{});
        auto cell = std::make_unique<TestCell>(style);
        cell->size = c.cellSize;
        TestButton button(std::move(cell), c.fixedWidth);
        button.setBordered(c.bordered);
        EXPECT_EQ(button.intrinsicContentSize(), c.expected)
            << "fixed " << c.fixedWidth.value_or(-1) << ", cell " << c.cellSize;
        EXPECT_EQ(button.sizeHint(), QSize(int(c.expected.width) + 7, int(c.expected.height) + 3));
    }
}

TEST(OstrelPushButtonGeometryTest, FixedSizesAndTheTitleRect)
{
    OstrelPushButton plain;
    plain.setTitle(QStringLiteral("Push"));
    const Size natural = plain.cell().cellSize();
    struct Case {
        std::optional<double> height;
        std::optional<double> width;
        Size expected;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, natural},
        {30, std::nullopt, {natural.width, 30}},
        {std::nullopt, 90, {90, natural.height}},
        {30, 90, {90, 30}},
    };
    for (const auto& c : cases) {
        OstrelPushButton button(nullptr, c.height, c.width);
        button.setTitle(QStringLiteral("Push"));
        EXPECT_EQ(button.intrinsicContentSize(), c.expected);
        EXPECT_EQ(button.sizeHint(), QSize(int(std::ceil(c.expected.width)), int(std::ceil(c.expected.height))))
            << "no alignment insets";
    }

    // The title sits 6 points up from the superclass's rect and is 10 points shorter: the
    // superclass's is the drawing rect, inset 4 and 12 when bordered.
    OstrelPushButtonCell cell(QStringLiteral("Push"));
    const Rect bounds(0, 0, 100, 24);
    EXPECT_EQ(cell.titleRect(bounds), Rect(12, 10, 76, 6));
    cell.setBordered(false);
    EXPECT_EQ(cell.titleRect(bounds), Rect(0, 6, 100, 14));
    EXPECT_EQ(cell.edgeInsets(), EdgeInsets(3, 4, 5, 4));
    EXPECT_EQ(cell.imageEdgeInsets(), EdgeInsets());
    EXPECT_FALSE(cell.isSelected());
    EXPECT_EQ(cell.highlightsBy(), 0);
    EXPECT_NE(&OstrelPushButtonCell::classStyle(), &StyledButtonCell::classStyle());
}

// ---- drawing --------------------------------------------------------------------------------

TEST(StyledButtonDrawingTest, OpacitiesFollowTheState)
{
    using Maker = std::function<std::unique_ptr<Button>()>;
    const Maker bezelButton = [] { return std::make_unique<StyledButton>(); };
    const Maker imageButton = [] {
        auto button = std::make_unique<StyledButton>();
        button->setBordered(false);
        button->setImage(solidImage({8, 8}));
        button->setImagePosition(ImagePosition::imageOnly);
        button->setImageScaling(ImageScaling::none);
        return button;
    };
    const Maker pushButton = [] { return std::make_unique<OstrelPushButton>(); };
    struct Case {
        const char* what;
        const Maker& make;
        bool enabled;
        bool highlighted;
        double fraction;
    };
    // Probed in the middle of the 80 x 24 button, where the bezel faces and the centred image
    // are opaque.
    const Case cases[] = {
        {"bezel", bezelButton, true, false, 1.0},
        {"bezel, disabled", bezelButton, false, false, 0.5},
        {"bezel, pressed", bezelButton, true, true, 1.0},
        {"bezel, pressed while disabled", bezelButton, false, true, 0.5},
        {"image", imageButton, true, false, 1.0},
        {"image, disabled", imageButton, false, false, 0.5},
        {"image, pressed", imageButton, true, true, 0.5},
        {"push button", pushButton, true, false, 1.0},
        {"push button, disabled", pushButton, false, false, 0.5},
        {"push button, pressed", pushButton, true, true, 1.0},
    };
    const QPoint middle(40, 12);
    for (const auto& c : cases) {
        auto button = c.make();
        button->resize(80, 24);
        button->setEnabled(c.enabled);
        button->highlight(c.highlighted);
        EXPECT_NEAR(alphaAt(picture(*button), middle), 255 * c.fraction, 2) << c.what;
    }
}

TEST(OstrelPushButtonDrawingTest, ARoundedBezelLeavesItsEdgeInsetsClear)
{
    OstrelPushButton button;
    button.resize(80, 24);
    // Rounded: inset (3, 4, 5, 4) y-up, so 4 points from the sides, 3 from the top and 5 from
    // the bottom stay clear.
    const QRect rounded = inkBounds(picture(button));
    EXPECT_FALSE(rounded.isEmpty());
    EXPECT_TRUE(QRect(4, 3, 72, 16).contains(rounded)) << rounded.x() << "," << rounded.y() << " "
                                                       << rounded.width() << "x" << rounded.height();
    button.setBezelStyle(BezelStyle::regularSquare);
    const QRect square = inkBounds(picture(button));
    EXPECT_LT(square.left(), 4) << "any other bezel covers the whole frame";
    EXPECT_GT(square.bottom(), 19);
}

TEST(StyledButtonDrawingTest, ImagesScaleIntoFramesAwayFromTheOrigin)
{
    struct Case {
        ImageScaling scaling;
        QRect expected; // Qt coordinates of a 100 x 50 view
    };
    // The frame (30, 10, 20, 20) y-up is Qt's (30, 20, 20, 20); the image is 8 x 8.
    const Case cases[] = {
        {ImageScaling::none, QRect(36, 26, 8, 8)},               // centred: origin plus (6, 6)
        {ImageScaling::axesIndependently, QRect(30, 20, 20, 20)},
        {ImageScaling::proportionallyDown, QRect(30, 32, 8, 8)}, // at the frame's origin, y-up
        {ImageScaling::proportionallyUpOrDown, QRect(30, 32, 8, 8)},
    };
    for (const auto& c : cases) {
        QWidget view;
        view.resize(100, 50);
        StyledButtonCell cell;
        cell.setImageScaling(c.scaling);
        QImage canvas(100, 50, QImage::Format_ARGB32);
        canvas.fill(Qt::transparent);
        {
            QPainter painter(&canvas);
            cell.drawImage(painter, solidImage({8, 8}), Rect(30, 10, 20, 20), view);
        }
        EXPECT_EQ(inkBounds(canvas), c.expected) << int(c.scaling);
        EXPECT_EQ(alphaAt(canvas, c.expected.center()), 255) << int(c.scaling);
    }
    EXPECT_DEATH(scaledImageRect({8, 8}, Rect(0, 0, 20, 20), ImageScaling(4)), "Unhandled image scaling value");
}

TEST(StyledButtonDrawingTest, TheTitleUsesTheStyleFontAndTheStateColour)
{
    StyledButtonCell cell(QStringLiteral("Title"));
    const AttributedString enabled = cell.attributedTitle();
    ASSERT_EQ(enabled.runs().size(), 1u);
    EXPECT_EQ(enabled.runs()[0].font, *cell.style().font());
    EXPECT_EQ(enabled.runs()[0].color, *cell.style().textColor());
    EXPECT_EQ(enabled.paragraphStyle(), ParagraphStyle({TextAlignment::center, TruncationMode::tail}));
    cell.setEnabled(false);
    EXPECT_EQ(cell.attributedTitle().runs()[0].color, *cell.style().disabledTextColor());

    // Drawn text shows in the title rect and nowhere else.
    StyledButton button;
    button.setTitle(QStringLiteral("Title"));
    button.setBordered(false);
    button.resize(80, 24);
    const QRect ink = inkBounds(picture(button));
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.center().x(), 40, 2) << "centred";
    EXPECT_NEAR(ink.center().y(), 12, 3);
}

// ---- behaviour ------------------------------------------------------------------------------

TEST(ButtonBehaviourTest, AClickInsideMovesTheStateOnAndSendsTheAction)
{
    QWidget window;
    auto* button = new StyledButton(&window);
    button->setGeometry(10, 10, 80, 24);
    button->setButtonType(ButtonType::pushOnPushOff);
    window.show();
    QSignalSpy actions(button, &Control::action);

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(actions.count(), 1);
    EXPECT_EQ(button->state(), ControlStateValue::on);
    EXPECT_TRUE(button->cell().controlState().contains(State::on));
    EXPECT_FALSE(button->cell().isHighlighted());

    // Pressed, dragged out and released: highlighted while inside, nothing sent.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_TRUE(button->cell().isHighlighted());
    QMouseEvent out(QEvent::MouseMove, QPointF(120, 12), button->mapToGlobal(QPointF(120, 12)), Qt::NoButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(button, &out);
    EXPECT_FALSE(button->cell().isHighlighted());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(120, 12));
    EXPECT_EQ(actions.count(), 1);
    EXPECT_EQ(button->state(), ControlStateValue::on);

    // Space clicks too; a momentary button keeps its state; a disabled one does nothing.
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(actions.count(), 2);
    EXPECT_EQ(button->state(), ControlStateValue::off);
    button->setButtonType(ButtonType::momentaryPushIn);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(actions.count(), 3);
    EXPECT_EQ(button->state(), ControlStateValue::off);
    button->setEnabled(false);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(40, 12));
    EXPECT_EQ(actions.count(), 3);
}

} // namespace
