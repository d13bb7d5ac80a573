#include "Tarnkit/Fields/StyledTableView.h"

#include "Tarnkit/Fields/ScrollView.h"
#include "Tarnkit/Fields/StyledTableHeaderCell.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace tarnkit {

StyledTableView::StyledTableView(QWidget* parent) : TableView(parent)
{
}

TableViewStyle& StyledTableView::style() const
{
    if (!style_)
        style_ = std::make_unique<TableViewStyle>();
    return *style_;
}

StyledControlState StyledTableView::controlState() const
{
    StyledControlState state = StyledControlState::defaultState;
    if (!isEnabled())
        state.formUnion(StyledControlState::disabled);
    return state;
}

void StyledTableView::superviewChanged()
{
    TableView::superviewChanged();
    setBackgroundColor(style().backgroundColor());
    if (ScrollView* scrollView = enclosingScrollView()) {
        scrollView->setDrawsBackground(true);
        scrollView->setBackgroundColor(backgroundColor());
    }
}

void StyledTableView::mousePressEvent(QMouseEvent* event)
{
    QWidget* window = this->window();
    if (window && window != this && makeKeyOnClick_ && !window->isActiveWindow())
        window->activateWindow();
    TableView::mousePressEvent(event);
}

void StyledTableView::keyPressEvent(QKeyEvent* event)
{
    if (allowKeyboardNavigation_) {
        TableView::keyPressEvent(event);
        return;
    }
    // Not ours: Qt hands an ignored key to the parent (and drops it at the window).
    event->ignore();
}

void StyledTableView::applyHeaderStyle(const ColorRef& textColor, const ColorRef& tintColor, const QFont& font)
{
    for (TableColumn* column : tableColumns()) {
        if (column->isHidden())
            continue;
        TableHeaderCell& old = column->headerCell();
        auto cell = std::make_unique<StyledTableHeaderCell>(old.stringValue(), old.image());
        cell->setDrawsBackground(true);
        cell->setBackgroundColor(clearColor());
        cell->setBackgroundStyle(BackgroundStyle::raised);
        cell->setTintColor(tintColor);
        cell->setTextColor(textColor);
        cell->setAttributedStringValue(
            AttributedString(old.stringValue(), font, textColor ? *textColor : QColor(Qt::white)));
        column->setHeaderCell(std::move(cell));
    }
}

StyledTableView::IndexSet StyledTableView::allColumnIndexes() const
{
    IndexSet indexes;
    for (int index = 0; index < numberOfColumns(); ++index)
        indexes.insert(indexes.end(), index);
    return indexes;
}

} // namespace tarnkit
