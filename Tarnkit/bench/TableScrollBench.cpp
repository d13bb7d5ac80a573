// Scrolling a styled table of 100,000 rows: the time per scrolled screen (the scroll, the rows
// taking their reused views, and the paint of the screen), against the paint alone of the same
// screen as a yardstick, and how many row views live while it scrolls.

#include "Tarnkit/Fields/ScrollView.h"
#include "Tarnkit/Fields/StyledTableCellView.h"
#include "Tarnkit/Fields/StyledTableColumn.h"
#include "Tarnkit/Fields/StyledTableRowView.h"
#include "Tarnkit/Fields/StyledTableView.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {

using namespace tarnkit;

constexpr int rowCount = 100'000;
const QString nameCell = QStringLiteral("name");

class Rows : public TableViewDataSource, public TableViewDelegate {
public:
    int numberOfRows(const TableView&) const override { return rowCount; }
    QWidget* viewFor(TableView& table, const TableColumn& column, int row) override
    {
        auto* cell = table.makeView<StyledTableCellView>(nameCell);
        cell->textField()->setText(column.identifier() + QStringLiteral(" %1").arg(row));
        return cell;
    }
    TableRowView* rowViewFor(TableView& table, int) override
    {
        return table.makeView<StyledTableRowView>(StyledTableRowView::classIdentifier());
    }
};

// A shown window of 400 x 600 points holding the table, every tenth row selected.
struct Window {
    Window()
    {
        scrollView.resize(400, 600);
        table = new StyledTableView;
        table->registerView(nameCell, [] { return new StyledTableCellView; });
        table->registerView(StyledTableRowView::classIdentifier(), [] { return new StyledTableRowView; });
        for (const char* name : {"name", "value"}) {
            auto column = std::make_unique<StyledTableColumn>(QString::fromLatin1(name));
            column->setWidth(190);
            table->addTableColumn(std::move(column));
        }
        scrollView.setDocumentView(table);
        table->setDataSource(&rows);
        table->setDelegate(&rows);
        TableView::IndexSet selected;
        for (int row = 0; row < rowCount; row += 10)
            selected.insert(selected.end(), row);
        table->selectRowIndexes(selected, false);
        scrollView.show();
        QApplication::processEvents();
    }

    Rows rows;
    ScrollView scrollView;
    StyledTableView* table = nullptr;
};

void BM_ScrollFullPass(benchmark::State& state)
{
    Window window;
    const double screen = window.scrollView.documentVisibleRect().height();
    const double end = window.table->height() - screen;
    int screens = 0;
    int mostLive = 0;
    for (auto _ : state) {
        screens = 0;
        for (double y = 0; y <= end; y += screen, ++screens) {
            window.scrollView.scrollTo({0, y});
            window.scrollView.viewport()->repaint();
            mostLive = std::max(mostLive, window.table->numberOfLiveRowViews());
        }
    }
    state.counters["screens"] = screens;
    state.counters["time_per_screen"] =
        benchmark::Counter(screens, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["most_live_row_views"] = mostLive;
    state.counters["views_in_table"] = double(window.table->findChildren<TableReusableView*>().size());
}
BENCHMARK(BM_ScrollFullPass)->Unit(benchmark::kMillisecond)->Iterations(3);

// The yardstick: painting one screen, with no scrolling.
void BM_PaintOneScreen(benchmark::State& state)
{
    Window window;
    window.scrollView.scrollTo({0, 480'000});
    for (auto _ : state)
        window.scrollView.viewport()->repaint();
}
BENCHMARK(BM_PaintOneScreen)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
