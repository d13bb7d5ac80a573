#include "Tarnkit/Fields/TextFieldCell.h"

#include "Tarnkit/Controls/Control.h"
#include "Tarnkit/Foundation/FirstResponder.h"
#include "Tarnkit/Foundation/Styles.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tarnkit {

namespace {

// QLineEdit keeps its text this far from its sides and its top and bottom; the editor is moved
// out by as much so that its text lands where the cell draws the same text.
constexpr double editorHorizontalMargin = 2;
constexpr double editorVerticalMargin = 1;

bool isEmpty(const Rect& rect)
{
    return !(rect.width() > 0 && rect.height() > 0);
}

} // namespace

TextFieldCell::TextFieldCell(QString string) : Cell(std::move(string)), textColor_(controlTextColor())
{
}

AttributedString TextFieldCell::attributedTitle() const
{
    QColor color = textColor_ ? *textColor_ : *controlTextColor();
    if (!isEnabled())
        color.setAlphaF(color.alphaF() * 0.5f);
    return AttributedString(stringValue(), *font(), color, paragraphStyle());
}

Size TextFieldCell::cellSize() const
{
    const Size text = attributedStringValue().size();
    Size needed{editable_ ? 0 : text.width, text.height};
    if (isBordered() || isBezeled())
        needed += size(bezelInsets());
    if (editable_)
        needed.width = Control::noIntrinsicMetric;
    return needed;
}

void TextFieldCell::draw(QPainter& painter, const Rect& frame, QWidget& view)
{
    requireMainThread("Tarnkit/TextFieldCell", __LINE__);
    if (drawsBackground_ && backgroundColor_)
        painter.fillRect(viewFlip(view).map(frame), *backgroundColor_);
    drawInterior(painter, frame, view);
}

void TextFieldCell::drawInterior(QPainter& painter, const Rect& frame, QWidget& view)
{
    if (!isEditingInControlView())
        drawText(painter, titleRect(frame), view);
}

std::optional<AttributedString> TextFieldCell::placeholderText() const
{
    if (placeholderAttributed_)
        return placeholderAttributed_;
    if (placeholderString_)
        return AttributedString(*placeholderString_, *font(), *Styles::Control::placeholderTextColor(), paragraphStyle());
    return std::nullopt;
}

void TextFieldCell::drawText(QPainter& painter, const Rect& rect, const QWidget& view) const
{
    if (isEmpty(rect))
        return;
    if (!stringValue().isEmpty()) {
        drawTextAtTop(painter, attributedStringValue(), rect, view);
        return;
    }
    const std::optional<AttributedString> placeholder = placeholderText();
    if (!placeholder || placeholder->isEmpty())
        return;
    if (const ColorRef background = placeholderBackgroundColor())
        painter.fillRect(viewFlip(view).map(rect), *background);
    drawTextAtTop(painter, *placeholder, rect, view);
}

Rect TextFieldCell::fieldEditorRect(const Rect& frame) const
{
    return titleRect(frame);
}

void TextFieldCell::startEditing(const Rect& frame, QWidget& view, QLineEdit& editor)
{
    setUpFieldEditorAttributes(editor);
    editor.setText(stringValue());
    placeFieldEditor(editor, frame, view);
    editor.show();
    editor.raise();
}

void TextFieldCell::editWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, const QMouseEvent* event)
{
    startEditing(frame, view, editor);
    if (event)
        editor.setCursorPosition(editor.cursorPositionAt(editor.mapFrom(&view, event->position().toPoint())));
    else
        editor.end(false);
}

void TextFieldCell::selectWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, int start, int length)
{
    startEditing(frame, view, editor);
    editor.setSelection(start, length);
}

void TextFieldCell::endEditing(QLineEdit&)
{
}

QLineEdit& TextFieldCell::setUpFieldEditorAttributes(QLineEdit& editor) const
{
    styleFieldEditor(editor, *font(), textColor_, {}, {});
    editor.setAlignment(nsTextAlignment(paragraphStyle().alignment) | Qt::AlignVCenter);
    // The placeholder stays while the editor is empty, as the cell showed it.
    const std::optional<AttributedString> placeholder = placeholderText();
    editor.setPlaceholderText(placeholder ? placeholder->string() : QString());
    if (placeholder && !placeholder->runs().empty()) {
        QPalette palette = editor.palette();
        palette.setColor(QPalette::PlaceholderText, placeholder->runs().front().color);
        editor.setPalette(palette);
    }
    return editor;
}

void TextFieldCell::placeFieldEditor(QLineEdit& editor, const Rect& frame, const QWidget& view) const
{
    const QRectF rect = viewFlip(view).map(fieldEditorRect(frame));
    const double line = QFontMetricsF(editor.font()).height() + 2 * editorVerticalMargin;
    const double height = std::max(rect.height(), std::ceil(line));
    const QRectF placed(rect.left() - editorHorizontalMargin, rect.center().y() - height / 2,
                        std::max(0.0, rect.width() + 2 * editorHorizontalMargin), height);
    editor.setGeometry(placed.toAlignedRect());
}

bool TextFieldCell::isEditingInControlView() const
{
    return controlView() && currentEditor(controlView()) != nullptr;
}

void styleFieldEditor(QLineEdit& editor, const QFont& font, const ColorRef& textColor,
                      const ColorRef& selectedTextColor, const ColorRef& selectedBackgroundColor)
{
    editor.setFont(font);
    QPalette palette = editor.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, Qt::transparent);
        palette.setColor(group, QPalette::Window, Qt::transparent);
        if (textColor)
            palette.setColor(group, QPalette::Text, *textColor);
        if (selectedTextColor)
            palette.setColor(group, QPalette::HighlightedText, *selectedTextColor);
        if (selectedBackgroundColor)
            palette.setColor(group, QPalette::Highlight, *selectedBackgroundColor);
    }
    editor.setPalette(palette);
}

} // namespace tarnkit
