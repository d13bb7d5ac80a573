#include "tools/tarnkit-gallery/ControlsSheet.h"

#include "tools/tarnkit-gallery/SheetText.h"
#include "tools/tarnkit-gallery/TablePanel.h"

#include "Tarnkit/Components/DefaultOstrelButtonStyle.h"
#include "Tarnkit/Components/StyledPopUpButtonWrapper.h"
#include "Tarnkit/Components/TarnSegmentedControl.h"
#include "Tarnkit/Components/TarnSettings.h"
#include "Tarnkit/Components/TarnSettingsDivider.h"
#include "Tarnkit/Components/TarnSettingsSection.h"
#include "Tarnkit/Components/VartlowButtonStyle.h"
#include "Tarnkit/Controls/OstrelPushButton.h"
#include "Tarnkit/Controls/StyledButton.h"
#include "Tarnkit/Controls/StyledPopUpButton.h"
#include "Tarnkit/Controls/StyledSearchField.h"
#include "Tarnkit/Controls/StyledSegmentedControl.h"
#include "Tarnkit/Fields/StyledSlider.h"
#include "Tarnkit/Fields/StyledTextField.h"
#include "Tarnkit/Fields/TrackingSlider.h"
#include "Tarnkit/Foundation/AssetResources.h"
#include "Tarnkit/Foundation/Validating.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tarnkit::gallery {

namespace {

constexpr qreal nameColumn = 200;
constexpr qreal columnGap = 18;
constexpr qreal rowGap = 16;

// ---- the grid -------------------------------------------------------------------------------

// A state a specimen is shown in.
enum class Look { normal, pressed, disabled, selected, on, mixed, focused, invalid, editing };

struct Column {
    Look look;
    const char* title;
};

constexpr Column columns[] = {
    {Look::normal, "normal"},   {Look::pressed, "pressed"}, {Look::disabled, "disabled"},
    {Look::selected, "selected"}, {Look::on, "on"},         {Look::mixed, "mixed"},
    {Look::focused, "focused, key window"}, {Look::invalid, "invalid"}, {Look::editing, "editing"},
};

// A cell that can be told its content is invalid, as a validating control's is.
class GalleryValidity : public Validating {
public:
    bool isValid() const override { return valid; }
    QString validationMessage() const override { return valid ? QString() : QStringLiteral("invalid"); }

    bool valid = true;
};

template <class C>
class GalleryCell : public C, public GalleryValidity {
public:
    using C::C;
};

// Puts a control into a look through the base's operations; false when the look does not
// apply to it. (Focus and editing are given when the specimen is drawn.)
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
    case Look::invalid:
        if (auto* validity = dynamic_cast<GalleryValidity*>(&control.cell())) {
            validity->valid = false;
            return true;
        }
        return false;
    case Look::editing:
        return dynamic_cast<TextField*>(&control) != nullptr;
    }
    return false;
}

// A text field's looks: it has no pressed, on or mixed state.
bool applyFieldLook(Control& control, Look look)
{
    if (look == Look::pressed || look == Look::on || look == Look::mixed)
        return false;
    return applyLook(control, look);
}

struct Row {
    const char* name;
    const char* detail;
    std::function<std::unique_ptr<Control>()> make;
    /// Takes a look itself when set (false: the look does not apply); applyLook otherwise.
    std::function<bool(Control&, Look)> apply = {};
    /// The specimen's size when its own is not the one to show (a field's width is the caller's).
    std::optional<QSize> size = {};
};

