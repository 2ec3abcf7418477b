#pragma once

#include <QColor>

// Contrast between two colours as the accessibility guidelines measure it:
// from 1 (the same luminance) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);

// `preferred` where it stands out from `background` by at least `minimum`,
// otherwise `fallback`.
QColor ReadableOn(const QColor& background, const QColor& preferred, const QColor& fallback,
                  double minimum);
