#include "Mossbell/Links.h"

#include "QStringPrinter.h"

#include <gtest/gtest.h>

namespace {

using namespace mossbell;

TEST(Links, AreAbsoluteWebAddressesWithTheirFixedPaths)
{
    const struct {
        const char* what;
        const QUrl& url;
        const char* path;
    } cases[] = {
        {"site", links::vartlowSite(), "/"},
        {"Mastodon account", links::vartlowMastodonAccount(), "/@vartlow"},
        {"contact page", links::vartlowContactPage(), "/contact/"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.url.isValid()) << c.what;
        EXPECT_EQ(c.url.scheme(), "https") << c.what;
        EXPECT_FALSE(c.url.host().isEmpty()) << c.what;
        EXPECT_EQ(c.url.path(), c.path) << c.what;
        EXPECT_FALSE(c.url.hasQuery()) << c.what;
        EXPECT_FALSE(c.url.hasFragment()) << c.what;
    }
}

TEST(Links, SiteAndContactShareTheMakersHostTheAccountLiesElsewhere)
{
    EXPECT_EQ(links::vartlowContactPage().host(), links::vartlowSite().host());
    EXPECT_NE(links::vartlowMastodonAccount().host(), links::vartlowSite().host());
    EXPECT_EQ(links::vartlowContactPage(), links::vartlowSite().resolved(QUrl("contact/")));
}

TEST(Links, AreMadeOnce)
{
    EXPECT_EQ(&links::vartlowSite(), &links::vartlowSite());
    EXPECT_EQ(&links::vartlowMastodonAccount(), &links::vartlowMastodonAccount());
    EXPECT_EQ(&links::vartlowContactPage(), &links::vartlowContactPage());
}

} // namespace
