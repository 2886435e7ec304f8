#include "movementreportforms.h"

#include "listingtexts.h"
#include "movementqueries.h"
#include "querysource.h"
#include "reportpictures.h"

#include <QHash>
#include <QSqlQuery>
#include <QSqlRecord>

namespace falq::movements {

namespace {

struct ReportKind {
    const char* name;
    QString caption;
    QString title;
    ItemKind kind;
    bool ranking;
    Measure measure;
};

ReportKind reportKind(MovementReport report) {
    switch (report) {
    case MovementReport::RiskDrawings:
        return {"TCORTFPR030A",
                QStringLiteral("Utilizações de Risco"),
                QStringLiteral("Relatório de Desenhos C/ Utilizações de Risco"),
                ItemKind::Drawing,
                true,
                Measure::Uses};
    case MovementReport::RiskCliches:
        return {"TCORTFPR030B",
                QStringLiteral("Utilizações de Risco"),
                QStringLiteral("Relatório de Clichés C/ Utilizações de Risco"),
                ItemKind::Cliche,
                true,
                Measure::Uses};
    case MovementReport::ListCliches:
        return {"TCORTFPR030C",
                QStringLiteral("Listagem de Movimentos de Clichés"),
                QStringLiteral("Listagem de Movimentos de Clichés"),
                ItemKind::Cliche,
                false,
                Measure::Uses};
    case MovementReport::ListDrawings:
        return {"TCORTFPR030D",
                QStringLiteral("Listagem de Movimentos de Desenhos"),
                QStringLiteral("Listagem de Movimentos de Desenhos"),
                ItemKind::Drawing,
                false,
                Measure::Uses};
    case MovementReport::AnalysisDrawings:
        return {"TCORTFPR030E",
                QStringLiteral("Análise de Desenhos por Rotações e Batimentos"),
                QStringLiteral("Análise de Desenhos por Rotações e Batimentos"),
                ItemKind::Drawing,
                true,
                Measure::Rotations};
    case MovementReport::AnalysisCliches:
        break;
    }
    return {"TCORTFPR030F",
            QStringLiteral("Análise de Clichés por Rotações e Batimentos"),
            QStringLiteral("Análise de Clichés por Rotações e Batimentos"),
            ItemKind::Cliche,
            true,
            Measure::Rotations};
}

QString numberTitle(ItemKind kind) {
    return kind == ItemKind::Drawing ? QStringLiteral("Desenho Nº") : QStringLiteral("Cliché Nº");
}

int numberWidth(ItemKind kind) {
    return kind == ItemKind::Drawing ? 20 : 12;
}

reports::Column dateColumn(const QString& title, const QString& field) {
    reports::Column c{title, field, 10, Qt::AlignLeft, reports::ValueFormat::Date};
    c.value = [field](const reports::Record& r) { return parseDateTime(r.value(field)); };
    return c;
}

// The movements of every ranked item, read once and kept by item number.
struct Movement {
    QString order;
    QDate date;
    qint64 rotations = 0;
};
struct ItemMovements {
    QVector<Movement> rows;
    QHash<QString, QPair<int, int>> ranges; // number -> first row, count
};

bool readItemMovements(const QSqlDatabase& db, ItemKind kind, const MovementFilter& filter,
                       ItemMovements& out, QString* error) {
    QSqlQuery q(db);
    if (!runForward(q, rankedMovementsStatement(SqlDialect::forDatabase(db), kind, filter), error))
        return false;
    QString current;
    int first = 0;
    while (q.next()) {
        const QString number = q.value(0).toString();
        if (number != current || out.rows.isEmpty()) {
            if (!out.rows.isEmpty())
                out.ranges.insert(current, {first, int(out.rows.size()) - first});
            current = number;
            first = int(out.rows.size());
        }
        out.rows.append(
            {q.value(3).toString(), parseDateTime(q.value(4)).date(), q.value(2).toLongLong()});
    }
    if (!out.rows.isEmpty())
        out.ranges.insert(current, {first, int(out.rows.size()) - first});
    return true;
}

QString subLine(const QString& order, const QString& date, const QString& rotations) {
    return QStringLiteral("    %1 %2 %3").arg(order, -20).arg(date, -10).arg(rotations, 13);
}

bool prepareRanking(const QSqlDatabase& db, const ImageParameters& images, const ReportKind& k,
                    const MovementReportCriteria& criteria, const MovementFilter& filter,
                    PreparedReport& out, QString* error) {
    QSqlQuery q(db);
    if (!runForward(q, rankingStatement(SqlDialect::forDatabase(db), k.kind, k.measure, filter),
                    error))
        return false;
    const QStringList fields = {numberColumn(k.kind), measureColumn(k.measure),
                                QStringLiteral("REFERENCIA"), QStringLiteral("SIGLACLI"),
                                supplierColumn(k.kind)};
    QVector<QVariantList> rows;
    while (q.next())
        rows << QVariantList{q.value(0).toString(), q.value(1).toLongLong(), q.value(2), q.value(3),
                             q.value(4)};
    out.source = std::make_unique<reports::TableSource>(fields, std::move(rows));

    reports::Form& f = out.form;
    f.columns = {{numberTitle(k.kind), fields[0], numberWidth(k.kind)},
                 {k.measure == Measure::Uses ? QStringLiteral("Utilizações")
                                             : QStringLiteral("Rotaç./Batim."),
                  fields[1], 13, Qt::AlignRight, reports::ValueFormat::Integer},
                 {QStringLiteral("Referência"), fields[2], k.kind == ItemKind::Drawing ? 30 : 25},
                 {QStringLiteral("Cliente"), fields[3], 15},
                 {QStringLiteral("Fornecedor"), fields[4], 15}};
    const QString numberField = fields[0];
    if (criteria.orders) {
        auto movements = std::make_shared<ItemMovements>();
        if (!readItemMovements(db, k.kind, filter, *movements, error))
            return false;
        f.subLines = [movements, numberField](const reports::Record& r) {
            QStringList lines{subLine(QStringLiteral("Encom. Nº"), QStringLiteral("Data"),
                                      QStringLiteral("Rotac./Batim."))};
            const auto range = movements->ranges.value(r.value(numberField).toString(), {0, 0});
            for (int i = range.first; i < range.first + range.second; ++i) {
                const Movement& m = movements->rows.at(i);
                lines << subLine(m.order, m.date.toString(QStringLiteral("dd/MM/yyyy")),
                                 QString::number(m.rotations));
            }
            return lines;
        };
    }
    if (criteria.photos) {
        const bool drawing = k.kind == ItemKind::Drawing;
        f.picture = [images, drawing, numberField](const reports::Record& r) {
            return itemPicture(images, drawing, r.value(numberField).toString());
        };
        f.pictureLines = kPictureLines;
    }
    return true;
}

bool prepareList(const QSqlDatabase& db, const ReportKind& k, const MovementFilter& filter,
                 PreparedReport& out, QString* error) {
    const Statement s = movementListStatement(SqlDialect::forDatabase(db), k.kind, filter);
    auto source = std::make_unique<reports::QuerySource>(db, s);
    if (!source->ok()) {
        if (error)
            *error = source->error();
        return false;
    }
    out.source = std::move(source);
    reports::Form& f = out.form;
    f.orientation = QPageLayout::Landscape;
    f.columns = {{QStringLiteral("Utilizações"), QStringLiteral("NROUTIL"), 11, Qt::AlignRight,
                  reports::ValueFormat::Integer},
                 {QStringLiteral("Encomenda"), QStringLiteral("ENCOMENDA"), 20},
                 dateColumn(QStringLiteral("Data"), QStringLiteral("DATA")),
                 {numberTitle(k.kind), numberColumn(k.kind), numberWidth(k.kind)},
                 {QStringLiteral("Rotac.Batim."), QStringLiteral("ROTACOES"), 12, Qt::AlignRight,
                  reports::ValueFormat::Integer},
                 {QStringLiteral("Cliente"), QStringLiteral("SIGLACLI"), 15},
                 {QStringLiteral("Fornecedor"), supplierColumn(k.kind), 15}};
    return true;
}

} // namespace

bool prepareMovementReport(const QSqlDatabase& db, const ImageParameters& images,
                           MovementReport report, const MovementReportCriteria& criteria,
                           PreparedReport& out, QString* error) {
    const ReportKind k = reportKind(report);
    MovementFilter filter;
    filter.from = criteria.from;
    filter.to = criteria.to;
    filter.clientPattern =
        criteria.clientPattern.isEmpty() ? QStringLiteral("%") : criteria.clientPattern;
    filter.supplierPattern =
        criteria.supplierPattern.isEmpty() ? QStringLiteral("%") : criteria.supplierPattern;
    out = PreparedReport();
    out.caption = k.caption;
    out.form.name = QString::fromLatin1(k.name);
    out.form.title = k.title;
    out.form.criteria = {periodCriterion(filter.from, filter.to),
                         clientCriterion(filter.clientPattern),
                         supplierCriterion(filter.supplierPattern)};
    return k.ranking ? prepareRanking(db, images, k, criteria, filter, out, error)
                     : prepareList(db, k, filter, out, error);
}

} // namespace falq::movements
