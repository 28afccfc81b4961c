// The text of a template file and how a value is found in it.
//
// A template is INI-like: "[" section "]" header lines, each followed by
// "key=value" lines. Templates come from other people and from editors, so
// the lookup is tolerant and cannot be misled by a value's own text:
//  - a section's block begins after its header and ends at the next line that
//    begins with "[" (a "[" inside a value does not end it);
//  - a header at the start of a line is preferred; a header found only inside
//    another line is used when there is no such line;
//  - a section may appear more than once: a key missing from its first block
//    is looked for in the later ones;
//  - a key at the start of a line is preferred over the same text inside a
//    value ("LockMessage=Adv_FontName=x" does not shadow "Adv_FontName");
//    a key preceded by other characters on its line is still found when no
//    line begins with it;
//  - the value runs to the end of its line: CR LF, LF or CR all end a line;
//    a value without a line end after it (the end of the file) is missing.
// Blanks and tabs before a header or a key at the start of a line are
// allowed.
//
// The text is indexed as it is looked up, so that the thousands of lookups of
// one load stay fast however large or hostile the file: the headers in one
// pass, each block's line-start keys in one pass, and the plain search for
// every key name the reader expects (and every key asked so far) in one more
// pass per block. A hostile file can still make blocks overlap; the work of
// all scans is therefore bounded by a multiple of the text's size, beyond
// which what is not yet scanned reads as missing.
#pragma once

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace orrelume {

class TemplateText {
  public:
    // `expectedKeys`: the key names the reader will ask for, so that a plain
    // search covers them all in one pass (others are learnt as asked).
    explicit TemplateText(std::string text, std::span<const std::string_view> expectedKeys = {});
    // The indexes refer into the text: a TemplateText stays where it is made.
    TemplateText(const TemplateText&) = delete;
    TemplateText& operator=(const TemplateText&) = delete;

    // The value of `key` in `section`, or nothing when the section, the key
    // or the value's line end is missing.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key);

    const std::string& Text() const { return text_; }

  private:
    struct Block;
    struct Headers {
        size_t firstBody = 0;            // after the "]" of the first header anywhere
        std::vector<size_t> lineBodies;  // after the "]" of each header at a line start
        std::vector<Block*> blocks;      // the section's blocks, once resolved
        bool resolved = false;
    };
    // The key lines of a stretch of text, from a line start to a block end.
    struct KeyLines {
        std::unordered_map<std::string_view, size_t> first;  // key -> its value's start
    };
    struct Block {
        size_t begin = 0;
        size_t end = 0;
        // A key found by the plain search must begin before the block's last
        // line end, or its value would have no line end.
        size_t searchEnd = 0;
        const KeyLines* lines = nullptr;
        // The plain search's first find of each key name of the vocabulary
        // (key -> its value's start), for the first `plainIndexed` names.
        std::unordered_map<std::string_view, size_t> plainKeys;
        size_t plainIndexed = 0;
    };

    void IndexHeaders();
    const std::vector<Block*>& BlocksOf(std::string_view section);
    Block& BlockAt(size_t begin);
    size_t BlockEnd(size_t begin);
    const KeyLines& LinesOf(size_t begin, size_t end);
    void IndexPlainKeys(Block& block);
    bool Learn(std::string_view key);
    std::optional<std::string_view> ValueAt(size_t valueStart) const;
    // Takes `bytes` from the scanning budget; false once it is spent.
    bool Spend(size_t bytes);

    std::string text_;
    size_t budget_;
    std::unordered_map<std::string_view, Headers> headers_;
    std::unordered_map<size_t, Block> blocks_;
    // Stretches already scanned for a block end: start -> the end found, so
    // that blocks sharing a stretch scan it once.
    std::map<size_t, size_t> scannedEnds_;
    // Block end -> the position of the last line end before it (or npos).
    std::unordered_map<size_t, size_t> lastBreaks_;
    // Key lines by (first line start, end): blocks whose headers share a line
    // share their key lines.
    std::map<std::pair<size_t, size_t>, KeyLines> keyLines_;
    // Key names for the plain search, in the order learnt (stable storage).
    std::deque<std::string> vocabulary_;
    std::unordered_set<std::string_view> known_;
};

}  // namespace orrelume
