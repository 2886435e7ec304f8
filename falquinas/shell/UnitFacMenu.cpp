#include "UnitFacMenu.h"

#include "ALTERPPASS.h"
#include "GERPVERSAO.h"
#include "UnitDtVersao.h"
#include "connections.h"
#include "credentials.h"
#include "entertab.h"
#include "gerp002.h"
#include "menudefs.h"
#include "plantconfig.h"
#include "plantroot.h"
#include "rights.h"
#include "schema.h"
#include "sqlrun.h"
#include "transaction.h"
#include "unitDtFalquinas.h"
#include "upgrader.h"
#include "workstation.h"

#include "ui_UnitFacMenu.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QSqlError>
#include <QSqlQuery>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace falq {

namespace {
const QString kMsgPcName = QStringLiteral("Parâmetros de Pc_Name não definidos ...");
const QString kMsgPcType = QStringLiteral("Parâmetros de Tipo de Computador inválidos ...");
const QString kMsgNoCompany = QStringLiteral("Empresa Inexistente : ");
const QString kMsgNoInvoicing = QStringLiteral("BASE DE DADOS DE FACTURAÇÃO INEXISTENTE");
const QString kMsgNoAccounting = QStringLiteral("BASE DE DADOS DE CONTABILIDADE INEXISTENTE");
const QString kMsgNoAccess =
    QStringLiteral("Problemas com o acesso à empresa !! Contacte o seu Gestor de Sistema");
const QString kMsgNoUser = QStringLiteral("Utilizador Inexistente : ");
const QString kMsgBadPassword = QStringLiteral("Palavra-passe Inválida");
const QString kMsgNoUserUpdate = QStringLiteral("Utilizador Inexistente (Teste Actualização) : ");

QString text(const QSqlRecord& rec, const char* field) {
    return rec.value(QString::fromLatin1(field)).toString();
}
} // namespace

TFACFMENU::TFACFMENU(Session& session, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::TFACFMENU>()), m_session(session) {
    ui->setupUi(this);
    m_openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    m_upgrader = new Upgrader(session.messages(), this);
    connect(m_upgrader, &Upgrader::upgradeEnded, this,
            [this] { m_upgrader->setRestartParameters(QStringLiteral("/VerySilent")); });
    buildMenu();
    connect(ui->BotPassord, &QPushButton::clicked, this, &TFACFMENU::BotPassordClick);
    connect(ui->BotBusca, &QPushButton::clicked, this, &TFACFMENU::BotBuscaClick);
    // "Consulte a nossa página : " and, beside it, the plant's address (falquinas.ini).
    const PlantConfig config = PlantConfig::read();
    if (config.webSite.isEmpty()) {
        ui->LabelSite->hide();
    } else {
        ui->LabelSite->setText(
            QStringLiteral("<a href=\"%1\">%1</a>").arg(config.webSite.toHtmlEscaped()));
        connect(ui->LabelSite, &QLabel::linkActivated, this,
                [this](const QString& link) { m_openUrl(QUrl(link)); });
    }
    EnterAsTab::install(this);
    ui->Edit_Data->setFirstDayOfWeek(Qt::Monday);
    ui->Edit_Data->setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    connect(ui->Edit_Data, &QCalendarWidget::clicked, this, [this] { Edit_DataChange(); });
    connect(ui->Edit_Data, &QCalendarWidget::activated, this, [this] { Edit_DataChange(); });
}

TFACFMENU::~TFACFMENU() {
    if (!m_closed)
        FormClose();
}

bool TFACFMENU::event(QEvent* e) {
    const bool result = QMainWindow::event(e);
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    else if (e->type() == QEvent::Show && m_activations == 0)
        // Without a window manager the first activation may never come.
        QTimer::singleShot(0, this, [this] {
            if (m_activations == 0)
                FormActivate();
        });
    return result;
}

void TFACFMENU::closeEvent(QCloseEvent* e) {
    if (!m_closed)
        FormClose();
    e->accept();
}

bool TFACFMENU::fail(const QString& message, bool beep) {
    m_failure = message;
    m_failureBeeps = beep;
    return false;
}

