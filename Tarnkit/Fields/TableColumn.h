#pragma once

#include "Tarnkit/Fields/TableHeaderCell.h"

#include <QString>

#include <memory>

namespace tarnkit {

class TableView;

/// A column of a view-based table: its identifier (which cell views the table's delegate makes
/// for it), its width and whether it is hidden, and the cell that draws its header. Owned by
/// its table. Main thread only.
class TableColumn {
public:
    explicit TableColumn(QString identifier);
    virtual ~TableColumn();

    TableColumn(const TableColumn&) = delete;
    TableColumn& operator=(const TableColumn&) = delete;

    const QString& identifier() const { return identifier_; }
    double width() const { return width_; }
    void setWidth(double width);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden);

    /// The header cell (a plain TableHeaderCell until another is set).
    virtual TableHeaderCell& headerCell();
    /// Replaces the header cell (never null).
    virtual void setHeaderCell(std::unique_ptr<TableHeaderCell> cell);
    QString title() const { return headerCell_->stringValue(); }
    void setTitle(const QString& title);

    TableView* tableView() const { return tableView_; }

private:
    friend class TableView;
    void changed();

    QString identifier_;
    double width_ = 100;
    bool hidden_ = false;
    std::unique_ptr<TableHeaderCell> headerCell_;
    TableView* tableView_ = nullptr;
};

} // namespace tarnkit
