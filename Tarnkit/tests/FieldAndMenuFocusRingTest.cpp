// The focus ring of the text field, the search field, the segmented control and the pop-up
// button in real windows: drawn only while the control (or its field editor) has the keyboard
// focus of the key window.

#include "Tarnkit/Controls/StyledPopUpButton.h"
#include "Tarnkit/Controls/StyledSearchField.h"
#include "Tarnkit/Controls/StyledSegmentedControl.h"
#include "Tarnkit/Fields/StyledTextField.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/ViewSugar.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace tarnkit;

// Pixels of the ring's stroke: the focus-ring colour, nearly opaque.
int ringPixels(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    const QColor ring = *Styles::Control::focusRingColor();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += qAlpha(p) > 200 && std::abs(qRed(p) - ring.red()) < 12 && std::abs(qGreen(p) - ring.green()) < 12
                     && std::abs(qBlue(p) - ring.blue()) < 12;
        }
    }
    return count;
}

void activate(QWidget& window)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST(FieldAndMenuFocusRingTest, OnlyInTheKeyWindowForTheFirstResponder)
{
    struct Maker {
        const char* what;
        std::function<Control*(QWidget*)> make;
    };
    const Maker makers[] = {
        {"text field", [](QWidget* parent) { return new StyledTextField(parent); }},
        {"search field", [](QWidget* parent) { return new StyledSearchField(parent); }},
        {"segmented control",
         [](QWidget* parent) {
             auto* control = new StyledSegmentedControl(parent);
             control->setSegmentCount(2);
             control->setLabel(QStringLiteral("One"), 0);
             control->setLabel(QStringLiteral("Two"), 1);
             return control;
         }},
        {"pop-up button",
         [](QWidget* parent) {
             auto* button = new StyledPopUpButton(QRect(), false, 120, parent);
             button->addItem(QStringLiteral("Item"));
             return button;
         }},
    };
    for (const auto& maker : makers) {
        QWidget first;
        QWidget second;
        first.setGeometry(20, 20, 320, 120);
        second.setGeometry(360, 20, 200, 120);
        auto* elsewhere = new QLineEdit(&first);
        elsewhere->move(10, 80);
        new QLineEdit(&second);
        Control* control = maker.make(&first);
        control->setGeometry(QRect(QPoint(10, 10), control->sizeHint().expandedTo(QSize(160, 24))));
        first.show();
        second.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));

        activate(first);
        control->setFocus();
        ASSERT_TRUE(isFirstResponderInKeyWindow(control)) << maker.what;
        EXPECT_GT(ringPixels(*control), 0) << maker.what;

        activate(second);
        EXPECT_TRUE(isFirstResponderInCurrentWindow(control)) << maker.what << ": still its window's first responder";
        EXPECT_EQ(ringPixels(*control), 0) << maker.what << ": no ring while the window is not key";

        activate(first);
        EXPECT_GT(ringPixels(*control), 0) << maker.what;
        elsewhere->setFocus();
        EXPECT_EQ(ringPixels(*control), 0) << maker.what << ": no ring once another view has the focus";
    }
}

} // namespace
