#pragma once
// One run of the validation station on a test installation, with a message recorder, and
// the records the station tests check.
#include "CORTP999.h"
#include "connections.h"
#include "documentspage.h"
#include "imagecontrol.h"
#include "imagefiles.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QTabWidget>
#include <QTimer>
#include <functional>

namespace falq::test {

struct StationRun {
    // Shows the station and waits for its start-up to finish.
    bool start() {
        window.show();
        window.activateWindow();
        return QTest::qWaitFor([this] { return window.startUpDone(); }, 10000);
    }
    // The window active again after a modal window closed (no window manager here to do it).
    bool reactivate() {
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    QString text(const char* name) const {
        if (auto* l = window.findChild<QLabel*>(name))
            return l->text();
        if (auto* e = window.findChild<QLineEdit*>(name))
            return e->text();
        return {};
    }
    QLineEdit* box(const char* name) const { return window.findChild<QLineEdit*>(name); }
    // Types `number` into a number box entered afresh and leaves it with Tab; true when the
    // focus reached the box after it (the number was found) and its record is shown.
    bool check(const char* boxName, const QString& number) {
        QLineEdit* edit = box(boxName);
        if (QApplication::focusWidget() != edit) // entering the box starts a new entry
            edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, number);
        QTest::keyClick(edit, Qt::Key_Tab);
        QTest::qWait(20); // a refusal comes back through the event loop
        return QApplication::focusWidget() != edit;
    }
    RecordingMessages messages;
    TCORTF999 window{messages};
};

// Runs `inspect` on the next modal window (a viewer, "Localizar") once it shows, then closes
// it unless `inspect` closed it already. `seen` names the window that showed.
inline void onNextModal(const std::function<void(QWidget*)>& inspect, QString* seen,
                        int triesLeft = 200) {
    QTimer::singleShot(25, qApp, [inspect, seen, triesLeft] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (triesLeft > 0)
                onNextModal(inspect, seen, triesLeft - 1);
            return;
        }
        *seen = modal->objectName();
        inspect(modal);
        if (modal->isVisible())
            modal->close();
    });
}

// A valid (or not) cliché with the given model and machine codes.
inline bool insertCliche(Installation& inst, const QString& number, const QString& valid = "S",
                         int model = 1, int machine = 1) {
    return inst.exec(
        "main",
        "INSERT INTO CLICHES (CLICHENRO, CLINRO, SIGLACLI, PRODNRO, REFERENCIA, "
        "FORNECEDOR, FORNSIGLA, MODELO, MAQUINA, COR_01, OBSERV1, OBSERV2, "
        "CORTANTENRO, FICHASETUP, UTILIZA, CODBARRAS, REFER_FORN) "
        "VALUES (?, 1, 'LACTOSUL', 'P-77', ?, 2, 'GRAFICOR', ?, ?, 1, ?, 'Tinta base', "
        "'', 0, ?, '', '')",
        {number, "Ref " + number, model, machine, "Obs " + number, valid});
}

inline bool insertDrawing(Installation& inst, const QString& number, const QString& valid = "S",
                          int board = 1, int machine = 1, int designer = 1) {
    return inst.exec("main",
                     "INSERT INTO DESENHOS (DESENHONRO, COMPRIM, LARGURA, ALTURA, LARG_PLACA, "
                     "COMP_PLACA, CARTAO, CLIENTE, SIGLACLI, REFERENCIA, MAQUINA, CORTANTENRO, "
                     "DESENHADOR, DIR_CANAL, GOLPES_CAIXA, VISTA, FORNECEDOR, SIGLAFORN, UTILIZA, "
                     "VNDNOME, PRODNRO, COMERCIALNRO) "
                     "VALUES (?, 400, 300, 250, 1250, 1100, ?, 1, 'LACTOSUL', ?, ?, 'C-1', ?, 'V', "
                     "2, 'E', 2, 'CORTEX', ?, 'Rui', '', '')",
                     {number, board, "Caixa " + number, machine, designer, valid});
}

inline ImageParameters imageParameters(Installation& inst) {
    return readImageParameters(inst.open("main"));
}

// An image file of the record in its folder.
inline QString writeImage(const QString& path) {
    QImage image(120, 80, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QDir().mkpath(QFileInfo(path).path());
    return image.save(path, "JPG") ? path : QString();
}

// A document of a record: a one-page PDF.
inline void writeDocument(const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    QPdfWriter pdf(QDir(folder).filePath(name));
    QPainter painter(&pdf);
    painter.drawText(QPointF(100, 100), name);
}

} // namespace falq::test
