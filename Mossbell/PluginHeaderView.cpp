#include "Mossbell/PluginHeaderView.h"

#include "Mossbell/AssetResources.h"
#include "Mossbell/AudioParameter.h"
#include "Mossbell/Links.h"
#include "Mossbell/UpdateButtonStyle.h"

#include "platform/ui/BasicViews.h"
#include "platform/ui/Button.h"
#include "platform/ui/OpenURL.h"
#include "platform/ui/Stack.h"
#include "platform/ui/ViewAnchoring.h"

#include <QEvent>
#include <QLocale>

#include <cmath>

namespace mossbell {

namespace {

// The gap the layers leave between neighbours that ask for none of their own.
constexpr qreal defaultSpacing = 8.0;

QColor colorOf(ColorAsset asset)
{
    return ColorResource::of(asset).value();
}

// The tab titles take the capitals of the user's locale.
QString upperCased(const QString& text)
{
    return QLocale().toUpper(text);
}

} // namespace

PluginHeaderView::PluginHeaderView(QUrl appUpdateURL, QString pluginVersion,
                                   std::shared_ptr<AudioParameter> tabParameter, MossFont font,
                                   UpdateDetailsSource updateDetails, const std::function<QWidget*()>& makeMenu,
                                   QWidget* parent)
    : QWidget(parent), appUpdateURL_(std::move(appUpdateURL)), pluginVersion_(std::move(pluginVersion)),
      tabParameter_(std::move(tabParameter)), font_(font), updateDetails_(std::move(updateDetails))
{
    // The background fills the whole bar; the padding only moves the layers in from the edges.
    root_ = ui::zstack(Qt::AlignCenter, this);
    root_->add(new ui::ColorView(colorOf(ColorAsset::background)));
    auto* layers = root_->add(ui::zstack());
    layers->setPadding(QMarginsF(leadingPadding, 0, trailingPadding, 0));
    layers->add(makeLogoLayer());
    layers->add(makeTabLayer());
    layers->add(makeTrailingLayer(makeMenu ? makeMenu() : nullptr));
    ui::anchorToAllSidesOf(*root_, this, QMargins());

    // As wide as the container, always the bar's height.
    setFixedHeight(int(barHeight));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

PluginHeaderView::PluginHeaderView(QUrl appUpdateURL, QString pluginVersion,
                                   std::shared_ptr<AudioParameter> tabParameter, MossFont font,
                                   UpdateDetailsSource updateDetails, QWidget* parent)
    : PluginHeaderView(std::move(appUpdateURL), std::move(pluginVersion), std::move(tabParameter), font,
                       std::move(updateDetails), std::function<QWidget*()>(), parent)
{
}

PluginHeaderView::~PluginHeaderView() = default;

QWidget* PluginHeaderView::makeLogoLayer()
{
    auto* layer = ui::hstack(defaultSpacing);
    logo_ = layer->add(new ui::Button(
        [] {
            ui::ButtonLabel label;
            label.image = [](qreal scale) { return ImageResource::of(ImageAsset::vartlowLogo).image(scale); };
            return label;
        },
        [] { ui::openURL(links::vartlowSite()); }));
    layer->addSpacer();
    return layer;
}

QWidget* PluginHeaderView::makeTabLayer()
{
    auto* layer = ui::hstack();
    layer->addSpacer();
    const auto& titles = tabParameter_->valueStrings();
    if (titles && !titles->empty()) {
        auto* group = layer->add(ui::hstack(tabSpacing));
        for (std::size_t i = 0; i < titles->size(); ++i) {
            const QString title = upperCased(QString::fromStdString((*titles)[i]));
            const float index = float(i);
            const QFont font = mossFont(font_, tabFontSize);
            // The label reads the value, so every tab follows each change of the parameter.
            tabs_.push_back(group->add(new ui::Button(
                [parameter = tabParameter_, title, index, font] {
                    const bool selected = parameter->value() == index;
                    return ui::ButtonLabel{title, font,
                                           colorOf(selected ? ColorAsset::tabSelected : ColorAsset::tabUnselected), {}};
                },
                [parameter = tabParameter_, index] {
                    parameter->setValue(index, ParameterEditor::ui, ParameterEditorState::change);
                })));
        }
    }
    layer->addSpacer();
    return layer;
}

QWidget* PluginHeaderView::makeTrailingLayer(QWidget* menu)
{
    trailingLayer_ = ui::hstack(defaultSpacing);
    trailingLayer_->addSpacer();
    statusGroup_ = trailingLayer_->add(ui::hstack(defaultSpacing));
    statusGroup_->addSpacer();
    status_ = statusGroup_->add(
        new Status(updateDetails_, [this](const std::optional<UpdateAvailableDetails>& details) {
            return makeStatus(details);
        }));
    if (menu)
        menu_ = trailingLayer_->add(menu);
    return trailingLayer_;
}

QWidget* PluginHeaderView::makeStatus(const std::optional<UpdateAvailableDetails>& details) const
{
    if (!details)
        return new ui::TextView([version = pluginVersion_] { return version; }, mossFont(font_, versionFontSize),
                                colorOf(ColorAsset::versionInfo));

    // Plain capitals, unlike the tabs: the notice reads the same in every locale.
    const QString text = (QString::fromStdString(details->newVersion) + QStringLiteral(" Available")).toUpper();
    return new ui::Button([text] { return ui::ButtonLabel{text, QFont(), QColor(), {}}; },
                          [url = appUpdateURL_] { ui::openURL(url); }, std::make_shared<UpdateButtonStyle>());
}

ui::Button* PluginHeaderView::updateButton() const
{
    return dynamic_cast<ui::Button*>(status_->content());
}

ui::TextView* PluginHeaderView::versionText() const
{
    return dynamic_cast<ui::TextView*>(status_->content());
}

QSize PluginHeaderView::sizeHint() const
{
    return QSize(root_->sizeHint().width(), int(barHeight));
}

QSize PluginHeaderView::minimumSizeHint() const
{
    return QSize(0, int(barHeight));
}

bool PluginHeaderView::event(QEvent* event)
{
    // The layers asked for another size (the status changed): tell our own container.
    if (event->type() == QEvent::LayoutRequest)
        updateGeometry();
    return QWidget::event(event);
}

} // namespace mossbell
