#pragma once

#include "Tarnkit/Controls/Cell.h"
#include "Tarnkit/Controls/FocusRing.h"
#include "Tarnkit/Foundation/FirstResponder.h"

#include <QWidget>

#include <memory>

namespace tarnkit {

/// The base of the styled controls: a widget that owns one cell and draws through it. The
/// control's class makes the cell (a subclass hands its own cell class to the protected
/// constructor); the control keeps the cell's enabled flag in step with its own, redraws when
/// its focus or its window's activation changes, and never draws the system focus frame.
///
/// Geometry is y-up (Cell.h). The intrinsic content size is the size of the alignment rect;
/// sizeHint() is the frame's size: the intrinsic size grown by the alignment-rect insets,
/// rounded up (a dimension without an intrinsic metric stays undetermined).
///
/// Main thread only.
class Control : public QWidget, public FieldEditorHost {
    Q_OBJECT
public:
    /// An intrinsic dimension the control does not determine.
    static constexpr double noIntrinsicMetric = -1;

    ~Control() override;

    Cell& cell() const { return *cell_; }
    /// The cell as a C, or null when it is not one.
    template <class C>
    C* cellAs() const
    {
        return dynamic_cast<C*>(cell_.get());
    }
    /// Replaces the cell (never null); the new one takes the control's enabled flag.
    virtual void setCell(std::unique_ptr<Cell> cell);

    /// (0, 0, width, height), y-up.
    Rect bounds() const { return tarnkit::bounds(*this); }

    /// The size of the alignment rect the control needs: its cell's cellSize() here.
    virtual Size intrinsicContentSize() const;
    /// Asks the layout for a new size (the intrinsic size changed).
    void invalidateIntrinsicContentSize() { updateGeometry(); }
    /// How far the drawing reaches beyond the alignment rect (shadows, focus-ring room): zero
    /// here.
    virtual EdgeInsets alignmentRectInsets() const;
    QSize sizeHint() const override;

    /// No field editor here; editing controls return theirs while they edit.
    QWidget* currentEditor() const override { return nullptr; }
    /// Whether the control or its field editor is its window's first responder.
    bool isFirstResponder() const;

    /// The bounds of the focus ring the control draws: the bounds.
    virtual Rect focusRingMaskBounds() const;
    /// The system focus ring's shape: nothing, so it never shows.
    virtual void drawFocusRingMask(QPainter& painter);

signals:
    /// The control's action: sent when the user acts on it (ControlAction.h connects to it).
    void action();

protected:
    Control(std::unique_ptr<Cell> cell, QWidget* parent);

    /// Draws the control; dirtyRect is y-up. Here: the cell in the bounds. A subclass calls
    /// this first and draws its focus ring after.
    virtual void drawRect(QPainter& painter, const Rect& dirtyRect);

    static void requireMainThread(const char* source, int line);

    // What the styled controls do with a cell of their own class C (a Selectable StyledView
    // whose style has focus-ring colours); a cell of another class is left alone.

    /// The C cell's selection; false for another cell.
    template <class C>
    bool cellIsSelected() const
    {
        const C* styled = cellAs<C>();
        return styled && styled->isSelected();
    }
    /// Sets the C cell's selection, then redraws (whatever the cell).
    template <class C>
    void setCellSelected(bool selected)
    {
        if (C* styled = cellAs<C>())
            styled->setSelected(selected);
        update();
    }
    /// The focus ring on focusRingMaskBounds(), in the C cell's style's focus-ring colour for
    /// its state, while focusRing::isShown.
    template <class C>
    void drawCellFocusRing(QPainter& painter, double inset = focusRing::defaultInset)
    {
        const C* styled = cellAs<C>();
        if (styled && focusRing::isShown(*this))
            focusRing::draw(painter, *this, focusRingMaskBounds(), styled->style().focusRingColor(styled->controlState()),
                            inset);
    }

    void paintEvent(QPaintEvent* event) final;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::unique_ptr<Cell> cell_;
};

} // namespace tarnkit
