#include "scannerbar.h"

#include "imagecontrol.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QPushButton>

namespace falq {

ScannerBar::ScannerBar(Scanner& scanner, ImageControl* target, Messages& messages, QWidget* parent)
    : QWidget(parent), m_scanner(scanner), m_target(target), m_messages(messages),
      m_select(new QPushButton(QStringLiteral("Sel.Scan"), this)),
      m_scan(new QPushButton(QStringLiteral("Scanner"), this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_select->setObjectName(QStringLiteral("BotSelScan"));
    m_scan->setObjectName(QStringLiteral("BotScanner"));
    layout->addWidget(m_select);
    layout->addWidget(m_scan);
    connect(m_select, &QPushButton::clicked, this, &ScannerBar::selectSource);
    connect(m_scan, &QPushButton::clicked, this, [this] { this->scan(); });
    m_choose = [](QWidget* parent, const QStringList& sources, const QString& current) {
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(parent, QStringLiteral("Sel.Scan"), QStringLiteral("Scanner :"),
                                  sources, qMax(0, int(sources.indexOf(current))), false, &ok);
        return ok ? chosen : QString();
    };
}

void ScannerBar::selectSource() {
    QString error;
    const QStringList sources = m_scanner.sources(&error);
    if (sources.isEmpty()) {
        m_messages.show(error.isEmpty() ? QStringLiteral("Nenhum scanner encontrado.") : error,
                        true);
        return;
    }
    const QString chosen = m_choose(this, sources, m_scanner.source());
    if (!chosen.isEmpty())
        m_scanner.selectSource(chosen);
}

bool ScannerBar::scan() {
    if (m_check && !m_check())
        return false;
    QImage image;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = m_scanner.acquire(&image, &error);
    QApplication::restoreOverrideCursor();
    if (!ok) {
        m_messages.show(QStringLiteral("Não foi possível digitalizar: %1").arg(error), true);
        return false;
    }
    m_target->setImage(image);
    emit scanned();
    return true;
}

} // namespace falq
