#include "window/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QFont FirstAvailable(const QStringList& families, double points) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSizeF(points);
    return font;
}

}  // namespace

QFont WindowFont() {
    return FirstAvailable({"MS Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"}, 8.25);
}

QFont ListFont() { return FirstAvailable({"Arial", "Liberation Sans", "DejaVu Sans"}, 6); }
