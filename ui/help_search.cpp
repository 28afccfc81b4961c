#include "ui/help_search.h"

#include <algorithm>

#include "settings/numeric.h"

namespace orrelume {

namespace {

bool Separates(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == ',' || c == ';' || c == '"';
}

int CountOccurrences(const std::string& haystack, const std::string& needle) {
    int count = 0;
    for (size_t at = haystack.find(needle); at != std::string::npos;
         at = haystack.find(needle, at + needle.size())) {
        ++count;
    }
    return count;
}

}  // namespace

std::vector<std::string> QueryWords(std::string_view query) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : query) {
        if (Separates(c)) {
            if (!word.empty()) words.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(std::move(word));
    return words;
}

std::vector<ManualHit> SearchManual(const std::vector<ManualPage>& pages, std::string_view query) {
    std::vector<std::string> words = QueryWords(query);
    for (std::string& w : words)
        w = ToUpperAscii(w);
    std::vector<ManualHit> hits;
    if (words.empty()) return hits;
    for (size_t i = 0; i < pages.size(); ++i) {
        const std::string text = ToUpperAscii(pages[i].title + "\n" + pages[i].text);
        int total = 0;
        bool all = true;
        for (const std::string& w : words) {
            const int n = CountOccurrences(text, w);
            if (n == 0) {
                all = false;
                break;
            }
            total += n;
        }
        if (all) hits.push_back({i, total});
    }
    // Most hits first, then in the pages' order (a plain sort with the order
    // as a tie-break: the stable sort's buffer trips the address sanitizer
    // of the standard library in use).
    std::sort(hits.begin(), hits.end(), [](const ManualHit& a, const ManualHit& b) {
        return a.hits != b.hits ? a.hits > b.hits : a.page < b.page;
    });
    return hits;
}

}  // namespace orrelume
