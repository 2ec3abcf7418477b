#include "window/one_line_validator.h"

#include <algorithm>

namespace {

// Where a pasted value ends: a line break, or a tab between cells.
bool EndsValue(QChar c) {
    switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case u'\t':
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

void DropInvisible(QString& text, int& cursor) {
    for (int i = static_cast<int>(text.size()) - 1; i >= 0; --i) {
        if (!IsInvisible(text[i])) continue;
        text.remove(i, 1);
        if (i < cursor) --cursor;
    }
}

}  // namespace

QString OneLineOf(const QString& pasted) {
    QString text =
        pasted.left(std::find_if(pasted.begin(), pasted.end(), EndsValue) - pasted.begin());
    int cursor = 0;
    DropInvisible(text, cursor);
    // The number reading ignores ordinary blanks around a value.
    for (QChar& c : text) {
        if (c.category() == QChar::Separator_Space) c = u' ';
    }
    return text;
}

QValidator::State OneLineValidator::validate(QString& text, int& cursor) const {
    const auto end = std::find_if(text.begin(), text.end(), EndsValue);
    if (end != text.end()) {
        const int from = static_cast<int>(end - text.begin());
        const int to = std::max(cursor, from + 1);
        text.remove(from, to - from);
        cursor = from;
    }
    DropInvisible(text, cursor);
    return Acceptable;
}