void TFACFMENU::endProgram() {
    m_ended = true;
    m_session.messages().show(m_failure, m_failureBeeps);
    emit programEnding();
    close();
}

bool TFACFMENU::datePanelWarns() const {
    return ui->PanelData->palette().color(QPalette::Window) == QColor(Qt::red);
}

QTabWidget* TFACFMENU::dashboardNotebook() const {
    return ui->NB0;
}

QTabWidget* TFACFMENU::menuNotebook() const {
    return ui->NBMenu;
}

QAbstractButton* TFACFMENU::dashboardSwitch() const {
    return ui->BotActive;
}

bool TFACFMENU::readWorkstationFiles() {
    SessionContext& ctx = m_session.context();
    // Each file: its path, the width kept, the value it fills and the message of an empty line.
    const struct {
        QString path;
        int width;
        QString* value;
        const QString& emptyLine;
    } files[] = {{computerNamePath(), kComputerNameWidth, &ctx.computerName, kMsgPcName},
                 {computerTypePath(), kComputerTypeWidth, &ctx.computerType, kMsgPcType}};
    for (const auto& f : files) {
        const WorkstationFile read = readWorkstationFile(f.path, f.width, *f.value);
        if (read.status == WorkstationFile::Status::Missing)
            return fail(
                QStringLiteral("Ficheiro do posto de trabalho inexistente: %1").arg(read.path),
                false);
        if (read.status == WorkstationFile::Status::EmptyLine)
            return fail(f.emptyLine, false);
        *f.value = read.value;
        if (f.value == &ctx.computerName)
            ui->Label_Computador->setText(ctx.computerName);
    }
    return true;
}

void TFACFMENU::FormActivate() {
    if (m_inActivate || m_ended || m_closed)
        return;
    m_inActivate = true;
    const auto done = qScopeGuard([this] { m_inActivate = false; });

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        setGeometry(0, 0, s.width(), s.height() - 30);
    }
    m_session.context().moduleCode = schema::kModuleCode;
    if (!readWorkstationFiles()) {
        endProgram();
        return;
    }
    if (++m_activations != 1)
        return;
    if (!openSession() || !cleanNullNumbers() || !runUpdateCheck())
        endProgram();
}

bool TFACFMENU::openSession() {
    if (!connectGeneral() || !openParamUtil())
        return false;
    const QDate date =
        m_hasParamUtil ? parseDateTime(m_paramUtil.value(QStringLiteral("DATA"))).date() : QDate();
    if (date.isValid())
        ui->Edit_Data->setSelectedDate(date);
    m_session.context().workingDate = date;
    Edit_DataChange();
    m_session.context().workingDate = date;
    return MudEmpr();
}

bool TFACFMENU::connectGeneral() {
    const Credentials cred = readCredentials(m_credentialLibrary);
    if (!cred.ok) {
        return fail(cred.error, true);
    }
    QString error;
    if (!openAlias(kDbGeral, QStringLiteral("ZELGERAL"), loginLineValue(cred.userLine),
                   loginLineValue(cred.passwordLine), &error)) {
        return fail(error, true);
    }
    return true;
}

bool TFACFMENU::openParamUtil() {
    QSqlQuery q(QSqlDatabase::database(kDbGeral));
    Statement s{QStringLiteral(
        "SELECT * FROM PARAMUTIL WHERE APLICACAO = 'FALQUINAS' AND COMP_NAME = :XCompStr")};
    s.bind(QStringLiteral(":XCompStr"), m_session.context().computerName);
    QString error;
    if (!runStatement(q, s, &error))
        return fail(error, true);
    m_hasParamUtil = q.next();
    m_paramUtil = m_hasParamUtil ? q.record() : QSqlRecord();
    return true;
}

