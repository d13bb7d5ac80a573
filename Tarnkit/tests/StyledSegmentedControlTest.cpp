// The styled segmented control: segment states and what they draw with, widths from labels,
// the tab rects, the focus-ring bounds, the intrinsic size, and the pointer and keyboard.

#include "Tarnkit/Controls/StyledSegmentedControl.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/tests/TestColors.h"
#include "Tarnkit/tests/TestViews.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace tarnkit;
using tarnkit::testing::picture;
using State = StyledControlState;
using tarnkit::testing::colorName;
using tarnkit::testing::imageName;

std::unique_ptr<StyledSegmentedControl> threeSegments()
{
    auto control = std::make_unique<StyledSegmentedControl>();
    control->setSegmentCount(3);
    const char* labels[] = {"One", "Two", "Three"};
    for (int i = 0; i < 3; ++i) {
        control->setLabel(QString::fromLatin1(labels[i]), i);
        control->setWidth(0, i);
    }
    return control;
}

TEST(StyledSegmentedStateTest, TheSelectionShowsOnlyOnceItIsNotHidden)
{
    struct Case {
        const char* what;
        bool hideSelection;
        bool enabled;
        int pressed;
        State::RawValue state; // of segment 1, the selected one
        const char* image;
        const char* text;
    };
    const Case cases[] = {
        {"a new control hides its selection", true, true, -1, 1, "tkui-window-tab", "Grey 70%"},
        {"shown", false, true, -1, 5, "tkui-window-tab-selected", "Grey 85%"},
        {"pressed, hidden", true, true, 1, 9, "tkui-window-tab-down", "Grey 50%"},
        {"pressed and selected: the selected tab wins the tie", false, true, 1, 13, "tkui-window-tab-selected", "Grey 85%"},
        {"disabled", true, false, -1, 3, "tkui-window-tab", "Grey 40%"},
        {"disabled, shown", false, false, -1, 7, "tkui-window-tab-selected", "Grey 40%"},
    };
    for (const auto& c : cases) {
        auto control = threeSegments();
        auto& cell = static_cast<StyledSegmentedCell&>(control->segmentedCell());
        control->setSelectedSegment(1);
        if (!c.hideSelection)
            control->setHideSelection(false);
        control->setEnabled(c.enabled);
        cell.setPressedSegment(c.pressed);
        EXPECT_EQ(control->hideSelection(), c.hideSelection);
        const State state = cell.controlState(1);
        EXPECT_EQ(state.rawValue(), c.state) << c.what;
        EXPECT_EQ(imageName(cell.style().bezelImage(state)), c.image) << c.what;
        EXPECT_EQ(colorName(std::make_shared<const QColor>(cell.titleAttributes(state).foregroundColor)), c.text) << c.what;
        EXPECT_EQ(cell.controlState(0).rawValue(), c.enabled ? 1u : 3u) << "another segment: " << c.what;
    }

    // A control whose cell is not a styled one has no selection to hide.
    StyledSegmentedControl plain;
    plain.setCell(std::make_unique<SegmentedCell>());
    plain.setHideSelection(false);
    EXPECT_FALSE(plain.hideSelection());
}

TEST(StyledSegmentedGeometryTest, WidthsFollowTheLabels)
{
    StyledSegmentedCell cell;
    cell.setSegmentCount(2);
    cell.setLabel(QStringLiteral("Retro"), 0);
    const double label = AttributedString(QStringLiteral("Retro"), *cell.font(), {}).size().width;
    cell.setWidth(0, 0);
    EXPECT_EQ(cell.width(0), label + 42) << "the label in the cell's font, padded 21 on each side";
    cell.setWidth(200, 0);
    EXPECT_EQ(cell.width(0), label + 42) << "whatever the width asked";
    cell.setWidth(0, 1);
    EXPECT_EQ(cell.width(1), 0) << "no label: the width asked";
    cell.setWidth(17, 1);
    EXPECT_EQ(cell.width(1), 17);
    EXPECT_EQ(cell.segmentFrame(1, Rect(5, 0, 300, 28)), Rect(5 + label + 42, 0, 17, 28));
}

