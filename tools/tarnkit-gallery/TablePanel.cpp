#include "tools/tarnkit-gallery/TablePanel.h"

#include "Tarnkit/Fields/ActionableTableHeaderView.h"
#include "Tarnkit/Fields/ScrollView.h"
#include "Tarnkit/Fields/StyledTableCellView.h"
#include "Tarnkit/Fields/StyledTableColumn.h"
#include "Tarnkit/Fields/StyledTableRowView.h"
#include "Tarnkit/Fields/StyledTableView.h"
#include "Tarnkit/Foundation/Styles.h"

#include <array>

namespace tarnkit::gallery {

namespace {

struct Parameter {
    const char* name;
    const char* value;
};

constexpr std::array<Parameter, 8> parameters{{
    {"Quality", "High"},
    {"UV Level", "-12.0 dB"},
    {"UV Threshold", "0.45"},
    {"Formant Shift", "+3 st"},
    {"High Pass", "120 Hz"},
    {"Low Pass", "9.5 kHz"},
    {"Crush", "8 bit"},
    {"Dry / Wet", "80 %"},
}};

const QString cellIdentifier = QStringLiteral("parameter");

class Parameters : public TableViewDataSource, public TableViewDelegate {
public:
    int numberOfRows(const TableView&) const override { return int(parameters.size()); }
    QWidget* viewFor(TableView& table, const TableColumn& column, int row) override
    {
        auto* cell = table.makeView<StyledTableCellView>(cellIdentifier);
        const Parameter& p = parameters[std::size_t(row)];
        cell->textField()->setText(QString::fromLatin1(column.identifier() == QStringLiteral("name") ? p.name : p.value));
        return cell;
    }
    TableRowView* rowViewFor(TableView& table, int) override
    {
        return table.makeView<StyledTableRowView>(StyledTableRowView::classIdentifier());
    }
};

// The scroll view owns the rows' data, so the panel is one widget.
class Panel : public ScrollView {
public:
    Panel()
    {
        auto* table = new StyledTableView;
        table->registerView(cellIdentifier, [] { return new StyledTableCellView; });
        table->registerView(StyledTableRowView::classIdentifier(), [] { return new StyledTableRowView; });
        for (const auto& [identifier, title, width] : {std::tuple{"name", "Parameter", 160.0}, {"value", "Value", 160.0}}) {
            auto column = std::make_unique<StyledTableColumn>(QString::fromLatin1(identifier));
            column->setTitle(QString::fromLatin1(title));
            column->setWidth(width);
            table->addTableColumn(std::move(column));
        }
        table->setHeaderView(new ActionableTableHeaderView);
        setDocumentView(table);
        table->applyHeaderStyle(Styles::TableHeader::textColor(), Styles::TableHeader::background(),
                                *Styles::TableHeader::font());
        table->setDataSource(&data_);
        table->setDelegate(&data_);
        table->selectRowIndexes({1, 2, 3, 5}, false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        resize(tablePanelSize);
    }

private:
    Parameters data_;
};

} // namespace

std::unique_ptr<QWidget> makeTablePanel()
{
    return std::make_unique<Panel>();
}

} // namespace tarnkit::gallery
