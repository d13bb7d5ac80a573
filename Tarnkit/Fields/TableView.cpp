#include "Tarnkit/Fields/TableView.h"

#include "Tarnkit/Fields/ScrollView.h"
#include "Tarnkit/Fields/TableCellView.h"
#include "Tarnkit/Fields/TableHeaderView.h"

#include "platform/foundation/FatalError.h"
#include "platform/foundation/MainQueue.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/TableView";

} // namespace

const QString TableView::defaultRowViewIdentifier = QStringLiteral("TableRowView");

QVariant TableViewDataSource::objectValue(const TableView&, const TableColumn&, int) const
{
    return {};
}

TableRowView* TableViewDelegate::rowViewFor(TableView&, int)
{
    return nullptr;
}

void TableViewDelegate::selectionDidChange(TableView&)
{
}

TableView::TableView(QWidget* parent) : QWidget(parent), backgroundColor_(clearColor())
{
    foundation::mainQueue::requireMainThread("a table is used off the main thread", source, __LINE__);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    watchClipView();
}

TableView::~TableView()
{
    for (QMetaObject::Connection& connection : clipConnections_)
        disconnect(connection);
}

// ---- content --------------------------------------------------------------------------------

void TableView::setDataSource(TableViewDataSource* dataSource)
{
    dataSource_ = dataSource;
    reloadData();
}

void TableView::setDelegate(TableViewDelegate* delegate)
{
    delegate_ = delegate;
    reloadData();
}

void TableView::reloadData()
{
    foundation::mainQueue::requireMainThread("a table is used off the main thread", source, __LINE__);
    recycleAll();
    numberOfRows_ = dataSource_ ? std::max(0, dataSource_->numberOfRows(*this)) : 0;
    IndexSet kept;
    for (const auto row : selected_) {
        if (row < numberOfRows_)
            kept.insert(row);
    }
    if (lead_ >= numberOfRows_)
        lead_ = -1;
    if (anchor_ >= numberOfRows_)
        anchor_ = -1;
    setSelection(std::move(kept));
    tile();
}

// ---- columns --------------------------------------------------------------------------------

void TableView::addTableColumn(std::unique_ptr<TableColumn> column)
{
    if (!column)
        return;
    column->tableView_ = this;
    columns_.push_back(std::move(column));
    recycleAll();
    columnsChanged();
}

std::unique_ptr<TableColumn> TableView::removeTableColumn(TableColumn* column)
{
    const auto found = std::find_if(columns_.begin(), columns_.end(), [column](const auto& c) { return c.get() == column; });
    if (found == columns_.end())
        return nullptr;
    recycleAll();
    std::unique_ptr<TableColumn> removed = std::move(*found);
    columns_.erase(found);
    removed->tableView_ = nullptr;
    columnsChanged();
    return removed;
}

std::vector<TableColumn*> TableView::tableColumns() const
{
    std::vector<TableColumn*> columns;
    columns.reserve(columns_.size());
    for (const auto& column : columns_)
        columns.push_back(column.get());
    return columns;
}

int TableView::column(const QString& identifier) const
{
    for (int index = 0; index < int(columns_.size()); ++index) {
        if (columns_[std::size_t(index)]->identifier() == identifier)
            return index;
    }
    return -1;
}

Rect TableView::rectOfColumn(int index) const
{
    if (index < 0 || index >= int(columns_.size()) || columns_[std::size_t(index)]->isHidden())
        return {};
    double x = 0;
    int last = -1;
    for (int i = 0; i < int(columns_.size()); ++i) {
        if (!columns_[std::size_t(i)]->isHidden())
            last = i;
    }
    for (int i = 0; i < index; ++i) {
        if (!columns_[std::size_t(i)]->isHidden())
            x += columns_[std::size_t(i)]->width();
    }
    // The last visible column takes what is left of the table's width.
    const double width = index == last ? std::max(columns_[std::size_t(index)]->width(), this->width() - x)
                                       : columns_[std::size_t(index)]->width();
    return Rect(x, 0, width, height());
}

Rect TableView::rectOfRow(int row) const
{
    if (row < 0 || row >= numberOfRows_)
        return {};
    return Rect(0, row * rowHeight_, width(), rowHeight_);
}

int TableView::row(const QPointF& point) const
{
    if (point.y() < 0 || rowHeight_ <= 0)
        return -1;
    const int row = int(std::floor(point.y() / rowHeight_));
    return row < numberOfRows_ ? row : -1;
}

