#include "Mossbell/DialLabel.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/DefaultLabelFormatter.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace mossbell {

namespace {

// The value line is this high whatever the font; the name line overlaps it from above.
constexpr qreal valueLineHeight = 40.0;
constexpr qreal lineSpacing = -10.0;
constexpr qreal suffixSpacing = 4.0;

// A rounded field that stays legible whatever the owner's value colour: light text gets a
// dark field and dark text a light one.
QString fieldStyleSheet(const QColor& textColor)
{
    const bool lightText = textColor.lightnessF() > 0.5;
    const QColor background = lightText ? QColor(0, 0, 0, 150) : QColor(255, 255, 255, 235);
    QColor border = textColor;
    border.setAlpha(120);
    const auto rgba = [](const QColor& c) {
        return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(c.alpha());
    };
    return QStringLiteral("QLineEdit { color: %1; background: %2; border: 1px solid %3; border-radius: 6px;"
                          " padding: 0px 4px; }")
        .arg(rgba(textColor), rgba(background), rgba(border));
}

// A value typed for a parameter in absolute cents is in hundreds, as it is shown; the range
// clamp sends NaN to the lower bound.
float enteredValue(const AudioParameter& param, float typed)
{
    const float scaled = param.units() == au::ParameterUnit::absoluteCents ? typed * 100.0f : typed;
    const auto& range = param.valueRange();
    const float atLeastLower = range.lower <= scaled ? scaled : range.lower;
    return atLeastLower <= range.upper ? atLeastLower : range.upper;
}

} // namespace

DialLabel::DialLabel(std::shared_ptr<AudioParameter> param, QColor color, LabelDisplayOptions displayOptions,
                     MossFont font, std::shared_ptr<const LabelFormatter> formatter,
                     std::function<void()> onEditingEnded, QWidget* parent)
    : QWidget(parent), param_(std::move(param)), color_(std::move(color)), displayOptions_(std::move(displayOptions)),
      font_(font), formatter_(formatter ? std::move(formatter) : std::make_shared<DefaultLabelFormatter>(*param_, 1)),
      onEditingEnded_(std::move(onEditingEnded)), field_(new QLineEdit(this))
{
    applyMossFont(*field_, font_, displayOptions_.editingFontSize);
    field_->setAlignment(Qt::AlignCenter);
    field_->setPlaceholderText(QString());
    field_->setStyleSheet(fieldStyleSheet(displayOptions_.valueColor));
    field_->hide();
    field_->installEventFilter(this);

    resetFieldText();
    valueObservation_ = param_->observeValue([this](float value) { field_->setText(formatter_->format(value)); });
}

DialLabel::~DialLabel() = default;

QString DialLabel::valueString() const { return field_->text(); }

DialLabel::Layout DialLabel::layout() const
{
    const LabelDisplayOptions& options = displayOptions_;
    Layout result;

    QSizeF nameSize;
    if (options.showName) {
        result.nameText = QString::fromStdString(param_->name()).toUpper();
        const QFontMetricsF metrics(mossFont(font_, options.labelFontSize));
        nameSize = QSizeF(metrics.horizontalAdvance(result.nameText), metrics.height());
    }

    qreal valueWidth = 0.0;
    qreal suffixWidth = 0.0;
    qreal textHeight = 0.0;
    qreal lineWidth = options.labelWidth;
    if (!isEditing_) {
        result.valueText = formatter_->format(param_->value());
        if (options.showSuffix)
            result.suffixText = QString::fromUtf8(param_->displayableSuffix());
        const QFontMetricsF metrics(mossFont(font_, options.valueFontSize));
        textHeight = metrics.height();
        valueWidth = metrics.horizontalAdvance(result.valueText);
        lineWidth = valueWidth;
        if (!result.suffixText.isEmpty()) {
            suffixWidth = metrics.horizontalAdvance(result.suffixText);
            lineWidth += suffixSpacing + suffixWidth;
        }
    }

    const qreal lineTop = options.showName ? nameSize.height() + lineSpacing : 0.0;
    result.stackSize = QSizeF(std::max(nameSize.width(), lineWidth), lineTop + valueLineHeight);

    // The stack sits in the middle of the label, each line centred in the stack.
    const QPointF origin((width() - result.stackSize.width()) / 2.0, (height() - result.stackSize.height()) / 2.0);
    const qreal centre = origin.x() + result.stackSize.width() / 2.0;
    if (options.showName)
        result.name = QRectF(centre - nameSize.width() / 2.0, origin.y(), nameSize.width(), nameSize.height());
    result.valueLine = QRectF(centre - lineWidth / 2.0, origin.y() + lineTop, lineWidth, valueLineHeight);
    if (isEditing_) {
        result.field = result.valueLine;
    } else {
        const qreal textTop = result.valueLine.top() + (valueLineHeight - textHeight) / 2.0;
        result.value = QRectF(result.valueLine.left(), textTop, valueWidth, textHeight);
        if (!result.suffixText.isEmpty())
            result.suffix = QRectF(result.value.right() + suffixSpacing, textTop, suffixWidth, textHeight);
    }
    return result;
}

