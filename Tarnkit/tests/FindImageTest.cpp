#include "Tarnkit/Foundation/BaseStyle.h"
#include "Tarnkit/Foundation/Image.h"

#include <gtest/gtest.h>

namespace {

using tarnkit::ImageRef;
using tarnkit::ImageTable;
using State = tarnkit::StyledControlState;

ImageRef named(const char* name)
{
    return std::make_shared<const tarnkit::Image>(QString::fromLatin1(name), QImage(), QImage());
}

QString nameOf(const ImageRef& image)
{
    return image ? image->name() : QStringLiteral("none");
}

// A table with one entry per key, each image named after its key.
ImageTable table(std::initializer_list<std::pair<State, const char*>> entries)
{
    ImageTable images;
    for (const auto& [key, name] : entries)
        images[key] = named(name);
    return images;
}

struct Case {
    const char* what;
    ImageTable images;
    State state;
    const char* expected;
};

class FindImage : public ::testing::Test {
protected:
    tarnkit::BaseStyle style_;
};

TEST_F(FindImage, PicksTheExactKeyElseTheBestSubsetElseDefault)
{
    const ImageTable button = table({{State::defaultState, "A"}, {State::on, "B"}, {State::highlighted, "C"}});
    const Case cases[] = {
        {"an empty table gives none", {}, State::defaultState, "none"},
        {"an empty table gives none for the empty state too", {}, State(), "none"},
        {"exact key", button, State::on, "B"},
        {"default is found exactly", table({{State::defaultState, "A"}, {State::focused, "F"}}), State::defaultState, "A"},
        {"a flag the state lacks is never chosen", table({{State::defaultState, "A"}, {State::focused, "F"}}),
         State::defaultState | State::disabled, "A"},
        {"default with on prefers on", button, State::defaultState | State::on, "B"},
        {"default is no subset of disabled: fall back to default", table({{State::defaultState, "A"}}), State::disabled, "A"},
        {"no candidate and no default gives none", table({{State::on, "B"}}), State::disabled, "none"},
        {"the empty state takes default even when other keys exist", button, State(), "A"},
        {"the empty state takes an empty key exactly", table({{State(), "Z"}, {State::defaultState, "A"}}), State(), "Z"},
        {"the empty state without default gives none", table({{State::on, "B"}}), State(), "none"},
        {"two points beat one", table({{State::defaultState, "A"}, {State::on, "B"}, {State::on | State::highlighted, "BC"},
                                       {State::highlighted, "C"}}),
         State::defaultState | State::on | State::highlighted | State::focused, "BC"},
        {"unnamed bits must also lie in the state", table({{State::defaultState, "A"}, {State(State::on.rawValue() | 256), "U"}}),
         State::defaultState | State::on, "A"},
        {"unnamed bits of the state do not hide a subset", button, State(State::defaultState.rawValue() | State::on.rawValue() | 512), "B"},
        {"default scores nothing: a flag alone beats default with nothing", table({{State::defaultState, "A"}, {State::mixed, "M"}}),
         State::defaultState | State::mixed | State::invalid, "M"},
        {"a key with default and a flag scores as the flag alone, first met wins",
         table({{State::defaultState | State::on, "DB"}, {State::on, "B"}}), State::defaultState | State::on | State::mixed, "B"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nameOf(style_.findImage(c.state, c.images)), QString::fromLatin1(c.expected)) << c.what;
}

// Equal scores go to the key met first, and a table is walked by ascending raw value: the
// lower flag wins, wherever it was inserted.
TEST_F(FindImage, TiesGoToTheLowerKey)
{
    const Case cases[] = {
        {"highlighted (8) before on (32)", table({{State::on, "B"}, {State::highlighted, "C"}, {State::defaultState, "A"}}),
         State::defaultState | State::on | State::highlighted, "C"},
        {"highlighted (8) before mixed (64)",
         table({{State::mixed, "M"}, {State::highlighted, "C"}, {State::defaultState, "A"}}),
         State::defaultState | State::mixed | State::highlighted, "C"},
        {"disabled (2) before everything", table({{State::invalid, "I"}, {State::disabled, "D"}}),
         State::disabled | State::invalid, "D"},
        {"two-point keys too: on+selected (36) before focused+invalid (144)",
         table({{State::focused | State::invalid, "FI"}, {State::on | State::selected, "OS"}}),
         State::focused | State::invalid | State::on | State::selected, "OS"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nameOf(style_.findImage(c.state, c.images)), QString::fromLatin1(c.expected)) << c.what;

    // The same entries inserted in the other order give the same answer.
    ImageTable reversed;
    reversed[State::highlighted] = named("C");
    reversed[State::on] = named("B");
    EXPECT_EQ(nameOf(style_.findImage(State::on | State::highlighted | State::defaultState, reversed)), "C");
}

TEST_F(FindImage, ReturnsTheStoredObjectItself)
{
    const ImageTable images = table({{State::defaultState, "A"}, {State::on, "B"}});
    EXPECT_EQ(style_.findImage(State::on, images), images.at(State::on));
    EXPECT_EQ(style_.findImage(State::on | State::defaultState, images), images.at(State::on));
    EXPECT_EQ(style_.findImage(State(), images), images.at(State::defaultState));
}

} // namespace