int TableView::column(const QPointF& point) const
{
    for (int index = 0; index < int(columns_.size()); ++index) {
        const Rect rect = rectOfColumn(index);
        if (rect.width() > 0 && point.x() >= rect.minX() && point.x() < rect.maxX())
            return index;
    }
    return -1;
}

void TableView::columnsChanged()
{
    tile();
    if (headerView_)
        headerView_->update();
}

void TableView::setRowHeight(double height)
{
    rowHeight_ = std::max(height, 1.0);
    tile();
}

void TableView::setHeaderView(TableHeaderView* header)
{
    if (headerView_ == header)
        return;
    if (headerView_)
        headerView_->deleteLater();
    headerView_ = header;
    if (header) {
        if (!enclosingScrollView())
            header->setParent(this); // kept until a scroll view shows it
        header->hide();
        header->setTableView(this);
    }
    if (ScrollView* scrollView = enclosingScrollView())
        scrollView->tile();
    tile();
}

ClipView* TableView::enclosingClipView() const
{
    auto* clip = qobject_cast<ClipView*>(parentWidget());
    return clip && clip->documentView() == this ? clip : nullptr;
}

ScrollView* TableView::enclosingScrollView() const
{
    for (QWidget* ancestor = parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (auto* scrollView = qobject_cast<ScrollView*>(ancestor))
            return scrollView;
    }
    return nullptr;
}

void TableView::setBackgroundColor(ColorRef color)
{
    backgroundColor_ = color ? std::move(color) : clearColor();
    update();
}

void TableView::setSelectionHighlightStyle(SelectionHighlightStyle style)
{
    highlightStyle_ = style;
    for (auto& [row, live] : live_)
        live.view->setSelectionHighlightStyle(style);
}

// ---- selection ------------------------------------------------------------------------------

int TableView::selectedRow() const
{
    if (lead_ >= 0 && selected_.contains(lead_))
        return lead_;
    return selected_.empty() ? -1 : int(*selected_.rbegin());
}

void TableView::selectRowIndexes(const IndexSet& rows, bool byExtendingSelection)
{
    IndexSet chosen = byExtendingSelection ? selected_ : IndexSet();
    for (const auto row : rows) {
        if (row >= 0 && row < numberOfRows_)
            chosen.insert(row);
    }
    if (!allowsMultipleSelection_ && chosen.size() > 1) {
        const auto last = rows.empty() ? *chosen.rbegin() : *rows.rbegin();
        chosen = chosen.contains(last) ? IndexSet{last} : IndexSet{*chosen.rbegin()};
    }
    setSelection(std::move(chosen));
}

void TableView::deselectRow(int row)
{
    IndexSet rows = selected_;
    rows.erase(row);
    setSelection(std::move(rows));
}

void TableView::deselectAll()
{
    setSelection({});
}

void TableView::selectAll()
{
    if (!allowsMultipleSelection_)
        return;
    IndexSet all;
    for (int row = 0; row < numberOfRows_; ++row)
        all.insert(all.end(), row);
    setSelection(std::move(all));
}

void TableView::setSelection(IndexSet rows)
{
    if (rows == selected_)
        return;
    selected_ = std::move(rows);
    rowsChangedSelection();
    emit selectionDidChange();
    if (delegate_)
        delegate_->selectionDidChange(*this);
}

void TableView::rowsChangedSelection()
{
    for (auto& [row, live] : live_) {
        const bool selected = isRowSelected(row);
        if (live.view->isSelected() != selected)
            live.view->setSelected(selected);
        // A neighbour's selection shapes this row's selection too.
        live.view->update();
    }
}

void TableView::moveSelection(int to, bool extending)
{
    if (numberOfRows_ == 0)
        return;
    to = std::clamp(to, 0, numberOfRows_ - 1);
    lead_ = to;
    if (extending && allowsMultipleSelection_ && anchor_ >= 0) {
        IndexSet range;
        for (int row = std::min(anchor_, to); row <= std::max(anchor_, to); ++row)
            range.insert(range.end(), row);
        setSelection(std::move(range));
    } else {
        anchor_ = to;
        setSelection({to});
    }
    scrollRowToVisible(to);
}

// ---- views ----------------------------------------------------------------------------------

void TableView::registerView(const QString& identifier, std::function<TableReusableView*()> make)
{
    factories_[identifier] = std::move(make);
}

