// The manual's search: the pages that hold every word of a query, most hits
// first.
#include <gtest/gtest.h>

#include <vector>

#include "ui/help_search.h"

namespace orrelume {
namespace {

TEST(Manual, SearchFindsPagesHoldingEveryWord) {
    const std::vector<ManualPage> pages = {
        {"a.html", "Stars", "A star, a comet."},
        {"b.html", "Comets", "Comet tails; comet STARS and comet hues."},
        {"c.html", "Other", "Nothing here."},
    };
    const std::vector<ManualHit> hits = SearchManual(pages, "comet star");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].page, 1u);  // more hits first
    EXPECT_EQ(hits[1].page, 0u);
    EXPECT_TRUE(SearchManual(pages, "  ").empty());
    EXPECT_TRUE(SearchManual(pages, "comet nebula").empty());
}

}  // namespace
}  // namespace orrelume
