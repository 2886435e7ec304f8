#include "dashboard.h"

#include "UnitFacMenu.h"
#include "dashboardviewer.h"
#include "itempage.h"
#include "lifepage.h"
#include "partypage.h"
#include "recordpickers.h"
#include "session.h"
#include "totalspage.h"
#include "unitDtFalquinas.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QGridLayout>
#include <QTabWidget>
#include <QTimer>

namespace falq::dashboard {

namespace {
constexpr int kClientsPage = 1; // "Custos por Cliente" in NB0
} // namespace

Dashboard::Dashboard(Session& session, TFACFMENU& window)
    : QObject(&window), m_session(session), m_window(window), m_nb0(window.dashboardNotebook()),
      m_menu(window.menuNotebook()), m_switch(window.dashboardSwitch()) {
    QWidget* photos = m_menu->widget(m_menu->count() - 1);
    m_viewer = new DashboardViewer(session, photos);
    if (auto* grid = qobject_cast<QGridLayout*>(photos->layout()))
        grid->addWidget(m_viewer, 0, 0, grid->rowCount(), grid->columnCount());
    m_viewer->showFilters(false, false);

    m_pages << new TotalsPage(*this, m_nb0) << new PartyPage(*this, Party::Client, m_nb0)
            << new PartyPage(*this, Party::Supplier, m_nb0)
            << new ItemPage(*this, Item::Cliche, m_nb0) << new ItemPage(*this, Item::Drawing, m_nb0)
            << new LifePage(*this, m_nb0);
    for (DashboardPage* page : std::as_const(m_pages))
        m_nb0->addTab(page, page->caption());
    m_nb0->hide();
    // While on, the dashboard takes most of the height the menu notebook leaves.
    if (auto* column = qobject_cast<QBoxLayout*>(m_nb0->parentWidget()->layout())) {
        column->setStretchFactor(m_menu, 2);
        column->setStretchFactor(m_nb0, 5);
    }

    connect(m_switch, &QAbstractButton::clicked, this, &Dashboard::BotActiveClick);
    connect(m_nb0, &QTabWidget::currentChanged, this, [this] {
        if (m_on)
            NB0Change();
    });
    connect(m_viewer, &DashboardViewer::filtersChanged, this, &Dashboard::filtersChanged);
    connect(&window, &TFACFMENU::sessionClosing, this, &Dashboard::shutDown);
}

Dashboard::~Dashboard() = default;

Filters Dashboard::filters() const {
    return m_viewer->filters();
}

bool Dashboard::isShowing(const DashboardPage* page) const {
    return m_on && m_nb0->currentWidget() == page;
}

void Dashboard::showTypeFilter(bool show) {
    m_viewer->showFilters(show, !isShowing(m_pages.value(3)) && !isShowing(m_pages.value(4)));
}

void Dashboard::BotActiveClick() {
    // The image folders are read anew; nothing of a record stays on show.
    if (Dataset* parger = m_session.dataset(ds::PARGER)) {
        parger->close();
        parger->open();
    }
    m_viewer->readParameters();
    m_viewer->clear();
    for (DashboardPage* page : std::as_const(m_pages))
        page->detach();
    const QDate today = m_session.context().workingDate;
    const int year = m_session.context().workingYear.toInt();
    for (DashboardPage* page : std::as_const(m_pages))
        page->resetDates(QDate(year > 0 ? year : today.year(), 1, 1), today);
    m_pages.first()->firstSubPages();
    const int photosPage = m_menu->count() - 1;
    if (m_on) {
        m_on = false;
        m_filtersAttached = false;
        for (DashboardPage* page : std::as_const(m_pages))
            page->closeQueries();
        m_nb0->hide();
        // While on, the dashboard takes most of the height the menu notebook leaves.
        if (auto* column = qobject_cast<QBoxLayout*>(m_nb0->parentWidget()->layout())) {
            column->setStretchFactor(m_menu, 2);
            column->setStretchFactor(m_nb0, 5);
        }
        m_viewer->showFilters(false, false);
        m_menu->setTabVisible(photosPage, false);
        m_menu->setCurrentIndex(0);
    } else {
        m_on = true;
        m_menu->setTabVisible(photosPage, true);
        m_menu->setCurrentIndex(photosPage);
        NB0Change();
    }
}

void Dashboard::NB0Change() {
    auto* page = qobject_cast<DashboardPage*>(m_nb0->currentWidget());
    if (!page)
        return;
    // "Custos por Cliente" starts again on its first sub-page; the other pages keep theirs.
    m_pages.at(kClientsPage)->firstSubPages();
    m_viewer->showFilters(page->typeFilterApplies(), page->kindFilterApplies());
    m_filtersAttached = false;
    for (DashboardPage* p : std::as_const(m_pages))
        p->closeQueries();
    m_filtersAttached = true;
    m_nb0->show();
    page->recompute();
}

void Dashboard::filtersChanged() {
    auto* page = qobject_cast<DashboardPage*>(m_nb0->currentWidget());
    // A page no filter applies to has nothing to read again.
    if (!m_on || !m_filtersAttached || !page ||
        (!page->typeFilterApplies() && !page->kindFilterApplies()))
        return;
    page->recompute();
}

void Dashboard::recomputeSoon(DashboardPage* page) {
    if (!isShowing(page) || m_recomputePending)
        return;
    m_recomputePending = true;
    QTimer::singleShot(0, this, [this, page] {
        m_recomputePending = false;
        if (isShowing(page))
            page->recompute();
    });
}

void Dashboard::showRequisition(Dataset* requisitions, bool subPageShown) {
    if (!subPageShown || !requisitions->isOpen() || requisitions->isEmpty() ||
        requisitions->currentRow() < 0) {
        m_viewer->clear();
        return;
    }
    countOpening(QStringLiteral("viewer"));
    const QString kind = requisitions->fieldValue(QStringLiteral("TIPOREG")).toString();
    const bool drawing = kind == QLatin1String("DS");
    const QString number =
        requisitions
            ->fieldValue(drawing ? QStringLiteral("DESENHONRO") : QStringLiteral("CLICHENRO"))
            .toString();
    m_viewer->showRecord(drawing ? QStringLiteral("DS") : QStringLiteral("CL"), number);
}

QString Dashboard::pick(Item item) {
    // The parameters are closed while the picker runs, and read again after.
    Dataset* parger = m_session.dataset(ds::PARGER);
    if (parger)
        parger->close();
    const QString number = pickNumber(item == Item::Cliche ? ds::CLICHES : ds::DESENHOS, m_session,
                                      PickerCaller::MainWindow, &m_window);
    if (parger)
        parger->open();
    return number;
}

void Dashboard::shutDown() {
    m_filtersAttached = false;
    for (DashboardPage* page : std::as_const(m_pages))
        page->closeQueries();
    m_viewer->clear();
}

} // namespace falq::dashboard
