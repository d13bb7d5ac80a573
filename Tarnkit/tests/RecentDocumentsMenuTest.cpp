#include "Tarnkit/Foundation/DocumentController.h"
#include "Tarnkit/Foundation/MenuItemAttributes.h"
#include "Tarnkit/Foundation/RecentDocumentsMenuDelegate.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPixmap>
#include <QTemporaryDir>

#include <map>
#include <optional>
#include <vector>

namespace {

using namespace tarnkit;

/// The icons of the desktop, as a test sets them; a URL without one reads as unreadable.
class IconDelegate : public RecentDocumentsMenuDelegate {
public:
    std::map<QString, std::optional<QIcon>> icons;
    QIcon fallback = iconOfSizes({{16, 16}});

    static QIcon iconOfSizes(const std::vector<QSize>& sizes)
    {
        QIcon icon;
        for (const QSize& size : sizes) {
            QPixmap pixmap(size);
            pixmap.fill(Qt::red);
            icon.addPixmap(pixmap);
        }
        return icon;
    }

protected:
    std::optional<QIcon> effectiveIcon(const QUrl& url) const override
    {
        const auto found = icons.find(url.toLocalFile());
        return found == icons.end() ? std::optional<QIcon>(fallback) : found->second;
    }
};

class RecentDocumentsMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        controller().clearRecentDocuments(nullptr);
    }
    void TearDown() override { controller().clearRecentDocuments(nullptr); }

    static DocumentController& controller() { return DocumentController::shared(); }

    QUrl makeFile(const QString& relative)
    {
        const QString path = folder.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return QUrl::fromLocalFile(path);
    }

    /// Notes the URLs so that the first listed is the newest.
    static void noteRecents(const std::vector<QUrl>& newestFirst)
    {
        for (auto it = newestFirst.rbegin(); it != newestFirst.rend(); ++it)
            controller().noteNewRecentDocumentURL(*it);
    }

    static void expectSeparatorAndClearItem(const QList<QAction*>& tail)
    {
        ASSERT_EQ(tail.size(), 2);
        EXPECT_TRUE(tail[0]->isSeparator());
        EXPECT_EQ(menuItem::tag(tail[0]), 0);
        EXPECT_EQ(tail[1]->text(), "Clear Recent Documents");
        EXPECT_EQ(menuItem::action(tail[1]), Selector{"clearRecentDocuments"});
        EXPECT_EQ(menuItem::target(tail[1]), nullptr);
        EXPECT_TRUE(tail[1]->shortcut().isEmpty());
    }

    QTemporaryDir folder;
    IconDelegate delegate;
    QMenu menu;
};

TEST_F(RecentDocumentsMenuTest, WithoutDocumentsOnlyTheSeparatorAndTheClearItem)
{
    delegate.menuNeedsUpdate(&menu);
    expectSeparatorAndClearItem(menu.actions());
}

TEST_F(RecentDocumentsMenuTest, DeletedFilesAreLeftOutAndTheListKept)
{
    const QUrl first = makeFile("first.txt");
    const QUrl second = makeFile("second.txt");
    noteRecents({first, second});
    QFile::remove(first.toLocalFile());
    QFile::remove(second.toLocalFile());

    delegate.menuNeedsUpdate(&menu);
    expectSeparatorAndClearItem(menu.actions());
    EXPECT_EQ(controller().recentDocumentURLs().size(), 2);
}

TEST_F(RecentDocumentsMenuTest, ExistingDocumentsInOrderWithTheirUrlsAndTheDelegateAsTarget)
{
    const QUrl kept = makeFile("kept.zdl");
    const QUrl missing = QUrl::fromLocalFile(folder.filePath("missing.zdl"));
    const QUrl other = makeFile("sub/other.zdl");
    noteRecents({kept, missing, other});

    delegate.menuNeedsUpdate(&menu);
    const auto items = menu.actions();
    ASSERT_EQ(items.size(), 4);
    const std::pair<QString, QUrl> expected[] = {{"kept.zdl", kept}, {"other.zdl", other}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(items[i]->text(), expected[i].first);
        EXPECT_EQ(items[i]->data().toUrl(), expected[i].second);
        EXPECT_EQ(menuItem::target(items[i]), &delegate);
        EXPECT_EQ(menuItem::action(items[i]), Selector{"openRecentDocument"});
        EXPECT_TRUE(items[i]->shortcut().isEmpty());
    }
    expectSeparatorAndClearItem(items.mid(2));
}

TEST_F(RecentDocumentsMenuTest, SameNameInTwoFoldersOpensEachItsOwn)
{
    const QUrl a = makeFile("a/song.zdl");
    const QUrl b = makeFile("b/song.zdl");
    noteRecents({a, b});
    std::vector<QUrl> opened;
    std::vector<bool> displayed;
    QObject::connect(&controller(), &DocumentController::openDocumentRequested, &menu,
                     [&](const QUrl& url, bool display) {
                         opened.push_back(url);
                         displayed.push_back(display);
                     });

    delegate.menuNeedsUpdate(&menu);
    const auto items = menu.actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0]->text(), items[1]->text());
    items[1]->trigger();
    items[0]->trigger();
    EXPECT_EQ(opened, (std::vector<QUrl>{b, a}));
    EXPECT_EQ(displayed, (std::vector<bool>{true, true}));
}

