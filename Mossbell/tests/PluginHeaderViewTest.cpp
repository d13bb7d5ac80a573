#include "HostRecorder.h"
#include "QStringPrinter.h"

#include "Mossbell/AssetResources.h"
#include "Mossbell/AudioParameter.h"
#include "Mossbell/Links.h"
#include "Mossbell/PluginHeaderView.h"
#include "Mossbell/UpdateButtonStyle.h"

#include "platform/audiounit/ParameterTree.h"
#include "platform/foundation/Observation.h"
#include "platform/ui/BasicViews.h"
#include "platform/ui/Button.h"
#include "platform/ui/Stack.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QTest>

#include "testing/UrlCatcher.h"
#include "testing/WidgetProbes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <vector>

namespace mossbell {
namespace {

using testing_support::PaintCounter;

using Details = std::optional<UpdateAvailableDetails>;

const QUrl updateURL(QStringLiteral("zindle://openAndUpdate"));
const QString version = QStringLiteral("1.0.3");
constexpr int barWidth = 640;

std::shared_ptr<AudioParameter> makeModeParameter(std::optional<std::vector<std::string>> titles, float value = 0.0f)
{
    const float upper = titles && !titles->empty() ? float(titles->size() - 1) : 1.0f;
    return AudioParameter::create(12, "mainMode", "Mode", au::ParameterUnit::indexed, {0.0f, upper}, value,
                                  AudioParameter::ValueIncrement::linear(), std::move(titles), std::nullopt);
}

QColor colorOf(ColorAsset asset)
{
    return ColorResource::of(asset).value();
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        test::runMainQueue();
        QApplication::processEvents();
    }
}

using testing_support::UrlCatcher;

// A header on screen, 640 points wide, with a model holding the update details.
struct Bench {
    explicit Bench(std::shared_ptr<AudioParameter> parameter, bool withMenu = false, Details initial = std::nullopt)
        : parameter_(std::move(parameter)), details_(std::move(initial))
    {
        auto source = [this] { return details_.get(); };
        if (withMenu) {
            const auto makeMenu = [this] {
                ++menuBuilds_;
                auto* menu = new ui::ColorView(Qt::magenta);
                menu->setNaturalSize(QSizeF(30, 20));
                menu->setFlexible({});
                return menu;
            };
            header_ = std::make_unique<PluginHeaderView>(updateURL, version, parameter_, MossFont::zindle, source,
                                                         makeMenu);
        } else {
            header_ = std::make_unique<PluginHeaderView>(updateURL, version, parameter_, MossFont::zindle, source);
        }
        header_->resize(barWidth, int(header_->sizeHint().height()));
        header_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(header_.get()));
        settle();
    }

    // Where a part of the header is, in the header's coordinates.
    QRect place(const QWidget* part) const { return QRect(part->mapTo(header_.get(), QPoint(0, 0)), part->size()); }

    std::shared_ptr<AudioParameter> parameter_;
    foundation::Observed<Details> details_;
    int menuBuilds_ = 0;
    std::unique_ptr<PluginHeaderView> header_;
};

// The header drawn at a device pixel ratio; also written to the frames folder for a person to
// look at.
QImage renderFrame(QWidget& widget, qreal ratio, const QString& name)
{
    QImage image((QSizeF(widget.size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QDir().mkpath(MOSSBELL_FRAMES_DIR);
    const QString path = QStringLiteral(MOSSBELL_FRAMES_DIR "/plugin-header-%1@%2x.png").arg(name).arg(int(ratio));
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    return image;
}

// Pixels inside rect (points) within a small distance of color: the solid parts of text and
// shapes drawn in it.
int pixelsOf(const QImage& image, const QRect& rect, const QColor& color)
{
    const qreal ratio = image.devicePixelRatio();
    const QRectF scaled(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio);
    const QRect pixels = scaled.toAlignedRect() & image.rect();
    int count = 0;
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - color.red()) <= 12 && std::abs(p.green() - color.green()) <= 12
                && std::abs(p.blue() - color.blue()) <= 12 && p.alpha() == 255)
                ++count;
        }
    }
    return count;
}

