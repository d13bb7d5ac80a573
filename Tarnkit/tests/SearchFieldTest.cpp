// The search field: its text geometry between the buttons, its size, its placeholder and text
// colours, the focused bezel, and the cancel button.

#include "Tarnkit/Controls/StyledSearchField.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/tests/TestColors.h"
#include "Tarnkit/tests/TestViews.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

using namespace tarnkit;
using tarnkit::testing::picture;
using State = StyledControlState;

// Whether colour shows inside area (the whole image by default).
bool shows(const QImage& image, const ColorRef& colour, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) > 160 && std::abs(qRed(p) - colour->red()) <= 4 && std::abs(qGreen(p) - colour->green()) <= 4
                && std::abs(qBlue(p) - colour->blue()) <= 4)
                return true;
        }
    }
    return false;
}

// Records the drawing rect the field editor is placed by, while it is being set up.
class ProbeCell : public StyledSearchFieldCell {
public:
    QLineEdit& setUpFieldEditorAttributes(QLineEdit& editor) const override
    {
        duringEditing = drawingRect(Rect(0, 0, 120, 24));
        flagDuringEditing = isBeingEdited() || isBeingSelected();
        return StyledSearchFieldCell::setUpFieldEditorAttributes(editor);
    }

    mutable std::optional<Rect> duringEditing;
    mutable bool flagDuringEditing = false;
};

TEST(StyledSearchFieldGeometryTest, TheTextLiesBetweenTheButtons)
{
    StyledSearchFieldCell cell;
    cell.setBezeled(true);
    const double line = cell.attributedStringValue().size().height;
    const auto centred = [line](double x, double width) {
        return Rect(x, 12 - 0.5 * line, width, line).integral(); // on the middle of (x, 2, width, 20)
    };
    struct Case {
        const char* what;
        double width;
        QString text;
        bool icon;
        bool centre;
        Rect expected;
    };
    // 120 x 24, padded (2, 6, 2, 6): drawing rect (6, 2, 108, 20). The search button spans
    // 7..32, so the text starts at 32 - 10; the superclass's text rect runs from 32 (or 6
    // without the icon) to 114. The cancel button starts at width - 26.
    const Case cases[] = {
        {"icon, no text", 120, {}, true, true, centred(22, 82)},
        {"no icon: x is 4 whatever the button", 120, {}, false, true, centred(4, 108)},
        {"text: up to 2 points into the cancel button", 120, QStringLiteral("abc"), true, true, centred(22, 74)},
        {"not centred: the drawing rect's height", 120, {}, true, false, Rect(22, 2, 82, 20)},
        {"too narrow: no width rather than a negative one", 40, QStringLiteral("abc"), true, true, centred(22, 0)},
    };
    for (const auto& c : cases) {
        cell.setStringValue(c.text);
        cell.setShowsSearchIcon(c.icon);
        cell.setVerticallyCenter(c.centre);
        EXPECT_EQ(cell.searchTextRect(Rect(0, 0, c.width, 24)), c.expected) << c.what;
    }
    cell.setStringValue({});
    EXPECT_EQ(cell.cancelButtonRect(Rect(0, 0, 120, 24)), Rect()) << "no cancel button without text";
    cell.setBezeled(false);
    EXPECT_EQ(cell.drawingRect(Rect(0, 0, 120, 24)), Rect(0, 0, 120, 24));
}

TEST(StyledSearchFieldGeometryTest, TheEditorIsSetUpOverTheWholeBounds)
{
    QWidget window;
    auto probe = std::make_unique<ProbeCell>();
    ProbeCell* cell = probe.get();
    auto* field = new StyledSearchField(&window);
    field->setCell(std::move(probe));
    field->setBezeled(true);
    field->setEditable(true);
    field->setGeometry(0, 0, 120, 24);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    field->selectText();
    ASSERT_TRUE(field->isEditing());
    ASSERT_TRUE(cell->duringEditing.has_value());
    EXPECT_EQ(*cell->duringEditing, Rect(0, 0, 120, 24));
    EXPECT_TRUE(cell->flagDuringEditing);
    EXPECT_FALSE(cell->isBeingSelected()) << "only while the call runs";
    EXPECT_EQ(cell->drawingRect(Rect(0, 0, 120, 24)), Rect(6, 2, 108, 20));
}

TEST(StyledSearchFieldGeometryTest, SizedByItsBezel)
{
    StyledSearchField field;
    EXPECT_EQ(field.alignmentRectInsets(), (EdgeInsets{2, 2, 2, 2}));
    EXPECT_EQ(field.intrinsicContentSize(), (Size{116, 20})) << "120 x 24 less the insets";
    EXPECT_EQ(field.sizeHint(), QSize(120, 24));
    EXPECT_EQ(tarnkit::testing::imageName(field.styledCell().currentBezelImage()), "tkui-searchfield");
    field.styledCell().setShowsSearchIcon(false);
    EXPECT_EQ(tarnkit::testing::imageName(field.styledCell().currentBezelImage()), "tkui-textfield");

    field.setBezeled(false);
    const Size plain = field.intrinsicContentSize();
    EXPECT_EQ(plain.width, Control::noIntrinsicMetric) << "the superclass's size";
    EXPECT_EQ(plain.height, field.cell().attributedTitle().size().height);
    field.resize(120, 24);
    EXPECT_FALSE(shows(picture(field), StyledSearchFieldCell::classStyle().textColor())) << "no bezel, no text";

    EXPECT_DEATH(field.setCell(std::make_unique<SearchFieldCell>()), "StyledSearchFieldCell");
}

