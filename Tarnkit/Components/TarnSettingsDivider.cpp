#include "Tarnkit/Components/TarnSettingsDivider.h"

#include "Tarnkit/Foundation/TKColors.h"

#include "platform/ui/View.h"

#include <QPainter>

namespace tarnkit {

namespace {

/// A one-point line as long as it is given.
class Line final : public ui::View {
public:
    Line()
    {
        setNaturalSize(QSizeF(0, 1));
        setFlexible(Qt::Horizontal);
    }

protected:
    void paint(QPainter& painter) override { painter.fillRect(rect(), *TKColors::grey30()); }
};

} // namespace

TarnSettingsDivider::TarnSettingsDivider(QWidget* parent) : ui::Stack(ui::Axis::overlay, 0, Qt::AlignCenter, parent)
{
    setPadding(QMarginsF(16, 8, 16, 8));
    add(new Line);
}

} // namespace tarnkit
