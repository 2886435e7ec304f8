// The dashboard's statements on a small register worked out by hand, and its chart points.
#include "chartpoints.h"
#include "dashboardqueries.h"
#include "registerrows.h"

#include <QSqlQuery>
#include <QSqlRecord>

using namespace falq;
using namespace falq::dashboard;

namespace {

// The rows of a statement, each value as text ("NULL" for NULL, numbers without trailing
// zeros, dates as yyyy-MM-dd hh:mm).
QList<QStringList> rowsOf(const QSqlDatabase& db, const Statement& s) {
    QSqlQuery q(db);
    if (!q.prepare(s.sql)) {
        qWarning("%s: %s", qPrintable(s.sql), qPrintable(q.lastError().text()));
        return {{QStringLiteral("prepare failed")}};
    }
    for (const auto& [name, value] : s.binds)
        q.bindValue(name, value);
    if (!q.exec()) {
        qWarning("%s: %s", qPrintable(s.sql), qPrintable(q.lastError().text()));
        return {{QStringLiteral("exec failed")}};
    }
    QList<QStringList> rows;
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < q.record().count(); ++i) {
            const QVariant v = q.value(i);
            bool number = false;
            const double d = v.toString().toDouble(&number);
            if (v.isNull())
                row << QStringLiteral("NULL");
            else if (number && v.typeId() != QMetaType::QString)
                row << QString::number(d);
            else if (v.typeId() == QMetaType::QDateTime)
                row << v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm"));
            else
                row << v.toString().left(16);
        }
        rows << row;
    }
    return rows;
}

QList<QStringList> table(std::initializer_list<QStringList> rows) {
    return QList<QStringList>(rows);
}

DayRange days(const QString& from, const QString& to) {
    return {QDate::fromString(from, Qt::ISODate), QDate::fromString(to, Qt::ISODate)};
}

} // namespace

class TestDashboardQueries : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Installation> m_inst;
    QSqlDatabase m_db;
    SqlDialect m_d;

    QList<QStringList> rows(const Statement& s) { return rowsOf(m_db, s); }

