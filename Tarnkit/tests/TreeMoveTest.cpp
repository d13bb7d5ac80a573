#include "Tarnkit/Components/CollectionMoves.h"
#include "Tarnkit/Components/TreeMove.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tarnkit;

class Node final : public TreeItem {
public:
    explicit Node(QString id) : id_(std::move(id)) {}
    QString identifier() const override { return id_; }

private:
    QString id_;
};

// Nodes by name; "" is the root. A name may be made twice ("P" and "P'") to get two objects
// of one identifier: the prime is dropped from the identifier.
TreeItemRef node(const std::string& name)
{
    if (name.empty())
        return nullptr;
    static std::map<std::string, TreeItemRef> made;
    auto& found = made[name];
    if (!found) {
        QString id = QString::fromStdString(name);
        id.remove(QLatin1Char('\''));
        found = std::make_shared<Node>(id);
    }
    return found;
}

TreeMove mv(const std::string& item, const std::string& from, std::int64_t fromIndex, const std::string& to,
            std::int64_t toIndex)
{
    return TreeMove(node(item), node(from), fromIndex, node(to), toIndex);
}

std::vector<std::int64_t> previousIndexes(const std::vector<TreeMove>& moves)
{
    std::vector<std::int64_t> indexes;
    for (const TreeMove& move : moves)
        indexes.push_back(move.previousIndex());
    return indexes;
}

std::vector<QString> ids(const std::vector<TreeItemRef>& items)
{
    std::vector<QString> result;
    for (const TreeItemRef& item : items)
        result.push_back(item->identifier());
    return result;
}

void expectSameMoves(const std::vector<TreeMove>& a, const std::vector<TreeMove>& b)
{
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].item(), b[i].item());
        EXPECT_EQ(a[i].previousParent(), b[i].previousParent());
        EXPECT_EQ(a[i].previousIndex(), b[i].previousIndex());
        EXPECT_EQ(a[i].newParent(), b[i].newParent());
        EXPECT_EQ(a[i].newIndex(), b[i].newIndex());
    }
}

struct OffsetCase {
    const char* what;
    std::vector<TreeMove> moves;
    std::vector<std::int64_t> previousIndexes;
};

class TreeMoveOffsetTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(TreeMoveOffsetTest, CorrectsPreviousIndexesForTheEarlierMoves)
{
    const OffsetCase& c = GetParam();
    const std::vector<TreeMove> offset = TreeMove::offset(c.moves);
    EXPECT_EQ(previousIndexes(offset), c.previousIndexes);
    ASSERT_EQ(offset.size(), c.moves.size());
    for (std::size_t i = 0; i < offset.size(); ++i) { // nothing else changes, in or out
        EXPECT_EQ(offset[i].item(), c.moves[i].item());
        EXPECT_EQ(offset[i].previousParent(), c.moves[i].previousParent());
        EXPECT_EQ(offset[i].newParent(), c.moves[i].newParent());
        EXPECT_EQ(offset[i].newIndex(), c.moves[i].newIndex());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Batches, TreeMoveOffsetTest,
    ::testing::Values(
        OffsetCase{"empty", {}, {}},
        OffsetCase{"one move", {mv("a", "", 4, "P", 0)}, {4}},
        // a from root 0 to root 3, then b from root 2 into P: b came from one place higher.
        OffsetCase{"worked example", {mv("a", "", 0, "", 3), mv("b", "", 2, "P", 0)}, {0, 1}},
        OffsetCase{"both down under one parent", {mv("a", "P", 0, "P", 3), mv("b", "P", 1, "P", 4)}, {0, 0}},
        OffsetCase{"rule A compares indexes under whatever parent the later move left",
                   {mv("a", "P", 1, "P", 5), mv("b", "Q", 2, "P", 6)}, {1, 1}},
        OffsetCase{"equal previous indexes never decrement",
                   {mv("a", "P", 2, "P", 5), mv("b", "P", 2, "Q", 0), mv("c", "", 2, "", 8)}, {2, 2, 2}},
        OffsetCase{"going up triggers no rule A, but rule B still",
                   {mv("a", "P", 5, "P", 1), mv("b", "P", 6, "P", 9), mv("c", "P", 7, "Q", 0)}, {5, 6, 5}},
        OffsetCase{"decrements add up", {mv("a", "", 0, "P", 0), mv("b", "", 1, "P", 1), mv("c", "", 2, "P", 2)},
                   {0, 0, 0}},
        OffsetCase{"parents told apart by identifier", {mv("a", "P", 0, "Q", 0), mv("b", "P'", 3, "Q", 1)}, {0, 2}},
        OffsetCase{"the root and a node are different parents",
                   {mv("a", "", 0, "Q", 0), mv("b", "P", 3, "Q", 1)}, {0, 3}}));

TEST(TreeMoveTest, AnswersQueriesOverABatch)
{
    const std::vector<TreeMove> moves = {mv("a", "P", 0, "Q", 1), mv("b", "P'", 1, "", 2), mv("c", "R", 0, "P", 3)};
    EXPECT_EQ(ids(uniquePreviousParents(moves)), (std::vector<QString>{"P", "R"}));
    EXPECT_EQ(ids(uniqueNewParents(moves)), (std::vector<QString>{"Q", "P"}));
    EXPECT_EQ(ids(uniqueParents(moves)), (std::vector<QString>{"P", "Q", "R"}));
    EXPECT_EQ(uniqueParents(moves)[0], node("P")) << "the first occurrence is kept";
    EXPECT_TRUE(hasRootParents(moves));
    EXPECT_FALSE(hasRootParents(std::vector<TreeMove>{moves[0], moves[2]}));
    EXPECT_FALSE(hasRootParents(std::vector<TreeMove>{}));

    const std::vector<TreeMove> back = reversed(moves);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].item(), node("c"));
    EXPECT_EQ(back[0].previousParent(), node("P"));
    EXPECT_EQ(back[0].previousIndex(), 3);
    EXPECT_EQ(back[0].newParent(), node("R"));
    EXPECT_EQ(back[0].newIndex(), 0);
    expectSameMoves(reversed(back), moves);
}

