#include "Mossbell/DialLabel.h"

#include "Mossbell/AudioParameter.h"
#include "Mossbell/DefaultLabelFormatter.h"

#include <QFontMetricsF>
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
    : ui::View(parent), param_(std::move(param)), color_(std::move(color)),
      displayOptions_(std::move(displayOptions)), font_(font),
      formatter_(formatter ? std::move(formatter) : std::make_shared<DefaultLabelFormatter>(*param_, 1)),
      onEditingEnded_(std::move(onEditingEnded)), field_(new ui::TextField(this))
{
    // Laid out by a box layout, the label may take more room than its text, never less.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);

    // A click is a press and a release over the label; one while editing does nothing.
    gestures().setDrag({0, [](const ui::DragValue&) {},
                        [this](const ui::DragValue& drag) {
                            if (!isEditing_ && isVisible() && rect().contains(drag.location.toPoint()))
                                startEditing();
                        }});

    applyMossFont(*field_, font_, displayOptions_.editingFontSize);
    field_->setAlignment(Qt::AlignCenter);
    field_->setPlaceholderText(QString());
    field_->setStyleSheet(fieldStyleSheet(displayOptions_.valueColor));
    field_->hide();
    // The field tells how editing ends; a report while not editing (the field giving up the
    // keyboard as it hides) is none of ours.
    field_->onSubmit = [this] {
        if (isEditing_)
            submit();
    };
    field_->onCancel = [this] {
        if (isEditing_)
            endEditing();
    };
    field_->onFocusLost = [this] {
        if (isEditing_)
            leaveEditing();
    };

    resetFieldText();
    updateNaturalSize();
    // The field's text and the label's size follow every value, whether it is painted or not.
    valueObservation_ = param_->observeValue([this](float value) {
        field_->setText(formatter_->format(value));
        updateNaturalSize();
    });
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

void DialLabel::updateNaturalSize()
{
    setNaturalSize(layout().stackSize);
}

QSize DialLabel::minimumSizeHint() const { return sizeHint(); }

void DialLabel::paint(QPainter& painter)
{
    // What the drawing reads (the value) is what asks for the next repaint; nothing else does.
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
}

void DialLabel::resizeEvent(QResizeEvent* event)
{
    ui::View::resizeEvent(event);
    placeField();
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
    updateNaturalSize();
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
    updateNaturalSize();
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
