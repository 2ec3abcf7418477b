#include "window/one_line_validator.h"

#include <algorithm>

namespace {

bool IsLineBreak(QChar c) {
    switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case u'\v':
        case u'\f':
        case 0x0085:  // next line
        case 0x2028:  // line separator
        case 0x2029:  // paragraph separator
            return true;
        default:
            return false;
    }
}

bool IsInvisible(QChar c) {
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format;
}

}  // namespace

QValidator::State OneLineValidator::validate(QString& text, int& cursor) const {
    // The field never holds a line break, so one can only have come with the
    // edit that ends at the cursor: drop the rest of that edit.
    const auto lineBreak = std::find_if(text.begin(), text.end(), IsLineBreak);
    if (lineBreak != text.end()) {
        const int from = static_cast<int>(lineBreak - text.begin());
        const int to = std::max(cursor, from + 1);
        text.remove(from, to - from);
        cursor = from;
    }
    for (int i = static_cast<int>(text.size()) - 1; i >= 0; --i) {
        if (!IsInvisible(text[i])) continue;
        text.remove(i, 1);
        if (i < cursor) --cursor;
    }
    return Acceptable;
}
