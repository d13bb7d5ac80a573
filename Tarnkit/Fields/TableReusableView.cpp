#include "Tarnkit/Fields/TableReusableView.h"

namespace tarnkit {

TableReusableView::TableReusableView(QWidget* parent) : QWidget(parent)
{
}

void TableReusableView::prepareForReuse()
{
}

} // namespace tarnkit
