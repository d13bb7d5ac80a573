// The framework's dials: what each is made of and where, the strip frame each shows from the
// framework's bundle, the label's default formatter, a drag through the dial's window, and a
// picture of each under mossbell-frames/ in the build tree.

#include "HostRecorder.h"
#include "QStringPrinter.h"

#include "Mossbell/AssetResources.h"
#include "Mossbell/AudioParameter.h"
#include "Mossbell/ChaosDial.h"
#include "Mossbell/DefaultLabelFormatter.h"
#include "Mossbell/DialLabel.h"
#include "Mossbell/KnobControl.h"
#include "Mossbell/MediumDial.h"
#include "Mossbell/TinyDial.h"
#include "Mossbell/resource_bundle_accessor.h"

#include "platform/assets/AssetCatalog.h"
#include "platform/audiounit/ParameterTree.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>

#include "testing/WidgetProbes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace mossbell {
namespace {

using testing_support::inkIn;

using Unit = au::ParameterUnit;
using Event = au::AutomationEventType;

std::shared_ptr<AudioParameter> makeParameter(float value, AudioParameter::ValueRange range = {0.0f, 1.0f})
{
    return AudioParameter::create(2, "whiteNoiseThreshold", "UV Threshold", Unit::generic, range, value,
                                  AudioParameter::ValueIncrement::linear(), std::nullopt, std::nullopt);
}

LabelDisplayOptions labelOptions()
{
    return LabelDisplayOptions(QColor(236, 236, 236), 11.0, 18.0, 14.0, true, true, 60.0);
}

using MakeDial = std::function<FrameworkDial*(std::shared_ptr<AudioParameter>, QWidget* parent)>;

MakeDial chaos()
{
    return [](auto param, QWidget* parent) {
        return new ChaosDial(std::move(param), ModernDialColor::grey, labelOptions(), nullptr, {}, parent);
    };
}
MakeDial medium(SmallDialColor color)
{
    return [color](auto param, QWidget* parent) {
        return new MediumDial(std::move(param), color, labelOptions(), nullptr, {}, parent);
    };
}
MakeDial tiny()
{
    return [](auto param, QWidget* parent) {
        return new TinyDial(std::move(param), labelOptions(), nullptr, {}, parent);
    };
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        test::runMainQueue();
        QApplication::processEvents();
    }
}

// A dial filling a window with room around its centre for the knob and the label, which
// their offsets move out of it.
struct DialWindow {
    DialWindow(const MakeDial& make, std::shared_ptr<AudioParameter> param)
    {
        window.resize(size);
        dial = make(std::move(param), &window);
        dial->setGeometry(QRect(QPoint(), size));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        settle();
    }

    static constexpr QSize size{140, 180};
    QWidget window;
    FrameworkDial* dial = nullptr;
};