QSize DialLabel::sizeHint() const
{
    const QSizeF size = layout().stackSize;
    return QSize(int(std::ceil(size.width())), int(std::ceil(size.height())));
}

QSize DialLabel::minimumSizeHint() const { return sizeHint(); }

void DialLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // What the drawing reads (the value) is what asks for the next repaint; nothing else does.
    paintTracking_ = foundation::withObservationTracking(
        [&] {
            const Layout parts = layout();
            if (!parts.name.isNull()) {
                painter.setFont(mossFont(font_, displayOptions_.labelFontSize));
                painter.setPen(color_);
                painter.drawText(parts.name, Qt::AlignCenter, parts.nameText);
            }
            if (!isEditing_) {
                painter.setFont(mossFont(font_, displayOptions_.valueFontSize));
                painter.setPen(displayOptions_.valueColor);
                painter.drawText(parts.value, Qt::AlignCenter, parts.valueText);
                if (!parts.suffix.isNull())
                    painter.drawText(parts.suffix, Qt::AlignCenter, parts.suffixText);
            }
        },
        [this] {
            update();
            updateGeometry();
        });
}

void DialLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton && !isEditing_;
    event->accept();
}

void DialLabel::mouseReleaseEvent(QMouseEvent* event)
{
    // A click is a press and a release on the label; one while editing does nothing.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && !isEditing_)
        startEditing();
    event->accept();
}

void DialLabel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeField();
}

bool DialLabel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != field_ || !isEditing_)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Escape belongs to the field while it edits, before any window shortcut takes it.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress:
        // Both keys end here, so that neither travels on to a window's default button.
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            submit();
            return true;
        case Qt::Key_Escape:
            endEditing();
            return true;
        default:
            break;
        }
        break;
    case QEvent::FocusOut: {
        // A context menu or another window taking the keyboard leaves the field where it is.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            leaveEditing();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void DialLabel::startEditing()
{
    isEditing_ = true;
    placeField();
    field_->show();
    field_->setFocus(Qt::MouseFocusReason);
    // Typing replaces the shown value, as a text field does when it takes the keyboard.
    field_->selectAll();
    update();
    updateGeometry();
}

void DialLabel::submit()
{
    if (const auto typed = formatter_->value(field_->text()))
        param_->setValue(enteredValue(*param_, *typed), ParameterEditor::ui, ParameterEditorState::change);
    endEditing();
}

void DialLabel::endEditing()
{
    if (onEditingEnded_)
        onEditingEnded_();
    resetFieldText();
    leaveEditing();
}

void DialLabel::leaveEditing()
{
    isEditing_ = false;
    // The field gives the keyboard up before it hides, so that the focus does not jump on to
    // the next control of the window.
    if (field_->hasFocus())
        field_->clearFocus();
    field_->hide();
    update();
    updateGeometry();
}

void DialLabel::resetFieldText() { field_->setText(formatter_->format(param_->value())); }

void DialLabel::placeField()
{
    if (!isEditing_)
        return;
    // The rounded field keeps its own height, centred in its labelWidth by 40 point frame (a
    // field stretched to 40 points would run into the name line above), on whole pixels.
    const QRectF frame = layout().field;
    const qreal fieldHeight = std::min<qreal>(field_->sizeHint().height(), frame.height());
    const QRectF placed(frame.left(), frame.center().y() - fieldHeight / 2.0, frame.width(), fieldHeight);
    field_->setGeometry(QRect(placed.topLeft().toPoint(), placed.size().toSize()));
}

} // namespace mossbell