bool TFACFMENU::MudEmpr() {
    SessionContext& ctx = m_session.context();
    if (!openParamUtil())
        return false;
    const QSqlDatabase general = QSqlDatabase::database(kDbGeral);

    // The company of the workstation.
    const int company = m_hasParamUtil ? m_paramUtil.value(QStringLiteral("EMPNRO")).toInt() : 0;
    QSqlQuery empresas(general);
    Statement companyRow{
        QStringLiteral("Select * from EMPRESAS WHERE EMPNRO = :EMPNRO Order By EMPNRO")};
    companyRow.bind(QStringLiteral(":EMPNRO"), company);
    QString error;
    if (!runStatement(empresas, companyRow, &error))
        return fail(error, true);
    if (!empresas.next()) {
        return fail(kMsgNoCompany + QString::number(company), true);
    }
    const QSqlRecord emp = empresas.record();
    ctx.userCode = text(m_paramUtil, "UTIL");
    ctx.workingDate = parseDateTime(m_paramUtil.value(QStringLiteral("DATA"))).date();
    ctx.workingYear = text(m_paramUtil, "ANO").left(4);
    ctx.companyName = text(emp, "NOME");
    ctx.companyNumber = emp.value(QStringLiteral("EMPNRO")).toInt();
    ctx.logoFolder = resolveFolder(text(emp, "PATHFOTOSLOGO"));
    ctx.invoicingAlias = text(emp, "BDFACTURA").trimmed();
    ctx.accountingDatabase = text(emp, "BDCONTAB").trimmed();
    ctx.invoicingShortCode = text(emp, "BDSIGLAFACTURA");
    ctx.invoicingDisplayName = text(emp, "BDDESIGNFACTURA");
    ctx.mainAlias = text(emp, "BDESPECIF02").trimmed();
    if (ctx.invoicingAlias.isEmpty()) {
        return fail(kMsgNoInvoicing, true);
    }
    if (ctx.accountingDatabase.isEmpty()) {
        return fail(kMsgNoAccounting, true);
    }

    // The user's database login in this company.
    QSqlQuery login(general);
    Statement loginRow{
        QStringLiteral("SELECT * FROM UTILPASSWORD WHERE UTIL = :WUtil AND EMPRESA = :WEmpNro")};
    loginRow.bind(QStringLiteral(":WUtil"), ctx.userCode);
    loginRow.bind(QStringLiteral(":WEmpNro"), ctx.companyNumber);
    if (!runStatement(login, loginRow, &error))
        return fail(error, true);
    if (!login.next() || login.value(QStringLiteral("BDUSERNAME")).toString().isEmpty()) {
        return fail(kMsgNoAccess, true);
    }
    ctx.companyUserLine =
        QStringLiteral("USER NAME=") + login.value(QStringLiteral("BDUSERNAME")).toString();
    ctx.companyPasswordLine =
        QStringLiteral("PASSWORD=") + login.value(QStringLiteral("BDPASSWORD")).toString();
    login.finish();

    if (!m_session.openModules(&error)) {
        return fail(error, true);
    }
    if (!checkDatabaseVersion())
        return false;

    // Automatic sign-in: the workstation's password must be the user's.
    Dataset* users = m_session.dataset(ds::UTIL);
    if (!users->open(&error)) {
        return fail(error, true);
    }
    if (!users->locate({QStringLiteral("NRO")}, {ctx.userCode})) {
        users->close();
        return fail(kMsgNoUser + ctx.userCode, true);
    }
    const QString userPassword = users->fieldValue(QStringLiteral("PASSWOR")).toString();
    users->close();
    if (text(m_paramUtil, "PASSWOR") != userPassword) {
        return fail(kMsgBadPassword, true);
    }

    applyMenuRights();
    if (!CreateParamTmp())
        return false;
    ui->BotPassord->setText(ctx.userCode);
    showAdministratorControls();
    return true;
}

bool TFACFMENU::CreateParamTmp() {
    const SessionContext& ctx = m_session.context();
    Dataset* tmp = m_session.dataset(ds::PARAMTMP);
    if (!tmp->locate({QStringLiteral("UTIL"), QStringLiteral("APLICACAO")},
                     {ctx.userCode, ctx.moduleCode})) {
        tmp->append();
        tmp->setFieldValue(QStringLiteral("UTIL"), ctx.userCode);
        tmp->setFieldValue(QStringLiteral("APLICACAO"), ctx.moduleCode);
        tmp->setFieldValue(QStringLiteral("EMPNRO"), ctx.companyNumber);
        tmp->setFieldValue(QStringLiteral("EMPNOM"), ctx.companyName);
        tmp->setFieldValue(QStringLiteral("DATA"), QDateTime(ctx.workingDate, QTime(0, 0)));
        tmp->post();
        const ApplyResult r = tmp->applyUpdates();
        if (!r.ok)
            return fail(r.error, true);
    }
    m_sessionRowReached = true;
    ui->Edit_EmpNom->setText(tmp->fieldValue(QStringLiteral("EMPNOM")).toString());
    return true;
}

