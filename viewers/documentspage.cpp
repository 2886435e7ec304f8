#include "documentspage.h"

#include "documents.h"
#include "imagefiles.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace falq {

DocumentsPage::DocumentsPage(Messages& messages, QWidget* parent)
    : QWidget(parent), m_messages(messages), m_list(new DocumentList(this)),
      m_view(new DocumentView(this)), m_attach(new QPushButton(QStringLiteral("Anexar"), this)),
      m_delete(new QPushButton(QStringLiteral("Eliminar"), this)) {
    m_list->setToolTip(QStringLiteral("Seleccione e click 2 vezes para visualizar"));
    m_attach->setObjectName(QStringLiteral("BotAnexo"));
    m_attach->setToolTip(
        QStringLiteral("Anexar Documento de PDF, Email, Video, Jpg, Word, Excel, Powerpoint"));
    m_delete->setObjectName(QStringLiteral("BotDelAnexo"));
    m_delete->setToolTip(QStringLiteral("Eliminar Documento"));
    for (QPushButton* b : {m_attach, m_delete}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoDefault(false);
    }
    auto* caption =
        new QLabel(QStringLiteral("Click c/ o Botão do Lado Direito do Rato para MENU"), this);
    caption->setObjectName(QStringLiteral("LabelOleContainerPag1"));

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_attach);
    buttons->addWidget(m_delete);
    buttons->addStretch(1);
    auto* left = new QHBoxLayout;
    left->addWidget(m_list, 1);
    left->addLayout(buttons);
    auto* right = new QVBoxLayout;
    right->addWidget(caption);
    right->addWidget(m_view, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 2);

    m_chooseFile = [](QWidget* parent, const QString& caption, const QString& filter) {
        QFileDialog dialog(parent, caption, QString(), filter);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setOption(QFileDialog::ReadOnly);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    connect(m_attach, &QPushButton::clicked, this, [this] { attach(); });
    connect(m_delete, &QPushButton::clicked, this, [this] { deleteSelected(); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { showSelected(); });
}

void DocumentsPage::showRecord(const QString& folder, const QString& number) {
    m_folder = folder;
    m_number = number;
    m_list->showRecord(folder, number);
}

void DocumentsPage::closeDocument() {
    m_view->clear();
}

void DocumentsPage::setReadOnly(bool on) {
    m_readOnly = on;
    m_attach->setVisible(!on);
    m_delete->setVisible(!on);
}

bool DocumentsPage::attach() {
    if (m_readOnly)
        return false;
    if (m_attachCheck && !m_attachCheck())
        return false;
    const QString chosen = m_chooseFile(this, m_attach->toolTip(), kDocumentFilter);
    if (chosen.isEmpty())
        return false;
    QString suffix = QFileInfo(chosen).suffix();
    suffix = suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix;
    // One document per type: a file of the same type in another case is the same document.
    for (const QString& name : listRecordFiles(m_folder, m_number))
        if (name.compare(m_number + suffix, Qt::CaseInsensitive) == 0)
            suffix = name.mid(m_number.size());
    QString error;
    const QString copied = copyIntoFolder(chosen, m_folder, m_number, suffix, &error);
    showRecord(m_folder, m_number);
    if (copied.isEmpty()) {
        m_messages.show(error, true);
        return false;
    }
    emit filesChanged();
    return true;
}

bool DocumentsPage::deleteSelected() {
    if (m_readOnly)
        return false;
    const QString path = m_list->selectedPath();
    if (path.isEmpty()) {
        m_messages.show(kSelectDocumentFirst, true);
        return false;
    }
    if (!m_messages.ask(kDeleteQuestion))
        return false;
    bool deleted = false;
    if (QFileInfo::exists(path)) {
        if (m_view->path() == path)
            m_view->clear();
        deleted = QFile::remove(path);
        if (!deleted)
            m_messages.show(QStringLiteral("Não foi possível eliminar ") + path, true);
    } else {
        m_messages.show(QStringLiteral("Ficheiro : ") + path + QStringLiteral(" ") +
                            QStringLiteral(",não foi encontrado"),
                        true);
    }
    showRecord(m_folder, m_number);
    if (deleted)
        emit filesChanged();
    return deleted;
}

bool DocumentsPage::showSelected() {
    return showSelectedDocument(*m_list, *m_view, m_messages);
}

} // namespace falq
