// Finding text in the manual: the pages that hold every word of a query,
// in any case, the page with the most hits first.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orrelume {

struct ManualPage {
    std::string file;   // "properties.html"
    std::string title;  // the page's title
    std::string text;   // its text without markup
};

struct ManualHit {
    size_t page = 0;  // index into the pages searched
    int hits = 0;     // occurrences of the query's words on the page
};

// The words of a query: separated by blanks, commas and the like; quotes
// are dropped.
std::vector<std::string> QueryWords(std::string_view query);

// The pages that contain every word of `query` (letters compared without
// case), by hits (most first), then in the pages' order. No words, no hits.
std::vector<ManualHit> SearchManual(const std::vector<ManualPage>& pages, std::string_view query);

}  // namespace orrelume
