#pragma once

#include "Tarnkit/Fields/TableCellView.h"
#include "Tarnkit/Foundation/Selectable.h"
#include "Tarnkit/Foundation/StyledControl.h"
#include "Tarnkit/Foundation/StyledView.h"
#include "Tarnkit/Foundation/TableViewStyle.h"

class QAbstractButton;

namespace tarnkit {

class Button;

/// The styled table's cell view: it knows whether its row is selected, recolours its text
/// field by that (the style's text colour for the state) and passes it on to its Selectable
/// subviews, two levels down. A new object value empties the text field (the owner fills it)
/// and asks for a new intrinsic size. Main thread only.
class StyledTableCellView : public TableCellView, public Selectable, public StyledView, public StyledControl {
    Q_OBJECT
public:
    /// The tag (the "tag" property) of the row's action button.
    static constexpr int actionButtonTag = 1000;

    explicit StyledTableCellView(QWidget* parent = nullptr, bool withTextField = true);

    /// The style every styled cell view shares, made on first use.
    static TableViewStyle& classStyle();
    TableViewStyle& style() const override;
    /// default|selected (5) while selected, else default (1).
    StyledControlState controlState() const override;

    bool isSelected() const override { return selected_; }
    void setSelected(bool selected) override;

    /// The first button among the row view's subviews tagged actionButtonTag; null without a
    /// row view or such a button.
    Button* actionButton() const;

    void setObjectValue(const QVariant& value) override;
    /// Empties the text field and gives it the text colour for the state.
    void prepareForReuse() override;
    /// With a text field: its leading offset plus its intrinsic width, less the horizontal
    /// alignment-rect insets, and no intrinsic height; without one, the base's.
    Size intrinsicContentSize() const override;

private:
    void recolourTextField();

    bool selected_ = false;
};

} // namespace tarnkit
