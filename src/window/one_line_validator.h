#pragma once

#include <QValidator>

// What a one-line field keeps of pasted or dropped text: the text up to its
// first line break or tab (a spreadsheet cell arrives as "2\n", a row of
// cells as "0.5\t12\t10\n"), every Unicode space separator (no-break, figure,
// narrow) as an ordinary blank, and no control or format characters (NUL,
// bidirectional overrides, zero-width characters) nor any other character
// Unicode marks as default-ignorable (variation selectors, Hangul fillers,
// the combining grapheme joiner). So the value the user sees
// is the value that is tested, computed and stored.
QString OneLineOf(const QString& pasted);

// Line breaks, tabs and invisible characters that reach a field by any other
// way (an input method, a screen reader's edit) go the same way. The field never holds a line
// break, so one can only have come with the edit that ends at the cursor: the rest of that edit is
// dropped. (Typed keys and pastes arrive clean: see CleanPaste.)
class OneLineValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& text, int& cursor) const override;
};
