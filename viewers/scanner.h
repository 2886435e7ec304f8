#pragma once
// Scanners: choose a source ("Sel.Scan") and acquire an image from it ("Scanner"). SANE is
// the implementation on this platform.
#include <QImage>
#include <QStringList>
#include <memory>

namespace falq {

class Scanner {
public:
    virtual ~Scanner() = default;
    // The sources that can be chosen (device names).
    virtual QStringList sources(QString* error) = 0;
    virtual void selectSource(const QString& source) { m_source = source; }
    // The chosen source, or the first one when none was chosen.
    QString source() const { return m_source; }
    // Scans one page from the chosen source.
    virtual bool acquire(QImage* image, QString* error) = 0;

protected:
    QString m_source;
};

// SANE: every backend of the machine's configuration (SANE_CONFIG_DIR may point elsewhere).
std::unique_ptr<Scanner> createSaneScanner();

} // namespace falq
