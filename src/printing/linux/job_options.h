#pragma once

// The print server's names for a job's options (IPP keywords) and what the
// print dialog shows for them.

#include <QPageSize>
#include <QString>
#include <QStringList>

// The paper a media keyword names ("iso_a4_210x297mm", "na_letter_8.5x11in":
// the last part is the size); an invalid size when it names none.
QPageSize PageSizeOfMedia(const QString& keyword);

// "A4", "Letter / ANSI A"; where Qt knows no name, the measures ("16 x 20
// in"), else the keyword itself.
QString MediaText(const QString& keyword);
// "Off", "Long edge", "Short edge" for sides; "Colour", "Greyscale" for
// print-color-mode; any other keyword as it is.
QString SidesText(const QString& keyword);
QString ColourText(const QString& keyword);

// The papers offered for a PDF file, and the one first chosen in the user's
// country (Letter where inches are used, otherwise A4).
QStringList FileMedia();
QString FileMediaDefault();
