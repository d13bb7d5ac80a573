#include "Tarnkit/Components/TarnSettingsSection.h"

#include "Tarnkit/Components/FillEachChildLeading.h"
#include "Tarnkit/Components/TarnSettings.h"
#include "Tarnkit/Foundation/Styles.h"
#include "Tarnkit/Foundation/ViewSugar.h"

#include "platform/foundation/FatalError.h"
#include "platform/ui/BasicViews.h"
#include "platform/ui/View.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>

#include <string>

namespace tarnkit {

/// The label, centred in a column of the config's width and cut to it when longer.
class TarnSettingsSection::LabelView final : public ui::View {
public:
    explicit LabelView(QString text) : text_(std::move(text)) { setColumnWidth(0); }

    void setColumnWidth(qreal width)
    {
        setNaturalSize(QSizeF(std::max(0.0, width), ui::textSize(text_, font()).height()));
    }

protected:
    void paint(QPainter& painter) override
    {
        painter.setFont(font());
        painter.setPen(*Styles::Control::textColor());
        const QString shown = QFontMetricsF(font()).elidedText(text_, Qt::ElideRight, width());
        painter.drawText(rect(), Qt::AlignCenter, shown);
    }

private:
    static const QFont& font() { return *Styles::BaseStyles::menuFont(); }

    QString text_;
};

TarnSettingsSection::TarnSettingsSection(QString label, const std::vector<QWidget*>& content,
                                         std::shared_ptr<TarnSettingsConfig> config, QWidget* parent)
    : ui::Stack(ui::Axis::horizontal, labelSpacing, Qt::AlignVCenter, parent), label_(std::move(label)),
      ownConfig_(std::move(config)), labelView_(new LabelView(label_)), content_(new FillEachChildLeading(content))
{
    add(labelView_);
    add(content_);
    if (ownConfig_)
        use(ownConfig_);
}

TarnSettingsSection::~TarnSettingsSection() = default;

QWidget* TarnSettingsSection::labelView() const
{
    return labelView_;
}

void TarnSettingsSection::use(std::shared_ptr<TarnSettingsConfig> config)
{
    if (config == config_)
        return;
    config_ = std::move(config);
    widthObservation_ = config_->observeLabelWidth([this](qreal width) { labelView_->setColumnWidth(width); });
    labelView_->setColumnWidth(config_->labelWidth());
}

void TarnSettingsSection::updateConfig()
{
    if (ownConfig_) {
        use(ownConfig_);
        return;
    }
    if (const auto* form = firstSuperview<TarnSettings>(this))
        use(form->config());
}

bool TarnSettingsSection::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Polish: updateConfig(); break;
    case QEvent::Show:
        updateConfig();
        if (!config_) {
            const std::string message = "TarnSettingsSection \"" + label_.toStdString() +
                                        "\" has no TarnSettingsConfig: give it one, or place it in a TarnSettings form";
            foundation::fatalError(message, "Tarnkit/TarnSettingsSection", __LINE__);
        }
        break;
    default: break;
    }
    return ui::Stack::event(event);
}

} // namespace tarnkit
