// Fuzzes the template lookup: the input is a section name, a key and the
// text of a file. Whatever they are, a lookup must end, stay inside the text
// and give a value that is one line of it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "settings/template_text.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckValue(const orrelume::TemplateText& text, std::optional<std::string_view> value) {
    if (!value) return;
    const std::string& all = text.Text();
    // A view into the text, followed by a line end, holding none.
    Check(value->data() >= all.data() && value->data() + value->size() < all.data() + all.size());
    const char after = value->data()[value->size()];
    Check(after == '\r' || after == '\n');
    Check(value->find_first_of("\r\n") == std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const size_t sectionLength = data[0] % 24;
    const size_t keyLength = data[1] % 24;
    std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string section(input.substr(0, sectionLength));
    input.remove_prefix(std::min(sectionLength, input.size()));
    const std::string key(input.substr(0, keyLength));
    input.remove_prefix(std::min(keyLength, input.size()));

    static constexpr std::string_view kExpected[] = {"Galaxy_Radius", "_UniGalName", "IFS_P0"};
    orrelume::TemplateText text{std::string(input), kExpected};
    CheckValue(text, text.Find(section, key));
    // Again, and for names the reader uses, now that indexes exist.
    CheckValue(text, text.Find(section, key));
    CheckValue(text, text.Find("UniGal0", "Galaxy_Radius"));
    CheckValue(text, text.Find(section, "Galaxy_Atoms"));
    CheckValue(text, text.Find("UniGal0\\IFS", key));
    return 0;
}
