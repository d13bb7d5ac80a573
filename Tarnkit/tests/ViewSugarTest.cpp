#include "Tarnkit/Foundation/ViewSugar.h"
#include "Tarnkit/Foundation/Xibless.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include <memory>
#include <vector>

namespace {

using namespace tarnkit;

void processEvents()
{
    QApplication::processEvents();
    QApplication::processEvents();
}

// ---- pinning ----------------------------------------------------------------------------------

TEST(PinningTest, AllSidesConstantsInOrder)
{
    QWidget target;
    const Pinning pinning = Pinning::toAllSides(&target, EdgeInsets{2, 4, 6, 8});
    EXPECT_EQ(pinning.target, &target);
    const std::vector<EdgeConstraint> expected{
        {LayoutEdge::leading, 4}, {LayoutEdge::trailing, -8}, {LayoutEdge::bottom, -6}, {LayoutEdge::top, 2}};
    EXPECT_EQ(pinning.constraints, expected);
}

TEST(PinningTest, FrameFromConstraints)
{
    const Pinning pinning = Pinning::toAllSides(nullptr, EdgeInsets{2, 4, 6, 8});
    struct Case {
        const char* name;
        QRectF target;
        Qt::LayoutDirection direction;
        QRectF expected;
    };
    const Case cases[] = {
        {"parent bounds", {0, 0, 200, 100}, Qt::LeftToRight, {4, 2, 188, 92}},
        {"offset target", {10, 20, 50, 40}, Qt::LeftToRight, {14, 22, 38, 32}},
        // Leading is the right side when the layout runs right to left.
        {"right to left", {0, 0, 200, 100}, Qt::RightToLeft, {8, 2, 188, 92}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(pinning.frame(c.target, QRectF(), c.direction), c.expected) << c.name;

    // An edge without a constraint keeps its place.
    const Pinning leadingOnly{nullptr, {{LayoutEdge::leading, 5}}};
    EXPECT_EQ(leadingOnly.frame({0, 0, 100, 100}, {20, 30, 40, 50}), QRectF(5, 30, 55, 50));
}

TEST(PinningTest, PinnedViewFollowsItsParent)
{
    QWidget parent;
    parent.resize(200, 100);
    auto* child = new QWidget(&parent);
    anchorToAllSidesOf(child, &parent, EdgeInsets{2, 4, 6, 8});
    EXPECT_EQ(child->geometry(), QRect(4, 2, 188, 92));

    // A hidden widget hears of its new size when it is shown, as layout happens then.
    parent.show();
    parent.resize(300, 150);
    EXPECT_EQ(child->geometry(), QRect(4, 2, 288, 142));

    parent.setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(child->geometry(), QRect(8, 2, 288, 142));
}

TEST(PinningTest, PinnedToASiblingAndPinnedAgain)
{
    QWidget parent;
    parent.resize(300, 300);
    auto* sibling = new QWidget(&parent);
    sibling->setGeometry(10, 10, 50, 50);
    auto* view = new QWidget(&parent);
    anchorToAllSidesOf(view, sibling, EdgeInsets{2, 4, 6, 8});
    EXPECT_EQ(view->geometry(), QRect(14, 12, 38, 42));
    parent.show();
    sibling->move(100, 100);
    EXPECT_EQ(view->geometry(), QRect(104, 102, 38, 42));

    // Pinning again replaces the first pinning: the sibling no longer moves it.
    anchorToAllSidesOf(view, &parent, EdgeInsets{});
    EXPECT_EQ(view->geometry(), QRect(0, 0, 300, 300));
    sibling->move(0, 0);
    EXPECT_EQ(view->geometry(), QRect(0, 0, 300, 300));
    EXPECT_EQ(pinning(view)->target, &parent);
}

TEST(PinningTest, NoTargetChangesNothing)
{
    QWidget parent;
    parent.resize(200, 100);
    auto* child = new QWidget(&parent);
    child->setGeometry(1, 2, 3, 4);
    anchorToAllSidesOf(child, nullptr, EdgeInsets{2, 4, 6, 8});
    EXPECT_EQ(child->geometry(), QRect(1, 2, 3, 4));
    EXPECT_FALSE(pinning(child).has_value());
    parent.show();
    parent.resize(400, 400);
    EXPECT_EQ(child->geometry(), QRect(1, 2, 3, 4));
}

// ---- construction ----------------------------------------------------------------------------

TEST(ViewConstructionTest, DividerAndSpacer)
{
    const auto divider = dividerView();
    EXPECT_EQ(divider->geometry(), QRect(0, 0, 50, 1));
    EXPECT_EQ(divider->frameShape(), QFrame::HLine);

    // The spacer takes what the fixed views leave, first.
    QWidget row;
    auto* layout = new QHBoxLayout(&row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* fixed = new QWidget;
    fixed->setFixedWidth(50);
    auto* button = new QPushButton("B");
    button->setFixedWidth(40);
    layout->addWidget(fixed);
    auto spacer = spacerView();
    QWidget* spacerWidget = spacer.get();
    layout->addWidget(spacer.release());
    layout->addWidget(button);
    row.resize(300, 30);
    row.show();
    processEvents();
    EXPECT_EQ(spacerWidget->width(), 300 - 50 - 40);
    EXPECT_EQ(button->x(), 260);
}

TEST(ViewConstructionTest, AViewWithAFrameAndAnIdentifier)
{
    QWidget parent;
    auto label = makeView<QLabel>(QRect(3, 4, 50, 20), "title");
    QLabel* made = label.get();
    made->setParent(&parent);
    label.release();
    EXPECT_EQ(made->geometry(), QRect(3, 4, 50, 20));
    EXPECT_EQ(parent.findChild<QLabel*>("title"), made);
    EXPECT_TRUE(makeView(QRect())->objectName().isEmpty());
    EXPECT_EQ(makeView(QRect())->geometry(), QRect());
}

TEST(ViewConstructionTest, RemoveAllSubviewsHandsThemOverInOrder)
{
    QWidget parent;
    auto* a = new QWidget(&parent);
    auto* b = new QLabel(&parent);
    auto removed = removeAllSubviews(&parent);
    ASSERT_EQ(removed.size(), 2u);
    EXPECT_EQ(removed[0].get(), a);
    EXPECT_EQ(removed[1].get(), b);
    EXPECT_EQ(a->parentWidget(), nullptr);
    EXPECT_TRUE(parent.findChildren<QWidget*>().isEmpty());
    QPointer<QWidget> watched = a;
    removed.clear();
    EXPECT_TRUE(watched.isNull());
}

// ---- key views ------------------------------------------------------------------------------

TEST(KeyViewTest, SequenceClosesIntoACycle)
{
    QWidget window;
    auto* a = new QLineEdit(&window);
    auto* b = new QLineEdit(&window);
    auto* c = new QLineEdit(&window);
    auto* outside = new QLineEdit(&window);
    QWidget* const views[] = {a, b, c};
    setNextKeyViewSequence(views);
    EXPECT_EQ(nextKeyView(a), b);
    EXPECT_EQ(nextKeyView(b), c);
    EXPECT_EQ(nextKeyView(c), a);
    EXPECT_EQ(nextKeyView(outside), nullptr);

    QWidget* const single[] = {outside};
    setNextKeyViewSequence(single);
    EXPECT_EQ(nextKeyView(outside), outside);
    setNextKeyViewSequence({});

    window.show();
    window.activateWindow();
    processEvents();
    c->setFocus();
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(c, &tab);
    EXPECT_TRUE(a->hasFocus()) << "Tab from the last goes to the first, not to the view after it";
    QKeyEvent backtab(QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    QApplication::sendEvent(a, &backtab);
    EXPECT_TRUE(c->hasFocus());
}

// ---- queries --------------------------------------------------------------------------------

TEST(ViewQueryTest, SubviewsListChildrenBeforeDeeperMatches)
{
    QWidget v;
    auto* a = new QWidget(&v);
    a->setObjectName("a");
    auto* x = new QWidget(a);
    x->setObjectName("x");
    auto* b = new QWidget(&v);
    b->setObjectName("b");
    auto* y = new QWidget(b);
    y->setObjectName("y");
    auto* z = new QWidget(x);
    z->setObjectName("z");

    auto names = [](const std::vector<QWidget*>& views) {
        QStringList list;
        for (QWidget* view : views)
            list.append(view->objectName());
        return list.join(',');
    };
    EXPECT_EQ(names(subviews(&v, [](QWidget*) { return true; })), "a,b,x,z,y");
    EXPECT_EQ(names(subviews(&v, [](QWidget* w) { return w->objectName() != "a"; })), "b,x,z,y");
    EXPECT_TRUE(subviews(&v, [](QWidget*) { return false; }).empty());
    EXPECT_EQ(firstSubview(&v, [](QWidget* w) { return w->objectName() == "y"; }), y);
    EXPECT_EQ(firstSubview(&v, [](QWidget*) { return false; }), nullptr);

    // The receiver itself is never tested.
    EXPECT_EQ(firstSuperview(z, [](QWidget*) { return true; }), x);
    EXPECT_EQ(firstSuperview(z, [](QWidget* w) { return w->objectName() == "a"; }), a);
    EXPECT_EQ(firstSuperview(&v, [](QWidget*) { return true; }), nullptr);
}

TEST(ViewQueryTest, FirstSuperviewOfAType)
{
    QFrame frame;
    auto* label = new QLabel(&frame); // QLabel is itself a QFrame
    auto* inner = new QWidget(label);
    EXPECT_EQ(firstSuperview<QFrame>(inner), label);
    EXPECT_EQ(firstSuperview<QLabel>(label), nullptr);
    EXPECT_EQ(firstSuperview<QFrame>(label), &frame);
}

TEST(ViewQueryTest, FirstResponderInCurrentWindow)
{
    QWidget window;
    auto* field = new QLineEdit(&window);
    auto* button = new QPushButton("B", &window);
    auto* combo = new QComboBox(&window);
    combo->setEditable(true);
    window.show();
    window.activateWindow();
    processEvents();

    field->setFocus();
    EXPECT_TRUE(isFirstResponderInCurrentWindow(field));
    EXPECT_FALSE(isFirstResponderInCurrentWindow(button));
    EXPECT_FALSE(isFirstResponderInCurrentWindow(combo));

    combo->lineEdit()->setFocus();
    EXPECT_TRUE(isFirstResponderInCurrentWindow(combo)) << "an editable combo box edits in its line edit";
    EXPECT_FALSE(isFirstResponderInCurrentWindow(field));

    QLineEdit alone;
    EXPECT_FALSE(isFirstResponderInCurrentWindow(&alone));
}

TEST(ViewQueryTest, SinglePixelLineWidth)
{
    QWidget notShown;
    EXPECT_EQ(singlePixelLineWidth(&notShown), 1.0);
    QWidget window;
    auto* child = new QWidget(&window);
    window.show();
    processEvents();
    ASSERT_NE(window.windowHandle(), nullptr);
    EXPECT_DOUBLE_EQ(singlePixelLineWidth(child), 1.0 / window.windowHandle()->devicePixelRatio());
}

TEST(ViewQueryTest, Snapshots)
{
    QWidget parent;
    auto* view = new QWidget(&parent);
    view->setGeometry(5, 6, 40, 30);
    view->setAutoFillBackground(true);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, Qt::red);
    view->setPalette(palette);

    const auto image = snapshotImage(view);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->deviceIndependentSize().toSize(), QSize(40, 30));
    EXPECT_EQ(image->toImage().pixelColor(10, 10), QColor(Qt::red));

    const auto label = snapshotView(view);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->geometry(), QRect(5, 6, 40, 30));

    view->resize(0, 30);
    EXPECT_FALSE(snapshotImage(view).has_value());
    EXPECT_EQ(snapshotView(view), nullptr);
}

// ---- text -------------------------------------------------------------------------------------

TEST(TextRangeTest, TheWholeTextInUtf16Units)
{
    const std::pair<QString, qsizetype> cases[] = {
        {"", 0}, {"Zindle", 6}, {QString::fromUtf8("h\u00e9llo"), 5}, {QString::fromUtf8("a\U0001F600b"), 4}};
    for (const auto& [text, length] : cases) {
        const TextRange range = nsRange(text);
        EXPECT_EQ(range, (TextRange{0, length})) << text.toStdString();
        EXPECT_EQ(text.mid(range.location, range.length), text);
    }
}

TEST(VerticallyCenteredTextTest, OnlyTheTopMoves)
{
    struct Case {
        QRectF rect;
        double measured;
        QRectF expected;
    };
    const Case cases[] = {
        {{0, 100, 50, 20}, 14, {0, 103, 50, 20}},
        {{7, 0, 80, 40}, 40, {7, 0, 80, 40}},
        {{0, 0, 80, 10}, 30, {0, -10, 80, 10}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(verticallyCenteredRect(c.rect, c.measured), c.expected);
}

/// The first and last rows holding ink in image.
std::pair<int, int> inkRows(const QImage& image)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}

TEST(VerticallyCenteredTextTest, TextMovesDownByHalfTheSpareHeight)
{
    auto draw = [](int height) {
        QImage image(120, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QFont font = painter.font();
        font.setPixelSize(14);
        painter.setFont(font);
        painter.setPen(Qt::black);
        drawVerticallyCentered(painter, QStringLiteral("Hg"), QRectF(0, 0, 120, height));
        return image;
    };
    const QImage small = draw(40);
    const QImage tall = draw(80);
    small.save(QStringLiteral("vertically-centered-40.png"));
    tall.save(QStringLiteral("vertically-centered-80.png"));
    const auto [smallTop, smallBottom] = inkRows(small);
    const auto [tallTop, tallBottom] = inkRows(tall);
    ASSERT_GE(smallTop, 0);
    EXPECT_EQ(tallTop - smallTop, 20);
    EXPECT_EQ(tallBottom - smallBottom, 20);
    // The ink sits about the middle: neither margin is more than a descent away from the other.
    EXPECT_LE(std::abs(smallTop - (small.height() - 1 - smallBottom)), 6);
}

// ---- built in code ----------------------------------------------------------------------------

class Panel : public XiblessView {
public:
    explicit Panel(QString title) : title_(std::move(title)) {}
    int setups = 0;
    QLabel* label = nullptr;

protected:
    void setupView() override
    {
        ++setups;
        label = new QLabel(title_, this);
    }

private:
    QString title_;
};

TEST(XiblessTest, SetupRunsOnceRightAfterMaking)
{
    const auto panel = XiblessView::make<Panel>("Title");
    EXPECT_EQ(panel->setups, 1);
    ASSERT_NE(panel->label, nullptr);
    EXPECT_EQ(panel->label->text(), "Title");
    panel->show();
    processEvents();
    EXPECT_EQ(panel->setups, 1);
}

TEST(XiblessTest, SetupRunsBeforeShowingWhenMadeOtherwise)
{
    Panel panel("Plain");
    EXPECT_EQ(panel.setups, 0);
    EXPECT_FALSE(panel.isSetUp());
    panel.show();
    EXPECT_EQ(panel.setups, 1);
    EXPECT_TRUE(panel.isSetUp());
}

class DefaultPanel : public XiblessView {
public:
    bool built = false;

protected:
    void setupView() override { built = true; }
};

TEST(XiblessTest, ControllerMakesItsViewLazilyAndOwnsItUntilPlaced)
{
    QPointer<QWidget> view;
    {
        XiblessVC<DefaultPanel> controller;
        EXPECT_FALSE(controller.isViewLoaded());
        DefaultPanel* content = controller.contentView();
        EXPECT_TRUE(controller.isViewLoaded());
        EXPECT_TRUE(content->built);
        EXPECT_EQ(controller.view(), content);
        view = content;
    }
    EXPECT_TRUE(view.isNull()) << "an unplaced view goes with its controller";

    QWidget window;
    {
        XiblessVC<QLabel> controller;
        controller.view()->setParent(&window);
        view = controller.view();
    }
    EXPECT_FALSE(view.isNull()) << "a placed view belongs to its parent";
}

} // namespace
