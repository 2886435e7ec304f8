#include "CORTP000.h"

#include "entertab.h"
#include "session.h"
#include "unitDtFalquinas.h"

#include "ui_CORTP000.h"

#include <QCloseEvent>
#include <QCompleter>
#include <QDir>
#include <QFileDialog>

namespace falq {

namespace {
const QString kWrongType = QStringLiteral("Seleccionou o Tipo de Imagem Errado ...");
const QString kSelectFolder = QStringLiteral("Seleccione o Caminho ...");
} // namespace

TCORTF000::TCORTF000(Session& session, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TCORTF000>()), m_session(session),
      m_parger(session.dataset(ds::PARGER)) {
    ui->setupUi(this);
    m_chooseFolder = [](QWidget* parent, const QString& title, const QString& start) {
        return QFileDialog::getExistingDirectory(parent, title, start);
    };
    m_parger->close();
    m_parger->open();
    if (m_parger->locate({QStringLiteral("CODIGO")}, {1})) {
        m_parger->edit();
    } else {
        m_parger->append();
        m_parger->setFieldValue(QStringLiteral("CODIGO"), 1);
        m_parger->setFieldValue(QStringLiteral("PATHCLICHE"), QStringLiteral(""));
        m_parger->setFieldValue(QStringLiteral("PATHDESENHO"), QStringLiteral(""));
    }
    ui->Edit_PathCliche->setText(m_parger->fieldValue(QStringLiteral("PATHCLICHE")).toString());
    ui->Edit_PathDesenho->setText(m_parger->fieldValue(QStringLiteral("PATHDESENHO")).toString());
    // The type is compared exactly when the window closes: the box never changes what was
    // typed (an editable combo box completes ".jpg" to ".JPG" without regard to case).
    ui->Edit_TipoImagem->completer()->setCaseSensitivity(Qt::CaseSensitive);
    ui->Edit_TipoImagem->setCurrentText(QStringLiteral(".JPG")); // whatever the row holds
    connect(ui->Edit_PathCliche, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_parger->setFieldValue(QStringLiteral("PATHCLICHE"), text);
    });
    connect(ui->Edit_PathDesenho, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_parger->setFieldValue(QStringLiteral("PATHDESENHO"), text);
    });
    connect(ui->BotCliche, &QToolButton::clicked, this, &TCORTF000::BotClicheClick);
    connect(ui->BotDesenho, &QToolButton::clicked, this, &TCORTF000::BotDesenhoClick);
    connect(ui->BitTerminar, &QPushButton::clicked, this, &QDialog::close);
    EnterAsTab::install(this);
}

TCORTF000::~TCORTF000() {
    if (!m_closed && m_parger->isOpen()) {
        m_parger->cancelUpdates();
        m_parger->close();
    }
}

QString TCORTF000::statusText() const {
    return ui->StatusBar1->currentMessage();
}

void TCORTF000::chooseFolder(const QString& field, QLineEdit* edit, const QString& title) {
    const QString folder = m_chooseFolder(this, title, edit->text());
    if (folder.isEmpty()) {
        ui->StatusBar1->showMessage(kSelectFolder);
        return;
    }
    // Stored with its trailing separator.
    QString stored = QDir::toNativeSeparators(folder);
    if (!stored.endsWith(QDir::separator()))
        stored += QDir::separator();
    edit->setText(stored);
    m_parger->setFieldValue(field, stored);
}

void TCORTF000::BotClicheClick() {
    chooseFolder(QStringLiteral("PATHCLICHE"), ui->Edit_PathCliche, ui->BotCliche->toolTip());
}

void TCORTF000::BotDesenhoClick() {
    chooseFolder(QStringLiteral("PATHDESENHO"), ui->Edit_PathDesenho, ui->BotDesenho->toolTip());
}

void TCORTF000::reject() {
    close();
}

void TCORTF000::closeEvent(QCloseEvent* e) {
    const QString type = ui->Edit_TipoImagem->currentText();
    if (type != QLatin1String(".JPG") && type != QLatin1String(".BMP")) {
        m_session.messages().show(kWrongType, true);
        e->ignore();
        return;
    }
    m_parger->setFieldValue(QStringLiteral("TIPOIMAGEM"), type);
    m_parger->post();
    const ApplyResult r = m_parger->applyUpdates();
    if (!r.ok) {
        // Nothing typed is lost: the window stays open with the row still to be written.
        if (!r.aborted)
            m_session.messages().show(r.error, true);
        e->ignore();
        return;
    }
    m_parger->close();
    m_closed = true;
    e->accept();
    QDialog::reject();
}

} // namespace falq
