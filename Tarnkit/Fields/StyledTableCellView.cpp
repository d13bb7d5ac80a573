#include "Tarnkit/Fields/StyledTableCellView.h"

#include "Tarnkit/Controls/Button.h"

#include <QPalette>

namespace tarnkit {

StyledTableCellView::StyledTableCellView(QWidget* parent, bool withTextField) : TableCellView(parent, withTextField)
{
    recolourTextField();
}

TableViewStyle& StyledTableCellView::classStyle()
{
    // Made once and kept for the whole run: every styled cell view draws from it.
    static TableViewStyle* const style = new TableViewStyle();
    return *style;
}

TableViewStyle& StyledTableCellView::style() const
{
    return classStyle();
}

StyledControlState StyledTableCellView::controlState() const
{
    return selected_ ? StyledControlState::defaultState | StyledControlState::selected
                     : StyledControlState(StyledControlState::defaultState);
}

void StyledTableCellView::recolourTextField()
{
    QLabel* field = textField();
    if (!field)
        return;
    QPalette palette = field->palette();
    palette.setColor(QPalette::WindowText, *style().textColor(controlState()));
    field->setPalette(palette);
}

void StyledTableCellView::setSelected(bool selected)
{
    selected_ = selected;
    recolourTextField();
    setSelectedOnSubviews(this, selected, true);
}

Button* StyledTableCellView::actionButton() const
{
    const QWidget* row = parentWidget();
    if (!row)
        return nullptr;
    for (QWidget* child : row->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        auto* button = qobject_cast<Button*>(child);
        if (button && button->property("tag").toInt() == actionButtonTag)
            return button;
    }
    return nullptr;
}

void StyledTableCellView::setObjectValue(const QVariant& value)
{
    TableCellView::setObjectValue(value);
    prepareForReuse();
    invalidateIntrinsicContentSize();
}

void StyledTableCellView::prepareForReuse()
{
    TableCellView::prepareForReuse();
    if (QLabel* field = textField())
        field->clear();
    recolourTextField();
}

Size StyledTableCellView::intrinsicContentSize() const
{
    const QLabel* field = textField();
    if (!field)
        return TableCellView::intrinsicContentSize();
    const EdgeInsets insets = alignmentRectInsets();
    return {field->x() + double(field->sizeHint().width()) - horizontal(insets), -1};
}

} // namespace tarnkit
