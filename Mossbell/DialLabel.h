#pragma once

#include "Mossbell/LabelDisplayOptions.h"
#include "Mossbell/LabelFormatter.h"
#include "Mossbell/MossFont.h"

#include "platform/foundation/Observation.h"
#include "platform/ui/TextField.h"
#include "platform/ui/View.h"

#include <QColor>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>

namespace mossbell {

class AudioParameter;

/// The text under a dial: the parameter's name in upper case (optional) above its value and
/// unit suffix. A click turns the value into a text field: Return enters the typed value as
/// one change from the user interface, Escape leaves the field, and so does moving the focus
/// elsewhere (without telling the owner).
///
/// The label paints itself and repaints only when something it shows changes: the reads of
/// its painting are tracked, and a change of any of them asks for one repaint (and a new
/// natural size).
///
/// Main thread, like every view.
class DialLabel : public ui::View {
public:
    /// Where the parts go, in the label's coordinates: the stack of the name line over the
    /// 40-point value line (overlapping by 10 points), centred in the label. A rect of a part
    /// that is not shown is null.
    struct Layout {
        QString nameText;   ///< the name in upper case; empty when the name is hidden
        QString valueText;  ///< the formatted value
        QString suffixText; ///< empty when no suffix is shown
        QSizeF stackSize;   ///< natural size of the whole stack
        QRectF name;        ///< the name line
        QRectF valueLine;   ///< the row of value and suffix, or the text field's frame
        QRectF value;       ///< the value text (not while editing)
        QRectF suffix;      ///< the suffix (not while editing, only when shown)
        QRectF field;       ///< the text field (only while editing)
    };

    /// formatter: none gives a DefaultLabelFormatter of param with one decimal place.
    /// onEditingEnded is called when Return or Escape ends editing.
    DialLabel(std::shared_ptr<AudioParameter> param, QColor color, LabelDisplayOptions displayOptions, MossFont font,
              std::shared_ptr<const LabelFormatter> formatter = nullptr, std::function<void()> onEditingEnded = {},
              QWidget* parent = nullptr);
    ~DialLabel() override;

    const std::shared_ptr<AudioParameter>& param() const { return param_; }
    const LabelDisplayOptions& displayOptions() const { return displayOptions_; }
    const LabelFormatter& formatter() const { return *formatter_; }
    QColor color() const { return color_; }
    MossFont font() const { return font_; }

    /// The text field is shown in place of the value.
    bool isEditing() const { return isEditing_; }
    /// The text of the field: the current value, or what was typed since.
    QString valueString() const;
    /// The field, for the owner's focus chain and for tests.
    ui::TextField* field() const { return field_; }

    /// The parts as painted now, for the label's current size and state. Reads the value.
    Layout layout() const;

    /// The label does not shrink below its natural size.
    QSize minimumSizeHint() const override;

protected:
    void paint(QPainter& painter) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateNaturalSize();
    void startEditing();
    void submit();
    void endEditing();
    void leaveEditing();
    void resetFieldText();
    void placeField();

    std::shared_ptr<AudioParameter> param_;
    QColor color_;
    LabelDisplayOptions displayOptions_;
    MossFont font_;
    std::shared_ptr<const LabelFormatter> formatter_;
    std::function<void()> onEditingEnded_;

    bool isEditing_ = false;
    ui::TextField* field_ = nullptr;

    // The field text and the size follow the value in both states, painted or not.
    foundation::ObservationToken valueObservation_;
};

} // namespace mossbell