bool TFACFMENU::cleanNullNumbers() {
    QSqlDatabase db = QSqlDatabase::database(kDbFalquinas);
    Transaction tx(db);
    QSqlQuery q(db);
    for (const QString& sql :
         {QStringLiteral("UPDATE DESENHOS SET COMERCIALNRO = '' WHERE COMERCIALNRO IS NULL"),
          QStringLiteral("Update DESENHOS SET PRODNRO='' WHERE PRODNRO IS NULL"),
          QStringLiteral("UPDATE CLICHES SET COMERCIALNRO = '' WHERE COMERCIALNRO IS NULL"),
          QStringLiteral("Update CLICHES SET PRODNRO='' WHERE PRODNRO IS NULL")}) {
        if (!q.exec(sql))
            return fail(q.lastError().text(), true);
    }
    if (!tx.commit())
        return fail(db.lastError().text(), true);
    return true;
}

void TFACFMENU::Edit_DataChange() {
    SessionContext& ctx = m_session.context();
    ctx.workingDate = ui->Edit_Data->selectedDate();
    ctx.workingYear = QString::number(ctx.workingDate.year()).rightJustified(4, QLatin1Char('0'));
    QPalette pal = ui->PanelData->palette();
    if (ctx.workingDate.year() == QDate::currentDate().year())
        pal.setColor(QPalette::Window, palette().color(QPalette::Window));
    else
        pal.setColor(QPalette::Window, Qt::red);
    ui->PanelData->setPalette(pal);
}

void TFACFMENU::FormClose() {
    m_closed = true;
    emit sessionClosing();
    if (m_session.modulesExist()) {
        const SessionContext& ctx = m_session.context();
        Dataset* tmp = m_session.dataset(ds::PARAMTMP);
        // Read the row anew: another workstation of the same user may have closed first and
        // deleted the shared row already. A start-up that stopped before the row leaves it to
        // the workstation that wrote it.
        if (m_sessionRowReached && tmp && tmp->open() &&
            tmp->locate({QStringLiteral("UTIL"), QStringLiteral("APLICACAO")},
                        {ctx.userCode, ctx.moduleCode})) {
            tmp->deleteCurrent();
            const ApplyResult r = tmp->applyUpdates();
            if (!r.ok && !r.aborted)
                m_session.messages().show(r.error, true);
        }
        if (tmp)
            tmp->close();
        m_session.closeModules();
    }
    closeConnection(kDbGeral);
}

} // namespace falq

namespace falq {

void TFACFMENU::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuFalquinas"));
    QList<QGridLayout*> pages;
    for (int i = 0; i < menuPages().size(); ++i) {
        auto* page = new QWidget(ui->NBMenu);
        auto* grid = new QGridLayout(page);
        grid->setColumnStretch(2, 1);
        grid->setRowStretch(20, 1);
        pages << grid;
        ui->NBMenu->addTab(page, menuPages()[i]);
    }
    ui->NBMenu->setTabVisible(menuPages().size() - 1, false); // "Fotos" belongs to the dashboard
    ui->NBMenu->setCurrentIndex(0);

