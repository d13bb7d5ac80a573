// Pictures of the bitmap buttons in their states: each is checked to be the image the button
// chose with its label on it, and all are written to mossbell-frames/ in the build tree, one
// file per state and a sheet of them all, to be looked at.

#include "ButtonBench.h"

#include "Mossbell/ChaosButton.h"
#include "Mossbell/ChaosToggleButton.h"
#include "Mossbell/ChaosToggleButtonNarrow.h"
#include "Mossbell/ImageButton.h"
#include "Mossbell/LeftRightArrowButton.h"
#include "Mossbell/ModeToggleButton.h"
#include "Mossbell/ModernButtonStyle.h"
#include "Mossbell/ParameterHoldButton.h"
#include "Mossbell/SettingsButtonStyle.h"
#include "Mossbell/ToggleButton.h"

#include "platform/ui/Painting.h"

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace mossbell {
namespace {

const QColor ground(38, 40, 46);
const QColor orange(255, 176, 32);
constexpr qreal scale = 2;

QImage blank(QSizeF size, qreal ratio = scale)
{
    QImage image((size * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(ground);
    return image;
}

void save(const QImage& image, const QString& name)
{
    QDir().mkpath(MOSSBELL_FRAMES_DIR);
    const QString path = QStringLiteral(MOSSBELL_FRAMES_DIR "/%1@2x.png").arg(name);
    EXPECT_TRUE(image.save(path)) << path.toStdString();
}

// What the button should look like at 1x: its chosen image centred, its chosen label over it.
// (Rendered to an image, views draw their 1x pictures at any scale, so 2x is only looked at.)
QImage expectedPicture(const BitmapButton& button)
{
    QImage image = blank(QSizeF(button.size()), 1);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
    const QRectF frame(QPointF(), button.naturalSize());
    ui::drawImageCentred(painter, frame, button.currentImage().image(1));
    if (const auto label = button.currentLabel()) {
        painter.setFont(mossFont(label->font, label->fontSize));
        painter.setPen(label->color);
        painter.drawText(frame.translated(0, label->offset), Qt::AlignCenter | Qt::TextDontClip, label->text);
    }
    return image;
}

struct Shot {
    QString name;
    QImage picture;
};

TEST(ButtonPictures, EachStateShowsItsImageAndLabel)
{
    test::HostedParameter modes(test::makeModes());
    test::HostedParameter highPass(test::makeSwitch());

    struct State {
        const char* name;
        std::function<std::unique_ptr<BitmapButton>()> make;
        test::HostedParameter* param;
        float value;
        bool pressed;
    };
    const auto chaos = [] { return std::make_unique<ChaosButton>("CHAOS", ChaosButtonColor::yellow, nullptr); };
    const auto chaosToggle = [&] {
        return std::make_unique<ChaosToggleButton>(modes.param, 1, ChaosButtonColor::yellow);
    };
    const auto narrow = [&] { return std::make_unique<ChaosToggleButtonNarrow>(highPass.param, "HP"); };
    const auto arrow = [&] { return std::make_unique<LeftRightArrowButton>(highPass.param, 1.0f); };
    const auto modern = [&] {
        return std::make_unique<ModeToggleButton>(modes.param, 1, orange, ToggleButtonStyle::modern, 14);
    };
    const auto retro = [&] {
        return std::make_unique<ModeToggleButton>(modes.param, 1, orange, ToggleButtonStyle::retro, 14);
    };
    const auto toggle = [&] { return std::make_unique<ToggleButton>(highPass.param, orange, std::nullopt, 14); };
    const auto image = [] {
        return std::make_unique<ImageButton>(ImageResource::of(ImageAsset::chaosButtonSmallYellowLeft),
                                             ImageResource::of(ImageAsset::chaosButtonSmallYellowLeftDown), nullptr);
    };
    const auto hold = [&] {
        return std::make_unique<ParameterHoldButton>(highPass.param, ImageResource::of(ImageAsset::modernButton),
                                                     ImageResource::of(ImageAsset::modernButtonOn));
    };
    const State states[] = {
        {"chaos", chaos, nullptr, 0, false},
        {"chaos-pressed", chaos, nullptr, 0, true},
        {"chaos-toggle-off", chaosToggle, &modes, 0, false},
        {"chaos-toggle-off-pressed", chaosToggle, &modes, 0, true},
        {"chaos-toggle-on", chaosToggle, &modes, 1, false},
        {"chaos-toggle-on-pressed", chaosToggle, &modes, 1, true},
        {"narrow-off", narrow, &highPass, 0, false},
        {"narrow-on", narrow, &highPass, 1, false},
        {"narrow-on-pressed", narrow, &highPass, 1, true},
        {"arrow-left", arrow, &highPass, 1, false},
        {"arrow-left-pressed", arrow, &highPass, 1, true},
        {"arrow-right", arrow, &highPass, 0, false},
        {"mode-modern-off", modern, &modes, 0, false},
        {"mode-modern-off-pressed", modern, &modes, 0, true},
        {"mode-modern-on", modern, &modes, 1, false},
        {"mode-modern-on-pressed", modern, &modes, 1, true},
        {"mode-retro-off", retro, &modes, 0, false},
        {"mode-retro-on", retro, &modes, 1, false},
        {"mode-retro-on-pressed", retro, &modes, 1, true},
        {"toggle-off", toggle, &highPass, 0, false},
        {"toggle-on", toggle, &highPass, 1, false},
        {"toggle-on-pressed", toggle, &highPass, 1, true},
        {"image", image, nullptr, 0, false},
        {"image-pressed", image, nullptr, 0, true},
        {"hold-at-0", hold, &highPass, 0, false},
        {"hold-at-1", hold, &highPass, 1, false},
    };

    std::vector<Shot> shots;
    for (const State& state : states) {
        SCOPED_TRACE(state.name);
        if (state.param)
            state.param->hostSets(state.value);
        const auto button = state.make();
        button->resize(button->sizeHint());
        button->show();
        test::Pointer pointer(*button);
        if (state.pressed)
            pointer.press(QPointF(3, 3));
        ASSERT_EQ(button->isPressed(), state.pressed);

        EXPECT_EQ(test::renderScaled(*button, 1, ground), expectedPicture(*button));
        EXPECT_NE(test::renderScaled(*button, 1, ground), blank(QSizeF(button->size()), 1)) << "something is drawn";
        const QImage picture = test::renderScaled(*button, scale, ground);
        const QString name = QStringLiteral("button-%1").arg(state.name);
        save(picture, name);
        shots.push_back({QString::fromLatin1(state.name), picture});

        if (state.pressed)
            pointer.release(QPointF(-100, -100));
        test::runMainQueue();
    }

    // The sheet: the pictures in rows 12 points apart, as many to a row as fit in 520 points.
    std::vector<QPointF> places;
    QPointF at(12, 12);
    qreal rowHeight = 0;
    for (const Shot& shot : shots) {
        const QSizeF size = shot.picture.deviceIndependentSize();
        if (at.x() + size.width() > 508) {
            at = QPointF(12, at.y() + rowHeight + 12);
            rowHeight = 0;
        }
        places.push_back(at);
        at.rx() += size.width() + 12;
        rowHeight = std::max(rowHeight, size.height());
    }
    QImage sheet = blank(QSizeF(520, at.y() + rowHeight + 12));
    QPainter painter(&sheet);
    for (std::size_t i = 0; i < shots.size(); ++i)
        painter.drawImage(places[i], shots[i].picture);
    painter.end();
    save(sheet, "buttons-sheet");
}

TEST(ButtonPictures, TheStyledPushButtons)
{
    const auto label = [](const char* text, MossFont font) {
        return [=] { return ui::ButtonLabel{text, mossFont(font, 14), Qt::white, {}}; };
    };
    struct Styled {
        const char* name;
        std::shared_ptr<const ui::ButtonStyle> style;
        MossFont font;
    };
    const Styled buttons[] = {
        {"modern-style-off", std::make_shared<ModernButtonStyle>(false, orange), MossFont::zindle},
        {"modern-style-on", std::make_shared<ModernButtonStyle>(true, orange), MossFont::zindle},
        {"settings-style-zindle", std::make_shared<SettingsButtonStyle>(MossFont::zindle), MossFont::zindle},
        {"settings-style-dosis", std::make_shared<SettingsButtonStyle>(MossFont::dosisMedium), MossFont::dosisMedium},
    };
    for (const Styled& styled : buttons) {
        SCOPED_TRACE(styled.name);
        ui::Button button(label("SETTINGS", styled.font), nullptr, styled.style);
        button.resize(button.sizeHint());
        button.show();
        for (const bool pressed : {false, true}) {
            test::Pointer pointer(button);
            if (pressed)
                pointer.press(QPointF(3, 3));
            const QImage picture = test::renderScaled(button, scale, ground);
            EXPECT_NE(picture, blank(QSizeF(button.size())));
            save(picture, QStringLiteral("button-%1%2").arg(styled.name, pressed ? "-pressed" : ""));
            if (pressed)
                pointer.release(QPointF(3, 3));
        }
    }
}

} // namespace
} // namespace mossbell
