#include "reportpreview.h"

#include "connections.h"
#include "messages.h"
#include "session.h"
#include "workprogress.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace falq {

reports::Context reportContext(Session& session) {
    const SessionContext& ctx = session.context();
    reports::Context c;
    c.company = ctx.companyName;
    QSqlQuery q(QSqlDatabase::database(kDbFalquinas, false));
    q.prepare(QStringLiteral("SELECT EMPNOM FROM PARAMTMP WHERE UTIL = ? AND APLICACAO = ?"));
    q.addBindValue(ctx.userCode);
    q.addBindValue(ctx.moduleCode);
    if (q.exec() && q.next())
        c.company = q.value(0).toString();
    c.printedAt = QDateTime::currentDateTime();
    return c;
}

namespace {

QAction* toolAction(QToolBar* bar, const char* name, const QString& text,
                    QStyle::StandardPixmap icon, const QString& hint = {}) {
    QAction* a = bar->addAction(bar->style()->standardIcon(icon), text);
    a->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        a->setToolTip(hint);
    return a;
}

} // namespace

ReportPreview::ReportPreview(const reports::Form& form, reports::Source& source,
                             const reports::Context& context, Messages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_printer(QPrinter::HighResolution) {
    m_pages.title = form.title;
    m_pages.layout = reports::pageLayout(form.orientation);
    // The form and its rows stay with the caller while the preview is open.
    m_pages.paint = [&form, &source, context](QPagedPaintDevice* device,
                                              const reports::Progress& progress) {
        return reports::renderToDevice(form, source, context, device, progress, false);
    };
    m_writeFile = [&form, &source, context](reports::FileFormat format, const QString& path,
                                            const reports::Progress& progress) {
        return reports::renderToFile(form, source, context, format, path, progress);
    };
    build(true);
}

ReportPreview::ReportPreview(PreviewPages pages, Messages& messages, QWidget* parent)
    : QDialog(parent), m_pages(std::move(pages)), m_messages(messages),
      m_printer(QPrinter::HighResolution) {
    m_writeFile = [this](reports::FileFormat, const QString& path,
                         const reports::Progress& progress) {
        return m_pages.writePdf(path, progress);
    };
    build(false);
}

void ReportPreview::build(bool formats) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_pages.title);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    m_printer.setPageLayout(m_pages.layout);
    m_printer.setDocName(m_pages.title);
    m_chooseFile = [](QWidget* parent, const QString& caption, const QString& suggested,
                      const QString& filter) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    };
    m_choosePrinter = [](QPrinter* printer, QWidget* parent) {
        QPrintDialog dialog(printer, parent);
        return dialog.exec() == QDialog::Accepted;
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("BarraPreview"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_view = new QPrintPreviewWidget(&m_printer, this);
    m_view->setObjectName(QStringLiteral("Preview"));

    connect(toolAction(bar, "BotImprimir", QStringLiteral("&Imprimir ..."),
                       QStyle::SP_DialogSaveButton),
            &QAction::triggered, this, &ReportPreview::print);
    bar->addSeparator();
    connect(toolAction(bar, "BotExportarPdf", QStringLiteral("PDF ..."), QStyle::SP_FileIcon,
                       QStringLiteral("Exportar para PDF")),
            &QAction::triggered, this, [this] { exportTo(reports::FileFormat::Pdf); });
    if (formats) {
        connect(toolAction(bar, "BotExportarTexto", QStringLiteral("Texto ..."),
                           QStyle::SP_FileIcon, QStringLiteral("Exportar para Texto")),
                &QAction::triggered, this, [this] { exportTo(reports::FileFormat::Text); });
        connect(toolAction(bar, "BotExportarExcel", QStringLiteral("Excel ..."),
                           QStyle::SP_FileDialogDetailedView,
                           QStringLiteral("Exportar para Excel")),
                &QAction::triggered, this, [this] { exportTo(reports::FileFormat::Xlsx); });
        connect(toolAction(bar, "BotExportarOdt", QStringLiteral("Documento ..."),
                           QStyle::SP_FileIcon,
                           QStringLiteral("Exportar para Documento de Texto (ODT)")),
                &QAction::triggered, this, [this] { exportTo(reports::FileFormat::Odt); });
    }
    bar->addSeparator();
    connect(toolAction(bar, "BotPrimeira", QString(), QStyle::SP_MediaSkipBackward,
                       QStringLiteral("Primeira Página")),
            &QAction::triggered, this, [this] { m_view->setCurrentPage(1); });
    connect(toolAction(bar, "BotAnterior", QString(), QStyle::SP_MediaSeekBackward,
                       QStringLiteral("Página Anterior")),
            &QAction::triggered, this,
            [this] { m_view->setCurrentPage(qMax(1, m_view->currentPage() - 1)); });
    m_pageLabel = new QLabel(bar);
    m_pageLabel->setObjectName(QStringLiteral("LabelPagina"));
    bar->addWidget(m_pageLabel);
    connect(toolAction(bar, "BotSeguinte", QString(), QStyle::SP_MediaSeekForward,
                       QStringLiteral("Página Seguinte")),
            &QAction::triggered, this, [this] {
                m_view->setCurrentPage(qMin(m_view->pageCount(), m_view->currentPage() + 1));
            });
    connect(toolAction(bar, "BotUltima", QString(), QStyle::SP_MediaSkipForward,
                       QStringLiteral("Última Página")),
            &QAction::triggered, this, [this] { m_view->setCurrentPage(m_view->pageCount()); });
    bar->addSeparator();
    connect(toolAction(bar, "BotAmpliar", QStringLiteral("+"), QStyle::SP_ArrowUp,
                       QStringLiteral("Ampliar")),
            &QAction::triggered, m_view, [this] { m_view->zoomIn(); });
    connect(toolAction(bar, "BotReduzir", QStringLiteral("-"), QStyle::SP_ArrowDown,
                       QStringLiteral("Reduzir")),
            &QAction::triggered, m_view, [this] { m_view->zoomOut(); });
    connect(toolAction(bar, "BotLargura", QStringLiteral("Largura"), QStyle::SP_TitleBarMaxButton,
                       QStringLiteral("Ajustar à Largura")),
            &QAction::triggered, m_view, &QPrintPreviewWidget::fitToWidth);
    connect(toolAction(bar, "BotPaginaInteira", QStringLiteral("Página"),
                       QStyle::SP_TitleBarNormalButton, QStringLiteral("Página Inteira")),
            &QAction::triggered, m_view, &QPrintPreviewWidget::fitInView);
    bar->addSeparator();
    connect(toolAction(bar, "BotFechar", QStringLiteral("&Fechar"), QStyle::SP_DialogCloseButton),
            &QAction::triggered, this, &QDialog::accept);

    layout->addWidget(bar);
    layout->addWidget(m_view, 1);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPages);
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::showPageNumber);
    m_view->fitToWidth();
    setWindowState(windowState() | Qt::WindowMaximized);
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::pageCount() const {
    return m_view->pageCount();
}