// A cell whose style has no tab images.
class BareCell : public StyledSegmentedCell {
public:
    SegmentedCellStyle& style() const override { return bare; }
    mutable SegmentedCellStyle bare;
};

TEST(StyledSegmentedGeometryTest, TabsAreAsHighAsTheirImageAndCentred)
{
    StyledSegmentedCell cell;
    cell.setSegmentCount(1);
    const Rect frame(10, 3, 60, 40); // middle at y 23
    EXPECT_EQ(cell.bezelRect(0, frame), Rect(10, 9, 60, 28));
    cell.classStyle().setSegmentMargin({1, 2, 3, 4});
    EXPECT_EQ(cell.bezelRect(0, frame), Rect(12, 11, 54, 24)) << "less the margin, centred again";
    cell.classStyle().setSegmentMargin({});

    BareCell bare;
    bare.bare.setBezelImages({});
    bare.setSegmentCount(1);
    EXPECT_EQ(bare.bezelRect(0, frame), Rect(10, 23, 60, 0)) << "no image: zero high, on the middle line";
}

TEST(StyledSegmentedGeometryTest, SizeAndFocusRingBounds)
{
    auto control = threeSegments();
    const Size size = control->intrinsicContentSize();
    EXPECT_EQ(size.height, 28) << "never lower than the tab";
    double widths = 0;
    for (int i = 0; i < 3; ++i)
        widths += control->width(i);
    EXPECT_EQ(size.width, widths);

    auto& cell = static_cast<StyledSegmentedCell&>(control->segmentedCell());
    EXPECT_EQ(cell.focusRingMaskBounds(control->bounds(), *control), Rect()) << "nothing drawn yet";
    control->resize(int(widths), 40);
    QImage image(control->size(), QImage::Format_ARGB32);
    control->render(&image);
    EXPECT_EQ(cell.cachedSegmentFrames().size(), 3u);
    const Rect key = cell.segmentFrame(cell.keySegment(), control->bounds());
    EXPECT_EQ(cell.focusRingMaskBounds(Rect(), *control), cell.bezelRect(cell.keySegment(), key));
}

TEST(StyledSegmentedInputTest, ThePointerPressesAndTheKeysMoveTheKeySegment)
{
    auto control = threeSegments();
    control->resize(control->sizeHint());
    auto& cell = static_cast<StyledSegmentedCell&>(control->segmentedCell());
    QSignalSpy actions(control.get(), &Control::action);
    const auto middleOf = [&](int segment) {
        return viewFlip(*control).map(cell.segmentFrame(segment, control->bounds())).center().toPoint();
    };

    QTest::mousePress(control.get(), Qt::LeftButton, {}, middleOf(2));
    EXPECT_EQ(cell.pressedSegment(), 2);
    EXPECT_TRUE(cell.controlState(2).contains(State::highlighted));
    QTest::mouseMove(control.get(), middleOf(0));
    EXPECT_EQ(cell.pressedSegment(), -1) << "off the pressed segment";
    QTest::mouseMove(control.get(), middleOf(2));
    QTest::mouseRelease(control.get(), Qt::LeftButton, {}, middleOf(2));
    EXPECT_EQ(control->selectedSegment(), 2);
    EXPECT_EQ(control->keySegment(), 2);
    EXPECT_EQ(cell.pressedSegment(), -1);
    EXPECT_EQ(actions.count(), 1);

    QTest::keyClick(control.get(), Qt::Key_Right);
    EXPECT_EQ(control->keySegment(), 2) << "no segment beyond the last";
    QTest::keyClick(control.get(), Qt::Key_Left);
    QTest::keyClick(control.get(), Qt::Key_Left);
    EXPECT_EQ(control->keySegment(), 0);
    EXPECT_EQ(control->selectedSegment(), 2) << "moving the key segment selects nothing";
    QTest::keyClick(control.get(), Qt::Key_Space);
    EXPECT_EQ(control->selectedSegment(), 0);
    EXPECT_EQ(actions.count(), 2);

    control->setEnabled(false);
    QTest::mouseClick(control.get(), Qt::LeftButton, {}, middleOf(1));
    EXPECT_EQ(control->selectedSegment(), 0);
}

} // namespace
