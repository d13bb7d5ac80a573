#pragma once

#include "Tarnkit/Components/TarnSegmentedControlModel.h"

#include "platform/ui/DynamicView.h"

#include <memory>
#include <vector>

namespace tarnkit {

/// A row of window tabs, one text button per item of its model, touching each other, in the
/// order of the items. A tap goes to the model's handleTap; a segment draws as selected while
/// the model's selected item has its id and the selection is not hidden. The row is rebuilt
/// when the items change (a new id, order or count) and repaints a segment when its selection
/// does.
///
///     auto model = std::make_shared<tarnkit::TarnSegmentedControlModel>(
///         std::vector{std::make_shared<tarnkit::TarnSegmentItem>(0, "Retro"),
///                     std::make_shared<tarnkit::TarnSegmentItem>(1, "Modern")});
///     auto* tabs = new tarnkit::TarnSegmentedControl(model);
///
/// Main thread.
class TarnSegmentedControl : public ui::DynamicView<std::vector<int>> {
public:
    explicit TarnSegmentedControl(std::shared_ptr<TarnSegmentedControlModel> model, QWidget* parent = nullptr);

    const std::shared_ptr<TarnSegmentedControlModel>& model() const { return model_; }

private:
    std::shared_ptr<TarnSegmentedControlModel> model_;
};

} // namespace tarnkit
