#include "window/one_line_validator.h"

#include <algorithm>

#include "calc/default_ignorable.h"

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

// Control and format characters, and every character Unicode says shows
// nothing (a variation selector, a Hangul filler), wherever they lie in
// Unicode: one outside the Basic Multilingual Plane (a tag character such as
// U+E0031) is a pair of UTF-16 units, neither of which is invisible by itself.
void DropInvisible(QString& text, int& cursor) {
    for (qsizetype end = text.size(); end > 0;) {
        qsizetype start = end - 1;
        char32_t c = text[start].unicode();
        if (text[start].isLowSurrogate() && start > 0 && text[start - 1].isHighSurrogate()) {
            c = QChar::surrogateToUcs4(text[start - 1], text[start]);
            --start;
        }
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format ||
            calc::IsDefaultIgnorable(c)) {
            text.remove(start, end - start);
            if (cursor > start) cursor = static_cast<int>(std::max(start, cursor - (end - start)));
        }
        end = start;
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
