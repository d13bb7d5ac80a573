#include "QStringPrinter.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/DialLabel.h"

#include "platform/ui/Stack.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

// The value label as a view of the view layer: its natural size, its place in a stack and the
// click that opens the field.
namespace mossbell {
namespace {

std::shared_ptr<AudioParameter> makeLevel(float value)
{
    return AudioParameter::create(3, "outputLevel", "Output", au::ParameterUnit::decibels, {-60.0f, 12.0f}, value,
                                  AudioParameter::ValueIncrement::linear(), std::nullopt, std::nullopt);
}

LabelDisplayOptions options()
{
    return LabelDisplayOptions(QColor(236, 236, 236), 12.0, 22.0, 16.0, true, true, 64.0);
}

QSize ceiled(QSizeF size)
{
    return QSize(int(std::ceil(size.width())), int(std::ceil(size.height())));
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

TEST(DialLabelView, TheNaturalSizeFollowsTheValueEvenWhileNotShown)
{
    const auto level = makeLevel(-6.0f);
    DialLabel label(level, Qt::white, options(), MossFont::zindle);
    EXPECT_EQ(label.sizeHint(), ceiled(label.layout().stackSize));
    const int narrow = label.sizeHint().width();

    // Never painted, so no painting tracks the value: the size follows all the same.
    level->setValue(-45.5f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();
    EXPECT_GT(label.sizeHint().width(), narrow);
    EXPECT_EQ(label.sizeHint(), ceiled(label.layout().stackSize));
}

TEST(DialLabelView, AStackGivesItItsNaturalSizeAndFollowsAWiderValue)
{
    const auto level = makeLevel(-6.0f);
    auto* row = ui::hstack();
    auto* label = row->add(new DialLabel(level, Qt::white, options(), MossFont::zindle));
    row->resize(300, 120);
    row->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(row));
    settle();
    EXPECT_EQ(label->size(), label->sizeHint());

    level->setValue(-45.5f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();
    EXPECT_EQ(label->size(), ceiled(label->layout().stackSize)) << "the stack lays the wider label out";
    delete row;
}

TEST(DialLabelView, OnlyAReleaseOverTheLabelOpensTheField)
{
    QWidget window;
    auto* label = new DialLabel(makeLevel(-6.0f), Qt::white, options(), MossFont::zindle, nullptr, {}, &window);
    label->resize(label->sizeHint() + QSize(20, 20));
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mousePress(label, Qt::LeftButton, {}, label->rect().center());
    QTest::mouseRelease(label, Qt::LeftButton, {}, label->rect().bottomRight() + QPoint(30, 30));
    EXPECT_FALSE(label->isEditing()) << "the press left the label";

    QTest::mouseClick(label, Qt::RightButton, {}, label->rect().center());
    EXPECT_FALSE(label->isEditing()) << "only the left button clicks";

    QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    EXPECT_TRUE(label->isEditing());
    EXPECT_TRUE(label->field()->isVisible());
    EXPECT_EQ(label->sizeHint(), ceiled(label->layout().stackSize)) << "the editing layout's size";
}

} // namespace
} // namespace mossbell
