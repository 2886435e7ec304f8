#include "criteriapage.h"

#include "codenames.h"
#include "connections.h"
#include "dataset.h"
#include "recordrules.h"
#include "recordsearch.h"
#include "session.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace falq {

namespace {
// The columns of the searches of a code table's boxes.
QList<SearchColumn> lookupColumns(const QString& table, bool byName) {
    if (table == QLatin1String("CLIENTES"))
        return lookups::clientColumns(byName);
    if (table == QLatin1String("FORNECEDORES"))
        return lookups::supplierColumns(byName);
    if (table == QLatin1String("VENDEDORES"))
        return lookups::salesmanColumns(byName);
    return lookups::boardColumns(byName);
}

constexpr int kLastRow = 40; // below every row of a page: the room left over
} // namespace

CriteriaPage::CriteriaPage(Session& session, const QString& table, QWidget* parent)
    : QWidget(parent), m_session(session), m_table(table), m_book(new QTabWidget(this)),
      m_sortGroup(new QGroupBox(QStringLiteral("Ordenar por"), this)),
      m_sorts(new QButtonGroup(this)) {
    m_book->setObjectName(QStringLiteral("NB"));
    m_book->tabBar()->setFocusPolicy(Qt::NoFocus);
    m_sortGroup->setObjectName(QStringLiteral("RadOrdenar"));
    m_sortGroup->setLayout(new QVBoxLayout);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_book, 1);
    layout->addWidget(m_sortGroup);
    connect(qApp, &QApplication::focusChanged, this, &CriteriaPage::focusChanged);
    connect(m_sorts, &QButtonGroup::idClicked, this, [this](int id) {
        for (const auto& [button, sort] : std::as_const(m_sortButtons))
            if (m_sorts->id(button) == id)
                *sort = id;
        emit searchChanged();
    });
}

CriteriaPage::~CriteriaPage() = default;

QGridLayout* CriteriaPage::addPage(const QString& name, const QString& title) {
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* grid = new QGridLayout(page);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(kLastRow, 1);
    m_book->addTab(page, title);
    m_nextRow.insert(grid, 0);
    return grid;
}

QLineEdit* CriteriaPage::addRangeBoxes(QGridLayout* grid, const QString& label,
                                       const QString& lowName, const QString& highName,
                                       QLineEdit** high) {
    const int row = m_nextRow[grid]++;
    auto* text = new QLabel(label);
    text->setTextFormat(Qt::PlainText);
    auto* low = new QLineEdit;
    low->setObjectName(lowName);
    *high = new QLineEdit;
    (*high)->setObjectName(highName);
    grid->addWidget(text, row, 0);
    grid->addWidget(low, row, 1);
    grid->addWidget(*high, row, 2);
    return low;
}

void CriteriaPage::addTextRange(QGridLayout* grid, const QString& label, const QString& lowName,
                                const QString& highName, int size, QString* low, QString* high,
                                const QString& message, bool zeroIsEmpty) {
    QLineEdit* highBox = nullptr;
    QLineEdit* lowBox = addRangeBoxes(grid, label, lowName, highName, &highBox);
    const int width = fontMetrics().horizontalAdvance(QString(size + 2, QLatin1Char('W')));
    for (QLineEdit* b : {lowBox, highBox})
        b->setMinimumWidth(qMin(width, 260));
    m_ranges << Range{lowBox,  highBox, true,    size,        0,     low,  high,
                      nullptr, nullptr, message, zeroIsEmpty, false, *low, *high};
}

void CriteriaPage::addNumberRanges(QGridLayout* grid, std::initializer_list<NumberRange> ranges) {
    for (const NumberRange& n : ranges)
        addNumberRange(grid, QString::fromUtf8(n.label), QLatin1String(n.low),
                       QLatin1String(n.high), QLatin1String(n.column), n.from, n.to, n.message,
                       n.lookupHint);
}

