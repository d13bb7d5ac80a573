#include "Tarnkit/Foundation/Alert.h"
#include "Tarnkit/Foundation/Binding.h"
#include "Tarnkit/Foundation/BundleInfo.h"
#include "Tarnkit/Foundation/CollectionHelpers.h"
#include "Tarnkit/Foundation/ContextMenu.h"
#include "Tarnkit/Foundation/ControlAction.h"
#include "Tarnkit/Foundation/Dragging.h"
#include "Tarnkit/Foundation/MouseEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <list>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// ---- bindings ----------------------------------------------------------------------------

TEST(Binding, OptionalViewIgnoresAnAbsentValue)
{
    int stored = 3;
    const tarnkit::Binding<int> base([&] { return stored; }, [&](const int& v) { stored = v; });
    const auto optional = base.asOptional();
    EXPECT_EQ(optional.get(), std::optional<int>(3));
    optional.set(7);
    EXPECT_EQ(stored, 7);
    optional.set(std::nullopt);
    EXPECT_EQ(stored, 7);
}

TEST(Binding, WritesWithoutAnimationOnlyThroughTheAdapter)
{
    int stored = 0;
    std::vector<bool> animationsDisabled;
    const tarnkit::Binding<int> base([&] { return stored; },
                                     [&](const int& v) {
                                         stored = v;
                                         animationsDisabled.push_back(tarnkit::Transaction::current().disablesAnimations);
                                     });
    base.disablingAnimations().set(1);
    base.set(2);
    EXPECT_EQ(stored, 2);
    EXPECT_EQ(base.disablingAnimations().get(), 2);
    EXPECT_EQ(animationsDisabled, (std::vector<bool>{true, false}));
    EXPECT_FALSE(tarnkit::Transaction::current().disablesAnimations); // restored after the write
}

TEST(Binding, RestoresTheTransactionWhenTheWriteThrows)
{
    const tarnkit::Binding<int> throwing([] { return 0; }, [](const int&) { throw std::runtime_error("refused"); });
    EXPECT_THROW(throwing.disablingAnimations().set(1), std::runtime_error);
    EXPECT_FALSE(tarnkit::Transaction::current().disablesAnimations);
}

// ---- bundle information -------------------------------------------------------------------

TEST(BundleInfo, ReadsStringsAndNothingElse)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile info(QDir(dir.path()).filePath("Info.json"));
    ASSERT_TRUE(info.open(QIODevice::WriteOnly));
    info.write(R"({"CFBundleShortVersionString": "2.1", "CFBundleVersion": 57, "CFBundleName": "Zindle",
                   "CFBundleDisplayName": "", "TeamIdentifierPrefix": ["X"]})");
    info.close();
    const auto bundle = foundation::Bundle::open(dir.path().toStdString());
    ASSERT_TRUE(bundle.has_value());
    namespace info_ = tarnkit::bundleInfo;
    EXPECT_EQ(info_::shortVersion(*bundle), QString("2.1"));
    EXPECT_EQ(info_::name(*bundle), QString("Zindle"));
    EXPECT_EQ(info_::displayName(*bundle), QString("")); // present, though empty
    EXPECT_EQ(info_::version(*bundle), std::nullopt);    // a number, not a string
    EXPECT_EQ(info_::teamIdentifierPrefix(*bundle), std::nullopt);
    EXPECT_EQ(info_::infoString(*bundle, "Missing"), std::nullopt);
}

// ---- collections ---------------------------------------------------------------------------

TEST(Collection, HasAnElementOnlyInsideItsBounds)
{
    const std::vector<int> three{4, 5, 6};
    const struct {
        std::ptrdiff_t index;
        bool valid;
    } cases[] = {{-1, false}, {0, true}, {2, true}, {3, false}};
    for (const auto& c : cases)
        EXPECT_EQ(tarnkit::collection::hasElement(three, c.index), c.valid) << c.index;
    const std::vector<int> none;
    EXPECT_FALSE(tarnkit::collection::hasElement(none, 0));
    EXPECT_TRUE(std::ranges::empty(tarnkit::collection::range(none)));
    EXPECT_EQ(std::ranges::distance(tarnkit::collection::range(three)), 3);
}

TEST(Collection, IndexesOfMatchingElementsInOrder)
{
    const std::list<std::string> words{"a", "bb", "c", "dd"};
    EXPECT_EQ(tarnkit::collection::indexes(words, [](const std::string& w) { return w.size() == 2; }),
              (std::vector<std::ptrdiff_t>{1, 3}));
    EXPECT_THROW(tarnkit::collection::indexes(words, [](const std::string&) -> bool { throw std::logic_error("x"); }),
                 std::logic_error);
}

// ---- alerts --------------------------------------------------------------------------------

// Installs a presenter that answers with response and records the alerts it saw.
class AlertFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = tarnkit::setAlertPresenter([this](const tarnkit::Alert& alert) {
            shown.push_back(alert);
            return response;
        });
    }
    void TearDown() override { tarnkit::setAlertPresenter(previous_); }

    int response = tarnkit::Alert::firstButtonReturn;
    std::vector<tarnkit::Alert> shown;

private:
    tarnkit::AlertPresenter previous_;
};

