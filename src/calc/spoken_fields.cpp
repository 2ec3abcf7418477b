#include "calc/spoken_fields.h"

namespace calc {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string FieldsShownWords(std::span<const ShownField> fields) {
    std::string words;
    for (const ShownField& field : fields) {
        if (!words.empty()) words += ", ";
        words.append(field.name).append(" ");
        const std::string_view value = Trimmed(field.text);
        if (value.empty()) {
            words += "empty";
        } else {
            words.append(value).append(" ").append(field.unitWord);
        }
    }
    return words;
}

}  // namespace calc
