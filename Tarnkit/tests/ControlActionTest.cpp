#include "Tarnkit/Foundation/ActionTrampoline.h"
#include "Tarnkit/Foundation/ControlAction.h"
#include "Tarnkit/Foundation/ControlPublisher.h"
#include "Tarnkit/Foundation/ControlSize.h"
#include "Tarnkit/Foundation/FirstResponder.h"
#include "Tarnkit/Foundation/PassthroughSubject.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>
#include <vector>

namespace {

using tarnkit::Cancellable;
using tarnkit::controlEventPublisher;
using tarnkit::ControlPublisher;

// A target with an action method, as any object that receives a control's action.
class Receiver : public QObject {
    Q_OBJECT
public:
    std::vector<QObject*> senders;
    Q_INVOKABLE void buttonPressed(QObject* sender) { senders.push_back(sender); }
};

TEST(SetAction, RunsTheLastClosureWithTheTypedControl)
{
    QPushButton button;
    std::vector<int> runs;
    tarnkit::setAction(&button, [&](QPushButton& b) {
        EXPECT_EQ(&b, &button);
        runs.push_back(1);
    });
    button.click();
    tarnkit::setAction(&button, [&](QPushButton&) { runs.push_back(2); });
    button.click();
    EXPECT_EQ(runs, (std::vector<int>{1, 2}));
    // One trampoline per control: the first was released.
    EXPECT_EQ(button.findChildren<tarnkit::ActionTrampoline*>().size(), 1);
}

// Expires when the closure that holds its int is destroyed; read only through this global, since
// a closure destroyed while it runs can no longer read its own captures.
std::weak_ptr<int> runningClosure;
bool closureOutlivedItsReplacement = false;

TEST(SetAction, AClosureMayReplaceTheActionWhileItRuns)
{
    QPushButton button;
    int replacementRuns = 0;
    auto token = std::make_shared<int>(0);
    runningClosure = token;
    tarnkit::setAction(&button, [token, &replacementRuns](QPushButton& b) {
        tarnkit::setAction(&b, [&replacementRuns](QPushButton&) { ++replacementRuns; });
        closureOutlivedItsReplacement = !runningClosure.expired();
    });
    token.reset();
    button.click();
    EXPECT_TRUE(closureOutlivedItsReplacement) << "the running closure was destroyed under itself";
    EXPECT_TRUE(runningClosure.expired()) << "the replaced closure is released once it has returned";
    EXPECT_EQ(replacementRuns, 0);
    button.click();
    EXPECT_EQ(replacementRuns, 1);
}

TEST(SetAction, ReachesTheActionSignalOfEachKindOfControl)
{
    int runs = 0;
    QComboBox combo;
    combo.addItems({"a", "b"});
    tarnkit::setAction(&combo, [&](QComboBox&) { ++runs; });
    emit combo.activated(1);
    QSlider slider;
    tarnkit::setAction(&slider, [&](QSlider&) { ++runs; });
    slider.setValue(5);
    QLineEdit field;
    tarnkit::setAction(&field, [&](QLineEdit&) { ++runs; });
    emit field.editingFinished();
    EXPECT_EQ(runs, 3);
}

TEST(SetTarget, SendsTheActionToTheTargetWithTheControlAsSender)
{
    QPushButton button;
    auto receiver = std::make_unique<Receiver>();
    tarnkit::setTarget(&button, receiver.get(), tarnkit::Selector{"buttonPressed"});
    EXPECT_EQ(tarnkit::target(&button), receiver.get());
    button.click();
    ASSERT_EQ(receiver->senders.size(), 1u);
    EXPECT_EQ(receiver->senders.front(), &button);
    EXPECT_TRUE(tarnkit::sendAction(&button));
    EXPECT_EQ(receiver->senders.size(), 2u);
    // The target is held weakly.
    receiver.reset();
    EXPECT_EQ(tarnkit::target(&button), nullptr);
    button.click(); // goes nowhere, harmlessly
}

TEST(ControlPublisher, IsMadeOnceAndSharedByEveryCaller)
{
    QPushButton button;
    ControlPublisher& first = controlEventPublisher(&button);
    ControlPublisher& second = controlEventPublisher(&button);
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(&first.subject(), &second.subject());
    EXPECT_EQ(first.control(), &button);
    EXPECT_EQ(button.findChildren<ControlPublisher*>().size(), 1);

    // A subscriber added through the second read hears the control's next action.
    std::vector<QWidget*> heard;
    Cancellable c = second.sink([&](QWidget* const& control) { heard.push_back(control); });
    button.click();
    button.click();
    EXPECT_EQ(heard, (std::vector<QWidget*>{&button, &button}));

    // Two controls, two publishers, each with a subject of its own.
    QPushButton other;
    EXPECT_NE(&controlEventPublisher(&other), &first);
    EXPECT_NE(&controlEventPublisher(&other).subject(), &first.subject());
}

TEST(ControlPublisher, FinishesWhenTheControlIsDestroyed)
{
    auto button = std::make_unique<QPushButton>();
    int completions = 0;
    int values = 0;
    Cancellable c = controlEventPublisher(button.get()).sink([&](QWidget* const&) { ++values; }, [&] { ++completions; });
    tarnkit::PassthroughSubject<int> unrelated; // keeps the heap busy around the destruction
    button.reset();
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(values, 0);
    c.cancel(); // after the publisher is gone: harmless
}

TEST(ControlPublisher, HearsTheControlOnlyWhileItIsItsTarget)
{
    // A control has one target: the last one set hears it. Asking for the publisher again
    // returns the same one without taking the control back.
    QPushButton button;
    int published = 0;
    int closures = 0;
    Cancellable c = controlEventPublisher(&button).sink([&](QWidget* const&) { ++published; });
    button.click();
    tarnkit::setAction(&button, [&](QPushButton&) { ++closures; });
    button.click();
    EXPECT_EQ(&controlEventPublisher(&button), button.findChild<ControlPublisher*>());
    button.click();
    EXPECT_EQ(published, 1);
    EXPECT_EQ(closures, 2);
}

TEST(ControlPublisher, KeyPathPublishersReadTheValueAtTheAction)
{
    QComboBox combo;
    combo.addItems({"a", "b", "c"});
    std::vector<int> indexes;
    Cancellable a = tarnkit::selectedItemPublisher(&combo).sink([&](const int& i) { indexes.push_back(i); });
    combo.setCurrentIndex(2);
    emit combo.activated(2);
    EXPECT_EQ(indexes, std::vector<int>{2});

    QCheckBox box;
    box.setTristate(true);
    std::vector<Qt::CheckState> states;
    Cancellable b = tarnkit::controlStatePublisher(&box).sink([&](const Qt::CheckState& s) { states.push_back(s); });
    box.click(); // unchecked -> partially checked
    box.click(); // -> checked
    EXPECT_EQ(states, (std::vector<Qt::CheckState>{Qt::PartiallyChecked, Qt::Checked}));

    QSlider slider;
    slider.setRange(0, 100);
    std::vector<double> values;
    Cancellable d = tarnkit::doubleValuePublisher(&slider).sink([&](const double& v) { values.push_back(v); });
    slider.setValue(40);
    EXPECT_EQ(values, std::vector<double>{40.0});
}

TEST(ControlSize, MapsBothWaysWithExtraLargeAsLarge)
{
    using tarnkit::ControlSize;
    using tarnkit::ViewControlSize;
    const struct {
        ControlSize control;
        ViewControlSize view;
    } there[] = {
        {ControlSize::regular, ViewControlSize::regular}, {ControlSize::small, ViewControlSize::small},
        {ControlSize::mini, ViewControlSize::mini},       {ControlSize::large, ViewControlSize::large},
        {ControlSize::extraLarge, ViewControlSize::large},
    };
    for (const auto& c : there)
        EXPECT_EQ(tarnkit::viewControlSize(c.control), c.view) << int(c.control);
    const struct {
        ViewControlSize view;
        ControlSize control;
    } back[] = {
        {ViewControlSize::regular, ControlSize::regular}, {ViewControlSize::small, ControlSize::small},
        {ViewControlSize::mini, ControlSize::mini},       {ViewControlSize::large, ControlSize::large},
        {ViewControlSize::extraLarge, ControlSize::large},
    };
    for (const auto& c : back)
        EXPECT_EQ(tarnkit::controlSize(c.view), c.control) << int(c.view);
}

TEST(ControlSizeDeathTest, AnUnknownRawValueIsAProgrammingError)
{
    EXPECT_DEATH(tarnkit::viewControlSize(static_cast<tarnkit::ControlSize>(5)), "Unhandled control size: 5");
    EXPECT_DEATH(tarnkit::controlSize(static_cast<tarnkit::ViewControlSize>(9)), "Unhandled control size: 9");
}

TEST(FirstResponder, FocusesTheViewInItsWindowEachTimeThePublisherEmits)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit;
    auto* second = new QLineEdit;
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    first->setFocus();
    tarnkit::PassthroughSubject<int> trigger;
    Cancellable c = tarnkit::makeFirstResponder(trigger.publisher(), second);
    EXPECT_EQ(window.focusWidget(), first);
    trigger.send(1);
    EXPECT_EQ(window.focusWidget(), second);

    // Once the view is gone, a value does nothing.
    first->setFocus();
    delete second;
    trigger.send(2);
    EXPECT_EQ(window.focusWidget(), first);
}

TEST(FirstResponder, DoesNothingForAViewInNoWindow)
{
    QLineEdit alone; // a top-level widget of its own: in no window
    tarnkit::makeKeyAndFirstResponder(&alone);
    EXPECT_FALSE(alone.hasFocus());
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
    tarnkit::makeKeyAndFirstResponder(nullptr);
}

} // namespace

#include "ControlActionTest.moc"