    QMenu* menu = nullptr;
    for (const MenuEntry& e : menuEntries()) {
        if (!menu || menu->title() != e.menu)
            menu = bar->addMenu(e.menu);
        if (e.separatorBefore)
            menu->addSeparator();
        QAction* action = menu->addAction(e.caption);
        action->setObjectName(e.component);
        connect(action, &QAction::triggered, this,
                [this, component = e.component] { openEntry(component); });
        if (e.button.isEmpty())
            continue;
        // The page button runs its menu entry and is always in the same state.
        auto* button = new QToolButton(ui->NBMenu);
        button->setObjectName(e.button);
        button->setToolTip(e.hint);
        button->setText(e.buttonCaption);
        button->setIcon(style()->standardIcon(
            e.page == 0                                 ? QStyle::SP_FileDialogListView
            : e.buttonCaption == QLatin1String("Aber")  ? QStyle::SP_FileDialogNewFolder
            : e.buttonCaption == QLatin1String("Cons")  ? QStyle::SP_FileDialogContentsView
            : e.buttonCaption == QLatin1String("Impr")  ? QStyle::SP_FileDialogDetailedView
            : e.buttonCaption == QLatin1String("Valid") ? QStyle::SP_DialogApplyButton
                                                        : QStyle::SP_FileDialogInfoView));
        button->setIconSize(QSize(24, 24));
        button->setToolButtonStyle(e.buttonCaption.isEmpty() ? Qt::ToolButtonIconOnly
                                                             : Qt::ToolButtonTextUnderIcon);
        button->setMinimumSize(72, 48);
        connect(button, &QToolButton::clicked, action, &QAction::trigger);
        connect(action, &QAction::changed, button,
                [button, action] { button->setEnabled(action->isEnabled()); });
        auto* caption = new QLabel(e.hint + QStringLiteral(" ") +
                                       QString(40 - qMin(38, int(e.hint.size())), '.'),
                                   ui->NBMenu);
        // Page buttons stand in their own order (opening, consultation, printing, validation).
        static const QStringList buttonOrder = {
            "BotDesenhadores", "BotCores",         "BotMaquinas",     "BotCartoes",
            "BotModelos",      "BotLocais",        "BotAbreCliche",   "BotConsCliche",
            "BotImprCliche",   "BotValidCliche",   "BotAbreDesenhos", "BotConsDesenhos",
            "BotImprDesenhos", "BotValidDesenhos", "BotMov001",       "BotMov002",
            "BotMov003",       "BotMov004",        "BotMov005",       "BotMov006"};
        QGridLayout* grid = pages[e.page];
        const int row = buttonOrder.indexOf(e.button);
        grid->addWidget(button, row, 0);
        grid->addWidget(caption, row, 1);
    }
}

void TFACFMENU::registerWindow(const QString& component, const WindowOpener& opener) {
    m_openers.insert(component, opener);
}

void TFACFMENU::openWindow(const WindowOpener& opener) {
    QList<QObject*> reports = opener.reports ? opener.reports() : QList<QObject*>();
    {
        std::unique_ptr<QDialog> window(opener.window(this));
        window->exec();
    }
    qDeleteAll(reports);
    activateWindow();
}

void TFACFMENU::openEntry(const QString& component) {
    if (component == QLatin1String("BSair1")) {
        close();
        return;
    }
    if (component == QLatin1String("C1")) {
        openNotesDocument();
        return;
    }
    if (component == QLatin1String("AEmpresaeData1")) {
        Dataset* tmp = m_session.dataset(ds::PARAMTMP);
        const QString company =
            tmp ? tmp->fieldValue(QStringLiteral("EMPNOM")).toString() : QString();
        const QDate date =
            tmp ? tmp->fieldValue(QStringLiteral("DATA")).toDateTime().date() : QDate();
        const QString user = m_session.context().userCode;
        openWindow({[company, date, user](QWidget* parent) {
                        return new TGERF002(company, date, user, parent);
                    },
                    {}});
        return;
    }
    const auto it = m_openers.constFind(component);
    if (it != m_openers.constEnd())
        openWindow(*it);
}

void TFACFMENU::openNotesDocument() {
    QString path = resolveInRoot(QStringLiteral("Programas/Pdf/Falquinas.pdf"));
    if (!QFileInfo::exists(path)) {
        const QString second = PlantConfig::read().secondPdfFolder;
        path = second.isEmpty() ? QString()
                                : resolveCaseInsensitive(second, QStringLiteral("Falquinas.pdf"));
    }
    if (!path.isEmpty() && QFileInfo::exists(path))
        m_openUrl(QUrl::fromLocalFile(path));
}

void TFACFMENU::applyMenuRights() {
    for (const MenuEntry& e : menuEntries()) {
        if (e.chapter.isEmpty())
            continue; // "&A - Geral" is never restricted
        QAction* action = findChild<QAction*>(e.component);
        action->setEnabled(true);
        const AccessRights r = m_session.rights(e.chapter, e.program);
        if (!r.found || !r.aceder)
            action->setEnabled(false);
    }
}

