#pragma once
// Checking written files in tests: reference ("golden") text files kept beside the tests, and
// the members of zip files (.xlsx, .odt).
#include <QByteArray>
#include <QMap>
#include <QString>

namespace falq::test {

// Compares `actual` with the reference file. With FALQ_UPDATE_GOLDEN=1 in the environment
// the reference file is written instead. On a difference, `why` names the first differing
// line and the actual text is kept beside the reference as <name>.actual.
bool matchesGolden(const QByteArray& actual, const QString& referencePath, QString* why);

// The members of a zip file by name (empty when the file is no zip).
QMap<QString, QByteArray> readZip(const QString& path, QString* error = nullptr);

// The first sheet of a spreadsheet file (.xlsx), cell by cell with what each looks like.
struct SheetCell {
    QString text; // the value as written (numbers as in the file)
    bool number = false;
    QString numberFormat; // "0.00", "General", ...
    QString align;        // horizontal alignment ("center", "right", or empty)
    bool grey = false;    // a solid grey fill
    bool bold = false;
};

struct Sheet {
    QString error;
    QMap<QString, SheetCell> cells; // by reference ("A1")
    QMap<int, double> widths;       // by column (1 = A)
    int lastRow = 0;
    // Row and column from 1.
    SheetCell at(int row, int column) const;
};

Sheet readSheet(const QString& xlsxPath);

} // namespace falq::test
