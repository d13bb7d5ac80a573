#pragma once

#include "Tarnkit/Fields/TableHeaderView.h"
#include "Tarnkit/Foundation/TableViewStyle.h"

#include <memory>

namespace tarnkit {

/// A table header that carries the styled table's style for its class; it draws as any
/// header does (its styled cells draw the look). Main thread only.
class StyledTableHeaderView : public TableHeaderView {
    Q_OBJECT
public:
    explicit StyledTableHeaderView(QWidget* parent = nullptr);

    /// The class's style: a default TableViewStyle made on first use, until replaced.
    static TableViewStyle& style();
    static void setStyle(std::unique_ptr<TableViewStyle> style);
};

} // namespace tarnkit
