// The focus ring of the styled controls in real windows, the first-responder test with a
// field editor, and selection passed down the view tree.

#include "Tarnkit/Controls/OstrelPushButton.h"
#include "Tarnkit/Controls/StyledButton.h"
#include "Tarnkit/Foundation/Selectable.h"
#include "Tarnkit/Foundation/ViewSugar.h"
#include "Tarnkit/tests/TestViews.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace tarnkit;
using tarnkit::testing::picture;

int inkCount(const QImage& image)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += qAlpha(image.pixel(x, y)) > 0;
    return ink;
}

void activate(QWidget& window)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// A control editing in a line edit of its own, as the fields will.
class EditingButton : public StyledButton {
public:
    explicit EditingButton(QWidget* parent) : StyledButton(parent), editor(new QLineEdit(this)) {}

    QWidget* currentEditor() const override { return editing ? editor : nullptr; }

    QLineEdit* editor;
    bool editing = true;
};

// Two shown windows: the controls under test in the first, a bystander in each.
struct Windows {
    Windows()
    {
        first.setGeometry(20, 20, 300, 120);
        second.setGeometry(340, 20, 200, 120);
        elsewhere = new QLineEdit(&first);
        elsewhere->move(10, 80);
        new QLineEdit(&second);
        first.show();
        second.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&first));
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&second));
    }

    QWidget first;
    QWidget second;
    QLineEdit* elsewhere = nullptr;
};

TEST(FocusRingTest, DrawnOnlyInTheKeyWindowForTheFirstResponder)
{
    using Maker = std::function<Button*(QWidget*)>;
    const Maker makers[] = {
        [](QWidget* parent) { return new StyledButton(parent); },
        [](QWidget* parent) { return new OstrelPushButton(parent); },
    };
    for (const auto& make : makers) {
        Windows windows;
        Button* button = make(&windows.first);
        button->setGeometry(10, 10, 80, 24);
        button->setBordered(false); // nothing but the ring draws
        button->show();
        activate(windows.first);
        button->setFocus();
        ASSERT_TRUE(isFirstResponderInKeyWindow(button));

        const QImage ringed = picture(*button);
        EXPECT_GT(inkCount(ringed), 0);
        // The stroke runs along the bounds inset by 1, 2 points wide: through (1, 12).
        const QColor expected = *StyledButtonCell::classStyle().focusRingColor();
        const QColor edge = ringed.pixelColor(1, 12);
        EXPECT_EQ(edge.rgb(), expected.rgb());
        EXPECT_EQ(edge.alpha(), 255);
        // Inside, the fill at alpha 0.3.
        EXPECT_NEAR(ringed.pixelColor(40, 12).alpha(), 255 * 0.3, 2);
        EXPECT_EQ(qAlpha(ringed.pixel(0, 0)), 0) << "rounded corners";

        activate(windows.second);
        EXPECT_FALSE(isFirstResponderInKeyWindow(button));
        EXPECT_TRUE(isFirstResponderInCurrentWindow(button)) << "still the first responder of its window";
        EXPECT_EQ(inkCount(picture(*button)), 0) << "no ring while the window is not key";

        activate(windows.first);
        EXPECT_GT(inkCount(picture(*button)), 0);
        windows.elsewhere->setFocus();
        EXPECT_EQ(inkCount(picture(*button)), 0) << "no ring for a control that is not first responder";
    }
}

TEST(FocusRingTest, AFieldEditorStandsForItsControl)
{
    Windows windows;
    auto* control = new EditingButton(&windows.first);
    control->setGeometry(10, 10, 80, 24);
    control->setBordered(false);
    control->show();
    activate(windows.first);

    control->editor->setFocus();
    EXPECT_TRUE(isFirstResponderInCurrentWindow(control));
    EXPECT_GT(inkCount(picture(*control)), 0);

    control->editing = false; // the same line edit, no longer the control's editor
    EXPECT_FALSE(isFirstResponderInCurrentWindow(control));
    EXPECT_FALSE(isFirstResponderInCurrentWindow(windows.elsewhere));

    // A view in no window is never first responder; a window's own focus counts for nothing.
    QLineEdit alone;
    alone.show();
    activate(alone);
    alone.setFocus();
    EXPECT_FALSE(isFirstResponderInCurrentWindow(&alone));
}

// A plain view that can be selected.
class SelectableView : public QWidget, public Selectable {
public:
    explicit SelectableView(QWidget* parent) : QWidget(parent) {}

    bool isSelected() const override { return selected; }
    void setSelected(bool value) override { selected = value; }

    bool selected = false;
};

TEST(SelectionTest, PassesDownTwoLevelsThroughSelectableViews)
{
    QWidget row;
    auto* cell = new SelectableView(&row);
    auto* button = new StyledButton(cell);      // second level
    auto* deep = new SelectableView(button);    // third level: out of reach
    auto* plain = new QWidget(&row);
    auto* hidden = new SelectableView(plain);   // behind a view that is not Selectable
    auto* push = new OstrelPushButton(&row);    // first level

    setSelectedOnSubviews(&row, true, true);
    EXPECT_TRUE(cell->selected);
    EXPECT_TRUE(button->isSelected());
    EXPECT_TRUE(button->cell().controlState().contains(StyledControlState::selected));
    EXPECT_TRUE(push->isSelected());
    EXPECT_FALSE(deep->selected);
    EXPECT_FALSE(hidden->selected);

    setSelectedOnSubviews(&row, false, false);
    EXPECT_FALSE(cell->selected);
    EXPECT_FALSE(push->isSelected());
    EXPECT_TRUE(button->isSelected()) << "without the recursive flag only direct subviews change";
}

} // namespace
