#include "Tarnkit/Fields/TextField.h"

#include "platform/foundation/FatalError.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace tarnkit {

namespace {

constexpr const char* source = "Tarnkit/TextField";

} // namespace

TextField::TextField(QWidget* parent) : TextField(std::make_unique<TextFieldCell>(), parent)
{
}

TextField::TextField(std::unique_ptr<TextFieldCell> cell, QWidget* parent)
    : Control(std::move(cell), parent), editor_(new QLineEdit(this))
{
    TextFieldCell& field = textCell();
    field.setEditable(true);
    field.setBezeled(true);
    field.setDrawsBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    editor_->setFrame(false);
    editor_->setAttribute(Qt::WA_MacShowFocusRect, false);
    editor_->setAutoFillBackground(false);
    editor_->setTextMargins(0, 0, 0, 0);
    editor_->setContentsMargins(0, 0, 0, 0);
    editor_->hide();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!editing_)
            return;
        textCell().setStringValue(text);
        textCell().placeFieldEditor(*editor_, bounds(), *this); // a cell may make room for its buttons
        update();
    });
    connect(editor_, &QLineEdit::returnPressed, this, [this] {
        emit action();
        editor_->selectAll();
    });
}

TextField::~TextField() = default;

void TextField::setCell(std::unique_ptr<Cell> cell)
{
    if (!dynamic_cast<TextFieldCell*>(cell.get()))
        foundation::fatalError("a text field's cell must be a TextFieldCell", source, __LINE__);
    endEditing();
    Control::setCell(std::move(cell));
}

void TextField::contentChanged()
{
    invalidateIntrinsicContentSize();
    update();
}

void TextField::setStringValue(const QString& string)
{
    requireMainThread(source, __LINE__);
    textCell().setStringValue(string);
    if (editing_ && editor_->text() != string)
        editor_->setText(string);
    contentChanged();
}

void TextField::setPlaceholderString(std::optional<QString> placeholder)
{
    textCell().setPlaceholderString(std::move(placeholder));
    contentChanged();
}

void TextField::setEditable(bool editable)
{
    textCell().setEditable(editable);
    if (!canEdit())
        endEditing();
    contentChanged();
}

void TextField::setSelectable(bool selectable)
{
    textCell().setSelectable(selectable);
    if (!canEdit())
        endEditing();
    update();
}

void TextField::setBezeled(bool bezeled)
{
    cell().setBezeled(bezeled);
    contentChanged();
}

void TextField::setBordered(bool bordered)
{
    cell().setBordered(bordered);
    contentChanged();
}

void TextField::setDrawsBackground(bool draws)
{
    textCell().setDrawsBackground(draws);
    update();
}

QWidget* TextField::currentEditor() const
{
    return editing_ ? editor_ : nullptr;
}

bool TextField::canEdit() const
{
    return isEnabled() && textCell().isSelectable();
}

void TextField::selectText()
{
    requireMainThread(source, __LINE__);
    beginEditing(nullptr);
    if (editing_)
        editor_->selectAll();
}

void TextField::beginEditing(const QMouseEvent* event)
{
    if (editing_ || !canEdit())
        return;
    editing_ = true;
    valueBeforeEditing_ = stringValue();
    editor_->setReadOnly(!textCell().isEditable());
    if (event)
        textCell().editWithFrame(bounds(), *this, *editor_, event);
    else
        textCell().selectWithFrame(bounds(), *this, *editor_, 0, int(stringValue().size()));
    // The editor takes the field's place in the tab order, so that Shift+Tab out of it leaves
    // the field instead of coming back to it.
    setFocusPolicy(Qt::NoFocus);
    editor_->setFocus(event ? Qt::MouseFocusReason : Qt::OtherFocusReason);
    update();
}

void TextField::endEditing()
{
    if (!editing_)
        return;
    editing_ = false;
    textCell().setStringValue(editor_->text());
    textCell().endEditing(*editor_);
    editor_->hide();
    setFocusPolicy(Qt::StrongFocus);
    update();
}

void TextField::focusInEvent(QFocusEvent* event)
{
    Control::focusInEvent(event);
    // A click starts editing where it was, in mousePressEvent.
    if (event->reason() != Qt::MouseFocusReason)
        beginEditing(nullptr);
}

void TextField::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !canEdit()) {
        Control::mousePressEvent(event);
        return;
    }
    if (!editing_) {
        beginEditing(event);
    } else {
        editor_->setCursorPosition(editor_->cursorPositionAt(editor_->mapFrom(this, event->position().toPoint())));
        editor_->setFocus(Qt::MouseFocusReason);
    }
    event->accept();
}

void TextField::resizeEvent(QResizeEvent* event)
{
    Control::resizeEvent(event);
    if (editing_)
        textCell().placeFieldEditor(*editor_, bounds(), *this);
}

void TextField::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        endEditing();
    Control::changeEvent(event);
}

bool TextField::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != editor_)
        return Control::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        update(); // the ring follows the editor's focus
        break;
    case QEvent::FocusOut: {
        update();
        // A window that stops being key keeps its field editor; a move within the window ends
        // the editing.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            endEditing();
        break;
    }
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && editing_) {
            editor_->setText(valueBeforeEditing_);
            editor_->selectAll();
            return true;
        }
        break;
    default:
        break;
    }
    return Control::eventFilter(watched, event);
}

} // namespace tarnkit
