#pragma once
// One run of the main program on a test installation, with a message recorder.
#include "UnitFacMenu.h"
#include "session.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace falq::test {

struct Run {
    explicit Run(const QString& credentialLibrary = {}) {
        if (!credentialLibrary.isEmpty())
            menu.setCredentialLibraryPath(credentialLibrary);
        menu.setUrlOpener([this](const QUrl& url) {
            opened << url;
            return true;
        });
    }
    // Shows the main window and waits for its first activation to finish.
    bool start() {
        menu.show();
        menu.activateWindow();
        return QTest::qWaitFor(
            [this] { return menu.activationCount() >= 1 || menu.programEnded(); }, 10000);
    }
    QString text(const char* name) const {
        if (auto* l = menu.findChild<QLabel*>(name))
            return l->text();
        if (auto* e = menu.findChild<QLineEdit*>(name))
            return e->text();
        if (auto* b = menu.findChild<QPushButton*>(name))
            return b->text();
        return {};
    }
    RecordingMessages messages;
    Session session{messages};
    TFACFMENU menu{session};
    QList<QUrl> opened;
};

} // namespace falq::test