private slots:
    void initTestCase() {
        FALQ_REQUIRE_ENGINE();
        m_inst = std::make_unique<test::Installation>();
        QVERIFY2(m_inst->ok(), qPrintable(m_inst->error()));
        QVERIFY(test::fillRegister(*m_inst));
        m_db = m_inst->open(QStringLiteral("main"));
        m_d = SqlDialect::forDatabase(m_db);
    }
    void cleanupTestCase() {
        m_db = QSqlDatabase();
        m_inst.reset();
    }

    void totalsLeaveOutRowsWithoutRequisition() {
        // Row 4 (no requisition) is out of every total.
        QCOMPARE(rows(yearlyTotals(m_d, {})), table({{"2024", "620"}, {"2023", "70"}}));
        QCOMPARE(rows(monthlyTotals(m_d, {})), table({{"2024", "4", "20"},
                                                      {"2024", "3", "500"},
                                                      {"2024", "1", "100"},
                                                      {"2023", "12", "70"}}));
        QCOMPARE(rows(yearlyAverages(m_d, {})),
                 table({{"2024", "620", "5", "124"}, {"2023", "70", "1", "70"}}));
        QCOMPARE(rows(monthlyAverages(m_d, {})).value(1),
                 QStringList({"2024", "3", "500", "3", QString::number(500.0 / 3)}));
    }

    void typeThenKindInEveryTotal() {
        const Filters purchasesOfCliches{TypeFilter::Purchases, KindFilter::Cliches};
        for (const Statement& s :
             {yearlyTotals(m_d, purchasesOfCliches), monthlyTotals(m_d, purchasesOfCliches),
              yearlyAverages(m_d, purchasesOfCliches), monthlyAverages(m_d, purchasesOfCliches)}) {
            QVERIFY2(s.sql.contains(QStringLiteral(" AND TIPO = 'C' AND TIPOREG = 'CL'")),
                     qPrintable(s.sql));
        }
        QCOMPARE(rows(yearlyTotals(m_d, purchasesOfCliches)), table({{"2024", "120"}}));
        QCOMPARE(rows(monthlyTotals(m_d, purchasesOfCliches)),
                 table({{"2024", "4", "20"}, {"2024", "1", "100"}}));
        QCOMPARE(rows(yearlyTotals(m_d, {TypeFilter::Repairs, KindFilter::Drawings})),
                 table({{"2024", "150"}}));
    }

    void periodDetailCountsRowsWithoutRequisition() {
        // The year's clients add up to more than its total (620): row 4 is counted here.
        // AAA and ALFA tie at 150: the short name decides.
        QCOMPARE(rows(periodByParty(m_d, Party::Client, {2024, 0}, {})),
                 table({{"BETA", "340", "2", "170"},
                        {"AAA", "150", "1", "150"},
                        {"ALFA", "150", "2", "75"},
                        {"GAMA", "20", "1", "20"}}));
        QCOMPARE(
            rows(periodByParty(m_d, Party::Supplier, {2024, 3}, {})),
            table({{"FA", "300", "1", "300"}, {"FC", "150", "1", "150"}, {"FB", "90", "2", "45"}}));
        const QList<QStringList> march = rows(periodRequisitions(m_d, {2024, 3}, {}));
        QCOMPARE(march.size(), 4);
        QCOMPARE(march.first().value(5), QStringLiteral("2024-03-31 23:59")); // newest first
        QCOMPARE(march.last().value(5), QStringLiteral("2024-03-10 08:00"));
    }

    void firstAndLastDayCountedNextDayNot() {
        // 2024-01-01 00:00 and 2024-03-31 23:59 are in; 2024-04-01 00:00 is not.
        const DayRange q1 = days("2024-01-01", "2024-03-31");
        QCOMPARE(rows(partyCosts(m_d, Party::Client, q1, {})), table({{"BETA", "340", "2", "170"},
                                                                      {"AAA", "150", "1", "150"},
                                                                      {"ALFA", "150", "2", "75"}}));
        QCOMPARE(rows(partyCostsTotal(m_d, Party::Client, q1, {})), table({{"640"}}));
        QCOMPARE(rows(partyCostsTotal(m_d, Party::Client, days("2024-03-31", "2024-03-31"), {})),
                 table({{"50"}}));
        QCOMPARE(rows(partyCostsTotal(m_d, Party::Client, days("2024-04-01", "2024-04-01"), {})),
                 table({{"20"}}));
    }

    void emptyPeriod() {
        const DayRange none = days("2022-01-01", "2022-12-31");
        QVERIFY(rows(partyCosts(m_d, Party::Supplier, none, {})).isEmpty());
        QCOMPARE(rows(partyCostsTotal(m_d, Party::Supplier, none, {})), table({{"NULL"}}));
        QVERIFY(rows(itemCosts(m_d, Item::Cliche, none, TypeFilter::Both)).isEmpty());
        QVERIFY(rows(itemUsage(m_d, Item::Drawing, none)).isEmpty());
    }

    void partyEvolutionIgnoresTheDays() {
        QCOMPARE(rows(partyYears(m_d, Party::Supplier, QStringLiteral("FB"), {})),
                 table({{"FB", "2024", "110", "3", QString::number(110.0 / 3)}}));
        QCOMPARE(
            rows(partyMonths(m_d, Party::Supplier, QStringLiteral("FB"), {})),
            table({{"FB", "2024", "4", "20", "1", "20"}, {"FB", "2024", "3", "90", "2", "45"}}));
        // A group without client short name drills down to its own rows.
        QCOMPARE(rows(partyYears(m_d, Party::Client, QVariant(), {})),
                 table({{"NULL", "2023", "70", "1", "70"}}));
        const QList<QStringList> noClient = rows(partyRequisitions(
            m_d, Party::Client, QVariant(), days("2023-01-01", "2023-12-31"), {}));
        QCOMPARE(noClient.size(), 1);
    }

    void partyRequisitionsAndCounterpartsFollowTheDays() {
        const DayRange q1 = days("2024-01-01", "2024-03-31");
        QCOMPARE(rows(partyCounterparts(m_d, Party::Client, QStringLiteral("ALFA"), q1, {})),
                 table({{"FA", "100", "1", "100"}, {"FB", "50", "1", "50"}}));
        QCOMPARE(rows(partyCounterparts(m_d, Party::Supplier, QStringLiteral("FB"), q1,
                                        {TypeFilter::Repairs, KindFilter::Both})),
                 table({{"ALFA", "50", "1", "50"}, {"BETA", "40", "1", "40"}}));
        QCOMPARE(rows(partyRequisitions(m_d, Party::Client, QStringLiteral("GAMA"), q1, {})).size(),
                 0);
        QCOMPARE(rows(partyRequisitions(m_d, Party::Client, QStringLiteral("GAMA"),
                                        days("2024-01-01", "2024-04-01"), {}))
                     .size(),
                 1);
    }

    void itemCostsOnTheirOwnRows() {
        const DayRange all = days("2023-01-01", "2024-12-31");
        QCOMPARE(rows(itemCosts(m_d, Item::Cliche, all, TypeFilter::Both)),
                 table({{"C1", "150", "2", "75"}, {"C2", "90", "2", "45"}}));
        QCOMPARE(rows(itemCosts(m_d, Item::Drawing, all, TypeFilter::Both)),
                 table({{"D1", "340", "2", "170"}, {"D2", "150", "1", "150"}}));
        // The total is the grid's total.
        QCOMPARE(rows(itemCostsTotal(m_d, Item::Cliche, all, TypeFilter::Both)), table({{"240"}}));
        QCOMPARE(rows(itemCostsTotal(m_d, Item::Drawing, all, TypeFilter::Repairs)),
                 table({{"190"}}));
    }

    void itemDetail() {
        // By year whatever the days; by month and requisitions within them.
        QCOMPARE(rows(itemYears(m_d, Item::Cliche, QStringLiteral("C2"), TypeFilter::Both)),
                 table({{"C2", "2024", "20", "1", "20"}, {"C2", "2023", "70", "1", "70"}}));
        const DayRange march = days("2024-03-01", "2024-03-31");
        QCOMPARE(rows(itemMonths(m_d, Item::Cliche, QStringLiteral("C1"), march, TypeFilter::Both)),
                 table({{"C1", "2024", "3", "50", "1", "50"}}));
        QCOMPARE(rows(itemRequisitions(m_d, Item::Drawing, QStringLiteral("D1"), march,
                                       TypeFilter::Purchases))
                     .size(),
                 1);
    }

    void usageSumsMovementsByNumber() {
        const DayRange feb = days("2024-02-01", "2024-02-02");
        QCOMPARE(rows(itemUsage(m_d, Item::Cliche, feb)), table({{"C1", "1500", "ALFA"}}));
        QCOMPARE(rows(itemUsage(m_d, Item::Cliche, days("2024-01-01", "2024-12-31"))),
                 table({{"C1", "1500", "ALFA"}, {"C2", "300", "GAMA"}}));
        QCOMPARE(rows(itemUsage(m_d, Item::Drawing, feb)), table({{"D1", "700", "BETA"}}));
        const QList<QStringList> rotations =
            rows(itemRotations(m_d, Item::Cliche, QStringLiteral("C1"), feb));
        QCOMPARE(rotations.size(), 2);
        QCOMPARE(rotations.first().mid(2, 2), QStringList({"500", "E2"})); // newest first
        QCOMPARE(rotations.first().value(5), QStringLiteral("P-1"));
        QCOMPARE(rows(itemRotations(m_d, Item::Drawing, QStringLiteral("D1"), feb)).size(), 1);
    }

    void chartPointsFewerGroups() {
        const QList<ChartPoint> points = chartPoints({{2024, 3, 500}, {2024, 1, 100}});
        QCOMPARE(points.size(), kChartPoints);
        QCOMPARE(points[0].label, QStringLiteral("2024/3"));
        QCOMPARE(points[1].label, QStringLiteral("2024/1"));
        for (int i = 2; i < kChartPoints; ++i) {
            QVERIFY(points[i].label.isEmpty());
            QCOMPARE(points[i].value, 0.0);
        }
    }

    void chartPointsMoreGroups() {
        QList<ChartGroup> groups;
        for (int year = 2030; year > 2020; --year)
            groups.append({year, 0, double(year)});
        const QList<ChartPoint> points = chartPoints(groups);
        QCOMPARE(points.size(), kChartPoints);
        QCOMPARE(points[0].label, QStringLiteral("2030"));
        QCOMPARE(points[5].label, QStringLiteral("2025")); // the newest six
        QCOMPARE(points[6].label, QString());
        QCOMPARE(points[6].value, 0.0);
    }

    void chartMarksGroupThousands() {
        const QString sep = kThousands;
        QCOMPARE(chartMark(1234567.4), "1" + sep + "234" + sep + "567");
        QCOMPARE(chartMark(999.5), "1" + sep + "000");
        QCOMPARE(chartMark(0), QStringLiteral("0"));
        QCOMPARE(chartMark(123), QStringLiteral("123"));
        QCOMPARE(chartMark(-4321), "-4" + sep + "321");
    }
};

QTEST_MAIN(TestDashboardQueries)
#include "tst_dashboard_queries.moc"
