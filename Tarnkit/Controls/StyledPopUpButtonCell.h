#pragma once

#include "Tarnkit/Controls/ButtonCell.h"
#include "Tarnkit/Foundation/PopUpButtonCellStyle.h"
#include "Tarnkit/Foundation/StyledView.h"

#include <optional>

namespace tarnkit {

/// The library's pop-up cell: a bezel image by state from its class's PopUpButtonCellStyle
/// ("tkui-popup", pressed "tkui-popup-down"; the image carries the arrows), and the title,
/// optionally after a label, as one line of two runs: the label in regular 10 pt in the
/// secondary label colour, then one space and the title in medium 10 pt in the state's text
/// colour. No highlighting of its own (highlightsBy 0); its state is ButtonCell's (on and
/// mixed only while showsStateBy is not 0; never selected, focused or invalid).
///
/// - titleRect: the zero rect for an image-only cell or an empty title; else x 10, 14 high on
///   the bounds' middle (rounded), 24 narrower than the bounds (never below 0), integral;
/// - cellSize: what that rect needs: the two-run title's width plus 24, and 14 high;
/// - drawBezel: the image for the state into the frame, at half opacity while disabled;
///   drawTitle: the two-run title at the top of the title rect (nothing when empty).
///
/// Main thread only.
class StyledPopUpButtonCell : public ButtonCell, public StyledView {
public:
    explicit StyledPopUpButtonCell(QString title = {});

    /// The style every StyledPopUpButtonCell shares: a PopUpButtonCellStyle made on first use
    /// and kept for the whole run.
    static PopUpButtonCellStyle& classStyle();
    PopUpButtonCellStyle& style() const override;

    const std::optional<QString>& label() const { return label_; }
    void setLabel(std::optional<QString> label) { label_ = std::move(label); }

    /// The line drawn for title: label (in labelColor) and title when both label and label
    /// colour are given, else the title alone; textColor null means the style's text colour.
    AttributedString attributedTitle(const QString& title, const ColorRef& textColor,
                                     const std::optional<QString>& label, const ColorRef& labelColor) const;

    BackgroundStyle interiorBackgroundStyle() const override;
    Rect titleRect(const Rect& bounds) const override;
    Size cellSize() const override;

    void drawBezel(QPainter& painter, const Rect& frame, QWidget& view) override;
    Rect drawTitle(QPainter& painter, const AttributedString& title, const Rect& frame, QWidget& view) override;

private:
    std::optional<QString> label_;
};

} // namespace tarnkit