// ---- collection moves -----------------------------------------------------------------------

using collection::IndexSet;

TEST(CollectionMovesTest, MovesByPositionByValueAndBySetOfPositions)
{
    struct Case {
        const char* what;
        std::function<bool(std::vector<std::string>&)> operation;
        bool done;
        std::vector<std::string> after;
    };
    const std::vector<std::string> start = {"a", "b", "c", "d"};
    const std::vector<Case> cases = {
        {"down", [](auto& v) { return collection::move(v, 0, 2); }, true, {"b", "c", "a", "d"}},
        {"up", [](auto& v) { return collection::move(v, 3, 1); }, true, {"a", "d", "b", "c"}},
        {"in place", [](auto& v) { return collection::move(v, 1, 1); }, true, start},
        {"from nowhere", [](auto& v) { return collection::move(v, 4, 0); }, false, start},
        {"to nowhere", [](auto& v) { return collection::move(v, 0, -1); }, false, start},
        {"by value", [](auto& v) { return collection::moveInPlace(v, std::string("c"), 0); }, true, {"c", "a", "b", "d"}},
        {"a missing value", [](auto& v) { return collection::moveInPlace(v, std::string("z"), 0); }, false, start},
        {"a set before the destination", [](auto& v) { return collection::move(v, IndexSet{0, 2}, 4); }, true,
         {"b", "d", "a", "c"}},
        {"a set around the destination", [](auto& v) { return collection::move(v, IndexSet{0, 3}, 2); }, true,
         {"b", "a", "d", "c"}},
        {"a set to the front", [](auto& v) { return collection::move(v, IndexSet{2, 3, 9}, 0); }, true,
         {"c", "d", "a", "b"}},
        {"a set past the end", [](auto& v) { return collection::move(v, IndexSet{1}, 5); }, false, start},
    };
    for (const Case& c : cases) {
        std::vector<std::string> elements = start;
        EXPECT_EQ(c.operation(elements), c.done) << c.what;
        EXPECT_EQ(elements, c.after) << c.what;
    }
    EXPECT_EQ(collection::move(start, std::string("a"), 3), (std::vector<std::string>{"b", "c", "d", "a"}));
    EXPECT_EQ(start, (std::vector<std::string>{"a", "b", "c", "d"})) << "the copying move leaves its source";
}

TEST(CollectionMovesTest, RemovesAppliesDifferencesAndReadsSafely)
{
    const std::vector<int> start = {10, 20, 30, 40};
    EXPECT_EQ(collection::remove(start, IndexSet{0, 2, 7}), (std::vector<int>{20, 40}));

    std::vector<int> elements = start;
    EXPECT_EQ(collection::removeAtIndexes(elements, IndexSet{-1, 1, 3, 4}), 2u);
    EXPECT_EQ(elements, (std::vector<int>{10, 30}));
    EXPECT_TRUE(collection::removeInPlace(elements, 30));
    EXPECT_FALSE(collection::removeInPlace(elements, 30));
    EXPECT_EQ(elements, std::vector<int>{10});

    elements = start;
    collection::CollectionDifference<int> difference{{{1, 20}, {3, 40}}, {{0, 5}, {3, 50}}};
    EXPECT_TRUE(collection::applyInPlace(elements, difference));
    EXPECT_EQ(elements, (std::vector<int>{5, 10, 30, 50}));
    collection::CollectionDifference<int> broken{{{9, 0}}, {}};
    EXPECT_FALSE(collection::applyInPlace(elements, broken));
    collection::CollectionDifference<int> tooFar{{}, {{8, 1}}};
    EXPECT_FALSE(collection::applyInPlace(elements, tooFar));
    EXPECT_EQ(elements, (std::vector<int>{5, 10, 30, 50})) << "a difference that does not apply changes nothing";

    ASSERT_NE(collection::safe(start, 3), nullptr);
    EXPECT_EQ(*collection::safe(start, 3), 40);
    EXPECT_EQ(collection::safe(start, 4), nullptr);
    EXPECT_EQ(collection::safe(start, -1), nullptr);

    struct Row {
        std::optional<int> value;
    };
    const std::vector<Row> rows = {{1}, {std::nullopt}, {3}};
    EXPECT_EQ(collection::compactMap(rows, &Row::value), (std::vector<int>{1, 3}));
}

} // namespace