TEST(PluginHeaderColours, TheStatesAreTellableApart)
{
    // The tests below tell states apart by these colours.
    EXPECT_NE(colorOf(ColorAsset::tabSelected), colorOf(ColorAsset::tabUnselected));
    EXPECT_NE(colorOf(ColorAsset::versionInfo), colorOf(ColorAsset::background));
    EXPECT_NE(colorOf(ColorAsset::updateBackground), colorOf(ColorAsset::background));
}

// --- Tabs -------------------------------------------------------------------------------------

TEST(PluginHeaderTabs, TitlesInUpperCaseAndOnlyAnExactValueSelects)
{
    const struct {
        const char* what;
        std::vector<std::string> titles;
        float value;
        std::vector<const char*> expected;
        int selected; // -1: none
    } cases[] = {
        {"first selected", {"Retro", "Modern"}, 0.0f, {"RETRO", "MODERN"}, 0},
        {"second selected", {"Retro", "Modern"}, 1.0f, {"RETRO", "MODERN"}, 1},
        {"between two indices", {"Retro", "Modern"}, 0.5f, {"RETRO", "MODERN"}, -1},
        {"three tabs", {"Low", "mid", "HIGH"}, 2.0f, {"LOW", "MID", "HIGH"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bench b(makeModeParameter(c.titles, c.value));
        const auto& tabs = b.header_->tabs();
        ASSERT_EQ(tabs.size(), c.expected.size());
        const QImage image = renderFrame(*b.header_, 1.0, QStringLiteral("tabs-%1").arg(&c - cases));
        for (std::size_t i = 0; i < tabs.size(); ++i) {
            SCOPED_TRACE(i);
            const ui::ButtonLabel label = tabs[i]->label();
            EXPECT_EQ(label.text, c.expected[i]);
            EXPECT_EQ(label.font, mossFont(MossFont::zindle, 16));
            const bool selected = int(i) == c.selected;
            EXPECT_EQ(label.color, colorOf(selected ? ColorAsset::tabSelected : ColorAsset::tabUnselected));
            // What is drawn agrees with the label.
            const QRect tab = b.place(tabs[i]);
            EXPECT_GT(pixelsOf(image, tab, label.color), 0);
            // (The edges of bright text pass through the dim colour, never the other way.)
            if (!selected) {
                EXPECT_EQ(pixelsOf(image, tab, colorOf(ColorAsset::tabSelected)), 0);
            }
        }
    }
}

TEST(PluginHeaderTabs, CentredInTheBarTwentyFourPointsApart)
{
    Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}));
    const auto& tabs = b.header_->tabs();
    ASSERT_EQ(tabs.size(), 2u);
    const QRect first = b.place(tabs[0]);
    const QRect second = b.place(tabs[1]);
    EXPECT_EQ(second.left() - (first.left() + first.width()), 24);
    // Centred between the paddings (8 leading, 16 trailing).
    const qreal middle = (first.left() + second.left() + second.width()) / 2.0;
    EXPECT_NEAR(middle, (8 + barWidth - 16) / 2.0, 1.0);
    EXPECT_NEAR(first.center().y(), 23.0, 1.0);
}

