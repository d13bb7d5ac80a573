// A press and a release that arrive back to back, before the event loop runs in between: the
// value queued by the press must be in place when the release is handled.

#include "HostRecorder.h"

#include "Mossbell/AudioParameter.h"

#include "platform/audiounit/ParameterTree.h"

#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace mossbell {
namespace {

// A toggle as the framework's buttons frame a click: press flips the value as a gesture start,
// release reads the value back and ends the gesture with it.
class ToggleDouble : public QWidget {
public:
    explicit ToggleDouble(std::shared_ptr<AudioParameter> parameter) : parameter_(std::move(parameter))
    {
        resize(40, 20);
    }

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        const float flipped = parameter_->value() == 0.0f ? 1.0f : 0.0f;
        parameter_->setValue(flipped, ParameterEditor::ui, ParameterEditorState::beginInteractive);
    }
    void mouseReleaseEvent(QMouseEvent*) override
    {
        parameter_->setValue(parameter_->value(), ParameterEditor::ui, ParameterEditorState::endInteractive);
    }

private:
    std::shared_ptr<AudioParameter> parameter_;
};

TEST(QuickClick, PressAndReleaseBackToBackLeaveHostAndViewAtTheReleasedValue)
{
    const auto toggle = AudioParameter::create(3, "highPassFilter", "High Pass", au::ParameterUnit::boolean,
                                               {0.0f, 1.0f}, 0.0f, AudioParameter::ValueIncrement::linear(),
                                               std::nullopt, std::nullopt);
    const auto tree = au::ParameterTree::createTree({toggle->auParameter()});
    test::HostRecorder host(tree);
    ToggleDouble widget(toggle);
    widget.show();
    test::runMainQueue();

    for (const float expected : {1.0f, 0.0f, 1.0f}) {
        host.clear();
        QTest::mousePress(&widget, Qt::LeftButton);
        QTest::mouseRelease(&widget, Qt::LeftButton);

        const auto events = host.events();
        ASSERT_EQ(events.size(), 2u);
        EXPECT_EQ(events[0].type, au::AutomationEventType::touch);
        EXPECT_EQ(events[0].value, expected);
        EXPECT_EQ(events[1].type, au::AutomationEventType::release);
        EXPECT_EQ(events[1].value, expected) << "the release read the pressed value";
        EXPECT_EQ(toggle->auParameter()->storedValue(), expected);

        test::runMainQueue();
        EXPECT_EQ(toggle->value(), expected) << "the view ends where the host is";
    }
}

} // namespace
} // namespace mossbell
