#pragma once

#include "Tarnkit/Components/TarnSegmentItem.h"

#include "platform/foundation/Observation.h"

#include <functional>
#include <vector>

namespace tarnkit {

/// The state of a TarnSegmentedControl: its items, the selected item, whether the selection is
/// hidden, and a callback for every tap.
///
/// Observable: every getter registers its read, and a write notifies its observers only when
/// it changes something: items when the ids, position by position, differ (titles do not
/// count), the selected item when its id does (or it appears or goes), hideSelection when the
/// flag does. Writing onSelectionChanged always notifies.
///
/// Main thread, like every model.
class TarnSegmentedControlModel {
public:
    using SelectionCallback = std::function<void(const TarnSegmentItemRef& selected)>;

    explicit TarnSegmentedControlModel(std::vector<TarnSegmentItemRef> items);

    const std::vector<TarnSegmentItemRef>& items() const;
    void setItems(std::vector<TarnSegmentItemRef> items);

    /// While true no segment is drawn as selected; selectedItem() stays as it is.
    bool hideSelection() const;
    void setHideSelection(bool hide);

    /// Null when nothing is selected.
    const TarnSegmentItemRef& selectedItem() const;
    void setSelectedItem(TarnSegmentItemRef item);

    /// Called after every tap with the selection then (null after a deselect), also when the
    /// tap changed nothing. Not called by select() or the setters.
    const SelectionCallback& onSelectionChanged() const;
    void setOnSelectionChanged(SelectionCallback callback);

    /// Selects the first item with that id; with none, nothing changes.
    void select(int id);

    /// A tap on item: a tap on another item selects it; a tap on the selected item deselects
    /// it, unless the selection was hidden, in which case it only shows it again. Every tap
    /// shows a hidden selection. Then onSelectionChanged hears the selection.
    void handleTap(const TarnSegmentItemRef& item);

    /// Whether item's segment is drawn as selected now (reads observed).
    bool showsAsSelected(const TarnSegmentItem& item) const;

private:
    std::vector<TarnSegmentItemRef> items_;
    bool hideSelection_ = false;
    TarnSegmentItemRef selectedItem_;
    SelectionCallback onSelectionChanged_;
    foundation::ObservationRegistrar itemsRegistrar_;
    foundation::ObservationRegistrar hideSelectionRegistrar_;
    foundation::ObservationRegistrar selectedItemRegistrar_;
    foundation::ObservationRegistrar onSelectionChangedRegistrar_;
};

} // namespace tarnkit
