#pragma once
// The two scanner buttons of the editors: "Sel.Scan" chooses the source, "Scanner" acquires
// a page into an image control.
#include "messages.h"
#include "scanner.h"

#include <QWidget>
#include <functional>

class QPushButton;

namespace falq {

class ImageControl;

class ScannerBar : public QWidget {
    Q_OBJECT
public:
    ScannerBar(Scanner& scanner, ImageControl* target, Messages& messages,
               QWidget* parent = nullptr);

    // Asks the user for one of the sources (default: a list dialog); empty: cancelled.
    void
    setSourceChooser(std::function<QString(QWidget*, const QStringList&, const QString&)> chooser) {
        m_choose = std::move(chooser);
    }
    // Runs before each scan; a scan goes ahead only when it returns true.
    void setScanCheck(std::function<bool()> check) { m_check = std::move(check); }
    void selectSource();
    bool scan();

    QPushButton* selectButton() const { return m_select; }
    QPushButton* scanButton() const { return m_scan; }

signals:
    void scanned();

private:
    Scanner& m_scanner;
    ImageControl* m_target;
    Messages& m_messages;
    std::function<QString(QWidget*, const QStringList&, const QString&)> m_choose;
    std::function<bool()> m_check;
    QPushButton* m_select;
    QPushButton* m_scan;
};

} // namespace falq
