#include "settings/template_text.h"

#include <algorithm>
#include <bitset>
#include <cstring>

namespace orrelume {

namespace {

// Names longer than this are no section or key of the program; leaving them
// out of the indexes bounds their size on a hostile file.
constexpr size_t kMaxNameLength = 64;
// Headers kept per section name, distinct section names, and distinct keys
// per block. A real template has about 70 sections with one or two blocks
// each and fewer than 80 keys per block.
constexpr size_t kMaxBlocksPerSection = 64;
constexpr size_t kMaxSectionNames = 65536;
constexpr size_t kMaxKeysPerBlock = 16384;
// The scanning budget: a multiple of the text's size, far above what any
// load of a real template needs (at most three passes over a block).
constexpr size_t kBudgetPerByte = 8;
constexpr size_t kBaseBudget = size_t{64} << 20;

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n';
}
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
// The characters of the program's key names.
bool IsKeyCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}
bool IsKeyName(std::string_view key) {
    return !key.empty() && key.size() <= kMaxNameLength &&
           std::all_of(key.begin(), key.end(), IsKeyCharacter);
}

// Whether `pos` is the first character of its line other than blanks.
bool AtLineStart(std::string_view text, size_t pos) {
    while (pos > 0 && IsBlank(text[pos - 1]))
        --pos;
    return pos == 0 || IsLineBreak(text[pos - 1]);
}

}  // namespace

TemplateText::TemplateText(std::string text, std::span<const std::string_view> expectedKeys)
    : text_(std::move(text)), budget_(kBaseBudget + kBudgetPerByte * text_.size()) {
    for (std::string_view key : expectedKeys)
        Learn(key);
    IndexHeaders();
}

bool TemplateText::Spend(size_t bytes) {
    if (bytes > budget_) {
        budget_ = 0;
        return false;
    }
    budget_ -= bytes;
    return true;
}

bool TemplateText::Learn(std::string_view key) {
    if (!IsKeyName(key)) return false;
    if (known_.count(key) == 0) known_.insert(vocabulary_.emplace_back(key));
    return true;
}

void TemplateText::IndexHeaders() {
    const std::string_view text = text_;
    const char* const data = text.data();
    size_t pos = 0;
    while (pos < text.size()) {
        const void* found = std::memchr(data + pos, '[', text.size() - pos);
        if (found == nullptr) break;
        const size_t open = static_cast<size_t>(static_cast<const char*>(found) - data);

        // The name runs to the first "]" on the same line. A name holding a
        // "[" is no section name: the scan goes on from that "[".
        size_t close = open + 1;
        const size_t limit = std::min(text.size(), open + 2 + kMaxNameLength);
        while (close < limit && text[close] != ']' && text[close] != '[' &&
               !IsLineBreak(text[close]))
            ++close;
        pos = close < text.size() && text[close] == '[' ? close : open + 1;
        if (close >= limit || text[close] != ']') continue;

        const std::string_view name = text.substr(open + 1, close - open - 1);
        auto it = headers_.find(name);
        if (it == headers_.end()) {
            if (headers_.size() >= kMaxSectionNames) continue;
            Headers headers;
            headers.firstBody = close + 1;
            it = headers_.emplace(name, std::move(headers)).first;
        }
        if (AtLineStart(text, open) && it->second.lineBodies.size() < kMaxBlocksPerSection)
            it->second.lineBodies.push_back(close + 1);
    }
}

const std::vector<TemplateText::Block*>& TemplateText::BlocksOf(std::string_view section) {
    static const std::vector<Block*> kNone;
    const auto it = headers_.find(section);
    if (it == headers_.end()) return kNone;
    Headers& headers = it->second;
    if (!headers.resolved) {
        headers.resolved = true;
        if (headers.lineBodies.empty()) {
            headers.blocks.push_back(&BlockAt(headers.firstBody));
        } else {
            for (size_t body : headers.lineBodies)
                headers.blocks.push_back(&BlockAt(body));
        }
    }
    return headers.blocks;
}

TemplateText::Block& TemplateText::BlockAt(size_t begin) {
    auto it = blocks_.find(begin);
    if (it != blocks_.end()) return it->second;

    Block& block = blocks_[begin];
    block.begin = begin;
    block.end = BlockEnd(begin);

    // Blocks that share an end share its last line end: find it once.
    auto last = lastBreaks_.find(block.end);
    if (last == lastBreaks_.end()) {
        size_t found = std::string::npos;
        size_t pos = block.end;
        const size_t floor = block.end - std::min(block.end, budget_);
        for (; pos > floor; --pos) {
            if (IsLineBreak(text_[pos - 1])) {
                found = pos - 1;
                break;
            }
        }
        Spend(block.end - pos);
        last = lastBreaks_.emplace(block.end, found).first;
    }
    const bool hasLineEnd = last->second != std::string::npos && last->second >= begin;
    block.searchEnd = hasLineEnd ? last->second : begin;

    // The key lines start on the line after the header's: at the first line
    // end of the block, if it has one.
    size_t lineStart = block.end;
    if (hasLineEnd) {
        const size_t reach = std::min(block.searchEnd + 1 - begin, budget_);
        const char* const data = text_.data();
        const char* lf = static_cast<const char*>(std::memchr(data + begin, '\n', reach));
        // A CR counts only before the first LF.
        const size_t crReach = lf == nullptr ? reach : static_cast<size_t>(lf - (data + begin));
        const char* cr = static_cast<const char*>(std::memchr(data + begin, '\r', crReach));
        const char* first = cr != nullptr ? cr : lf;
        if (first != nullptr) lineStart = static_cast<size_t>(first - data);
        Spend(first != nullptr ? lineStart - begin : reach);
    }
    block.lines = &LinesOf(lineStart, block.end);
    return block;
}