TEST_F(RecentDocumentsMenuTest, ItemImagesKeepOnlySmallRepresentations)
{
    struct Case {
        const char* name;
        std::vector<QSize> icon;
        std::vector<QSize> kept;
    };
    const Case cases[] = {
        {"16, 32 and 512", {{16, 16}, {32, 32}, {512, 512}}, {{16, 16}}},
        {"narrow but tall stays", {{16, 512}, {32, 32}}, {{16, 512}}},
        {"short but wide stays", {{512, 16}}, {{512, 16}}},
        {"17 is too big", {{17, 17}}, {}},
        {"nothing small", {{32, 32}, {512, 512}}, {}},
    };
    const QUrl url = makeFile("pic.zdl");
    noteRecents({url});
    for (const Case& c : cases) {
        delegate.icons[url.toLocalFile()] = IconDelegate::iconOfSizes(c.icon);
        delegate.menuNeedsUpdate(&menu);
        ASSERT_EQ(menu.actions().size(), 3) << c.name;
        const QIcon image = menu.actions().front()->icon();
        auto sizes = image.availableSizes();
        EXPECT_EQ(std::vector<QSize>(sizes.begin(), sizes.end()), c.kept) << c.name;
    }
}

TEST_F(RecentDocumentsMenuTest, UnreadableIconLeavesTheDocumentOut)
{
    const QUrl readable = makeFile("readable.zdl");
    const QUrl unreadable = makeFile("unreadable.zdl");
    noteRecents({readable, unreadable});
    delegate.icons[unreadable.toLocalFile()] = std::nullopt;

    delegate.menuNeedsUpdate(&menu);
    ASSERT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions().front()->text(), "readable.zdl");
}

// Without a test's icons: the desktop's own, read for each file that exists.
TEST_F(RecentDocumentsMenuTest, TheDesktopsIconOfEachDocumentIsRead)
{
    const QUrl url = makeFile("notes.txt");
    noteRecents({url});
    RecentDocumentsMenuDelegate desktop;
    desktop.menuNeedsUpdate(&menu);
    ASSERT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions().front()->text(), "notes.txt");
    EXPECT_FALSE(menu.actions().front()->icon().isNull());
}

TEST_F(RecentDocumentsMenuTest, RebuildsEachTimeTheMenuIsAboutToShow)
{
    setMenuDelegate(&menu, &delegate);
    menu.addAction("Added by the application");
    emit menu.aboutToShow();
    expectSeparatorAndClearItem(menu.actions());

    noteRecents({makeFile("late.zdl")});
    emit menu.aboutToShow();
    ASSERT_EQ(menu.actions().size(), 3);
    EXPECT_EQ(menu.actions().front()->text(), "late.zdl");
}

TEST_F(RecentDocumentsMenuTest, ClearItemReachesTheDocumentControllerThroughTheResponderChain)
{
    noteRecents({makeFile("one.zdl"), makeFile("two.zdl")});
    delegate.menuNeedsUpdate(&menu);
    ASSERT_EQ(menu.actions().size(), 4);

    menuItem::updateAutoenabledItems(&menu);
    EXPECT_TRUE(menu.actions().last()->isEnabled());
    menu.actions().last()->trigger();
    EXPECT_TRUE(controller().recentDocumentURLs().isEmpty());
}

TEST_F(RecentDocumentsMenuTest, OpeningSomethingThatIsNotAUrlDoesNothing)
{
    int requests = 0;
    QObject::connect(&controller(), &DocumentController::openDocumentRequested, &menu, [&] { ++requests; });
    QAction notAUrl("x");
    notAUrl.setData(QStringLiteral("/tmp/file.zdl"));
    delegate.openRecentDocument(&notAUrl);
    delegate.openRecentDocument(nullptr);
    EXPECT_EQ(requests, 0);
}

TEST(DocumentControllerTest, RecentListIsNewestFirstWithoutDuplicatesAndBounded)
{
    DocumentController controller;
    for (int i = 0; i < DocumentController::maximumRecentDocumentCount + 3; ++i)
        controller.noteNewRecentDocumentURL(QUrl::fromLocalFile(QStringLiteral("/d/%1").arg(i)));
    controller.noteNewRecentDocumentURL(QUrl::fromLocalFile("/d/5"));
    const auto& urls = controller.recentDocumentURLs();
    ASSERT_EQ(urls.size(), DocumentController::maximumRecentDocumentCount);
    EXPECT_EQ(urls.front(), QUrl::fromLocalFile("/d/5"));
    EXPECT_EQ(urls[1], QUrl::fromLocalFile("/d/12"));
    EXPECT_EQ(urls.count(QUrl::fromLocalFile("/d/5")), 1);
}

} // namespace
