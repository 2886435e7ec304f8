#pragma once
// A live dataset with cached updates: the rows of one statement on a named connection, a
// current row, browse/edit/insert state, field presentation for the grids, and
// applyUpdates(), which writes every pending insert, change and delete in one transaction.
//
// Changes name their row by the old key values. A change also checks that the columns it
// changes still hold the values read, so two workstations changing the same field of the
// same row cannot overwrite each other unnoticed; a change or delete that finds no row is a
// write error. On a write error the dataset either asks its UpdateErrorHandler (retry with
// edited values, skip the row, abort everything) or, in server-message mode, rolls back and
// hands back the server's message. An aborted or failed apply leaves the database unchanged
// and the changes cached.
//
// The rows are read on a connection of their own, a block at a time as the grid needs them,
// so a dataset shows committed data: opened inside a transaction of its connection, it does
// not see that transaction's uncommitted rows.
#include "dialect.h"

#include <QAbstractTableModel>
#include <QSqlQuery>
#include <QStringList>
#include <QVector>
#include <memory>

class QTableView;

namespace falq {

struct FieldPresentation {
    QString name;
    QString title;         // empty: the column name
    bool checkBox = false; // "S"/"N" shown as a check box
    QString format;        // dates: a QDateTime format ("dd/MM/yyyy"); "currency" for amounts
};

struct UpdateObject {
    QString table;
    QStringList keyColumns;
    QStringList insertColumns; // empty: every column but the identity column
};

enum class UpdateKind { Modified, Inserted, Deleted };

// The failing row handed to the write-error window.
struct UpdateError {
    UpdateKind kind = UpdateKind::Modified;
    QString message;
    QStringList fields;
    QStringList newValues; // as text; the handler may edit them for a retry
    QStringList oldValues;
    QList<bool> edited; // true where the handler changed newValues
};

enum class UpdateAction { Retry, Skip, Abort };

class UpdateErrorHandler {
public:
    virtual ~UpdateErrorHandler() = default;
    virtual UpdateAction handleUpdateError(UpdateError& error) = 0;
};

struct ApplyResult {
    bool ok = true;       // everything that was not skipped was written
    bool aborted = false; // the user aborted: nothing was written
    int skipped = 0;      // rows the user chose to ignore (still cached)
    QString error;        // server message when not ok
};

QString updateKindText(UpdateKind kind); // "Modified", "Inserted", "Deleted"

class Dataset : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum class ErrorMode { Dialog, ServerMessage };

    Dataset(const QString& name, const QString& connectionName, const QString& statement,
            const UpdateObject& update, QObject* parent = nullptr);
    ~Dataset() override;

    QString name() const { return m_name; }
    QString connectionName() const { return m_connection; }
    QSqlDatabase database() const;
    SqlDialect dialect() const;

    // The statement; windows that search replace it with their own filter and order.
    QString statement() const { return m_statement; }
    void setStatement(const QString& sql);
    void bindValue(const QString& placeholder, const QVariant& value);
    void clearBindings();

    void setPresentation(const QList<FieldPresentation>& visible,
                         const QStringList& hiddenCheckBoxes = {},
                         const QMap<QString, QString>& formats = {});
    void setErrorMode(ErrorMode mode) { m_errorMode = mode; }
    ErrorMode errorMode() const { return m_errorMode; }
    void setErrorHandler(UpdateErrorHandler* handler) { m_handler = handler; }

    // Runs the statement and loads the first rows; more come as they are needed.
    bool open(QString* error = nullptr);
    void close();
    bool isOpen() const { return m_state != State::Inactive; }
    QString lastError() const { return m_lastError; }
    void fetchAll();
    bool allFetched() const { return !m_cursor; }

    // Rows and fields.
    int fieldCount() const { return m_fields.size(); }
    int fieldIndex(const QString& field) const;
    QString fieldName(int field) const { return m_fields.at(field).name; }
    QVariant value(int row, const QString& field) const;
    QVariant value(int row, int field) const;
    bool setValue(int row, const QString& field, const QVariant& value);
    bool setValue(int row, int field, const QVariant& value);

    // Current row.
    int currentRow() const { return m_current; }
    void setCurrentRow(int row);
    QVariant fieldValue(const QString& field) const { return value(m_current, field); }
    bool setFieldValue(const QString& field, const QVariant& v) {
        return setValue(m_current, field, v);
    }
    bool isEmpty() const { return m_rows.isEmpty(); }

    // Finds the first row whose fields equal the values (text without regard to case) and
    // makes it current. Loads further rows as needed.
    bool locate(const QStringList& fields, const QVariantList& values);

    // State.
    State state() const { return m_state; }
    void edit();
    void append(); // a new row after every row of the statement, current, in Insert state
    void insert(); // a new row before the current one (no further rows need reading)
    void post();
    void cancel();
    void deleteCurrent();

    bool hasPendingUpdates() const;
    int pendingCount() const;
    ApplyResult applyUpdates();
    void cancelUpdates();

    // Grid support: hides the columns that are not presented.
    bool isColumnPresented(int column) const;
    void presentIn(QTableView* view) const;

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    void fetchMore(const QModelIndex& parent = {}) override;

signals:
    void currentRowChanged(int row);
    void stateChanged(falq::Dataset::State state);

private:
    struct Field {
        QString name;
        ColumnType type = ColumnType::Text;
        QString title;
        bool checkBox = false;
        QString format;
    };
    enum class RowStatus { Unchanged, Modified, Inserted };
    struct Row {
        QVector<QVariant> values;   // as the database holds them (bind form)
        QVector<QVariant> original; // as read
        RowStatus status = RowStatus::Unchanged;
        quint64 changeSeq = 0;
    };
    struct PendingOp {
        UpdateKind kind;
        int row; // index in m_rows, or in m_deleted for deletes
        quint64 seq;
    };

    QList<Row> fetchBlock(int count);
    void appendFetched(const QList<Row>& rows);
    void setState(State s);
    void addNewRow(int at);
    void markChanged(Row& row);
    QString valueText(const Field& f, const QVariant& raw) const;
    QVariant fromText(const Field& f, const QString& text) const;
    bool execOp(const PendingOp& op, const QString& undo, QString* error, QVariant* identity);
    QList<PendingOp> pendingOps() const;
    Row& rowFor(const PendingOp& op);
    QStringList insertColumns() const;
    int modelToField(int column) const { return m_order.value(column, column); }

    QString m_name;
    QString m_connection;
    QString m_statement;
    UpdateObject m_update;
    QMap<QString, QVariant> m_bindings;
    QList<FieldPresentation> m_presentation;
    QStringList m_hiddenCheckBoxes;
    QMap<QString, QString> m_formats;
    ErrorMode m_errorMode = ErrorMode::Dialog;
    UpdateErrorHandler* m_handler = nullptr;

    QVector<Field> m_fields;
    QVector<int> m_order; // model column -> field
    int m_presentedCount = 0;
    QList<Row> m_rows;
    QList<Row> m_deleted;
    class ReadCursor;
    std::unique_ptr<ReadCursor> m_cursor;
    int m_current = -1;
    State m_state = State::Inactive;
    Row m_editSnapshot;
    quint64 m_seq = 0;
    QString m_lastError;
    SqlDialect m_dialect; // of the connection, while open
};

} // namespace falq