TEST_F(AlertFixture, ConfirmationRunsTheActionOnlyForTheFirstButton)
{
    const struct {
        int response;
        int runs;
    } cases[] = {{1000, 1}, {1001, 0}, {tarnkit::Alert::closedResponse, 0}};
    for (const auto& c : cases) {
        response = c.response;
        int runs = 0;
        tarnkit::showConfirmationAlert("Delete?", "It cannot be undone.", "Delete", [&] { ++runs; });
        EXPECT_EQ(runs, c.runs) << c.response;
    }
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].messageText, "Delete?");
    EXPECT_EQ(shown[0].informativeText, "It cannot be undone.");
    EXPECT_EQ(shown[0].buttonTitles, (QStringList{"Delete", "Cancel"}));
}

TEST_F(AlertFixture, BasicAlertHasItsOneButtonAndAMadeAlertNone)
{
    tarnkit::showBasicModalAlert("Saved", "All is well.", "Fine");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].buttonTitles, QStringList{"Fine"});
    EXPECT_TRUE(tarnkit::Alert::make("m", "i").buttonTitles.isEmpty());
}

TEST(AlertDefaultPresenter, AnswersWithTheChosenButtonsPosition)
{
    // The real message box: choose "Cancel", the second button, from inside its modal loop.
    tarnkit::Alert alert = tarnkit::Alert::make("Delete?", "Really.");
    alert.buttonTitles << "Delete" << "Cancel";
    QString seenText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text() == "Cancel")
                button->click();
        }
    });
    EXPECT_EQ(alert.runModal(), 1001);
    EXPECT_EQ(seenText, "Delete?");
}

// ---- dragging ------------------------------------------------------------------------------

TEST(Dragging, CollectsTheItemsAsTheAskedClasses)
{
    QMimeData data;
    data.setUrls({QUrl("file:///a.wav"), QUrl("file:///b.wav")});
    data.setColorData(QColor(Qt::red));
    const auto urls = tarnkit::dragging::items<QUrl>(data);
    EXPECT_EQ(urls, (std::vector<QUrl>{QUrl("file:///a.wav"), QUrl("file:///b.wav")}));
    // A URL can be read as text too; the first asked class that fits wins, per item.
    const auto mixed = tarnkit::dragging::draggingItems(data, {QMetaType::fromType<QString>(), QMetaType::fromType<QColor>()});
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_EQ(mixed[0], QVariant(QString("file:///a.wav")));
    EXPECT_EQ(mixed[2].value<QColor>(), QColor(Qt::red));
    EXPECT_TRUE(tarnkit::dragging::items<QImage>(data).empty());
}

TEST(Dragging, ReadsTextWhenThereAreNoUrls)
{
    QMimeData data;
    data.setText("hello");
    EXPECT_EQ(tarnkit::dragging::items<QString>(data), std::vector<QString>{"hello"});
    EXPECT_TRUE(tarnkit::dragging::items<QUrl>(data).empty());
}

// ---- mouse events --------------------------------------------------------------------------

TEST(MouseEvents, AlternateClickIsARightPressOrAControlLeftPress)
{
    const struct {
        QEvent::Type type;
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        bool alternate;
    } cases[] = {
        {QEvent::MouseButtonPress, Qt::RightButton, Qt::NoModifier, true},
        {QEvent::MouseButtonPress, Qt::LeftButton, Qt::ControlModifier, true},
        {QEvent::MouseButtonPress, Qt::LeftButton, Qt::NoModifier, false},
        {QEvent::MouseButtonPress, Qt::LeftButton, Qt::AltModifier, false},
        {QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoModifier, false},
        {QEvent::MouseButtonPress, Qt::MiddleButton, Qt::ControlModifier, false},
        // The second press of a double click arrives as a double-click event: still a press.
        {QEvent::MouseButtonDblClick, Qt::RightButton, Qt::NoModifier, true},
        {QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::ControlModifier, true},
        {QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::NoModifier, false},
    };
    for (const auto& c : cases) {
        const QMouseEvent event(c.type, QPointF(1, 1), QPointF(1, 1), c.button, c.button, c.modifiers);
        EXPECT_EQ(tarnkit::mouseEvents::isAlternateClick(event), c.alternate)
            << int(c.type) << " " << int(c.button) << " " << int(c.modifiers);
    }
    EXPECT_FALSE(tarnkit::mouseEvents::isLeftButtonDown());
    EXPECT_FALSE(tarnkit::mouseEvents::isRightButtonDown());
}

// ---- context menu --------------------------------------------------------------------------

TEST(ContextMenu, PopsUpTheButtonsMenuBelowItsBottomLeftCorner)
{
    QWidget window;
    window.setGeometry(100, 100, 300, 200);
    auto* button = new QPushButton("More", &window);
    button->setGeometry(20, 30, 80, 24);
    QMenu menu;
    menu.addAction("First");
    button->setMenu(&menu);
    window.show();

    tarnkit::ContextMenuTarget target;
    tarnkit::setTarget(button, &target, tarnkit::Selector{"popUpContextMenuForButton"});
    tarnkit::sendAction(button);
    ASSERT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), button->mapToGlobal(QPoint(0, 24)));
    menu.hide();

    QPushButton plain;
    tarnkit::popUpContextMenu(&plain); // no menu: nothing
    EXPECT_EQ(tarnkit::buttonMenu(&plain), nullptr);
}

} // namespace
