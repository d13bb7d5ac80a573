#include "Zindle/ContentView.h"

#include "Zindle/AppResources.h"
#include "Zindle/TitleView.h"
#include "Zindle/VartlowButtonStyle.h"

#include "Mossbell/Links.h"
#include "Mossbell/MossFont.h"
#include "OstrelShaders/ContentViewShader.h"
#include "Tarnkit/Foundation/BundleInfo.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/ImageOperations.h"
#include "platform/foundation/MainQueue.h"
#include "platform/ui/BasicViews.h"
#include "platform/ui/Button.h"
#include "platform/ui/OpenURL.h"

#include <QColorSpace>
#include <QCoreApplication>
#include <QShowEvent>

namespace zindleapp {

namespace {

constexpr std::string_view source = "Zindle/ContentView";

QString localized(const char* key)
{
    return QCoreApplication::translate("Zindle", key);
}

// The title's shadows share one violet, given in Display P3.
std::vector<Shadow> titleShadows()
{
    const QColor p3 = QColor::fromRgbF(0.0485f, 0.0245f, 0.1257f);
    const QColor violet = QColorSpace(QColorSpace::DisplayP3).transformationToColorSpace(QColorSpace::SRgb).map(p3);
    auto withOpacity = [&](float opacity) {
        QColor color = violet;
        color.setAlphaF(opacity);
        return color;
    };
    return {{withOpacity(0.4f), 0, QPointF(0, 1)}, {withOpacity(0.4f), 1, QPointF(0, 2)}, {withOpacity(0.3f), 4, QPointF(0, 4)}};
}

QColor buttonTextColor()
{
    return ColorResource::buttonText().value();
}

// Two centred lines, a point apart, in the rounded face.
ui::Stack* instructionBlock(qreal size, QFont::Weight weight, const char* first, const char* second)
{
    auto* block = ui::vstack(1);
    const QFont font = roundedSystemFont(size, weight);
    for (const char* line : {first, second}) {
        const QString text = localized(line);
        block->add(new ui::TextView([text] { return text; }, font, buttonTextColor()));
    }
    return block;
}

// The maker's artwork, a template tinted in the text colour.
ui::ImageView* vartlowArtwork()
{
    const mossbell::ImageResource& artwork = ImageResource::windowVartlow();
    auto tinted = tarnkit::renderedIfTemplate(
        std::make_shared<const tarnkit::Image>(artwork.name(), artwork.image(1.0), artwork.image(2.0),
                                               tarnkit::EdgeInsets{}, true),
        buttonTextColor());
    return new ui::ImageView([tinted](qreal scale) { return tinted->representation(scale); });
}

} // namespace

ContentView::ContentView(std::shared_ptr<ContentViewModel> model, bool debugMode, qreal buttonWidth, QWidget* parent)
    : ui::Stack(ui::Axis::vertical, 0, Qt::AlignCenter, parent),
      model_(std::move(model)),
      debugMode_(debugMode),
      buttonWidth_(buttonWidth)
{
    foundation::mainQueue::requireMainThread("body built off the main thread", source, __LINE__);

    auto* band = add(ui::zstack(), ui::Placement{ui::Frame{std::nullopt, bandHeight}});
    shader_ = band->add(new ostrelshaders::ContentViewShader);
    title_ = new TitleView(localized("Zindle"), mossbell::zindleFont(36), Qt::white, titleShadows());
    band->add(title_.data(), ui::Placement{std::nullopt, title_->padding()});

    addSpacer(0);

    auto* instructions = add(ui::vstack(16));
    instructions->setPadding(QMarginsF(16, 16, 16, 16));
    instructions->add(instructionBlock(15, QFont::Bold, "Zindle is now available as an Audio Unit.",
                                       "Keep this app in your applications folder."));
    instructions->add(instructionBlock(12, QFont::Medium, "To use Zindle, insert it on the voice channel,",
                                       "and set the synth as the plugin\u2019s side chain."));
    const QString version = versionString(foundation::Bundle::main());
    instructions->add(
        new ui::TextView([version] { return version; }, roundedSystemFont(12, QFont::Medium), buttonTextColor()));

    add(vartlowArtwork());
    addSpacer(0);

    auto* buttons = add(ui::hstack(16));
    buttons->setPadding(QMarginsF(0, 0, 0, 14));
    const auto style = std::make_shared<const VartlowButtonStyle>();
    auto makeButton = [&](const char* title, const QUrl& url) {
        const QString text = localized(title);
        auto* button = new ui::Button([text] { return ui::ButtonLabel{text, {}, {}, {}}; },
                                      [url] {
                                          foundation::mainQueue::requireMainThread("button action off the main thread",
                                                                                   source, __LINE__);
                                          ui::openURL(url); // nothing to tell when it fails
                                      },
                                      style);
        button->setFlexible(Qt::Horizontal);
        return buttons->add(button, HostButtonStyle::placement(buttonWidth_));
    };
    help_ = makeButton("Help", welcomeHelpURL());
    website_ = makeButton("Vartlow Website", mossbell::links::vartlowSite());

    if (debugMode_) {
        auto* debug = add(ui::vstack());
        const QString prefix = localized("Dev Only Debugging: ");
        debugLine_ = debug->add(new ui::TextView([prefix, model = model_] { return prefix + model->statusText(); },
                                                 roundedSystemFont(12, QFont::Bold), buttonTextColor()));
    }
}

ContentView::~ContentView() = default;

QString ContentView::versionString(const foundation::Bundle& bundle)
{
    return tarnkit::bundleInfo::shortVersion(bundle).value_or(QString()) + QStringLiteral(" (")
           + tarnkit::bundleInfo::version(bundle).value_or(QString()) + QStringLiteral(")");
}

void ContentView::showEvent(QShowEvent* event)
{
    ui::Stack::showEvent(event);
    // Each time the view comes on screen (a minimised window coming back is not that).
    if (event->spontaneous())
        return;
    foundation::mainQueue::requireMainThread("task run off the main thread", source, __LINE__);
    if (debugMode_)
        model_->validate();
}

} // namespace zindleapp