void TFACFMENU::showAdministratorControls() {
    if (Dataset* parger = m_session.dataset(ds::PARGER))
        parger->open();
    ui->ShapeActive->hide();
    ui->BotActive->hide();
    const AccessRights r = m_session.rights(kAdministratorChapter, kAdministratorChapter);
    if (r.found && r.aceder) {
        ui->ShapeActive->show();
        ui->BotActive->show();
    }
}

bool TFACFMENU::checkDatabaseVersion() {
    const SessionContext& ctx = m_session.context();
    QSqlDatabase db = QSqlDatabase::database(kDbFalquinas);
    QString error;
    if (!dbversion::ensureVersionRow(db, ctx.companyNumber, &error))
        return fail(error, true);
    const QString stored = dbversion::storedVersion(db, ctx.companyNumber, &error);
    if (!error.isEmpty())
        return fail(error, true);
    m_upgrader->setVersion(ctx.version);
    if (stored == ctx.version)
        return true;
    if (!dbversion::canUpgrade(stored, ctx.version)) {
        // A newer program wrote it, or it is not a version at all: leave it as it is.
        m_session.messages().show(QStringLiteral("A base de dados da empresa está na versão "
                                                 "\"%1\", que este programa (versão %2) não "
                                                 "actualiza. A base de dados fica como está.")
                                      .arg(stored, ctx.version),
                                  true);
        return true;
    }
    TGERFVERSAO window(db, ctx.companyNumber, stored, ctx.version, ctx.workingDate, this);
    window.exec();
    if (!window.succeeded())
        return fail(QStringLiteral("A actualização da base de dados para a versão %1 falhou: %2")
                        .arg(ctx.version, window.error()),
                    true);
    return true;
}

bool TFACFMENU::runUpdateCheck() {
    const SessionContext& ctx = m_session.context();
    m_upgrader->setInfoPath(ctx.computerType == QLatin1String("S")
                                ? QStringLiteral("/Downloads/AppControls/UFalquinas.txt")
                                : QStringLiteral("/Downloads/AppControls/UFalquinas_MP.txt"));
    const PlantConfig config = PlantConfig::read();
    m_upgrader->setServer(config.updateServer);
    Dataset* users = m_session.dataset(ds::UTIL);
    QString error;
    const QString user = text(m_paramUtil, "UTIL");
    if (!users->open(&error))
        return fail(error, true);
    const bool found = users->locate({QStringLiteral("NRO")}, {user});
    const QString licence =
        found ? users->fieldValue(QStringLiteral("UPGRADE_LICENSE")).toString() : QString();
    users->close();
    if (!found)
        return fail(kMsgNoUserUpdate + user, true);
    if (licence == QLatin1String("S")) {
        ui->BotBusca->show();
        m_upgrader->checkFull(true); // no update server configured: nothing to say at every start
    } else {
        ui->BotBusca->hide();
        m_upgrader->checkOnly(config.updateWaitMs);
    }
    return true;
}

void TFACFMENU::BotBuscaClick() {
    m_upgrader->checkFull();
}

void TFACFMENU::BotPassordClick() {
    int outcome = TALTERFPASS::Open;
    QString password;
    openWindow({[this, &outcome, &password](QWidget* parent) {
                    auto* window = new TALTERFPASS(m_session.messages(), parent);
                    connect(window, &QDialog::finished, window, [window, &outcome, &password] {
                        outcome = window->outcome();
                        password = window->newPassword();
                    });
                    return window;
                },
                {}});
    if (outcome != TALTERFPASS::Confirmed)
        return;
    Dataset* users = m_session.dataset(ds::UTIL);
    if (!users->open())
        return;
    if (users->locate({QStringLiteral("NRO")}, {m_session.context().userCode})) {
        users->edit();
        users->setFieldValue(QStringLiteral("PASSWOR"), password);
        users->post();
        const ApplyResult r = users->applyUpdates();
        if (!r.ok && !r.aborted)
            m_session.messages().show(r.error, true);
    }
    users->close();
}

} // namespace falq
