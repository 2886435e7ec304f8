#include "reportbench.h"

#include "gridexport.h"
#include "reportengine.h"

#include <QAbstractTableModel>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <memory>

namespace falq::bench {

namespace {

// A listing of purchases: rows made up as they are read, so the rows cost no memory and the
// memory measured is the engine's.
class GeneratedPurchases : public reports::Source {
public:
    explicit GeneratedPurchases(int rows) : m_rows(rows) {}
    int fieldIndex(const QString& name) const override {
        static const QStringList fields = {"NRO", "CLIENTE", "DATA", "REFERENCIA", "QTD", "VALOR"};
        return int(fields.indexOf(name));
    }
    bool rewind() override {
        m_row = -1;
        return true;
    }
    bool next() override { return ++m_row < m_rows; }
    QVariant value(int field) const override {
        switch (field) {
        case 0:
            return m_row + 1;
        case 1:
            return QStringLiteral("CLIENTE %1").arg(m_row / 40, 5, 10, QLatin1Char('0'));
        case 2:
            return QDateTime(QDate(2020, 1, 1).addDays(m_row % 2000), QTime(0, 0));
        case 3:
            return QStringLiteral("Ref. caixa %1 de cartão duplo").arg(m_row * 7 % 100000);
        case 4:
            return m_row % 9 + 1;
        case 5:
            return (m_row % 997) * 1.25;
        default:
            return {};
        }
    }
    int sizeHint() const override { return m_rows; }

private:
    int m_rows;
    int m_row = -1;
};

reports::Form purchasesForm() {
    using reports::Column;
    using reports::ValueFormat;
    reports::Form f;
    f.title = QStringLiteral("Listagem de Compras e Reparações");
    f.criteria = {QStringLiteral("Datas de 01/01/2020 a 31/12/2025")};
    f.columns = {
        Column{QStringLiteral("Nº"), "NRO", 7, Qt::AlignRight, ValueFormat::Integer},
        Column{QStringLiteral("Data"), "DATA", 10, Qt::AlignLeft, ValueFormat::Date},
        Column{QStringLiteral("Cliente"), "CLIENTE", 14},
        Column{QStringLiteral("Referência"), "REFERENCIA", 36},
        Column{QStringLiteral("Qtd."), "QTD", 6, Qt::AlignRight, ValueFormat::Integer, true},
        Column{QStringLiteral("Valor"), "VALOR", 12, Qt::AlignRight, ValueFormat::Decimal2, true}};
    reports::Group client;
    client.field = QStringLiteral("CLIENTE");
    client.header = [](const reports::Record& r) {
        return QStringLiteral("Cliente : ") + r.value("CLIENTE").toString();
    };
    client.footerLabel = QStringLiteral("Total do Cliente");
    f.groups = {client};
    f.summary = true;
    f.summaryLabel = QStringLiteral("Total Geral");
    return f;
}

// A wide grid: 25 columns of numbers, amounts, dates and text. The values are made once, so
// what is timed is the export, not the making of the values.
class WideModel : public QAbstractTableModel {
public:
    explicit WideModel(int rows) : m_rows(rows) {
        for (int d = 0; d < 2500; ++d)
            m_dates << QDateTime(QDate(2020, 1, 1).addDays(d), QTime(0, 0));
        for (int c = 0; c < 5000; ++c)
            m_codes << QStringLiteral("CL%1").arg(c, 6, 10, QLatin1Char('0'));
        for (int t = 0; t < 313; ++t)
            m_texts << QStringLiteral("Texto de exemplo %1").arg(t);
    }
    int rowCount(const QModelIndex& = {}) const override { return m_rows; }
    int columnCount(const QModelIndex& = {}) const override { return 25; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::EditRole && role != Qt::DisplayRole)
            return {};
        const int r = index.row();
        const int c = index.column();
        switch (c % 5) {
        case 0:
            return r * 25 + c;
        case 1:
            return (r % 1009) * 0.37 + c;
        case 2:
            return m_dates[(r + c) % m_dates.size()];
        case 3:
            return m_codes[(r + c) % m_codes.size()];
        default:
            return m_texts[r % m_texts.size()];
        }
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o == Qt::Horizontal && role == Qt::DisplayRole)
            return QStringLiteral("Coluna %1").arg(section + 1);
        return QAbstractTableModel::headerData(section, o, role);
    }

private:
    int m_rows;
    QVector<QDateTime> m_dates;
    QStringList m_codes;
    QStringList m_texts;
};

ReportScenario listing(const QString& folder, int rows, reports::FileFormat format) {
    const QString kind =
        format == reports::FileFormat::Pdf ? QStringLiteral("pdf") : QStringLiteral("text");
    const QString path = QDir(folder).filePath(QStringLiteral("listing") + fileSuffix(format));
    ReportScenario s;
    s.name = QStringLiteral("report-%1-%2k").arg(kind).arg(rows / 1000);
    s.run = [path, rows, format](QString* error, QString* detail) {
        GeneratedPurchases source(rows);
        const reports::Result r = reports::renderToFile(
            purchasesForm(), source,
            {QStringLiteral("Cartonagem do Vale, Lda"), QDateTime::currentDateTime()}, format,
            path);
        *error = r.error;
        *detail = QStringLiteral("%1 pages").arg(r.pages);
        return r.ok;
    };
    s.cleanup = [path] { QFile::remove(path); };
    return s;
}

} // namespace

QList<ReportScenario> reportScenarios(const QString& folder) {
    QList<ReportScenario> list;
    for (int rows : {10000, 100000})
        list << listing(folder, rows, reports::FileFormat::Pdf)
             << listing(folder, rows, reports::FileFormat::Text);
    auto model = std::make_shared<WideModel>(100000);
    auto grid = std::make_shared<QTableView>();
    grid->setModel(model.get());
    const QString exports = QDir(folder).filePath(QStringLiteral("exports"));
    ReportScenario xlsx;
    xlsx.name = QStringLiteral("xlsx-100k");
    xlsx.run = [model, grid, exports](QString* error, QString* detail) {
        const reports::Result r = writeGridSpreadsheet(*grid,
                                                       {QStringLiteral("Cartonagem do Vale, Lda"),
                                                        QStringLiteral("FACTURA01"),
                                                        QStringLiteral("Exportação de ensaio")},
                                                       exports);
        *error = r.error;
        *detail = QStringLiteral("%1 rows").arg(r.rows);
        return r.ok;
    };
    xlsx.cleanup = [exports] { QDir(exports).removeRecursively(); };
    list << xlsx;
    return list;
}

namespace {
double statusMiB(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').value(0).toDouble() /
                   1024.0;
    return -1;
}
} // namespace

void MemoryProbe::start() {
    // Resets the peak to what the process holds now.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    m_start = statusMiB("VmRSS:");
}

double MemoryProbe::growthMiB() const {
    const double peak = statusMiB("VmHWM:");
    return peak < 0 || m_start < 0 ? -1 : peak - m_start;
}

} // namespace falq::bench
