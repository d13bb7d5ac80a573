#include "Tarnkit/Fields/TableCellView.h"

#include "Tarnkit/Foundation/Styles.h"

namespace tarnkit {

namespace {

// Clear of the styled rows' selection, which stops 8 points in.
constexpr int textFieldLeading = 10;
constexpr int textFieldTrailing = 4;

} // namespace

TableCellView::TableCellView(QWidget* parent, bool withTextField) : TableReusableView(parent)
{
    if (!withTextField)
        return;
    auto* field = new QLabel(this);
    field->setFont(*Styles::TableRow::font());
    field->setTextInteractionFlags(Qt::NoTextInteraction);
    field->setAttribute(Qt::WA_TransparentForMouseEvents);
    setTextField(field);
}

void TableCellView::setTextField(QLabel* field)
{
    textField_ = field;
    if (field)
        placeTextField();
}

Size TableCellView::intrinsicContentSize() const
{
    return {-1, -1};
}

void TableCellView::placeTextField()
{
    const int height = textField_->sizeHint().height();
    textField_->setGeometry(textFieldLeading, (this->height() - height) / 2,
                            std::max(0, width() - textFieldLeading - textFieldTrailing), height);
}

void TableCellView::resizeEvent(QResizeEvent* event)
{
    TableReusableView::resizeEvent(event);
    if (textField_)
        placeTextField();
}

} // namespace tarnkit
