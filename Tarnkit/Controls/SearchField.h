#pragma once

#include "Tarnkit/Controls/SearchFieldCell.h"
#include "Tarnkit/Fields/TextField.h"

namespace tarnkit {

/// A text field for a search: its SearchFieldCell shows a search button before the text and a
/// cancel button after it while there is text. Pressing the cancel button (released over it)
/// empties the field and sends the action; pressing the search button starts editing. The
/// action is also sent on Return, as in any text field. Main thread only.
class SearchField : public TextField {
    Q_OBJECT
public:
    explicit SearchField(QWidget* parent = nullptr);

    SearchFieldCell& searchCell() const { return static_cast<SearchFieldCell&>(cell()); }
    /// Only a SearchFieldCell will do; anything else stops the program.
    void setCell(std::unique_ptr<Cell> cell) override;

protected:
    SearchField(std::unique_ptr<SearchFieldCell> cell, QWidget* parent);

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool inCancelButton(const QPointF& point) const;

    bool trackingCancel_ = false;
};

} // namespace tarnkit