void CriteriaPage::addNumberRange(QGridLayout* grid, const QString& label, const QString& lowName,
                                  const QString& highName, const QString& column, qint64* low,
                                  qint64* high, const QString& message, bool lookupHint) {
    qint64 minimum = 0;
    qint64 maximum = 0;
    if (!columnNumberRange(m_table, column, &minimum, &maximum))
        qWarning("no number column %s.%s", qPrintable(m_table), qPrintable(column));
    // A small code column shows an upper default above what it holds (99999): still a bound.
    maximum = qMax(maximum, *high);
    QLineEdit* highBox = nullptr;
    QLineEdit* lowBox = addRangeBoxes(grid, label, lowName, highName, &highBox);
    for (QLineEdit* b : {lowBox, highBox})
        b->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("99999999999")) + 12);
    m_ranges << Range{lowBox, highBox, false,   0,     maximum,    nullptr, nullptr,
                      low,    high,    message, false, lookupHint, *low,    *high};
}

void CriteriaPage::addPatterns(QGridLayout* grid, std::initializer_list<PatternBox> patterns) {
    for (const PatternBox& p : patterns) {
        const int row = m_nextRow[grid]++;
        auto* text = new QLabel(QString::fromUtf8(p.label));
        text->setTextFormat(Qt::PlainText);
        auto* box = new QLineEdit;
        box->setObjectName(QLatin1String(p.name));
        grid->addWidget(text, row, 0);
        grid->addWidget(box, row, 1, 1, 2);
        m_patterns << Pattern{box, p.pattern};
    }
}

void CriteriaPage::addSorts(std::initializer_list<SortButton> sorts) {
    for (const SortButton& s : sorts) {
        auto* button = new QRadioButton(QString::fromUtf8(s.text));
        button->setObjectName(QLatin1String(s.name));
        m_sorts->addButton(button, s.id);
        m_sortGroup->layout()->addWidget(button);
        m_sortButtons << qMakePair(button, &m_sort);
    }
}

void CriteriaPage::addPartyLookups() {
    addCodeLookups(QStringLiteral("CLIENTES"), lookups::clients(),
                   {QStringLiteral("Edit_CliNro1"), QStringLiteral("Edit_CliNro2")});
    addCodeLookups(QStringLiteral("FORNECEDORES"), lookups::suppliers(),
                   {QStringLiteral("Edit_FrnNro1"), QStringLiteral("Edit_FrnNro2")},
                   QStringLiteral("Edit_FrnNro2"));
}

void CriteriaPage::addCodeLookups(const QString& setName, const LookupDef& def,
                                  const QStringList& boxNames, const QString& quietBox) {
    const QString byName = setName + QStringLiteral("ALFA");
    for (const QString& name : {setName, byName})
        m_lookupSets.insert(name, createLookupSet(name, def, name == byName, this));
    const QList<SearchColumn> columns[] = {lookupColumns(def.table, false),
                                           lookupColumns(def.table, true)};
    auto set = [this](const QString& name) {
        return [this, name]() -> Dataset* { return m_lookupSets.value(name); };
    };
    for (const QString& boxName : boxNames) {
        QLineEdit* b = box(boxName);
        auto* lookup = new LookupMenu(b, m_session.messages(), {set(setName), {}, columns[0]},
                                      {set(byName), {}, columns[1]});
        connect(lookup, &LookupMenu::finished, this, &CriteriaPage::lookupClosed);
        if (boxName == quietBox)
            for (QAction* a : lookup->menu()->actions())
                a->setShortcut({});
        // The code taken is the bound at once; the search runs when the box is left.
        connect(lookup, &LookupMenu::chosen, this, [this, b] {
            for (const Range& r : std::as_const(m_ranges))
                if (r.low == b || r.high == b)
                    storeBound(r, b);
        });
    }
}

void CriteriaPage::openLookups() {
    for (Dataset* d : std::as_const(m_lookupSets))
        d->open();
}

void CriteriaPage::closeLookups() {
    for (Dataset* d : std::as_const(m_lookupSets))
        d->close();
}

QLineEdit* CriteriaPage::box(const QString& name) const {
    return findChild<QLineEdit*>(name);
}