TEST(StyledSearchFieldDrawingTest, PlaceholderAndTextColours)
{
    StyledSearchField field;
    field.resize(160, 24);
    field.setBezeled(false); // text over nothing keeps its own colour at its edges
    StyledSearchFieldCell& cell = field.styledCell();
    const SearchFieldCellStyle& style = StyledSearchFieldCell::classStyle();
    ASSERT_NE(style.placeholderTextColor()->rgb(), style.textColor()->rgb());

    // The text's room: from the search text rect's start to where the cancel button begins
    // (the icons are drawn in the placeholder's grey).
    const QRect text = viewFlip(field).map(cell.searchTextRect(field.bounds())).toAlignedRect().adjusted(0, -2, 0, 2);
    const QRect room(text.left(), text.top(), (160 - 26) - text.left(), text.height());

    field.setPlaceholderString(QStringLiteral("MMMM"));
    ASSERT_TRUE(cell.placeholderAttributedString().has_value());
    EXPECT_EQ(cell.placeholderAttributedString()->string(), QStringLiteral("MMMM"));
    EXPECT_TRUE(shows(picture(field), style.placeholderTextColor(), room));

    field.setStringValue(QStringLiteral("MMMM"));
    const QRect withCancel = room;
    ASSERT_EQ(cell.cancelButtonRect(field.bounds()).minX(), 160 - 26);
    EXPECT_TRUE(shows(picture(field), style.textColor(), withCancel)) << "a value draws in the text colour ...";
    EXPECT_FALSE(shows(picture(field), style.placeholderTextColor(), withCancel)) << "... never the placeholder's";

    field.setStringValue({});
    field.setPlaceholderString(std::nullopt);
    EXPECT_EQ(cell.placeholderString(), std::nullopt);
    EXPECT_FALSE(cell.placeholderAttributedString().has_value()) << "no placeholder leaves none behind";
    EXPECT_FALSE(shows(picture(field), style.placeholderTextColor(), room));
}

TEST(StyledSearchFieldDrawingTest, FocusedWhileItHoldsTheKeyWindowsFocus)
{
    QWidget first;
    QWidget second;
    first.setGeometry(20, 20, 300, 100);
    second.setGeometry(340, 20, 200, 100);
    auto* field = new StyledSearchField(&first);
    field->setGeometry(10, 10, 160, 24);
    auto* other = new QLineEdit(&first);
    other->move(10, 50);
    first.show();
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
    first.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&first));

    StyledSearchFieldCell& cell = field->styledCell();
    other->setFocus();
    EXPECT_FALSE(cell.controlState().contains(State::focused));
    field->setFocus();
    ASSERT_TRUE(field->isEditing());
    EXPECT_TRUE(cell.controlState().contains(State::focused)) << "its editor has the focus";
    EXPECT_EQ(tarnkit::testing::imageName(cell.currentBezelImage()), "tkui-searchfield-focus");

    second.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
    EXPECT_FALSE(cell.controlState().contains(State::focused)) << "not in a window that is not key";
    first.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&first));
    other->setFocus();
    EXPECT_FALSE(cell.controlState().contains(State::focused));
    EXPECT_EQ(tarnkit::testing::imageName(cell.currentBezelImage()), "tkui-searchfield");
}

TEST(SearchFieldTest, TheCancelButtonEmptiesTheField)
{
    StyledSearchField field;
    field.resize(160, 24);
    field.setStringValue(QStringLiteral("query"));
    QSignalSpy actions(&field, &Control::action);
    const Rect cancel = field.searchCell().cancelButtonRect(field.bounds());
    ASSERT_TRUE(cancel.hasNonZeroDimensions());
    const QPoint inside = viewFlip(field).map(cancel).center().toPoint();

    // Pressed, dragged off and released outside: nothing.
    QTest::mousePress(&field, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(field.searchCell().cancelButtonCell().isHighlighted());
    QTest::mouseMove(&field, QPoint(20, 12));
    QTest::mouseRelease(&field, Qt::LeftButton, {}, QPoint(20, 12));
    EXPECT_EQ(field.stringValue(), QStringLiteral("query"));
    EXPECT_EQ(actions.count(), 0);

    QTest::mouseClick(&field, Qt::LeftButton, {}, inside);
    EXPECT_TRUE(field.stringValue().isEmpty());
    EXPECT_EQ(actions.count(), 1);
    EXPECT_EQ(field.searchCell().cancelButtonRect(field.bounds()), Rect()) << "gone with the text";
    EXPECT_FALSE(field.isEditing());
}

} // namespace