TableReusableView* TableView::makeView(const QString& identifier)
{
    if (auto found = reusable_.find(identifier); found != reusable_.end()) {
        auto& waiting = found->second;
        while (!waiting.empty()) {
            QPointer<TableReusableView> view = waiting.back();
            waiting.pop_back();
            if (view) {
                view->prepareForReuse();
                return view.data();
            }
        }
    }
    if (auto factory = factories_.find(identifier); factory != factories_.end() && factory->second) {
        TableReusableView* view = factory->second();
        if (view)
            view->setIdentifier(identifier);
        return view;
    }
    return nullptr;
}

TableRowView* TableView::rowView(int row) const
{
    const auto found = live_.find(row);
    return found == live_.end() ? nullptr : found->second.view;
}

QWidget* TableView::view(int column, int row) const
{
    const auto found = live_.find(row);
    if (found == live_.end() || column < 0 || column >= int(found->second.cells.size()))
        return nullptr;
    return found->second.cells[std::size_t(column)].data();
}

int TableView::row(const QWidget* view) const
{
    for (const QWidget* v = view; v && v != this; v = v->parentWidget()) {
        if (const auto found = rowOfView_.find(v); found != rowOfView_.end())
            return found->second;
    }
    return -1;
}

void TableView::recycle(QWidget* view)
{
    if (!view)
        return;
    auto* reusable = qobject_cast<TableReusableView*>(view);
    if (!reusable || reusable->identifier().isEmpty()) {
        view->deleteLater();
        view->hide();
        return;
    }
    view->hide();
    if (view->parentWidget() != this)
        view->setParent(this); // out of the row it showed in
    reusable_[reusable->identifier()].emplace_back(reusable);
}

void TableView::recycleRow(LiveRow& live)
{
    for (QPointer<QWidget>& cell : live.cells)
        recycle(cell.data());
    rowOfView_.erase(live.view);
    recycle(live.view);
}

void TableView::recycleAll()
{
    for (auto& [row, live] : live_)
        recycleRow(live);
    live_.clear();
}

TableView::LiveRow TableView::makeRow(int row)
{
    LiveRow live;
    live.view = delegate_ ? delegate_->rowViewFor(*this, row) : nullptr;
    if (!live.view)
        live.view = makeView<TableRowView>(defaultRowViewIdentifier);
    if (!live.view) {
        live.view = new TableRowView;
        live.view->setIdentifier(defaultRowViewIdentifier);
    }
    live.view->setParent(this);
    live.view->setSelectionHighlightStyle(highlightStyle_);
    live.view->setSelected(isRowSelected(row));
    rowOfView_[live.view] = row;

    live.cells.resize(columns_.size());
    for (std::size_t index = 0; index < columns_.size(); ++index) {
        const TableColumn& column = *columns_[index];
        if (column.isHidden() || !delegate_)
            continue;
        QWidget* cell = delegate_->viewFor(*this, column, row);
        if (!cell)
            continue;
        if (dataSource_) {
            if (const QVariant value = dataSource_->objectValue(*this, column, row); value.isValid()) {
                if (auto* cellView = qobject_cast<TableCellView*>(cell))
                    cellView->setObjectValue(value);
            }
        }
        cell->setParent(live.view); // the row tells it whether it is selected
        live.cells[index] = cell;
    }
    return live;
}

void TableView::layoutRow(int row, LiveRow& live) const
{
    live.view->setGeometry(toQt(rectOfRow(row)).toAlignedRect());
    for (std::size_t index = 0; index < live.cells.size(); ++index) {
        QWidget* cell = live.cells[index].data();
        if (!cell)
            continue;
        const Rect column = rectOfColumn(int(index));
        cell->setGeometry(QRectF(column.x(), 0, column.width(), rowHeight_).toAlignedRect());
        cell->show();
    }
    live.view->show();
}

Rect TableView::visibleRect() const
{
    if (const ClipView* clip = enclosingClipView())
        return clip->bounds();
    return Rect(0, 0, width(), height());
}