TEST(PluginHeaderTabs, PressingATabSetsItsIndexFromTheUserInterfaceAsOneChange)
{
    Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}));
    const auto tree = au::ParameterTree::createTree({b.parameter_->auParameter()});
    test::HostRecorder host(tree);
    const auto& tabs = b.header_->tabs();
    ASSERT_EQ(tabs.size(), 2u);
    PaintCounter firstPaints(*tabs[0]);
    PaintCounter secondPaints(*tabs[1]);

    QTest::mouseClick(tabs[1], Qt::LeftButton, {}, tabs[1]->rect().center());
    const auto events = host.events();
    ASSERT_EQ(events.size(), 1u) << "one change, no touch or release";
    EXPECT_EQ(events[0].type, au::AutomationEventType::value);
    EXPECT_EQ(events[0].address, 12u);
    EXPECT_EQ(events[0].value, 1.0f);

    settle();
    EXPECT_EQ(b.parameter_->value(), 1.0f);
    EXPECT_EQ(tabs[0]->label().color, colorOf(ColorAsset::tabUnselected));
    EXPECT_EQ(tabs[1]->label().color, colorOf(ColorAsset::tabSelected));
    EXPECT_GT(firstPaints.count, 0) << "both tabs redraw for the new value";
    EXPECT_GT(secondPaints.count, 0);

    // The selected tab again: the value does not change, so the host hears nothing.
    host.clear();
    QTest::mouseClick(tabs[1], Qt::LeftButton, {}, tabs[1]->rect().center());
    settle();
    EXPECT_TRUE(host.events().empty());

    // A change from the host moves the selection too.
    firstPaints.count = 0;
    b.parameter_->setValue(0.0f, ParameterEditor::parameterObserver, ParameterEditorState::change);
    settle();
    EXPECT_GT(firstPaints.count, 0);
    EXPECT_EQ(tabs[0]->label().color, colorOf(ColorAsset::tabSelected));
    EXPECT_TRUE(host.events().empty()) << "the host does not hear its own change back";
}

TEST(PluginHeaderTabs, AParameterWithoutValueStringsShowsNoTabs)
{
    for (const auto& titles : {std::optional<std::vector<std::string>>(), std::optional(std::vector<std::string>())}) {
        SCOPED_TRACE(titles ? "empty list" : "no list");
        Bench b(makeModeParameter(titles));
        EXPECT_TRUE(b.header_->tabs().empty());
        // The logo and the status are there all the same.
        EXPECT_TRUE(b.header_->logo()->isVisible());
        EXPECT_NE(b.header_->versionText(), nullptr);
    }
}

// --- Logo, status and menu ---------------------------------------------------------------------

TEST(PluginHeaderLogo, SitsAtTheLeadingEdgeAndOpensTheSite)
{
    Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}));
    ui::Button* logo = b.header_->logo();
    const QRect place = b.place(logo);
    EXPECT_EQ(place.left(), 8);
    EXPECT_EQ(QSizeF(place.size()), ImageResource::of(ImageAsset::vartlowLogo).size()) << "at its own size";
    EXPECT_NEAR(place.center().y(), 23.0, 1.0);

    UrlCatcher web(QStringLiteral("https"));
    QTest::mouseClick(logo, Qt::LeftButton, {}, logo->rect().center());
    EXPECT_EQ(web.urls, std::vector<QUrl>{links::vartlowSite()});
}

TEST(PluginHeaderLayers, EachControlTakesTheClicksOnItThroughTheLayersAboveIt)
{
    // The layers lie on each other across the whole bar: the empty parts of the upper ones
    // must let the pointer reach the logo and the tabs below.
    Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}), true, UpdateAvailableDetails{"1.2"});
    std::vector<QWidget*> controls{b.header_->logo(), b.header_->tabs()[0], b.header_->tabs()[1],
                                   b.header_->updateButton(), b.header_->menu()};
    for (QWidget* control : controls) {
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(b.header_->childAt(b.place(control).center()), control);
    }
}

TEST(PluginHeaderStatus, TheVersionWithoutDetails)
{
    Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}));
    EXPECT_EQ(b.header_->updateButton(), nullptr);
    ui::TextView* text = b.header_->versionText();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->naturalSize(), ui::textSize(version, mossFont(MossFont::zindle, 13)));
    const QRect place = b.place(text);
    EXPECT_EQ(place.right() + 1, barWidth - 16) << "at the trailing padding";
    const QImage image = renderFrame(*b.header_, 1.0, "no-menu");
    EXPECT_GT(pixelsOf(image, place, colorOf(ColorAsset::versionInfo)), 0);
}

