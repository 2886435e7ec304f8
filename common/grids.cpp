#include "grids.h"

#include "dataset.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QTableView>

namespace falq {

QList<SearchColumn> columnsStartingWith(const QList<SearchColumn>& columns, const QString& field) {
    QList<SearchColumn> ordered;
    for (const SearchColumn& c : columns)
        if (c.field.compare(field, Qt::CaseInsensitive) == 0)
            ordered << c;
    for (const SearchColumn& c : columns)
        if (c.field.compare(field, Qt::CaseInsensitive) != 0)
            ordered << c;
    return ordered;
}

TitleSortHeader::TitleSortHeader(QTableView* grid, const QStringList& fields)
    : QHeaderView(Qt::Horizontal, grid) {
    for (const QString& f : fields)
        m_fields << f.toUpper();
    setSectionsClickable(true);
    setHighlightSections(false);
    grid->setHorizontalHeader(this);
    connect(this, &QHeaderView::sectionClicked, this, [this](int logical) {
        const QString field = sortableField(logical);
        if (!field.isEmpty())
            emit sortRequested(field);
    });
}

QString TitleSortHeader::sortableField(int logicalIndex) const {
    const auto* dataset = qobject_cast<const Dataset*>(model());
    if (!dataset)
        return {};
    const QString field = dataset->fieldOfColumn(logicalIndex).toUpper();
    return m_fields.contains(field) ? field : QString();
}

void TitleSortHeader::setSortField(const QString& field) {
    m_sortField = field.toUpper();
    viewport()->update();
}

void TitleSortHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    painter->save();
    QHeaderView::paintSection(painter, rect, logicalIndex);
    painter->restore();
    if (m_sortField.isEmpty() || sortableField(logicalIndex) != m_sortField)
        return;
    // The sort column's title: yellow, with its text drawn again over it.
    painter->save();
    painter->fillRect(rect.adjusted(1, 1, -1, -1), sortTitleColour());
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                      model()->headerData(logicalIndex, Qt::Horizontal).toString());
    painter->restore();
}

GridSearchKeys::GridSearchKeys(QTableView* grid, const QList<SearchColumn>& searches,
                               std::function<void(const QString&)> search)
    : QObject(grid), m_search(std::move(search)), m_menu(new QMenu(grid)) {
    m_menu->setObjectName(grid->objectName() + QStringLiteral("Menu"));
    for (int n = 0; n < searches.size(); ++n) {
        const QString field = searches[n].field;
        m_fields << field;
        QAction* item =
            m_menu->addAction(searches[n].title, this, [this, field] { m_search(field); });
        item->setShortcut(QKeySequence(Qt::Key_F1 + n));
        item->setShortcutContext(Qt::WidgetShortcut); // the keys are read by the filter below
    }
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, m_menu,
            [this, grid](const QPoint& at) { m_menu->popup(grid->viewport()->mapToGlobal(at)); });
    grid->installEventFilter(this);
}

bool GridSearchKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const int n = key - Qt::Key_F1;
    if (n < 0 || n >= m_fields.size())
        return false;
    m_search(m_fields[n]);
    return true;
}

} // namespace falq