// A field of class F drawn by a gallery cell of class C, editable and bezelled as a new field is.
template <class F, class C>
std::unique_ptr<F> galleryField()
{
    auto field = std::make_unique<F>();
    field->setCell(std::make_unique<GalleryCell<C>>());
    field->setEditable(true);
    field->setBezeled(true);
    field->setDrawsBackground(true);
    return field;
}

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
             button->setCell(std::make_unique<GalleryCell<StyledButtonCell>>());
             button->setTitle(QStringLiteral("Button"));
             button->setButtonType(ButtonType::pushOnPushOff);
             return button;
         }},
        {"StyledButton", "image left, toggle",
         [] {
             auto button = std::make_unique<StyledButton>(nullptr, 104.0);
             button->setCell(std::make_unique<GalleryCell<StyledButtonCell>>());
             button->setTitle(QStringLiteral("Favourite"));
             button->setImage(icon(ImageAsset::organiserIconStar));
             button->setImagePosition(ImagePosition::imageLeft);
             button->setButtonType(ButtonType::toggle);
             return button;
         }},
        {"StyledButton", "image only, scaling none",
         [] {
             auto button = std::make_unique<StyledButton>(nullptr, 40.0);
             button->setCell(std::make_unique<GalleryCell<StyledButtonCell>>());
             button->setImage(icon(ImageAsset::organiserIconStar));
             button->setImagePosition(ImagePosition::imageOnly);
             button->setImageScaling(ImageScaling::none);
             button->setButtonType(ButtonType::toggle);
             return button;
         }},
        {"OstrelPushButton", "fixed width 96, push on / push off",
         [] {
             auto button = std::make_unique<OstrelPushButton>(nullptr, 24.0, 96.0);
             button->setCell(std::make_unique<GalleryCell<OstrelPushButtonCell>>());
             button->setTitle(QStringLiteral("Push Button"));
             button->setButtonType(ButtonType::pushOnPushOff);
             return button;
         }},
    };
}

// The fields have no pressed, on or mixed look; they edit.
std::vector<Row> fieldRows()
{
    return {
        {"StyledTextField", "with a value",
         [] {
             auto field = galleryField<StyledTextField, StyledTextFieldCell>();
             field->setStringValue(QStringLiteral("Vocoder"));
             return field;
         },
         applyFieldLook, QSize(140, 24)},
        {"StyledTextField", "placeholder",
         [] {
             auto field = galleryField<StyledTextField, StyledTextFieldCell>();
             field->setPlaceholderString(QStringLiteral("Preset name"));
             return field;
         },
         applyFieldLook, QSize(140, 24)},
        {"StyledSearchField", "with a query (cancel button)",
         [] {
             auto field = galleryField<StyledSearchField, StyledSearchFieldCell>();
             field->setStringValue(QStringLiteral("formant"));
             return field;
         },
         applyFieldLook, QSize(140, 24)},
        {"StyledSearchField", "placeholder",
         [] {
             auto field = galleryField<StyledSearchField, StyledSearchFieldCell>();
             field->setPlaceholderString(QStringLiteral("Search"));
             return field;
         },
         applyFieldLook, QSize(140, 24)},
    };
}

