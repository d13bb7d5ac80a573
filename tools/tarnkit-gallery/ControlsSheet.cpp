#include "tools/tarnkit-gallery/ControlsSheet.h"

#include "tools/tarnkit-gallery/SheetText.h"
#include "tools/tarnkit-gallery/TablePanel.h"

#include "Tarnkit/Controls/OstrelPushButton.h"
#include "Tarnkit/Controls/StyledButton.h"
#include "Tarnkit/Fields/StyledSlider.h"
#include "Tarnkit/Fields/TrackingSlider.h"
#include "Tarnkit/Foundation/AssetResources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

namespace tarnkit::gallery {

namespace {

constexpr qreal nameColumn = 200;
constexpr qreal columnGap = 18;
constexpr qreal rowGap = 16;

// ---- the table ------------------------------------------------------------------------------

// A state a specimen is shown in. A later control that has more (invalid, editing) adds its
// states here and says in its row how it takes them.
enum class Look { normal, pressed, disabled, selected, on, mixed, focused };

struct Column {
    Look look;
    const char* title;
};

constexpr Column columns[] = {
    {Look::normal, "normal"}, {Look::pressed, "pressed"}, {Look::disabled, "disabled"},
    {Look::selected, "selected"}, {Look::on, "on"},       {Look::mixed, "mixed"},
    {Look::focused, "focused, key window"},
};

// Puts a control into a look through the base's operations; false when the look does not
// apply to it. (Focus is given when the specimen is drawn.)
bool applyLook(Control& control, Look look)
{
    switch (look) {
    case Look::normal:
    case Look::focused:
        return true;
    case Look::pressed:
        control.cell().setHighlighted(true);
        return true;
    case Look::disabled:
        control.setEnabled(false);
        return true;
    case Look::selected:
        if (auto* selectable = dynamic_cast<Selectable*>(&control)) {
            selectable->setSelected(true);
            return true;
        }
        return false;
    case Look::on:
        control.cell().setStateValue(ControlStateValue::on);
        return true;
    case Look::mixed:
        control.cell().setStateValue(ControlStateValue::mixed);
        return true;
    }
    return false;
}

struct Row {
    const char* name;
    const char* detail;
    std::function<std::unique_ptr<Control>()> make;
    /// Takes a look itself when set (false: the look does not apply); applyLook otherwise.
    std::function<bool(Control&, Look)> apply = {};
};

ImageRef icon(ImageAsset asset)
{
    return ImageResource::of(asset).makeImage();
}

std::vector<Row> buttonRows()
{
    return {
        {"StyledButton", "push on / push off",
         [] {
             auto button = std::make_unique<StyledButton>();
             button->setTitle(QStringLiteral("Button"));
             button->setButtonType(ButtonType::pushOnPushOff);
             return button;
         }},
        {"StyledButton", "image left, toggle",
         [] {
             auto button = std::make_unique<StyledButton>(nullptr, 104.0);
             button->setTitle(QStringLiteral("Favourite"));
             button->setImage(icon(ImageAsset::organiserIconStar));
             button->setImagePosition(ImagePosition::imageLeft);
             button->setButtonType(ButtonType::toggle);
             return button;
         }},
        {"StyledButton", "image only, scaling none",
         [] {
             auto button = std::make_unique<StyledButton>(nullptr, 40.0);
             button->setImage(icon(ImageAsset::organiserIconStar));
             button->setImagePosition(ImagePosition::imageOnly);
             button->setImageScaling(ImageScaling::none);
             button->setButtonType(ButtonType::toggle);
             return button;
         }},
        {"OstrelPushButton", "fixed width 96, push on / push off",
         [] {
             auto button = std::make_unique<OstrelPushButton>(nullptr, 24.0, 96.0);
             button->setTitle(QStringLiteral("Push Button"));
             button->setButtonType(ButtonType::pushOnPushOff);
             return button;
         }},
    };
}

// Sliders draw no focus ring and show neither selection nor on and mixed states: only the
// normal, pressed and disabled looks apply (the tracking slider is an icon: no pressed look).
std::vector<Row> sliderRows()
{
    const auto onlyLooks = [](std::initializer_list<Look> looks) {
        return [looks = std::vector<Look>(looks)](Control& control, Look look) {
            return std::find(looks.begin(), looks.end(), look) != looks.end() && applyLook(control, look);
        };
    };
    return {
        {"StyledSlider", "value 0.4",
         [] {
             auto slider = std::make_unique<StyledSlider>();
             slider->setDoubleValue(0.4);
             return slider;
         },
         onlyLooks({Look::normal, Look::pressed, Look::disabled})},
        {"TrackingSlider", "an icon that steps its value",
         [] { return std::make_unique<TrackingSlider>(icon(ImageAsset::organiserIconStar)); },
         onlyLooks({Look::normal, Look::disabled})},
    };
}

std::vector<Row> rows()
{
    std::vector<Row> all = buttonRows();
    for (Row& row : sliderRows())
        all.push_back(std::move(row));
    return all;
}

// ---- drawing --------------------------------------------------------------------------------

void waitUntilActive(QWidget& window)
{
    window.show();
    window.activateWindow();
    QElapsedTimer timer;
    timer.start();
    while (!window.isActiveWindow() && timer.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
}

} // namespace

ControlsSheet renderControlsSheet(qreal scale)
{
    ControlsSheet sheet;
    const std::vector<Row> table = rows();

    // Every specimen lives in one window, so that the focused ones sit in the key window.
    QWidget host;
    host.setWindowTitle(QStringLiteral("tarnkit-gallery"));
    struct Specimen {
        Control* control;
        bool applies;
        bool focused;
    };
    std::vector<std::vector<Specimen>> specimens;
    QSizeF cellSize(textWidth(headingText(), QStringLiteral("focused, key window")), 0);
    for (const Row& row : table) {
        std::vector<Specimen> line;
        for (const Column& column : columns) {
            std::unique_ptr<Control> control = row.make();
            const bool applies = row.apply ? row.apply(*control, column.look) : applyLook(*control, column.look);
            const QSize size = control->sizeHint();
            control->resize(size);
            cellSize = cellSize.expandedTo(QSizeF(size));
            control->setParent(&host);
            control->show();
            line.push_back({control.release(), applies, column.look == Look::focused});
        }
        specimens.push_back(std::move(line));
        sheet.rows << QString::fromLatin1(row.name) + QStringLiteral(", ") + QString::fromLatin1(row.detail);
    }
    for (const Column& column : columns)
        sheet.states << QString::fromLatin1(column.title);

    const qreal headerTop = margin + lineHeight(titleText()) + 4 + lineHeight(detailText()) + 22;
    const qreal firstRow = headerTop + lineHeight(headingText()) + 10;
    const qreal rowHeight = std::max(cellSize.height(), lineHeight(nameText()) + lineHeight(detailText()));
    const qreal width = std::ceil(margin * 2 + nameColumn + std::size(columns) * (cellSize.width() + columnGap));
    const qreal panelsTop = firstRow + table.size() * (rowHeight + rowGap) + 10;
    const qreal panelTop = panelsTop + lineHeight(nameText()) + lineHeight(detailText()) + 8;
    const qreal height = std::ceil(panelTop + tablePanelSize.height() + margin);
    std::unique_ptr<QWidget> tablePanel = makeTablePanel();
    tablePanel->setParent(&host);
    tablePanel->show();

    host.resize(int(width), int(height));
    // The window keeps the focus itself while the specimens that are not focused are drawn.
    host.setFocusPolicy(Qt::StrongFocus);
    waitUntilActive(host);
    host.setFocus(Qt::OtherFocusReason);

    sheet.image = blankSheet(width, height, scale);
    QPainter painter(&sheet.image);
    setUpPainter(painter);

    drawText(painter, titleText(), QPointF(margin, margin), QStringLiteral("Tarnkit controls"));
    drawText(painter, detailText(), QPointF(margin, margin + lineHeight(titleText()) + 4),
             QStringLiteral("Each control drawn by its own cell at %1x; the focused ones have the keyboard focus "
                            "of the active window")
                 .arg(scale));
    for (std::size_t c = 0; c < std::size(columns); ++c) {
        drawText(painter, headingText(), QPointF(margin + nameColumn + c * (cellSize.width() + columnGap), headerTop),
                 sheet.states[int(c)]);
    }

    for (std::size_t r = 0; r < table.size(); ++r) {
        const qreal top = firstRow + r * (rowHeight + rowGap);
        drawText(painter, nameText(), QPointF(margin, top + (rowHeight - lineHeight(nameText()) - lineHeight(detailText())) / 2),
                 QString::fromLatin1(table[r].name));
        drawText(painter, detailText(),
                 QPointF(margin, top + (rowHeight + lineHeight(nameText()) - lineHeight(detailText())) / 2),
                 QString::fromLatin1(table[r].detail));
        for (std::size_t c = 0; c < std::size(columns); ++c) {
            const Specimen& specimen = specimens[r][c];
            const QPointF at(margin + nameColumn + c * (cellSize.width() + columnGap),
                             std::round(top + (rowHeight - specimen.control->height()) / 2));
            if (!specimen.applies) {
                drawText(painter, detailText(), at, QStringLiteral("-"));
                sheet.notApplicable << specimenKey(sheet.rows[int(r)], sheet.states[int(c)]);
                continue;
            }
            if (specimen.focused)
                specimen.control->setFocus(Qt::OtherFocusReason);
            painter.save();
            painter.translate(at);
            specimen.control->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
            painter.restore();
            if (specimen.focused)
                host.setFocus(Qt::OtherFocusReason);
            sheet.specimens.insert(specimenKey(sheet.rows[int(r)], sheet.states[int(c)]),
                                   QRectF(at, QSizeF(specimen.control->size())));
        }
    }

    const QString panelName = QStringLiteral("StyledTableView, merged selection");
    drawText(painter, nameText(), QPointF(margin, panelsTop), QStringLiteral("StyledTableView"));
    drawText(painter, detailText(), QPointF(margin, panelsTop + lineHeight(nameText())),
             QStringLiteral("rows 1 to 3 and 5 selected, an actionable header restyled by applyHeaderStyle"));
    const QPointF panelAt(margin, panelTop);
    painter.save();
    painter.translate(panelAt);
    tablePanel->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
    sheet.panels.insert(panelName, QRectF(panelAt, QSizeF(tablePanel->size())));
    return sheet;
}

} // namespace tarnkit::gallery
