#pragma once

#include "Tarnkit/Fields/TableReusableView.h"
#include "Tarnkit/Foundation/Geometry.h"

#include <QLabel>
#include <QPointer>
#include <QVariant>

namespace tarnkit {

/// The view of one cell of a view-based table: it holds the cell's object value and, unless
/// told otherwise, a text field (a label) laid along its leading edge, 10 points in, across its
/// width less 4 points at the end, and centred vertically. Main thread only.
class TableCellView : public TableReusableView {
    Q_OBJECT
public:
    /// Without a text field, pass withTextField false.
    explicit TableCellView(QWidget* parent = nullptr, bool withTextField = true);

    virtual QVariant objectValue() const { return objectValue_; }
    virtual void setObjectValue(const QVariant& value) { objectValue_ = value; }

    QLabel* textField() const { return textField_.data(); }
    /// Replaces the text field (a child of this view, or null for none).
    void setTextField(QLabel* field);

    /// The size the content needs; no intrinsic metric (−1) in either dimension here.
    virtual Size intrinsicContentSize() const;
    void invalidateIntrinsicContentSize() { updateGeometry(); }
    /// How far the drawing reaches beyond the alignment rect: zero here.
    virtual EdgeInsets alignmentRectInsets() const { return {}; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeTextField();

    QVariant objectValue_;
    QPointer<QLabel> textField_;
};

} // namespace tarnkit
