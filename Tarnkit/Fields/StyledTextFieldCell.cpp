#include "Tarnkit/Fields/StyledTextFieldCell.h"

#include "Tarnkit/Controls/FocusRing.h"
#include "Tarnkit/Foundation/Image.h"

#include <QPainter>

namespace tarnkit {

namespace {

// The fields and segments keep their ring 2 points inside the mask bounds.
constexpr double fieldRingInset = 2;

} // namespace

StyledTextFieldCell::StyledTextFieldCell(QString string) : TextFieldCell(std::move(string))
{
    applyStyle();
}

TextFieldCellStyle& StyledTextFieldCell::classStyle()
{
    static TextFieldCellStyle* const style = new TextFieldCellStyle();
    return *style;
}

TextFieldCellStyle& StyledTextFieldCell::style() const
{
    return classStyle();
}

void StyledTextFieldCell::applyStyle()
{
    const TextFieldCellStyle& s = style();
    const StyledControlState state = controlState();
    setFont(s.font());
    setTextColor(s.textColor(state));
    setBackgroundColor(s.textBackgroundColor(state));
    setBackgroundStyle(s.backgroundStyle());
}

AttributedString StyledTextFieldCell::attributedString(const QString& string, const ColorRef& color) const
{
    const FontRef& own = font() ? font() : style().font();
    const ColorRef drawn = color ? color : style().textColor(controlState());
    return AttributedString(string, *own, *drawn, paragraphStyle());
}

AttributedString StyledTextFieldCell::attributedTitle() const
{
    return attributedString(stringValue());
}

std::optional<AttributedString> StyledTextFieldCell::placeholderText() const
{
    if (placeholderAttributedString())
        return placeholderAttributedString();
    const auto placeholder = placeholderString();
    if (!placeholder)
        return std::nullopt;
    // A disabled field dims its placeholder as it dims its text.
    QColor color = *style().placeholderTextColor();
    if (!isEnabled())
        color.setAlphaF(color.alphaF() * 0.5f);
    return attributedString(*placeholder, std::make_shared<const QColor>(color));
}

ColorRef StyledTextFieldCell::placeholderBackgroundColor() const
{
    return style().placeholderBackground();
}

BackgroundStyle StyledTextFieldCell::interiorBackgroundStyle() const
{
    return style().interiorBackgroundStyle();
}

EdgeInsets StyledTextFieldCell::bezelInsets() const
{
    const EdgeInsets edge = style().edgeInsets();
    const EdgeInsets padding = style().padding();
    return {edge.top + padding.top, edge.left + padding.left, edge.bottom + padding.bottom, edge.right + padding.right};
}

Rect StyledTextFieldCell::centredOnLine(const Rect& rect) const
{
    if (!verticallyCenter_)
        return rect;
    const double h = attributedStringValue().size().height;
    return Rect(rect.x(), rect.y() + (rect.height() - h) * 0.5, rect.width(), h);
}

Rect StyledTextFieldCell::drawingRect(const Rect& bounds) const
{
    return centredOnLine(TextFieldCell::drawingRect(bounds));
}

Rect StyledTextFieldCell::titleRect(const Rect& bounds) const
{
    return centredOnLine(TextFieldCell::titleRect(bounds));
}

void StyledTextFieldCell::draw(QPainter& painter, const Rect& frame, QWidget& view)
{
    requireMainThread("Tarnkit/StyledTextFieldCell", __LINE__);
    const StyledControlState state = controlState();
    if (drawsBackground()) {
        const ImageRef bezel = (isBordered() || isBezeled()) ? style().bezelImage(state) : nullptr;
        if (bezel) {
            // The clear fill 2 points beyond the sides goes in the painter's own mode, as the
            // system's field does: over a window (source-over) it leaves what is there.
            painter.fillRect(viewFlip(view).map(frame).adjusted(-2, 0, 2, 0), Qt::transparent);
            drawStyledImage(painter, bezel, frame, view, 1.0);
        } else if (backgroundColor()) {
            painter.fillRect(viewFlip(view).map(frame), *backgroundColor());
        }
    }
    if (focusRing::isShown(view))
        focusRing::draw(painter, view, focusRingMaskBounds(frame, view), style().focusRingColor(state), fieldRingInset);
    drawInterior(painter, frame, view);
}

void StyledTextFieldCell::editWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, const QMouseEvent* event)
{
    beingEdited_ = true;
    TextFieldCell::editWithFrame(frame, view, editor, event);
}

void StyledTextFieldCell::selectWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, int start, int length)
{
    beingSelected_ = true;
    TextFieldCell::selectWithFrame(frame, view, editor, start, length);
}

void StyledTextFieldCell::endEditing(QLineEdit& editor)
{
    beingEdited_ = false;
    beingSelected_ = false;
    TextFieldCell::endEditing(editor);
}

QLineEdit& StyledTextFieldCell::setUpFieldEditorAttributes(QLineEdit& editor) const
{
    TextFieldCell::setUpFieldEditorAttributes(editor);
    const TextFieldCellStyle& s = style();
    styleFieldEditor(editor, *s.font(), s.textColor(controlState()), s.selectedTextColor(), s.selectedBackgroundColor());
    return editor;
}

} // namespace tarnkit
