// The text fields: focus publications in real windows, typing into the field editor, and the
// styled cell's rects, sizes and drawing.

#include "Tarnkit/Fields/StyledTextField.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/tests/TestColors.h"
#include "Tarnkit/tests/TestViews.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace tarnkit;
using tarnkit::testing::picture;

void activate(QWidget& window)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// The colour of the most opaque pixel: the colour text was drawn in.
QRgb ink(const QImage& image)
{
    QRgb best = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > qAlpha(best))
                best = image.pixel(x, y);
    return best;
}

bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 4 && std::abs(qGreen(a) - qGreen(b)) <= 4 && std::abs(qBlue(a) - qBlue(b)) <= 4;
}

bool shows(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 160 && near(image.pixel(x, y), colour))
                return true;
    return false;
}

// A shown window with a line edit that can take the focus away from the field.
struct Window {
    explicit Window(QRect geometry)
    {
        widget.setGeometry(geometry);
        bystander = new QLineEdit(&widget);
        bystander->setGeometry(10, 60, 100, 22);
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
    }

    QWidget widget;
    QLineEdit* bystander;
};

TEST(FirstResponderAwareTextFieldTest, PublishesEachChangeOfItsWindowsFirstResponderOnce)
{
    Window first(QRect(20, 20, 300, 120));
    Window second(QRect(340, 20, 300, 120));
    activate(first.widget);
    first.bystander->setFocus();

    auto* field = new StyledTextField(&first.widget);
    field->setGeometry(10, 10, 120, 24);
    field->show();
    std::vector<bool> published;
    bool finished = false;
    Cancellable subscription = field->firstResponderPublisher().sink(
        [&](const FirstResponderAwareTextField::Status& s) {
            EXPECT_EQ(s.first, field);
            published.push_back(s.second);
        },
        [&] { finished = true; });
    ASSERT_EQ(field->windowListenerCancellables().size(), 1u);
    EXPECT_TRUE(published.empty()) << "initially another view is first responder: the status stays false";

    field->setFocus();
    ASSERT_TRUE(field->isEditing());
    ASSERT_EQ(QApplication::focusWidget(), &field->fieldEditor());
    EXPECT_EQ(published, std::vector<bool>{true}) << "the field, then its editor: one change";

    // Repeats: the window loses and regains key status, the editor stays its first responder.
    activate(second.widget);
    activate(first.widget);
    QTest::keyClicks(&field->fieldEditor(), "abc");
    EXPECT_EQ(published, std::vector<bool>{true}) << "while editing the status stays true";

    first.bystander->setFocus();
    EXPECT_EQ(published, (std::vector<bool>{true, false}));
    field->setFocus();
    EXPECT_EQ(published, (std::vector<bool>{true, false, true}));

    // Removed from its window: the focus goes with it (hidden on the way out), and from then
    // on focus changes there no longer reach it.
    field->setParent(nullptr);
    EXPECT_EQ(published, (std::vector<bool>{true, false, true, false}));
    EXPECT_TRUE(field->windowListenerCancellables().empty());
    first.bystander->setFocus();
    first.bystander->clearFocus();
    EXPECT_EQ(published.size(), 4u);

    // Back in its window, then moved straight to another: it reads the new window's first
    // responder at once (another view: still false, nothing sent) ...
    field->setParent(&first.widget);
    field->show();
    field->setFocus();
    EXPECT_EQ(published.size(), 5u);
    field->setParent(&second.widget);
    field->setGeometry(10, 10, 120, 24);
    field->show();
    EXPECT_EQ(published.size(), 6u) << "the focus left with it";
    EXPECT_EQ(field->windowListenerCancellables().size(), 1u);
    activate(second.widget);
    field->setFocus();
    EXPECT_EQ(published, (std::vector<bool>{true, false, true, false, true, false, true}));
    // ... and the old window's focus changes say nothing about it any more.
    activate(first.widget);
    first.bystander->setFocus();
    EXPECT_EQ(published.size(), 7u);
    EXPECT_TRUE(field->publishedFirstResponderStatus()) << "still the first responder of its own window";

    delete field;
    EXPECT_TRUE(finished);
    EXPECT_EQ(published.size(), 7u) << "destroying the field finishes the stream without a value";
}

TEST(TextFieldEditingTest, TypingSelectionClipboardReturnAndEscape)
{
    Window window(QRect(20, 20, 300, 120));
    activate(window.widget);
    auto* field = new StyledTextField(&window.widget);
    field->setGeometry(10, 10, 160, 24);
    field->setStringValue(QStringLiteral("start"));
    field->show();
    QSignalSpy actions(field, &Control::action);

    // Tab in: the editor takes over with the whole text selected.
    window.bystander->setFocus();
    QTest::keyClick(window.bystander, Qt::Key_Tab);
    ASSERT_TRUE(field->isEditing());
    QLineEdit& editor = field->fieldEditor();
    EXPECT_TRUE(editor.isVisible());
    EXPECT_EQ(editor.selectedText(), QStringLiteral("start"));
    EXPECT_EQ(field->currentEditor(), &editor);

    QTest::keyClicks(&editor, "hello world");
    EXPECT_EQ(field->stringValue(), QStringLiteral("hello world")) << "typing replaced the selection";
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QTest::keyClick(&editor, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(&editor, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(editor.selectedText(), QStringLiteral("rl"));
    QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("rl"));
    QTest::keyClick(&editor, Qt::Key_End);
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->stringValue(), QStringLiteral("hello worlrl"));

    QTest::keyClick(&editor, Qt::Key_Return);
    EXPECT_EQ(actions.count(), 1);
    EXPECT_EQ(editor.selectedText(), QStringLiteral("hello worlrl")) << "Return keeps the text and selects it";
    EXPECT_TRUE(field->isEditing());

    QTest::keyClicks(&editor, "x");
    QTest::keyClick(&editor, Qt::Key_Escape);
    EXPECT_EQ(field->stringValue(), QStringLiteral("start")) << "Escape gives back the text editing began with";
    EXPECT_EQ(editor.selectedText(), QStringLiteral("start"));

    // Shift+Tab leaves for the view before the field, not back into it; the text stays.
    QTest::keyClicks(&editor, "kept");
    QTest::keyClick(&editor, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), window.bystander);
    EXPECT_FALSE(field->isEditing());
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(field->currentEditor(), nullptr);
    EXPECT_EQ(field->stringValue(), QStringLiteral("kept"));
    EXPECT_EQ(actions.count(), 1);

    // A click puts the caret where it was; a field that is neither editable nor selectable
    // does not edit.
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(2, 12));
    ASSERT_TRUE(field->isEditing());
    EXPECT_EQ(editor.cursorPosition(), 0);
    EXPECT_TRUE(editor.selectedText().isEmpty());
    window.bystander->setFocus();
    field->setEditable(false);
    field->setSelectable(false);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_FALSE(field->isEditing());
}

