#include "Tarnkit/Controls/StyledSearchFieldCell.h"

#include "Tarnkit/Foundation/FirstResponder.h"
#include "Tarnkit/Foundation/Image.h"
#include "Tarnkit/Foundation/Styles.h"

#include <algorithm>

namespace tarnkit {

namespace {

// What the cell draws with while it hides its search icon: a plain field's bezels.
const TextFieldCellStyle& plainFieldStyle()
{
    static const TextFieldCellStyle* const style = new TextFieldCellStyle();
    return *style;
}

} // namespace

StyledSearchFieldCell::StyledSearchFieldCell(QString string) : SearchFieldCell(std::move(string))
{
    setFont(style().font());
    setBackgroundStyle(style().backgroundStyle());
}

SearchFieldCellStyle& StyledSearchFieldCell::classStyle()
{
    static SearchFieldCellStyle* const style = new SearchFieldCellStyle();
    return *style;
}

SearchFieldCellStyle& StyledSearchFieldCell::style() const
{
    return classStyle();
}

ImageRef StyledSearchFieldCell::currentBezelImage() const
{
    const StyledControlState state = controlState();
    return showsSearchIcon_ ? style().bezelImage(state) : plainFieldStyle().bezelImage(state);
}

StyledControlState StyledSearchFieldCell::controlState() const
{
    StyledControlState state = SearchFieldCell::controlState();
    if (controlView() && isFirstResponderInKeyWindow(controlView()))
        state.formUnion(StyledControlState::focused);
    return state;
}

void StyledSearchFieldCell::setPlaceholderString(std::optional<QString> placeholder)
{
    internalPlaceholderString_ = std::move(placeholder);
    // No placeholder leaves no attributed one behind either.
    setPlaceholderAttributedString(placeholderText());
}

std::optional<AttributedString> StyledSearchFieldCell::placeholderText() const
{
    if (!internalPlaceholderString_)
        return std::nullopt;
    return AttributedString(*internalPlaceholderString_, *Styles::TextInput::font(), *style().placeholderTextColor(),
                            paragraphStyle());
}

AttributedString StyledSearchFieldCell::attributedText(const QString& string, const FontRef& font) const
{
    const FontRef& drawn = font ? font : style().font();
    return AttributedString(string, *drawn, *style().textColor(controlState()), paragraphStyle());
}

AttributedString StyledSearchFieldCell::attributedTitle() const
{
    return attributedText(stringValue());
}

BackgroundStyle StyledSearchFieldCell::interiorBackgroundStyle() const
{
    return style().interiorBackgroundStyle();
}

Rect StyledSearchFieldCell::drawingRect(const Rect& b) const
{
    if (beingEdited_ || beingSelected_ || (!isBezeled() && !isBordered()))
        return b;
    return b.inset(style().padding(), false);
}

Rect StyledSearchFieldCell::searchButtonRect(const Rect& b) const
{
    return showsSearchIcon_ ? SearchFieldCell::searchButtonRect(b) : Rect();
}

Rect StyledSearchFieldCell::searchTextRect(const Rect& b) const
{
    const Rect s = SearchFieldCell::searchTextRect(b);
    const Rect cancel = cancelButtonRect(b);
    const double x = showsSearchIcon_ ? searchButtonRect(b).maxX() - 10.0 : 4.0;
    // A narrow field leaves no room for text rather than a rect reaching backwards.
    const double width = cancel == Rect() ? s.width() : std::max(0.0, (cancel.minX() + 2.0) - x);
    Rect rect(x, s.y(), width, s.height());
    if (verticallyCenter_) {
        const double line = attributedStringValue().size().height;
        rect = Rect(x, rect.midY() - 0.5 * line, width, line);
    }
    return rect.integral();
}

Rect StyledSearchFieldCell::fieldEditorRect(const Rect& frame) const
{
    const bool wasEdited = std::exchange(beingEdited_, true);
    const Rect rect = searchTextRect(frame);
    beingEdited_ = wasEdited;
    return rect;
}

void StyledSearchFieldCell::draw(QPainter& painter, const Rect& frame, QWidget& view)
{
    requireMainThread("Tarnkit/StyledSearchFieldCell", __LINE__);
    if (isBezeled() || isBordered())
        drawStyledImage(painter, currentBezelImage(), frame, view, 1.0);
    drawInterior(painter, frame, view);
}

void StyledSearchFieldCell::drawInterior(QPainter& painter, const Rect& frame, QWidget& view)
{
    if (beingEdited_ || beingSelected_)
        return;
    SearchFieldCell::drawInterior(painter, frame, view);
}

Rect StyledSearchFieldCell::textDrawingRect(const Rect& frame) const
{
    // A border takes 2 points at the side and 1 at the top (y-up: 1 down).
    const Rect rect = titleRect(frame);
    if (!isBordered())
        return rect;
    return Rect(rect.x() + 2.0, rect.y() - 1.0, rect.width(), rect.height());
}

void StyledSearchFieldCell::editWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, const QMouseEvent* event)
{
    beingEdited_ = true;
    SearchFieldCell::editWithFrame(frame, view, editor, event);
    beingEdited_ = false;
}

void StyledSearchFieldCell::selectWithFrame(const Rect& frame, QWidget& view, QLineEdit& editor, int start, int length)
{
    beingSelected_ = true;
    SearchFieldCell::selectWithFrame(frame, view, editor, start, length);
    beingSelected_ = false;
}

QLineEdit& StyledSearchFieldCell::setUpFieldEditorAttributes(QLineEdit& editor) const
{
    SearchFieldCell::setUpFieldEditorAttributes(editor);
    const SearchFieldCellStyle& s = style();
    styleFieldEditor(editor, *s.font(), s.textColor(), s.selectedTextColor(), s.selectedBackgroundColor());
    return editor;
}

} // namespace tarnkit
