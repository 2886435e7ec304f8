#pragma once
// Labels with bar codes for the tools and the places of the store: a sheet of A4 labels for an
// office printer, or a roll of single labels for a label printer. Each label carries a
// Code 128 bar code of the text a hand scanner reads ("CL:10000", "DS:D-77", "L:A-01-03"),
// the number in large print and up to three small lines (client, reference, die number; or
// a place's designation). The bar code is drawn as vectors, so it stays sharp at any printer
// resolution.
#include <QList>
#include <QMarginsF>
#include <QPageSize>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>

class QPagedPaintDevice;

namespace falq::locations {

struct LabelFormat {
    QString key;  // kept in the settings: "A4-3x8", "Rolo-62x29"
    QString name; // shown to the user
    QPageSize page;
    int columns = 1;
    int rows = 1;
    QSizeF labelMm;      // one label
    QMarginsF marginsMm; // from the page's edges to the grid of labels
    QSizeF gapMm;        // between two labels side by side / one under the other
};

LabelFormat a4Sheet(); // A4 portrait, 3 x 8 labels of 70 x 37 mm
LabelFormat roll();    // one 62 x 29 mm label per page
QList<LabelFormat> labelFormats();
// The format of that key, or null.
const LabelFormat* labelFormat(const QString& key);

struct Label {
    QString barcode;   // the text coded in the bar code
    QString big;       // the number in large print
    QStringList lines; // up to three small lines
};

// The pages needed for `labels` labels when the first `offset` positions of the first sheet
// are already used (0 .. columns * rows - 1; a roll has no used positions).
int labelPages(const LabelFormat& format, int labels, int offset);

// Paints the labels on `device` (not yet begun), row by row from the position after
// `offset`, starting new pages as needed; the device takes the format's page, without
// margins. False with the reason in `error` when a bar code cannot be made or does not fit
// its label (nothing is painted then). `progress` is told of every label done and stops the
// painting when it answers false: false with `error` left empty.
bool paintLabels(QPagedPaintDevice* device, const LabelFormat& format, const QList<Label>& labels,
                 int offset, QString* error,
                 const std::function<bool(int done, int total)>& progress = {});

// Writes the labels as a PDF file at `path`, replacing an earlier one only once the new one is
// complete; a failure leaves no new file.
bool writeLabelsPdf(const QString& path, const LabelFormat& format, const QList<Label>& labels,
                    int offset, QString* error);

} // namespace falq::locations