TEST(StyledTextFieldGeometryTest, InsetsSizesAndTheCentredLine)
{
    struct Case {
        bool bezeled;
        bool bordered;
        double verticalInset;
        EdgeInsets expected;
    };
    const Case cases[] = {
        {true, false, 0, {0, 2, 0, 2}},
        {false, true, 3, {3, 2, 3, 2}},
        {false, false, 3, {0, 0, 0, 0}}, // the superclass's
    };
    for (const auto& c : cases) {
        StyledTextField field(nullptr, c.verticalInset);
        field.setBezeled(c.bezeled);
        field.setBordered(c.bordered);
        EXPECT_EQ(field.alignmentRectInsets(), c.expected);
    }

    StyledTextField field;
    const double line = field.styledCell().attributedStringValue().size().height;
    ASSERT_GT(line, 0);
    // Editable: no width of its own, so the bezel image's; one line or the image's height.
    EXPECT_EQ(field.intrinsicContentSize().width, 48);
    EXPECT_EQ(field.intrinsicContentSize().height, std::max(24.0, line + 8));

    // The bezel takes the style's edge insets and padding (4, 8, 4, 8); the line is centred,
    // unrounded, and the title rect agrees.
    StyledTextFieldCell& cell = field.styledCell();
    const Rect bounds(0, 0, 100, 31);
    const Rect centred(8, 4 + (23 - line) * 0.5, 84, line);
    EXPECT_EQ(cell.drawingRect(bounds), centred);
    EXPECT_EQ(cell.titleRect(bounds), centred);
    field.setVerticallyCenter(false);
    EXPECT_EQ(cell.drawingRect(bounds), Rect(8, 4, 84, 23));
    EXPECT_FALSE(cell.verticallyCenter());

    // Baselines on the title rect of the bounds, beyond the alignment rect (y-up).
    field.setVerticallyCenter(true);
    field.resize(100, 31);
    const Rect title = cell.titleRect(Rect(0, 0, 100, 31));
    EXPECT_EQ(field.firstBaselineOffsetFromTop(), 31 - title.minY());
    EXPECT_EQ(field.lastBaselineOffsetFromBottom(), title.minY());

    EXPECT_DEATH(field.setCell(std::make_unique<TextFieldCell>()), "StyledTextFieldCell");
}

// The style in force, by what it draws: text in the state colour, the placeholder in the
// placeholder colour, nothing of the cell's own while the editor shows the text.
TEST(StyledTextFieldDrawingTest, TextColoursAndTheEditorsTurn)
{
    Window window(QRect(20, 20, 300, 120));
    auto* field = new StyledTextField(&window.widget);
    field->setGeometry(10, 10, 160, 24);
    field->setBezeled(false);
    field->setDrawsBackground(false);
    field->setPlaceholderString(QStringLiteral("MMMM"));
    field->show();

    const QRgb placeholder = StyledTextFieldCell::classStyle().placeholderTextColor()->rgb();
    const QRgb text = StyledTextFieldCell::classStyle().textColor()->rgb();
    const QRgb disabled = StyledTextFieldCell::classStyle().disabledTextColor()->rgb();
    ASSERT_FALSE(near(placeholder, text));
    EXPECT_TRUE(near(ink(picture(*field)), placeholder));
    field->setStringValue(QStringLiteral("MMMM"));
    EXPECT_TRUE(near(ink(picture(*field)), text));
    field->setEnabled(false);
    EXPECT_TRUE(near(ink(picture(*field)), disabled));
    field->setEnabled(true);

    // While editing, the editor draws the text: the field without its children draws none.
    activate(window.widget);
    field->setFocus();
    ASSERT_TRUE(field->isEditing());
    field->fieldEditor().deselect(); // selected text shows in the selection colours
    EXPECT_TRUE(shows(picture(*field), text)) << "the editor's text";
    EXPECT_FALSE(shows(picture(*field, {}), text)) << "the cell draws no text of its own";
    EXPECT_EQ(field->fieldEditor().palette().color(QPalette::Text).rgb(), text) << "the editor has the style's colour";
    EXPECT_EQ(field->fieldEditor().font(), *StyledTextFieldCell::classStyle().font());
    EXPECT_EQ(field->fieldEditor().placeholderText(), QStringLiteral("MMMM")) << "the placeholder stays while editing";
    EXPECT_EQ(field->fieldEditor().palette().color(QPalette::PlaceholderText).rgb(), placeholder);
}

} // namespace
