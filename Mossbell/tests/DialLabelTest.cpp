#include "HostRecorder.h"
#include "QStringPrinter.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/DialLabel.h"

#include "platform/audiounit/ParameterTree.h"

#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

#include "testing/WidgetProbes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace mossbell {
namespace {

using testing_support::PaintCounter;
using testing_support::inkIn;

using Unit = au::ParameterUnit;

std::shared_ptr<AudioParameter> makeParameter(Unit unit, AudioParameter::ValueRange range, float value,
                                              std::string name = "Formant Shift")
{
    return AudioParameter::create(7, "formantShift", std::move(name), unit, range, value,
                                  AudioParameter::ValueIncrement::linear(), std::nullopt, std::nullopt);
}

LabelDisplayOptions displayOptions(bool showSuffix = true, bool showName = true)
{
    return LabelDisplayOptions(QColor(236, 236, 236), 12.0, 22.0, 16.0, showSuffix, showName, 64.0);
}

const QColor nameColor(120, 200, 255);

void settle()
{
    for (int i = 0; i < 3; ++i) {
        test::runMainQueue();
        QApplication::processEvents();
    }
}

// --- Layout -----------------------------------------------------------------------------------

TEST(DialLabelLayout, PartsAndTheirPlaces)
{
    const struct {
        const char* what;
        Unit unit;
        AudioParameter::ValueRange range;
        float value;
        bool showSuffix;
        bool showName;
        const char* valueText;
        const char* suffixText;
    } cases[] = {
        {"decibels with name and suffix", Unit::decibels, {-60.0f, 12.0f}, 3.14159f, true, true, "3.1", "dB"},
        {"name off: the value line alone", Unit::decibels, {-60.0f, 12.0f}, -6.0f, true, false, "-6.0", "dB"},
        {"suffix off", Unit::percent, {0.0f, 100.0f}, 50.0f, false, true, "50.0", ""},
        {"generic unit has no suffix", Unit::generic, {0.0f, 10.0f}, 2.0f, true, true, "2.0", ""},
        {"absolute cents in hundreds", Unit::absoluteCents, {0.0f, 2400.0f}, 1200.0f, true, true, "12.0", ""},
        {"milliseconds", Unit::milliseconds, {0.0f, 500.0f}, 250.0f, true, true, "250.0", "MS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DialLabel label(makeParameter(c.unit, c.range, c.value), nameColor, displayOptions(c.showSuffix, c.showName),
                        MossFont::zindle);
        label.resize(200, 90);
        const DialLabel::Layout parts = label.layout();

        EXPECT_EQ(parts.valueText, c.valueText);
        EXPECT_EQ(parts.suffixText, c.suffixText);
        EXPECT_EQ(parts.suffix.isNull(), QString(c.suffixText).isEmpty());
        EXPECT_TRUE(parts.field.isNull());
        EXPECT_DOUBLE_EQ(parts.valueLine.height(), 40.0);
        EXPECT_NEAR(parts.valueLine.center().x(), 100.0, 1e-9) << "the value line is centred";
        EXPECT_NEAR(parts.value.center().y(), parts.valueLine.center().y(), 1e-9);
        EXPECT_DOUBLE_EQ(parts.value.left(), parts.valueLine.left());
        if (!parts.suffix.isNull()) {
            EXPECT_DOUBLE_EQ(parts.suffix.left() - parts.value.right(), 4.0);
            EXPECT_DOUBLE_EQ(parts.suffix.right(), parts.valueLine.right());
        } else {
            EXPECT_DOUBLE_EQ(parts.value.right(), parts.valueLine.right());
        }

        const qreal stackTop = (90.0 - parts.stackSize.height()) / 2.0;
        if (c.showName) {
            EXPECT_EQ(parts.nameText, "FORMANT SHIFT");
            EXPECT_NEAR(parts.name.center().x(), 100.0, 1e-9);
            EXPECT_DOUBLE_EQ(parts.name.top(), stackTop);
            EXPECT_DOUBLE_EQ(parts.valueLine.top(), parts.name.bottom() - 10.0) << "the lines overlap by 10";
            EXPECT_DOUBLE_EQ(parts.stackSize.height(), parts.name.height() + 30.0);
        } else {
            EXPECT_TRUE(parts.nameText.isEmpty());
            EXPECT_TRUE(parts.name.isNull());
            EXPECT_DOUBLE_EQ(parts.valueLine.top(), stackTop);
            EXPECT_DOUBLE_EQ(parts.stackSize.height(), 40.0);
        }
        EXPECT_DOUBLE_EQ(parts.stackSize.width(), std::max(parts.name.width(), parts.valueLine.width()));
        EXPECT_EQ(label.sizeHint(), QSize(int(std::ceil(parts.stackSize.width())),
                                          int(std::ceil(parts.stackSize.height()))));
    }
}

TEST(DialLabelLayout, ValueTextUsesTheGivenFormatter)
{
    class Named final : public LabelFormatter {
    public:
        QString format(float value) const override { return value > 0.5f ? "ON" : "OFF"; }
        std::optional<float> value(const QString&) const override { return std::nullopt; }
    };
    DialLabel label(makeParameter(Unit::boolean, {0.0f, 1.0f}, 1.0f), nameColor, displayOptions(), MossFont::zindle,
                    std::make_shared<Named>());
    EXPECT_EQ(label.layout().valueText, "ON");
    EXPECT_EQ(label.valueString(), "ON");
}

// --- Repaints ---------------------------------------------------------------------------------

TEST(DialLabelPaint, RepaintsOnAValueChangeOnlyAndFollowsTheNewWidth)
{
    const auto shown = makeParameter(Unit::decibels, {-60.0f, 12.0f}, -6.0f, "Mix");
    const auto other = makeParameter(Unit::decibels, {-60.0f, 12.0f}, 0.0f);
    DialLabel label(shown, nameColor, displayOptions(), MossFont::zindle);
    PaintCounter paints(label);
    label.resize(label.sizeHint());
    label.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&label));
    settle();
    ASSERT_GT(paints.count, 0);

    paints.count = 0;
    other->setValue(-20.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    shown->setBeingInteractivelyEdited(true);
    shown->setBeingInteractivelyEdited(false);
    settle();
    EXPECT_EQ(paints.count, 0) << "nothing the label shows changed";

    const int narrowWidth = label.sizeHint().width();
    shown->setValue(-45.5f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();
    EXPECT_EQ(paints.count, 1);
    EXPECT_EQ(label.layout().valueText, "-45.5");
    EXPECT_GT(label.sizeHint().width(), narrowWidth) << "a wider value asks for more room";

    // Tracking starts again with each painting.
    shown->setValue(3.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();
    EXPECT_EQ(paints.count, 2);
}

// --- Editing ----------------------------------------------------------------------------------

// A window holding the label and another field that can take the focus; keys that escape the
// label's field reach the window.
class Window : public QWidget {
public:
    int keyPresses = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        ++keyPresses;
        event->accept();
    }
};

// The label in a window, with a host observing its parameter's tree.
struct Bench {
    explicit Bench(std::shared_ptr<AudioParameter> parameter, LabelDisplayOptions options = displayOptions())
        : parameter_(std::move(parameter)), tree_(au::ParameterTree::createTree({parameter_->auParameter()})),
          host_(tree_)
    {
        label_ = new DialLabel(parameter_, nameColor, options, MossFont::zindle, nullptr, [this] { ++endings_; });
        other_ = new QLineEdit;
        auto* stack = new QVBoxLayout(&window_);
        stack->addWidget(label_);
        stack->addWidget(other_);
        window_.resize(240, 160);
        window_.show();
        window_.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
        settle();
    }

    void click() { QTest::mouseClick(label_, Qt::LeftButton, {}, label_->rect().center()); }

    void startEditing()
    {
        click();
        ASSERT_TRUE(label_->isEditing());
        ASSERT_TRUE(label_->field()->hasFocus());
    }

    void type(const QString& text) { QTest::keyClicks(label_->field(), text); }

    std::shared_ptr<AudioParameter> parameter_;
    std::shared_ptr<au::ParameterTree> tree_;
    test::HostRecorder host_;
    Window window_;
    DialLabel* label_ = nullptr;
    QLineEdit* other_ = nullptr;
    int endings_ = 0;
};

TEST(DialLabelEditing, AClickOpensAFocusedCentredFieldAndASecondClickChangesNothing)
{
    Bench b(makeParameter(Unit::decibels, {-60.0f, 12.0f}, -6.0f));
    EXPECT_FALSE(b.label_->field()->isVisible());

    b.click();
    ASSERT_TRUE(b.label_->isEditing());
    QLineEdit* field = b.label_->field();
    EXPECT_TRUE(field->isVisible());
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(field->text(), "-6.0");
    EXPECT_EQ(field->selectedText(), "-6.0") << "typing replaces the shown value";
    EXPECT_EQ(field->width(), 64);
    EXPECT_EQ(field->height(), std::min(field->sizeHint().height(), 40));
    EXPECT_NEAR(field->geometry().center().x(), b.label_->width() / 2.0, 1.0);
    EXPECT_EQ(field->font().pixelSize(), 16);
    EXPECT_EQ(field->alignment(), Qt::AlignCenter);
    const DialLabel::Layout parts = b.label_->layout();
    EXPECT_TRUE(parts.value.isNull());
    EXPECT_TRUE(parts.valueText.isEmpty());
    EXPECT_EQ(parts.field.size(), QSizeF(64.0, 40.0));
    EXPECT_NEAR(parts.field.left(), field->x(), 0.5);
    EXPECT_NEAR(parts.field.center().y(), QRectF(field->geometry()).center().y(), 0.5);
    if (!parts.name.isNull()) {
        const qreal baseline = parts.name.top() + QFontMetricsF(mossFont(MossFont::zindle, 12.0)).ascent();
        EXPECT_GE(field->y(), baseline) << "the field leaves the name's capitals free";
    }

    b.type("9");
    QTest::mouseClick(b.label_, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(b.label_->isEditing());
    EXPECT_EQ(field->text(), "9");
    EXPECT_EQ(b.endings_, 0);
}

TEST(DialLabelEditing, ReturnEntersTheTypedValueAsOneChange)
{
    const struct {
        const char* what;
        Unit unit;
        AudioParameter::ValueRange range;
        float initial;
        const char* typed;
        float expected;
    } cases[] = {
        {"cents are typed in hundreds", Unit::absoluteCents, {0.0f, 2400.0f}, 0.0f, "12", 1200.0f},
        {"above the range", Unit::absoluteCents, {0.0f, 2400.0f}, 0.0f, "30", 2400.0f},
        {"below the range", Unit::decibels, {-60.0f, 12.0f}, 0.0f, "-70", -60.0f},
        {"not a number becomes the lower bound", Unit::decibels, {-60.0f, 12.0f}, 0.0f, "nan", -60.0f},
        {"a plain value", Unit::percent, {0.0f, 100.0f}, 50.0f, "12.5", 12.5f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b(makeParameter(c.unit, c.range, c.initial));
        b.startEditing();
        b.type(c.typed);
        ASSERT_EQ(b.label_->valueString(), c.typed) << "typed keys reach the field";
        QTest::keyClick(b.label_->field(), Qt::Key_Return);

        EXPECT_FALSE(b.label_->isEditing());
        EXPECT_FALSE(b.label_->field()->isVisible());
        EXPECT_EQ(b.endings_, 1);
        const auto events = b.host_.events();
        ASSERT_EQ(events.size(), 1u) << "one change, no touch or release";
        EXPECT_EQ(events[0].type, au::AutomationEventType::value);
        EXPECT_EQ(events[0].address, 7u);
        EXPECT_EQ(events[0].value, c.expected);

        settle();
        EXPECT_EQ(b.parameter_->value(), c.expected);
        EXPECT_EQ(b.label_->valueString(), b.label_->formatter().format(c.expected));
        EXPECT_EQ(b.label_->layout().valueText, b.label_->formatter().format(c.expected));
        EXPECT_EQ(b.window_.keyPresses, 0);
    }
}

TEST(DialLabelEditing, UnacceptableTextLeavesTheValueAndResetsTheField)
{
    for (const char* typed : {"5x", " 5", "", "abc"}) {
        SCOPED_TRACE(typed);
        Bench b(makeParameter(Unit::decibels, {-60.0f, 12.0f}, -6.0f));
        b.startEditing();
        QTest::keyClick(b.label_->field(), Qt::Key_Backspace);
        b.type(typed);
        QTest::keyClick(b.label_->field(), Qt::Key_Return);

        EXPECT_FALSE(b.label_->isEditing());
        EXPECT_EQ(b.endings_, 1) << "editing ended all the same";
        EXPECT_EQ(b.label_->valueString(), "-6.0");
        settle();
        EXPECT_TRUE(b.host_.events().empty());
        EXPECT_EQ(b.parameter_->value(), -6.0f);
    }
}

TEST(DialLabelEditing, EscapeEndsEditingOnceDiscardsTheTextAndIsConsumed)
{
    Bench b(makeParameter(Unit::decibels, {-60.0f, 12.0f}, -6.0f));
    b.startEditing();
    b.type("9");
    QTest::keyClick(b.label_->field(), Qt::Key_Escape);

    EXPECT_FALSE(b.label_->isEditing());
    EXPECT_EQ(b.endings_, 1);
    EXPECT_EQ(b.label_->valueString(), "-6.0");
    EXPECT_EQ(b.window_.keyPresses, 0) << "Escape does not travel on to the window";
    settle();
    EXPECT_TRUE(b.host_.events().empty());
    EXPECT_EQ(b.parameter_->value(), -6.0f);

    // Escape once the field is closed is none of the label's business.
    QTest::keyClick(&b.window_, Qt::Key_Escape);
    EXPECT_EQ(b.endings_, 1);
}

TEST(DialLabelEditing, FocusElsewhereLeavesQuietlyAndKeepsTheTextUntilTheValueChanges)
{
    Bench b(makeParameter(Unit::decibels, {-60.0f, 12.0f}, -6.0f));
    b.startEditing();
    b.type("7");
    QTest::mouseClick(b.other_, Qt::LeftButton);
    ASSERT_TRUE(b.other_->hasFocus());

    EXPECT_FALSE(b.label_->isEditing());
    EXPECT_FALSE(b.label_->field()->isVisible());
    EXPECT_EQ(b.endings_, 0);
    EXPECT_EQ(b.label_->valueString(), "7");
    settle();
    EXPECT_TRUE(b.host_.events().empty());
    EXPECT_EQ(b.parameter_->value(), -6.0f);

    // Opening again shows what was typed; a new value replaces it.
    b.startEditing();
    EXPECT_EQ(b.label_->valueString(), "7");
    b.parameter_->setValue(-12.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();
    EXPECT_EQ(b.label_->valueString(), "-12.0");
}

TEST(DialLabelEditing, AutomationWhileEditingReplacesTheFieldText)
{
    Bench b(makeParameter(Unit::absoluteCents, {0.0f, 2400.0f}, 1200.0f));
    b.startEditing();
    b.type("3");
    b.parameter_->setValue(700.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();

    EXPECT_TRUE(b.label_->isEditing());
    EXPECT_EQ(b.label_->valueString(), "7.0");
    EXPECT_EQ(b.endings_, 0);

    QTest::keyClick(b.label_->field(), Qt::Key_Return);
    EXPECT_TRUE(b.host_.events().empty()) << "entering the shown value again changes nothing";
    EXPECT_EQ(b.endings_, 1);
}

TEST(DialLabelEditing, AContextMenuDoesNotCloseTheField)
{
    Bench b(makeParameter(Unit::decibels, {-60.0f, 12.0f}, -6.0f));
    b.startEditing();
    QFocusEvent popup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(b.label_->field(), &popup);
    EXPECT_TRUE(b.label_->isEditing());
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(b.label_->field(), &tab);
    EXPECT_FALSE(b.label_->isEditing());
    EXPECT_EQ(b.endings_, 0);
}

// --- Pictures ---------------------------------------------------------------------------------

// Renders the label on the dark ground of the plug-in views at a device pixel ratio and
// returns the picture; it is also written to the frames folder for a person to look at.
QImage renderFrame(QWidget& widget, qreal ratio, const QString& name)
{
    QImage image((QSizeF(widget.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(38, 40, 46));
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QDir().mkpath(MOSSBELL_FRAMES_DIR);
    const QString path = QStringLiteral(MOSSBELL_FRAMES_DIR "/dial-label-%1@%2x.png").arg(name).arg(int(ratio));
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    return image;
}

TEST(DialLabelPictures, StatesAtOneAndTwoTimes)
{
    const auto wet = makeParameter(Unit::percent, {0.0f, 100.0f}, 72.5f, "Dry/Wet");
    const auto pitch = makeParameter(Unit::absoluteCents, {-2400.0f, 2400.0f}, 1200.0f, "Pitch");

    DialLabel shown(wet, nameColor, displayOptions(), MossFont::zindle);
    DialLabel cents(pitch, nameColor, displayOptions(), MossFont::dosisMedium);
    DialLabel valueOnly(wet, nameColor, displayOptions(true, false), MossFont::zindle);
    for (DialLabel* label : {&shown, &cents, &valueOnly})
        label->resize(label->sizeHint() + QSize(8, 8));

    Window window;
    auto* editing = new DialLabel(wet, nameColor, displayOptions(), MossFont::zindle);
    auto* stack = new QVBoxLayout(&window);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(editing);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::mouseClick(editing, Qt::LeftButton, {}, editing->rect().center());
    ASSERT_TRUE(editing->isEditing());
    editing->resize(editing->sizeHint() + QSize(8, 8));

    for (const qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        for (const auto& [label, name] : {std::pair<DialLabel*, QString>{&shown, "name-value-suffix"},
                                          {&cents, "cents"},
                                          {&valueOnly, "value-only"},
                                          {editing, "editing"}}) {
            SCOPED_TRACE(name.toStdString());
            const QImage image = renderFrame(*label, ratio, name);
            const DialLabel::Layout parts = label->layout();
            for (const QRectF& part : {parts.name, parts.value, parts.suffix, parts.field}) {
                if (!part.isNull()) {
                    EXPECT_GT(inkIn(image, part), 0);
                }
            }
            // Nothing reaches the 4-point margin around the stack.
            const QRectF all(QPointF(0, 0), QSizeF(label->size()));
            EXPECT_EQ(inkIn(image, QRectF(all.topLeft(), QSizeF(all.width(), 3.0))), 0) << "top edge";
            EXPECT_EQ(inkIn(image, QRectF(QPointF(0, all.bottom() - 3.0), QSizeF(all.width(), 3.0))), 0)
                << "bottom edge";
        }
    }
    EXPECT_EQ(cents.layout().valueText, "12.0");
}

} // namespace
} // namespace mossbell
