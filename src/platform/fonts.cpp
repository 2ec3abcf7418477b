#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// One look at the installed families; asking QFontDatabase::hasFamily for
// each name makes fontconfig resolve aliases, which costs more than building
// the whole window.
bool IsInstalled(const QString& family) {
    return QFontDatabase::families().contains(family, Qt::CaseInsensitive);
}

QFont FirstAvailable(const QStringList& families, double points) {
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    for (const QString& family : families) {
        if (IsInstalled(family)) {
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

QString AvailableFamily(const QString& wanted) {
    return IsInstalled(wanted) ? wanted : WindowFont().family();
}
