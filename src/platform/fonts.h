#pragma once

#include <QFont>

// The design's faces where the machine has them, otherwise a sans-serif face
// with their metrics, so every caption stays inside its designed box.
QFont WindowFont();  // "MS Sans Serif" 8.25 point
QFont ListFont();    // "Arial" 6 point

// `wanted` where the machine has it, otherwise the window's face.
QString AvailableFamily(const QString& wanted);