void ReportPreview::paintPages(QPrinter* printer) {
    if (m_painting || m_cancelled)
        return;
    m_painting = true;
    WorkProgress progress(this, QStringLiteral("A preparar as páginas ..."));
    const reports::Result r = m_pages.paint(printer, progress.callback());
    m_painting = false;
    if (r.cancelled) {
        m_cancelled = true;
        QTimer::singleShot(0, this, &QDialog::reject);
    } else if (!r.ok) {
        m_messages.show(r.error, true);
    }
}

void ReportPreview::showPageNumber() {
    m_pageLabel->setText(
        QStringLiteral(" %1 / %2 ").arg(m_view->currentPage()).arg(m_view->pageCount()));
}

void ReportPreview::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_pages.layout);
    printer.setDocName(m_pages.title);
    if (!m_choosePrinter(&printer, this))
        return;
    WorkProgress progress(this, QStringLiteral("A imprimir ..."));
    const reports::Result r = m_pages.paint(&printer, progress.callback());
    if (!r.ok && !r.cancelled)
        m_messages.show(r.error, true);
}

bool ReportPreview::exportTo(reports::FileFormat format) {
    static const struct {
        reports::FileFormat format;
        const char* caption;
        const char* filter;
    } kinds[] = {
        {reports::FileFormat::Pdf, "Exportar para PDF", "PDF (*.pdf)"},
        {reports::FileFormat::Text, "Exportar para Texto", "Texto (*.txt)"},
        {reports::FileFormat::Xlsx, "Exportar para Excel", "Excel (*.xlsx)"},
        {reports::FileFormat::Odt, "Exportar para Documento de Texto", "OpenDocument (*.odt)"},
    };
    QString caption;
    QString filter;
    for (const auto& k : kinds)
        if (k.format == format) {
            caption = QString::fromUtf8(k.caption);
            filter = QString::fromUtf8(k.filter);
        }
    const QString suffix = reports::fileSuffix(format);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QString path =
        m_chooseFile(this, caption, QDir(documents).filePath(m_pages.title + suffix), filter);
    if (path.isEmpty())
        return false;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    WorkProgress progress(this, QStringLiteral("A exportar ..."));
    const reports::Result r = m_writeFile(format, path, progress.callback());
    if (!r.ok && !r.cancelled)
        m_messages.show(r.error, true);
    return r.ok;
}

} // namespace falq
