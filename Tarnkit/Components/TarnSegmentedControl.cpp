#include "Tarnkit/Components/TarnSegmentedControl.h"

#include "Tarnkit/Components/SegmentedButtonStyle.h"

#include "platform/ui/Button.h"

namespace tarnkit {

namespace {

/// The style of one segment: the selected or the plain look, as the model says at each paint
/// (what it reads there is observed, so the segment repaints when its selection changes).
class SegmentStyle final : public ui::ButtonStyle {
public:
    SegmentStyle(std::weak_ptr<const TarnSegmentedControlModel> model, TarnSegmentItemRef item)
        : model_(std::move(model)), item_(std::move(item))
    {
    }

    // Both looks have one size: the same font, padding and tab.
    QSizeF size(const ui::ButtonLabel& label) const override { return plain().size(label); }

    void paint(QPainter& painter, const QRectF& rect, const ui::ButtonLabel& label, bool isPressed) const override
    {
        const auto model = model_.lock();
        const bool isSelected = model && model->showsAsSelected(*item_);
        (isSelected ? selected() : plain()).paint(painter, rect, label, isPressed);
    }

private:
    static const SegmentedButtonStyle& plain()
    {
        static const SegmentedButtonStyle style(false);
        return style;
    }
    static const SegmentedButtonStyle& selected()
    {
        static const SegmentedButtonStyle style(true);
        return style;
    }

    std::weak_ptr<const TarnSegmentedControlModel> model_;
    TarnSegmentItemRef item_;
};

std::vector<int> itemIds(const TarnSegmentedControlModel& model)
{
    std::vector<int> ids;
    for (const TarnSegmentItemRef& item : model.items()) {
        if (item)
            ids.push_back(item->id());
    }
    return ids;
}

QWidget* makeRow(const std::shared_ptr<TarnSegmentedControlModel>& model)
{
    auto* row = ui::hstack(0, Qt::AlignVCenter);
    for (const TarnSegmentItemRef& item : model->items()) {
        if (!item)
            continue;
        std::weak_ptr<TarnSegmentedControlModel> weakModel = model;
        row->add(new ui::Button([item] { return ui::ButtonLabel{item->title(), {}, {}, {}}; },
                                [weakModel, item] {
                                    if (auto owner = weakModel.lock())
                                        owner->handleTap(item);
                                },
                                std::make_shared<SegmentStyle>(weakModel, item)));
    }
    return row;
}

} // namespace

TarnSegmentedControl::TarnSegmentedControl(std::shared_ptr<TarnSegmentedControlModel> model, QWidget* parent)
    : ui::DynamicView<std::vector<int>>([model] { return itemIds(*model); }, [model](const std::vector<int>&) { return makeRow(model); },
                                        parent),
      model_(std::move(model))
{
}

} // namespace tarnkit
