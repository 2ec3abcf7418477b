#pragma once

#include <QValidator>

// Keeps a one-line field to one line of visible text, as one-line fields of
// desktop systems do: a paste keeps its text up to its first line break
// (a number copied from a spreadsheet cell arrives as "2\n"), and control and
// format characters (tabs, NUL, bidirectional overrides, zero-width
// characters) are dropped. So the value the user sees is the value that is
// tested, computed and stored. Typed text is never changed.
class OneLineValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& text, int& cursor) const override;
};