TEST(PluginHeaderStatus, DetailsShowTheUpdateButtonInsteadOfTheVersionAndItOpensTheLink)
{
    Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}), false, UpdateAvailableDetails{"1.2"});
    EXPECT_EQ(b.header_->versionText(), nullptr);
    ui::Button* button = b.header_->updateButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->label().text, "1.2 AVAILABLE");
    EXPECT_NE(dynamic_cast<const UpdateButtonStyle*>(&button->style()), nullptr);
    EXPECT_EQ(b.place(button).right() + 1, barWidth - 16);
    EXPECT_NEAR(b.place(button).center().y(), 23.0, 1.0);

    UrlCatcher app(QStringLiteral("zindle"));
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    EXPECT_EQ(app.urls, std::vector<QUrl>{updateURL});

    // A press that leaves the button before the release opens nothing.
    QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
    QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().bottomRight() + QPoint(20, 20));
    EXPECT_EQ(app.urls.size(), 1u);
}

TEST(PluginHeaderStatus, OnlyTheTabsTakeTheLocalesCapitals)
{
    // In Turkish the capital of i is the dotted İ: the tab titles follow the locale, the update
    // notice is in plain capitals.
    struct TurkishLocale {
        TurkishLocale() { QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey)); }
        ~TurkishLocale() { QLocale::setDefault(previous); }
        const QLocale previous;
    } turkish;
    Bench b(makeModeParameter(std::vector<std::string>{"Mix", "Modern"}), false, UpdateAvailableDetails{"1.2"});
    EXPECT_EQ(b.header_->tabs()[0]->label().text, QStringLiteral("M\u0130X"));
    ASSERT_NE(b.header_->updateButton(), nullptr);
    EXPECT_EQ(b.header_->updateButton()->label().text, "1.2 AVAILABLE");
}

TEST(PluginHeaderStatus, FollowsTheDetailsOnTheNextTurnOfTheEventLoop)
{
    Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}));
    ASSERT_NE(b.header_->versionText(), nullptr);

    b.details_.set(UpdateAvailableDetails{"2.0"});
    EXPECT_NE(b.header_->versionText(), nullptr) << "not inside the change";
    QApplication::processEvents();
    ui::Button* button = b.header_->updateButton();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->label().text, "2.0 AVAILABLE");
    settle();
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(b.place(button).right() + 1, barWidth - 16) << "laid out in the bar";
    EXPECT_EQ(b.header_->height(), 46);

    b.details_.set(UpdateAvailableDetails{"2.1"});
    settle();
    ASSERT_NE(b.header_->updateButton(), nullptr);
    EXPECT_EQ(b.header_->updateButton()->label().text, "2.1 AVAILABLE");

    b.details_.set(std::nullopt);
    settle();
    EXPECT_EQ(b.header_->updateButton(), nullptr);
    EXPECT_NE(b.header_->versionText(), nullptr);
}

TEST(PluginHeaderMenu, TheMenuIsBuiltOnceAndEndsTheBar)
{
    Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}), true);
    EXPECT_EQ(b.menuBuilds_, 1);
    QWidget* menu = b.header_->menu();
    ASSERT_NE(menu, nullptr);
    const auto parts = b.header_->trailingLayer()->children();
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[1], b.header_->statusGroup());
    EXPECT_EQ(parts[2], menu);
    EXPECT_EQ(b.place(menu).right() + 1, barWidth - 16);
    EXPECT_EQ(b.place(b.header_->versionText()).right() + 1, b.place(menu).left() - 8) << "the status just left of it";
}

TEST(PluginHeaderMenu, WithoutAMenuNothingFollowsTheStatusGroup)
{
    Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}));
    EXPECT_EQ(b.header_->menu(), nullptr);
    const auto parts = b.header_->trailingLayer()->children();
    ASSERT_FALSE(parts.empty());
    EXPECT_EQ(parts.back(), b.header_->statusGroup());
}

// --- Bar and style ----------------------------------------------------------------------------