size_t TemplateText::BlockEnd(size_t begin) {
    // A stretch scanned before that holds `begin` ends where it ended: a block
    // begins after a "]", never between a line end and the "[" that follows.
    auto next = scannedEnds_.upper_bound(begin);
    if (next != scannedEnds_.begin()) {
        const auto known = std::prev(next);
        if (begin < known->second) return known->second;
    }

    // The block ends where a line begins with "[" (after optional blanks). A
    // stretch scanned before that begins further on gives the end from there.
    const std::string_view text = text_;
    size_t end = text.size();
    size_t stop = text.size();
    if (next != scannedEnds_.end()) {
        stop = next->first;
        end = next->second;
    }
    // Past the budget the block is cut short.
    if (stop - begin > budget_) {
        stop = begin + budget_;
        end = stop;
    }
    size_t pos = begin;
    for (; pos < stop; ++pos) {
        if (!IsLineBreak(text[pos])) continue;
        size_t start = pos + 1;
        while (start < text.size() && IsBlank(text[start]))
            ++start;
        if (start < text.size() && text[start] == '[') {
            end = start;
            break;
        }
    }
    Spend(pos - begin);
    scannedEnds_[begin] = end;
    return end;
}

const TemplateText::KeyLines& TemplateText::LinesOf(size_t begin, size_t end) {
    const auto key = std::make_pair(begin, end);
    auto it = keyLines_.find(key);
    if (it != keyLines_.end()) return it->second;
    KeyLines& lines = keyLines_[key];
    if (!Spend(end - begin)) return lines;

    const std::string_view text = text_;
    size_t pos = begin;
    while (pos < end) {
        while (pos < end && IsLineBreak(text[pos]))
            ++pos;
        size_t start = pos;
        while (start < end && IsBlank(text[start]))
            ++start;
        size_t equals = start;
        const size_t limit = std::min(end, start + kMaxNameLength + 1);
        while (equals < limit && text[equals] != '=' && !IsLineBreak(text[equals]))
            ++equals;
        if (equals < limit && text[equals] == '=') {
            if (lines.first.size() >= kMaxKeysPerBlock) break;
            lines.first.emplace(text.substr(start, equals - start), equals + 1);
        }
        // On to the next line.
        pos = equals;
        while (pos < end && !IsLineBreak(text[pos]))
            ++pos;
    }
    return lines;
}

void TemplateText::IndexPlainKeys(Block& block) {
    // Only the names learnt since the block was last indexed.
    std::unordered_set<std::string_view> names;
    std::bitset<kMaxNameLength + 1> lengths;
    size_t longest = 0;
    for (size_t i = block.plainIndexed; i < vocabulary_.size(); ++i) {
        names.insert(vocabulary_[i]);
        lengths.set(vocabulary_[i].size());
        longest = std::max(longest, vocabulary_[i].size());
    }
    block.plainIndexed = vocabulary_.size();
    if (!Spend(block.searchEnd - block.begin)) return;

    // Every "=" ends a run of key characters; each name that is a tail of
    // that run is found there. Runs are separate, so one pass is linear.
    const std::string_view text = text_;
    const char* const data = text.data();
    size_t pos = block.begin;
    while (pos < block.searchEnd) {
        const void* found = std::memchr(data + pos, '=', block.searchEnd - pos);
        if (found == nullptr) break;
        const size_t equals = static_cast<size_t>(static_cast<const char*>(found) - data);
        for (size_t length = 1; length <= longest && equals >= block.begin + length; ++length) {
            if (!IsKeyCharacter(text[equals - length])) break;
            if (!lengths[length]) continue;
            const auto name = names.find(text.substr(equals - length, length));
            if (name != names.end()) block.plainKeys.emplace(*name, equals + 1);
        }
        pos = equals + 1;
    }
}

std::optional<std::string_view> TemplateText::ValueAt(size_t valueStart) const {
    const std::string_view text = text_;
    size_t end = valueStart;
    while (end < text.size() && !IsLineBreak(text[end]))
        ++end;
    if (end >= text.size()) return std::nullopt;
    return text.substr(valueStart, end - valueStart);
}

std::optional<std::string_view> TemplateText::Find(std::string_view section, std::string_view key) {
    const std::vector<Block*>& blocks = BlocksOf(section);
    if (blocks.empty() || key.empty()) return std::nullopt;

    // A key at the start of a line, in the first block that has it.
    for (const Block* block : blocks) {
        const auto it = block->lines->first.find(key);
        if (it != block->lines->first.end()) return ValueAt(it->second);
    }

    // Otherwise the key anywhere, as a plain search: a key preceded by other
    // characters on its line.
    if (Learn(key)) {
        for (Block* block : blocks) {
            if (block->plainIndexed < vocabulary_.size()) IndexPlainKeys(*block);
            const auto it = block->plainKeys.find(key);
            if (it != block->plainKeys.end()) return ValueAt(it->second);
        }
        return std::nullopt;
    }
    // A name the program never uses: searched for directly.
    const std::string needle = std::string(key) + "=";
    for (const Block* block : blocks) {
        if (!Spend(block->searchEnd - block->begin)) break;
        const std::string_view body =
            std::string_view(text_).substr(block->begin, block->searchEnd - block->begin);
        const size_t found = body.find(needle);
        if (found != std::string_view::npos) return ValueAt(block->begin + found + needle.size());
    }
    return std::nullopt;
}

}  // namespace orrelume
