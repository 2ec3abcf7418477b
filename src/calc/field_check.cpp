#include "calc/field_check.h"

#include <algorithm>

#include "calc/numeric_text.h"

namespace calc {

namespace {

// Drops the last character, keeping a multi-byte UTF-8 character whole.
std::string_view WithoutLastCharacter(std::string_view caption) {
    if (caption.empty()) return caption;
    std::size_t end = caption.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(caption[end]) & 0xC0) == 0x80) --end;
    return caption.substr(0, end);
}

bool IsBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

}  // namespace

Message FieldErrorMessage(std::span<const std::string_view> captions,
                          std::span<const std::string_view> texts, int fieldCount, char separator) {
    const auto count = static_cast<std::size_t>(
        std::clamp<long>(fieldCount, 0, std::min(captions.size(), texts.size())));
    std::string fields;
    for (std::size_t i = 0; i < count; ++i) {
        if (IsNumericText(texts[i], separator)) continue;
        const std::string_view name = WithoutLastCharacter(captions[i]);
        if (IsBlank(fields)) {
            fields = name;
        } else {
            fields.append(" and the ").append(name);
        }
    }
    return {std::string(kFieldsMessagePrefix) + fields, std::string(kTitleIllegalInput)};
}

}  // namespace calc
