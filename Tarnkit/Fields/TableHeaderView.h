#pragma once

#include "Tarnkit/Foundation/Geometry.h"

#include <QPointer>
#include <QWidget>

namespace tarnkit {

class TableView;

/// The header of a view-based table: as wide as its table, it draws each visible column's
/// header cell over that column. A scroll view shows it above the table in a clip view of its
/// own that follows the table sideways.
///
/// needsLayout stands for a layout still to come: setting it true asks for layout() on the next
/// turn of the event loop (once, however often it is set), setting it false before then calls
/// that off. A resize sets it. Main thread only.
class TableHeaderView : public QWidget {
    Q_OBJECT
public:
    static constexpr double defaultHeight = 24;

    explicit TableHeaderView(QWidget* parent = nullptr);

    TableView* tableView() const;
    virtual void setTableView(TableView* table);

    double headerHeight() const { return headerHeight_; }
    void setHeaderHeight(double height);

    /// The header of the column at index (y-up in this view); empty for a hidden or missing one.
    Rect headerRect(int column) const;

    bool needsLayout() const { return needsLayout_; }
    void setNeedsLayout(bool needsLayout);
    /// Runs a pending layout now.
    void layoutSubtreeIfNeeded();

    /// Positions the header's subviews: nothing here.
    virtual void layout();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<TableView> tableView_;
    double headerHeight_ = defaultHeight;
    bool needsLayout_ = false;
    bool layoutPosted_ = false;
};

} // namespace tarnkit