std::vector<Row> menuRows()
{
    return {
        {"StyledSegmentedControl", "second selected, first pressed",
         [] {
             auto control = std::make_unique<StyledSegmentedControl>();
             control->setSegmentCount(2);
             control->setLabel(QStringLiteral("Retro"), 0);
             control->setLabel(QStringLiteral("Modern"), 1);
             control->setWidth(0, 0);
             control->setWidth(0, 1);
             control->setSelectedSegment(1);
             return control;
         },
         [](Control& control, Look look) {
             auto& segmented = static_cast<StyledSegmentedControl&>(control);
             switch (look) {
             case Look::pressed:
                 segmented.segmentedCell().setPressedSegment(0);
                 return true;
             case Look::selected:
                 segmented.setHideSelection(false);
                 return true;
             case Look::on:
             case Look::mixed:
             case Look::invalid:
             case Look::editing:
                 return false;
             default:
                 return applyLook(control, look);
             }
         }},
        {"StyledPopUpButton", "label and title, fixed width 150",
         [] {
             auto button = std::make_unique<StyledPopUpButton>(QRect(), false, 150.0);
             button->addItem(QStringLiteral("Modern"));
             button->setLabel(QStringLiteral("Skin"));
             return button;
         },
         [](Control& control, Look look) {
             switch (look) {
             case Look::on:
             case Look::mixed:
                 // Shown only by a cell that shows its state.
                 static_cast<ButtonCell&>(control.cell()).setShowsStateBy(cellStyleMask::contents);
                 return applyLook(control, look);
             case Look::selected:
             case Look::invalid:
             case Look::editing:
                 return false;
             default:
                 return applyLook(control, look);
             }
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
    for (auto group : {fieldRows(), menuRows(), sliderRows()}) {
        for (Row& row : group)
            all.push_back(std::move(row));
    }
    return all;
}

// ---- the components -------------------------------------------------------------------------

struct Component {
    QString name;
    QString variant;
    QWidget* widget = nullptr;          // drawn as it is, or
    std::function<QSizeF()> size = {};  // a button style painted in a state
    std::function<void(QPainter&, const QRectF&)> paint = {};
};

Component paintedButton(const QString& name, const QString& variant, std::shared_ptr<const ui::ButtonStyle> style,
                        bool pressed)
{
    const ui::ButtonLabel label{QStringLiteral("Render"), {}, {}, {}};
    return {name, variant, nullptr, [style, label] { return style->size(label); },
            [style, label, pressed](QPainter& painter, const QRectF& rect) { style->paint(painter, rect, label, pressed); }};
}

// The pop-up wrapper's value: which voice, one of them in a submenu.
using VoiceWrapper = StyledPopUpButtonWrapper<int>;

std::vector<Component> components(QWidget& host, int& voice)
{
    std::vector<Component> made;
    const std::vector<PopupItem<int>> voices = [] {
        PopupItem<int> more(std::nullopt, QStringLiteral("More"));
        more.subMenu = std::vector<PopupItem<int>>{{3, QStringLiteral("Whisper")}, {4, QStringLiteral("Robot")}};
        return std::vector<PopupItem<int>>{{1, QStringLiteral("Natural")}, {2, QStringLiteral("Choir")},
                                           PopupItem<int>::divider(), more};
    }();
    auto* wrapper = new ui::RepresentableHost<VoiceWrapper>(
        VoiceWrapper{voices, Binding<int>([&voice] { return voice; }, [&voice](const int& v) { voice = v; }),
                     QStringLiteral("Voice"), 150},
        &host);
    made.push_back({QStringLiteral("StyledPopUpButtonWrapper"), QStringLiteral("a submenu item selected"), wrapper});

    made.push_back(paintedButton(QStringLiteral("DefaultOstrelButtonStyle"), QStringLiteral("normal"),
                                 std::make_shared<DefaultOstrelButtonStyle>(true), false));
    made.push_back(paintedButton(QStringLiteral("DefaultOstrelButtonStyle"), QStringLiteral("pressed"),
                                 std::make_shared<DefaultOstrelButtonStyle>(true), true));
    made.push_back(paintedButton(QStringLiteral("DefaultOstrelButtonStyle"), QStringLiteral("disabled"),
                                 std::make_shared<DefaultOstrelButtonStyle>(false), false));
    made.push_back(paintedButton(QStringLiteral("VartlowButtonStyle"), QStringLiteral("normal"),
                                 std::make_shared<VartlowButtonStyle>(), false));
    made.push_back(paintedButton(QStringLiteral("VartlowButtonStyle"), QStringLiteral("pressed"),
                                 std::make_shared<VartlowButtonStyle>(), true));

    auto model = std::make_shared<TarnSegmentedControlModel>(std::vector<TarnSegmentItemRef>{
        std::make_shared<TarnSegmentItem>(0, QStringLiteral("Retro")),
        std::make_shared<TarnSegmentItem>(1, QStringLiteral("Modern")),
        std::make_shared<TarnSegmentItem>(2, QStringLiteral("Custom"))});
    model->select(1);
    made.push_back({QStringLiteral("TarnSegmentedControl"), QStringLiteral("one item selected"),
                    new TarnSegmentedControl(model, &host)});

    auto* name = new StyledTextField;
    name->setStringValue(QStringLiteral("Zindle"));
    name->setFixedSize(160, 24);
    auto* skin = new StyledPopUpButton(QRect(), false, 120.0);
    skin->addItem(QStringLiteral("Modern"));
    skin->setFixedSize(skin->sizeHint());
    auto* form = new TarnSettings(320,
                                  {new TarnSettingsSection(QStringLiteral("Preset"), {name}),
                                   new TarnSettingsDivider,
                                   new TarnSettingsSection(QStringLiteral("Skin"), {skin})},
                                  std::make_shared<TarnSettingsConfig>(70), &host);
    made.push_back({QStringLiteral("TarnSettings"), QStringLiteral("two sections and a divider"), form});
    return made;
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

// Gives a specimen the keyboard focus; an editing field also gets part of its text selected,
// a focused one only its caret.
void takeFocus(Control& control, bool editing)
{
    auto* field = dynamic_cast<TextField*>(&control);
    if (!field) {
        control.setFocus(Qt::OtherFocusReason);
        return;
    }
    field->selectText();
    if (editing)
        field->fieldEditor().setSelection(0, std::max(1, int(field->stringValue().size()) / 2));
    else
        field->fieldEditor().end(false);
}

} // namespace

ControlsSheet renderControlsSheet(qreal scale)
{
    ControlsSheet sheet;
    const std::vector<Row> table = rows();
    int voice = 4; // the wrapper's model: lives as long as the window that shows it
    // A steady caret, so that a focused field looks the same on every run.
    const int flashTime = QApplication::cursorFlashTime();
    QApplication::setCursorFlashTime(0);

    // Every specimen lives in one window, so that the focused ones sit in the key window.
    QWidget host;
    host.setWindowTitle(QStringLiteral("tarnkit-gallery"));
    struct Specimen {
        Control* control;
        bool applies;
        Look look;
    };
    std::vector<std::vector<Specimen>> specimens;
    QSizeF cellSize(textWidth(headingText(), QStringLiteral("focused, key window")), 0);
    for (const Row& row : table) {
        std::vector<Specimen> line;
        for (const Column& column : columns) {
            std::unique_ptr<Control> control = row.make();
            const bool applies = row.apply ? row.apply(*control, column.look) : applyLook(*control, column.look);
            const QSize size = row.size.value_or(control->sizeHint());
            control->resize(size);
            cellSize = cellSize.expandedTo(QSizeF(size));
            control->setParent(&host);
            control->show();
            line.push_back({control.release(), applies, column.look});
        }
        specimens.push_back(std::move(line));
        sheet.rows << QString::fromLatin1(row.name) + QStringLiteral(", ") + QString::fromLatin1(row.detail);
    }
    for (const Column& column : columns)
        sheet.states << QString::fromLatin1(column.title);

    std::vector<Component> parts = components(host, voice);
    for (Component& part : parts) {
        if (part.widget) {
            part.widget->adjustSize();
            part.widget->show();
        }
    }

    const qreal headerTop = margin + lineHeight(titleText()) + 4 + lineHeight(detailText()) + 22;
    const qreal firstRow = headerTop + lineHeight(headingText()) + 10;
    const qreal rowHeight = std::max(cellSize.height(), lineHeight(nameText()) + lineHeight(detailText()));
    const qreal gridBottom = firstRow + table.size() * (rowHeight + rowGap);

    // The table, under the grid.
    const qreal panelsTop = gridBottom + 10;
    const qreal panelTop = panelsTop + lineHeight(nameText()) + lineHeight(detailText()) + 8;
    std::unique_ptr<QWidget> tablePanel = makeTablePanel();
    tablePanel->setParent(&host);
    tablePanel->show();
    const qreal componentsHeading = panelTop + tablePanelSize.height() + 22;
    const qreal componentsTop = componentsHeading + lineHeight(headingText()) + 12;

    // The components: one row per component, its variants side by side.
    struct Placed {
        const Component* part;
        QRectF rect;
    };
    std::vector<Placed> placed;
    qreal y = componentsTop;
    qreal componentsRight = 0;
    for (std::size_t i = 0; i < parts.size();) {
        const QString name = parts[i].name;
        qreal x = margin + nameColumn;
        qreal height = lineHeight(nameText()) + lineHeight(detailText());
        for (; i < parts.size() && parts[i].name == name; ++i) {
            const QSizeF size = parts[i].widget ? QSizeF(parts[i].widget->size()) : parts[i].size();
            placed.push_back({&parts[i], QRectF(QPointF(x, y), size)});
            x += std::ceil(size.width()) + columnGap * 2;
            height = std::max(height, size.height() + lineHeight(detailText()) + 4);
        }
        componentsRight = std::max(componentsRight, x);
        y += height + rowGap;
    }

    const qreal width = std::ceil(std::max({margin * 2 + nameColumn + std::size(columns) * (cellSize.width() + columnGap),
                                            margin * 2 + tablePanelSize.width(), componentsRight + margin}));
    const qreal height = std::ceil(y + margin);

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
             QStringLiteral("Each control drawn by its own cell at %1x; the focused and editing ones have the keyboard "
                            "focus of the active window; \"-\": a state the control does not have")
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
            const QString key = specimenKey(sheet.rows[int(r)], sheet.states[int(c)]);
            const QPointF at(margin + nameColumn + c * (cellSize.width() + columnGap),
                             std::round(top + (rowHeight - specimen.control->height()) / 2));
            if (!specimen.applies) {
                drawText(painter, detailText(), at, QStringLiteral("-"));
                sheet.notApplicable << key;
                continue;
            }
            const bool focused = specimen.look == Look::focused || specimen.look == Look::editing;
            if (focused)
                takeFocus(*specimen.control, specimen.look == Look::editing);
            painter.save();
            painter.translate(at);
            specimen.control->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
            painter.restore();
            if (focused)
                host.setFocus(Qt::OtherFocusReason);
            sheet.specimens.insert(key, QRectF(at, QSizeF(specimen.control->size())));
        }
    }

    drawText(painter, nameText(), QPointF(margin, panelsTop), QStringLiteral("StyledTableView"));
    drawText(painter, detailText(), QPointF(margin, panelsTop + lineHeight(nameText())),
             QStringLiteral("rows 1 to 3 and 5 selected, an actionable header restyled by applyHeaderStyle"));
    const QPointF panelAt(margin, panelTop);
    painter.save();
    painter.translate(panelAt);
    tablePanel->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    painter.restore();
    sheet.panels.insert(QStringLiteral("StyledTableView, merged selection"), QRectF(panelAt, QSizeF(tablePanel->size())));

    drawText(painter, headingText(), QPointF(margin, componentsHeading), QStringLiteral("Declarative components"));
    QString lastName;
    for (const Placed& each : placed) {
        const Component& part = *each.part;
        if (part.name != lastName) {
            drawText(painter, nameText(), QPointF(margin, each.rect.top()), part.name);
            lastName = part.name;
        }
        painter.save();
        if (part.widget) {
            painter.translate(each.rect.topLeft());
            part.widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        } else {
            part.paint(painter, each.rect);
        }
        painter.restore();
        drawText(painter, detailText(), QPointF(each.rect.left(), each.rect.bottom() + 4), part.variant);
        sheet.panels.insert(part.name + QStringLiteral(", ") + part.variant, each.rect);
    }
    QApplication::setCursorFlashTime(flashTime);
    return sheet;
}

} // namespace tarnkit::gallery
