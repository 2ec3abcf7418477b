#include "printing/linux/job_options.h"

#include <QLocale>
#include <QObject>
#include <QRegularExpression>
#include <QSizeF>

namespace {

// The size at the end of a media keyword: width, height and unit ("mm" or
// "in"); no match when it has none.
QRegularExpressionMatch SizeIn(const QString& keyword) {
    static const QRegularExpression size(R"((\d+(?:\.\d+)?)x(\d+(?:\.\d+)?)(mm|in)$)");
    return size.match(keyword);
}

}  // namespace

QPageSize PageSizeOfMedia(const QString& keyword) {
    const QRegularExpressionMatch match = SizeIn(keyword);
    if (!match.hasMatch()) return {};
    const QSizeF dimensions(match.captured(1).toDouble(), match.captured(2).toDouble());
    if (dimensions.isEmpty()) return {};
    return QPageSize(dimensions,
                     match.captured(3) == "mm" ? QPageSize::Millimeter : QPageSize::Inch, QString(),
                     QPageSize::FuzzyMatch);
}

QString MediaText(const QString& keyword) {
    const QPageSize size = PageSizeOfMedia(keyword);
    if (size.isValid() && size.id() != QPageSize::Custom) return size.name();
    // A size Qt has no name for is shown by its measures.
    const QRegularExpressionMatch match = SizeIn(keyword);
    if (!match.hasMatch()) return keyword;
    return QString("%1 x %2 %3").arg(match.captured(1), match.captured(2), match.captured(3));
}

QString SidesText(const QString& keyword) {
    if (keyword == "one-sided") return QObject::tr("Off");
    if (keyword == "two-sided-long-edge") return QObject::tr("Long edge");
    if (keyword == "two-sided-short-edge") return QObject::tr("Short edge");
    return keyword;
}

QString ColourText(const QString& keyword) {
    if (keyword == "color") return QObject::tr("Colour");
    if (keyword == "monochrome") return QObject::tr("Greyscale");
    if (keyword == "auto") return QObject::tr("Automatic");
    if (keyword == "bi-level") return QObject::tr("Black and white");
    return keyword;
}

QStringList FileMedia() {
    return {"iso_a4_210x297mm", "na_letter_8.5x11in", "na_legal_8.5x14in", "iso_a3_297x420mm",
            "iso_a5_148x210mm"};
}

QString FileMediaDefault() {
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? "na_letter_8.5x11in"
                                                                      : "iso_a4_210x297mm";
}