// The knob as it is painted, on nothing.
QImage knobPicture(KnobControl& knob)
{
    QImage picture(knob.size(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    knob.render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
    return picture;
}

// --- Composition --------------------------------------------------------------------------------

TEST(FrameworkDial, KnobAndLabelAsEachDialIsMade)
{
    const struct {
        const char* what;
        MakeDial make;
        QString firstFrame;
        QSize imageSize;
        QSizeF frame;
        qreal imageOffset;
        qreal labelOffset;
        ColorAsset nameColor;
        MossFont font;
        qreal minDrag;
        float scale;
    } cases[] = {
        {"chaos", chaos(), "knobs/chaos-dial-grey_01", {56, 56}, {56, 64}, -16, 40, ColorAsset::pluginGrey,
         MossFont::dosisMedium, 6.0, 0.005f},
        {"medium blue", medium(SmallDialColor::blue), "knobs/dial-medium-blue-01", {68, 68}, {68, 84}, -16, 44,
         ColorAsset::pluginBlue, MossFont::zindle, 6.0, 0.005f},
        {"medium yellow", medium(SmallDialColor::yellow), "knobs/dial-medium-yellow-01", {68, 68}, {68, 84}, -16, 44,
         ColorAsset::pluginYellow, MossFont::zindle, 6.0, 0.005f},
        {"medium red", medium(SmallDialColor::red), "knobs/dial-medium-red-01", {68, 68}, {68, 84}, -16, 44,
         ColorAsset::pluginRed, MossFont::zindle, 6.0, 0.005f},
        {"medium purple", medium(SmallDialColor::purple), "knobs/dial-medium-purple-01", {68, 68}, {68, 84}, -16, 44,
         ColorAsset::pluginPurple, MossFont::zindle, 6.0, 0.005f},
        {"tiny", tiny(), "knobs/dial-small-grey-01", {34, 34}, {34, 40}, 0, 30, ColorAsset::tinyDialLabel,
         MossFont::zindle, 3.0, 0.01f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto param = makeParameter(0.0f);
        const DialWindow w(c.make, param);
        const FrameworkDial* dial = w.dial;

        EXPECT_EQ(dial->frameName(1), c.firstFrame);
        const KnobControl& knob = dial->knob();
        EXPECT_EQ(knob.param(), param);
        EXPECT_EQ(knob.imageCount(), 51);
        EXPECT_EQ(knob.knobMinDrag(), c.minDrag);
        EXPECT_EQ(knob.knobDragScaleFactor(), c.scale);
        EXPECT_EQ(knob.size(), c.imageSize) << "the image at its own size";
        ASSERT_NE(dial->placement(&knob), nullptr);
        const ui::Placement& placed = *dial->placement(&knob);
        ASSERT_TRUE(placed.frame.has_value());
        EXPECT_EQ(QSizeF(placed.frame->width.value_or(-1), placed.frame->height.value_or(-1)), c.frame);

        const DialLabel& label = dial->label();
        EXPECT_EQ(label.param(), param);
        EXPECT_TRUE(label.color().isValid());
        EXPECT_EQ(label.color(), ColorResource::of(c.nameColor).value());
        EXPECT_EQ(label.font(), c.font);
        EXPECT_EQ(label.displayOptions().valueFontSize, 18.0);

        // Both are centred in the dial and moved apart vertically (whole points, so a size of
        // odd points leaves half a point).
        const QPointF centre = dial->layoutRect().center();
        ASSERT_EQ(centre, QPointF(70, 90));
        EXPECT_NEAR(QRectF(knob.geometry()).center().x(), centre.x(), 0.5);
        EXPECT_NEAR(QRectF(knob.geometry()).center().y(), centre.y() + c.imageOffset, 0.5);
        EXPECT_NEAR(QRectF(label.geometry()).center().x(), centre.x(), 0.5);
        EXPECT_NEAR(QRectF(label.geometry()).center().y(), centre.y() + c.labelOffset, 0.5);
    }
}

TEST(FrameworkDial, WithoutAFormatterTheLabelPrintsOneDecimalPlace)
{
    const auto param = makeParameter(12.34f, {0.0f, 20.0f});
    int endings = 0;
    const DialWindow w([&](auto p, QWidget* parent) {
        return new MediumDial(std::move(p), SmallDialColor::blue, labelOptions(), nullptr, [&] { ++endings; }, parent);
    }, param);
    const FrameworkDial& plain = *w.dial;
    EXPECT_EQ(plain.formatter(), nullptr);
    EXPECT_EQ(plain.label().layout().valueText, "12.3");

    const auto whole = std::make_shared<DefaultLabelFormatter>(*param, 0);
    TinyDial given(param, labelOptions(), whole);
    EXPECT_EQ(given.formatter(), whole);
    EXPECT_EQ(&given.label().formatter(), whole.get());
    EXPECT_EQ(given.label().layout().valueText, "12");

    // The owner hears the end of typing into the label.
    QTest::mouseClick(&plain.label(), Qt::LeftButton, {}, plain.label().rect().center());
    ASSERT_TRUE(plain.label().isEditing());
    QTest::keyClick(plain.label().field(), Qt::Key_Escape);
    EXPECT_EQ(endings, 1);
}

// --- Frames -------------------------------------------------------------------------------------

TEST(FrameworkDial, ShowsTheFrameOfItsStripForTheValue)
{
    const assets::AssetCatalog bundle(moduleBundle().bundlePath());
    const struct {
        const char* what;
        MakeDial make;
        float value;
        const char* shown;
        const char* other; ///< a frame the picture must not match
    } cases[] = {
        {"medium red at the bottom", medium(SmallDialColor::red), 0.0f, "knobs/dial-medium-red-01",
         "knobs/dial-medium-red-51"},
        {"medium red at the top", medium(SmallDialColor::red), 1.0f, "knobs/dial-medium-red-51",
         "knobs/dial-medium-red-01"},
        {"tiny at the middle", tiny(), 0.5f, "knobs/dial-small-grey-26", "knobs/dial-small-grey-25"},
        {"chaos at frame 9", chaos(), 0.16f, "knobs/chaos-dial-grey_09", "knobs/chaos-dial-grey_10"},
        {"chaos at frame 10", chaos(), 0.18f, "knobs/chaos-dial-grey_10", "knobs/chaos-dial-grey_09"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const DialWindow w(c.make, makeParameter(c.value));
        EXPECT_EQ(w.dial->frameName(w.dial->knob().imageIndex()), c.shown);

        const auto bundleImage = [&](const char* name) {
            return bundle.imageAtScale(name, 1).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        };
        const QImage drawn = knobPicture(w.dial->knob());
        ASSERT_FALSE(bundleImage(c.shown).isNull());
        EXPECT_EQ(drawn, bundleImage(c.shown)) << "the bundle's picture of that name";
        EXPECT_NE(drawn, bundleImage(c.other));
    }
}

// --- Dragging -----------------------------------------------------------------------------------

TEST(FrameworkDial, TurnsWithItsOwnDragConstantsThroughItsWindow)
{
    const struct {
        const char* what;
        MakeDial make;
        int minDrag;
        int halfTurn; ///< points for half the travel
    } cases[] = {
        {"chaos", chaos(), 6, 100},
        {"medium", medium(SmallDialColor::purple), 6, 100},
        {"tiny", tiny(), 3, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto param = makeParameter(0.25f);
        const auto tree = au::ParameterTree::createTree({param->auParameter()});
        test::HostRecorder host(tree);
        DialWindow w(c.make, param);

        // Pressed where the knob is drawn, the window finds the knob, not the label above it.
        QWindow* window = w.window.windowHandle();
        const KnobControl& knob = w.dial->knob();
        const QPoint start = knob.mapTo(&w.window, knob.rect().center());
        QTest::mousePress(window, Qt::LeftButton, {}, start);
        QTest::mouseMove(window, start - QPoint(0, c.minDrag - 1));
        EXPECT_TRUE(host.events().empty());
        QTest::mouseMove(window, start - QPoint(0, c.minDrag));
        QTest::mouseMove(window, start - QPoint(0, c.minDrag + c.halfTurn));
        QTest::mouseRelease(window, Qt::LeftButton, {}, start - QPoint(0, c.minDrag + c.halfTurn));

        const auto events = host.events();
        ASSERT_EQ(events.size(), 3u);
        EXPECT_EQ(events[0].type, Event::touch);
        EXPECT_EQ(events[0].value, 0.25f);
        EXPECT_EQ(events[1].type, Event::value);
        EXPECT_NEAR(events[1].value, 0.75f, 1e-5f);
        EXPECT_EQ(events[2].type, Event::release);
        settle();
        EXPECT_EQ(knob.imageIndex(), param->imageIndex(events[2].value, 51));
    }
}

// --- Pictures -----------------------------------------------------------------------------------

TEST(FrameworkDial, PicturesOfEachDial)
{
    const struct {
        const char* file;
        MakeDial make;
        float value;
    } cases[] = {
        {"chaos-dial", chaos(), 0.3f},
        {"medium-dial-red", medium(SmallDialColor::red), 0.7f},
        {"tiny-dial", tiny(), 0.5f},
    };
    QDir().mkpath(MOSSBELL_FRAMES_DIR);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        DialWindow w(c.make, makeParameter(c.value));
        const FrameworkDial* dial = w.dial;
        constexpr qreal ratio = 2.0;
        QImage picture(DialWindow::size * ratio, QImage::Format_ARGB32_Premultiplied);
        picture.setDevicePixelRatio(ratio);
        picture.fill(QColor(38, 40, 46));
        // The window, not the dial: rendering a widget that has a mask (a stack takes clicks
        // only on its children) moves the mask's bounding box to the origin.
        w.window.render(&picture, QPoint(), QRegion(), QWidget::DrawChildren);
        const QString path = QStringLiteral(MOSSBELL_FRAMES_DIR "/%1@2x.png").arg(c.file);
        EXPECT_TRUE(picture.save(path)) << path.toStdString();

        EXPECT_GT(inkIn(picture, dial->knob().geometry()), 0);
        const DialLabel::Layout parts = dial->label().layout();
        const QPointF labelOrigin = dial->label().pos();
        EXPECT_GT(inkIn(picture, parts.name.translated(labelOrigin)), 0);
        EXPECT_GT(inkIn(picture, parts.value.translated(labelOrigin)), 0);
    }
}

} // namespace
} // namespace mossbell