void TableView::tile()
{
    if (tiling_)
        return;
    tiling_ = true;

    // The size: the columns' widths and the rows' heights, at least the clip view's size.
    double columnsWidth = 0;
    for (const auto& column : columns_) {
        if (!column->isHidden())
            columnsWidth += column->width();
    }
    if (const ClipView* clip = enclosingClipView()) {
        const double rowsHeight = std::min(double(numberOfRows_) * rowHeight_, double(QWIDGETSIZE_MAX));
        const QSize size(int(std::ceil(std::max(columnsWidth, double(clip->width())))),
                         int(std::ceil(std::max(rowsHeight, double(clip->height())))));
        if (size != this->size())
            resize(size);
    }
    if (headerView_ && headerView_->parentWidget() != this) {
        const QSize headerSize(width(), int(std::ceil(headerView_->headerHeight())));
        if (headerView_->size() != headerSize)
            headerView_->resize(headerSize);
    }

    // The rows in view have views; the others give theirs back.
    const Rect visible = visibleRect();
    int first = 0;
    int last = -1;
    if (numberOfRows_ > 0 && visible.height() > 0) {
        first = std::clamp(int(std::floor(visible.minY() / rowHeight_)), 0, numberOfRows_ - 1);
        last = std::clamp(int(std::ceil(visible.maxY() / rowHeight_)) - 1, first, numberOfRows_ - 1);
    }
    for (auto it = live_.begin(); it != live_.end();) {
        if (it->first < first || it->first > last) {
            recycleRow(it->second);
            it = live_.erase(it);
        } else {
            ++it;
        }
    }
    for (int row = first; row <= last; ++row) {
        auto found = live_.find(row);
        if (found == live_.end())
            found = live_.emplace(row, makeRow(row)).first;
        layoutRow(row, found->second);
    }
    tiling_ = false;
}

void TableView::scrollRowToVisible(int row)
{
    ScrollView* scrollView = enclosingScrollView();
    const Rect rect = rectOfRow(row);
    if (!scrollView || rect.height() <= 0)
        return;
    const Rect visible = scrollView->documentVisibleRect();
    if (rect.minY() < visible.minY())
        scrollView->scrollTo({visible.x(), rect.minY()});
    else if (rect.maxY() > visible.maxY())
        scrollView->scrollTo({visible.x(), rect.maxY() - visible.height()});
}

// ---- events ---------------------------------------------------------------------------------

void TableView::superviewChanged()
{
}

void TableView::watchClipView()
{
    ClipView* clip = enclosingClipView();
    if (clip == watchedClip_)
        return;
    for (QMetaObject::Connection& connection : clipConnections_)
        disconnect(connection);
    clipConnections_.clear();
    watchedClip_ = clip;
    if (clip) {
        clipConnections_.push_back(connect(clip, &ClipView::boundsDidChange, this, &TableView::tile));
        clipConnections_.push_back(connect(clip, &ClipView::frameDidChange, this, &TableView::tile));
    }
}

bool TableView::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::ParentChange) {
        watchClipView();
        superviewChanged();
    }
    return handled;
}

void TableView::paintEvent(QPaintEvent* event)
{
    if (!backgroundColor_ || backgroundColor_->alpha() == 0)
        return;
    QPainter painter(this);
    painter.fillRect(event->rect(), *backgroundColor_);
}

void TableView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const int clicked = row(event->position());
    if (clicked < 0) {
        if (allowsEmptySelection_)
            deselectAll();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & Qt::ShiftModifier) && allowsMultipleSelection_ && anchor_ >= 0) {
        IndexSet rows = selected_;
        for (int r = std::min(anchor_, clicked); r <= std::max(anchor_, clicked); ++r)
            rows.insert(r);
        lead_ = clicked;
        setSelection(std::move(rows));
        emit action();
        return;
    }
    if ((modifiers & Qt::ControlModifier) && allowsMultipleSelection_) {
        IndexSet rows = selected_;
        if (rows.contains(clicked)) {
            if (rows.size() > 1 || allowsEmptySelection_)
                rows.erase(clicked);
        } else {
            rows.insert(clicked);
        }
        anchor_ = lead_ = clicked;
        setSelection(std::move(rows));
        emit action();
        return;
    }
    anchor_ = lead_ = clicked;
    setSelection({clicked});
    emit action();
}

void TableView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
        return;
    }
    const bool extending = event->modifiers() & Qt::ShiftModifier;
    const int page = std::max(1, int(visibleRect().height() / rowHeight_) - 1);
    const int from = lead_ >= 0 ? lead_ : selectedRow();
    switch (event->key()) {
    case Qt::Key_Down:
        moveSelection(from < 0 ? 0 : from + 1, extending);
        return;
    case Qt::Key_Up:
        moveSelection(from < 0 ? numberOfRows_ - 1 : from - 1, extending);
        return;
    case Qt::Key_Home:
        moveSelection(0, extending);
        return;
    case Qt::Key_End:
        moveSelection(numberOfRows_ - 1, extending);
        return;
    case Qt::Key_PageDown:
        moveSelection(std::max(from, 0) + page, extending);
        return;
    case Qt::Key_PageUp:
        moveSelection(std::max(from, 0) - page, extending);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace tarnkit