void CriteriaPage::showCriteria() {
    for (const Range& r : std::as_const(m_ranges)) {
        r.low->setText(r.text ? *r.lowText : QString::number(*r.lowNumber));
        r.high->setText(r.text ? *r.highText : QString::number(*r.highNumber));
    }
    for (const Pattern& p : std::as_const(m_patterns))
        p.box->setText(*p.value);
    for (const auto& [button, sort] : std::as_const(m_sortButtons))
        if (m_sorts->id(button) == *sort)
            button->setChecked(true);
}

void CriteriaPage::setStatus(const QString& text) {
    if (m_status)
        m_status->setText(text);
}

void CriteriaPage::focusChanged(QWidget* old, QWidget* now) {
    // Only moves inside the window count: closing it, or a box or dialog over it, is no exit.
    QWidget* w = window();
    if (!old || !now || !w->isAncestorOf(old) || !w->isAncestorOf(now))
        return;
    const bool refocus = m_refocus && now == m_refocus;
    if (refocus)
        m_refocus = nullptr;
    if (!refocus) {
        for (const Range& r : std::as_const(m_ranges))
            if (old == r.low || old == r.high) {
                leaveRange(r, static_cast<QLineEdit*>(old));
                break;
            }
        for (const Pattern& p : std::as_const(m_patterns))
            if (old == p.box)
                leavePattern(p);
    }
    for (const Range& r : std::as_const(m_ranges))
        if (r.lookupHint && (now == r.low || now == r.high))
            setStatus(kRangeKeysHint);
}

bool CriteriaPage::storeBound(const Range& r, QLineEdit* b) {
    const bool low = b == r.low;
    if (r.text) {
        QString value = b->text().left(r.size);
        if (r.zeroIsEmpty && m_zeroIsEmpty && value == QLatin1String("0"))
            value.clear();
        *(low ? r.lowText : r.highText) = value;
        return true;
    }
    qint64 value = 0;
    if (!parseCode(b->text(), 0, r.maximum, &value))
        return false;
    *(low ? r.lowNumber : r.highNumber) = value;
    return true;
}

bool CriteriaPage::inverted(const Range& r, bool* answer) {
    // A bound at its default sets no limit: nothing to be out of order with.
    const bool highAtDefault =
        r.text ? QVariant(*r.highText) == r.defaultHigh : QVariant(*r.highNumber) == r.defaultHigh;
    const bool lowAtDefault =
        r.text ? QVariant(*r.lowText) == r.defaultLow : QVariant(*r.lowNumber) == r.defaultLow;
    if (lowAtDefault || highAtDefault) {
        *answer = false;
        return true;
    }
    if (!r.text) {
        *answer = *r.highNumber < *r.lowNumber;
        return true;
    }
    QString error;
    if (textBoundsInverted(QSqlDatabase::database(kDbFalquinas, false), *r.lowText, *r.highText,
                           answer, &error))
        return true;
    m_session.messages().show(error, true);
    return false;
}

void CriteriaPage::leaveRange(const Range& r, QLineEdit* b) {
    setStatus(QString());
    if (!storeBound(r, b)) {
        refuse(b, kBadValue);
        return;
    }
    if (b == r.high && !r.message.isEmpty()) {
        bool wrongWay = false;
        if (!inverted(r, &wrongWay))
            return;
        if (wrongWay) {
            refuse(r.low, r.message);
            return;
        }
    }
    emit searchChanged();
}

bool CriteriaPage::checkRanges() {
    for (const Range& r : std::as_const(m_ranges)) {
        if (r.message.isEmpty())
            continue;
        bool wrongWay = false;
        if (!inverted(r, &wrongWay))
            return false;
        if (wrongWay) {
            refuse(r.low, r.message);
            return false;
        }
    }
    return true;
}

void CriteriaPage::leavePattern(const Pattern& p) {
    *p.value = patternOrAll(p.box->text());
    p.box->setText(*p.value);
    emit searchChanged();
}

void CriteriaPage::refuse(QLineEdit* focusBox, const QString& message) {
    m_refocus = focusBox; // the focus comes back: the box it passes through is not left
    m_session.messages().showForField(focusBox, message, true);
}

} // namespace falq
