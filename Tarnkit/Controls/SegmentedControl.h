#pragma once

#include "Tarnkit/Controls/Control.h"
#include "Tarnkit/Controls/SegmentedCell.h"

namespace tarnkit {

/// A row of segments of which the user selects one, drawn by a SegmentedCell. A press
/// highlights the segment under the pointer (the pressed segment) while the pointer stays on
/// it; releasing there selects it, makes it the key segment and sends the action. From the
/// keyboard (Tab gives it the focus), Left and Right move the key segment and Space selects it
/// and sends the action. Main thread only.
class SegmentedControl : public Control {
    Q_OBJECT
public:
    explicit SegmentedControl(QWidget* parent = nullptr);

    SegmentedCell& segmentedCell() const { return static_cast<SegmentedCell&>(cell()); }
    /// Only a SegmentedCell will do; anything else stops the program.
    void setCell(std::unique_ptr<Cell> cell) override;

    int segmentCount() const { return segmentedCell().segmentCount(); }
    void setSegmentCount(int count);
    QString label(int segment) const { return segmentedCell().label(segment); }
    void setLabel(const QString& label, int segment);
    double width(int segment) const { return segmentedCell().width(segment); }
    /// What the cell makes of width (the styled cell sizes segments by their labels).
    void setWidth(double width, int segment);
    int selectedSegment() const { return segmentedCell().selectedSegment(); }
    void setSelectedSegment(int segment);
    int keySegment() const { return segmentedCell().keySegment(); }

protected:
    SegmentedControl(std::unique_ptr<SegmentedCell> cell, QWidget* parent);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int segmentAt(const QPointF& point) const;
    void choose(int segment);
    void contentChanged();

    int tracked_ = -1;
};

} // namespace tarnkit
