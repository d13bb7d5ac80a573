#include "Tarnkit/Components/TarnSegmentedControlModel.h"

#include <algorithm>
#include <utility>

namespace tarnkit {

namespace {

bool sameItem(const TarnSegmentItemRef& a, const TarnSegmentItemRef& b)
{
    if (!a || !b)
        return !a && !b;
    return *a == *b;
}

bool sameItems(const std::vector<TarnSegmentItemRef>& a, const std::vector<TarnSegmentItemRef>& b)
{
    return std::ranges::equal(a, b, sameItem);
}

} // namespace

TarnSegmentedControlModel::TarnSegmentedControlModel(std::vector<TarnSegmentItemRef> items) : items_(std::move(items))
{
}

const std::vector<TarnSegmentItemRef>& TarnSegmentedControlModel::items() const
{
    itemsRegistrar_.access();
    return items_;
}

void TarnSegmentedControlModel::setItems(std::vector<TarnSegmentItemRef> items)
{
    const bool changed = !sameItems(items, items_);
    items_ = std::move(items);
    if (changed)
        itemsRegistrar_.didChange();
}

bool TarnSegmentedControlModel::hideSelection() const
{
    hideSelectionRegistrar_.access();
    return hideSelection_;
}

void TarnSegmentedControlModel::setHideSelection(bool hide)
{
    if (std::exchange(hideSelection_, hide) != hide)
        hideSelectionRegistrar_.didChange();
}

const TarnSegmentItemRef& TarnSegmentedControlModel::selectedItem() const
{
    selectedItemRegistrar_.access();
    return selectedItem_;
}

void TarnSegmentedControlModel::setSelectedItem(TarnSegmentItemRef item)
{
    const bool changed = !sameItem(item, selectedItem_);
    selectedItem_ = std::move(item);
    if (changed)
        selectedItemRegistrar_.didChange();
}

const TarnSegmentedControlModel::SelectionCallback& TarnSegmentedControlModel::onSelectionChanged() const
{
    onSelectionChangedRegistrar_.access();
    return onSelectionChanged_;
}

void TarnSegmentedControlModel::setOnSelectionChanged(SelectionCallback callback)
{
    onSelectionChanged_ = std::move(callback);
    onSelectionChangedRegistrar_.didChange();
}

void TarnSegmentedControlModel::select(int id)
{
    const auto found = std::ranges::find_if(items_, [id](const TarnSegmentItemRef& item) { return item && item->id() == id; });
    if (found != items_.end())
        setSelectedItem(*found);
}

void TarnSegmentedControlModel::handleTap(const TarnSegmentItemRef& item)
{
    if (!item)
        return;
    const TarnSegmentItemRef selected = selectedItem();
    if (!selected || selected->id() != item->id()) {
        if (hideSelection())
            setHideSelection(false);
        setSelectedItem(item);
    } else if (hideSelection()) {
        setHideSelection(false); // shown again, and kept
    } else {
        setSelectedItem(nullptr);
    }
    // A copy: the callback may replace itself.
    if (const SelectionCallback callback = onSelectionChanged())
        callback(selectedItem());
}

bool TarnSegmentedControlModel::showsAsSelected(const TarnSegmentItem& item) const
{
    if (hideSelection())
        return false;
    const TarnSegmentItemRef& selected = selectedItem();
    return selected && selected->id() == item.id();
}

} // namespace tarnkit