TEST(PluginHeaderBar, FixedHeightAndWidthFromTheContainer)
{
    const auto parameter = makeModeParameter(std::vector<std::string>{"Retro", "Modern"});
    foundation::Observed<Details> details;
    auto* column = ui::vstack();
    auto* header = column->add(new PluginHeaderView(updateURL, version, parameter, MossFont::dosisMedium,
                                                    [&] { return details.get(); }));
    column->addSpacer();
    column->resize(500, 300);
    column->show();
    settle();
    EXPECT_EQ(header->geometry(), QRect(0, 0, 500, 46));
    EXPECT_EQ(header->headerFont(), MossFont::dosisMedium);
    EXPECT_EQ(header->tabs()[0]->label().font, mossFont(MossFont::dosisMedium, 16));
    delete column;
}

TEST(UpdateButtonStyleTest, ZindleOnUpdateBackgroundPaddedAndDimmedWhilePressed)
{
    const UpdateButtonStyle style;
    const ui::ButtonLabel label{QStringLiteral("1.2 AVAILABLE"), mossFont(MossFont::dosisLight, 30), Qt::red, {}};
    const ui::ButtonLabel styled = UpdateButtonStyle::styledLabel(label);
    EXPECT_EQ(styled.font, zindleFont(13)) << "whatever the label's font";
    EXPECT_EQ(styled.color, colorOf(ColorAsset::background));
    EXPECT_EQ(styled.text, label.text);
    const QSizeF text = ui::textSize(label.text, zindleFont(13));
    EXPECT_EQ(style.size(label), QSizeF(text.width() + 8, text.height() + 2));

    const QSizeF size = style.size(label);
    const auto draw = [&](bool pressed) {
        QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        style.paint(painter, QRectF(QPointF(0, 0), size), label, pressed);
        return image;
    };
    const QImage up = draw(false);
    const QImage down = draw(true);
    const QPoint edge(2, int(size.height() / 2)); // inside the padding: background only
    EXPECT_EQ(up.pixelColor(edge), colorOf(ColorAsset::updateBackground));
    EXPECT_NEAR(down.pixelColor(edge).alphaF(), 0.8, 0.01);
    EXPECT_LT(up.pixelColor(0, 0).alpha(), 64) << "rounded corners";
    EXPECT_GT(pixelsOf(up, up.rect(), colorOf(ColorAsset::background)), 0) << "the text";
}

// --- Pictures ---------------------------------------------------------------------------------

TEST(PluginHeaderPictures, WithAndWithoutTheNoticeAtOneAndTwoTimes)
{
    for (const bool notice : {false, true}) {
        Bench b(makeModeParameter(std::vector<std::string>{"Retro", "Modern"}, 1.0f), true,
                notice ? Details(UpdateAvailableDetails{"1.2"}) : Details());
        for (const qreal ratio : {1.0, 2.0}) {
            SCOPED_TRACE(ratio);
            const QImage image = renderFrame(*b.header_, ratio, notice ? "update" : "version");
            ASSERT_EQ(image.size(), QSize(int(barWidth * ratio), int(46 * ratio)));
            // The background reaches every edge, under the paddings too.
            const QColor ground = colorOf(ColorAsset::background);
            for (const QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, 0), QPoint(0, image.height() - 1),
                                        QPoint(image.width() - 1, image.height() - 1)})
                EXPECT_EQ(image.pixelColor(corner), ground);
            EXPECT_GT(pixelsOf(image, b.place(b.header_->tabs()[1]), colorOf(ColorAsset::tabSelected)), 0);
            EXPECT_GT(pixelsOf(image, b.place(b.header_->menu()), QColor(Qt::magenta)), 0);
            if (notice) {
                ASSERT_NE(b.header_->updateButton(), nullptr);
                const QRect button = b.place(b.header_->updateButton());
                EXPECT_GT(pixelsOf(image, button, colorOf(ColorAsset::updateBackground)), 0);
            } else {
                ASSERT_NE(b.header_->versionText(), nullptr);
                EXPECT_GT(pixelsOf(image, b.place(b.header_->versionText()), colorOf(ColorAsset::versionInfo)), 0);
            }
            // The logo differs from the ground.
            const QRect logo = b.place(b.header_->logo());
            EXPECT_LT(pixelsOf(image, logo, ground), logo.width() * logo.height() * ratio * ratio);
        }
    }
}

} // namespace
} // namespace mossbell
