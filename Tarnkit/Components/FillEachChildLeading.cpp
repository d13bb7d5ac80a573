#include "Tarnkit/Components/FillEachChildLeading.h"

namespace tarnkit {

FillEachChildLeading::FillEachChildLeading(const std::vector<QWidget*>& children, QWidget* parent)
    : ui::Stack(ui::Axis::vertical, defaultSpacing, Qt::AlignLeft, parent)
{
    for (QWidget* child : children)
        addChild(child);
}

QWidget* FillEachChildLeading::addChild(QWidget* child)
{
    if (!child)
        return nullptr;
    // The row is made whole before it is added, so this column sees it flexible at once.
    auto* row = ui::hstack(defaultSpacing, Qt::AlignVCenter);
    row->add(child);
    row->addSpacer(0);
    add(row);
    return child;
}

std::vector<QWidget*> FillEachChildLeading::wrappedChildren() const
{
    std::vector<QWidget*> wrapped;
    for (QWidget* row : children()) {
        if (auto* stack = dynamic_cast<ui::Stack*>(row); stack && !stack->children().empty())
            wrapped.push_back(stack->children().front());
    }
    return wrapped;
}

} // namespace tarnkit
