#pragma once
// A live dataset with cached updates: the rows of one statement on a named connection, a
// current row, browse/edit/insert state, field presentation for the grids, and
// applyUpdates(), which writes every pending insert, change and delete in one transaction.
//
// Changes name their row by the old key values. A change also checks that the columns it
// changes still hold the values read, and a delete that every column of the row does (text
// compared exactly, so a change of case is a change), so two workstations cannot overwrite or
// delete each other's changes unnoticed; a change or delete that finds no row is a write
// error. A server connection that died is opened again and the apply runs once more; while
// the server does not answer, the apply fails with the reason and everything stays cached. On a
// write error the dataset either asks its UpdateErrorHandler (retry with edited values, skip the
// row, abort everything) or, in server-message mode, rolls back and hands back the server's
// message. An aborted or failed apply leaves the database unchanged and the changes cached.
//
// A statement ordered by columns (the order made unique by the key) is read in pages by key:
// the dataset knows its row count from the engine, reads only the pages the grid shows or a
// locate() needs, and drops pages far from them, so any position of a large register is shown
// at once and the memory held stays bounded. Rows with pending changes are never dropped.
// Statements that cannot be read by key (no plain order, grouping, unions) are read from the
// start, a block at a time, on a connection of their own (see pagingRefusal()); pages are
// complete statements and run on the dataset's connection, reopened when the server ended it.
#include "dialect.h"
#include "keyset.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QSqlQuery>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

class QTableView;
class QSqlRecord;

namespace falq {

struct FieldPresentation {
    QString name;
    QString title;         // empty: the column name
    bool checkBox = false; // "S"/"N" shown as a check box; ticking writes "S", unticking "N"
    QString format;        // dates: a QDateTime format ("dd/MM/yyyy"); "currency" for amounts
    // Check boxes: which values show ticked (none: "S").
    bool (*ticked)(const QVariant& value) = nullptr;
    // A title column of the grid (painted as the titles are): shown, never changed through
    // the grid, never its current cell's column.
    bool fixed = false;
};

// An amount in the currency format of the grids (decimal comma, the currency's decimals and
// its sign: "2881,10 €"); the printed lists' totals use it too.
QString currencyText(double amount);

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
    bool ok = true;              // everything that was not skipped was written
    bool aborted = false;        // the user aborted: nothing was written
    int skipped = 0;             // rows the user chose to ignore (still cached)
    QString error;               // server message when not ok (never empty then)
    bool connectionLost = false; // the server did not answer: nothing written, all still cached
};

QString updateKindText(UpdateKind kind); // "Modified", "Inserted", "Deleted"

// Statements that belong with a dataset's changes (rows of another table that go with a
// deleted row): run inside the apply's transaction after the dataset's rows are written and
// before the commit, so all is written or nothing. False with the engine's message in `error`.
using ApplyStep = std::function<bool(QSqlDatabase& db, QString* error)>;

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
    // A built statement with its values (the values bound before are dropped).
    void setStatement(const Statement& statement);
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
    // Re-runs the statement and makes the row with the current row's key current again
    // (else the same position). Pending changes are dropped: call it after applyUpdates().
    bool reopen(QString* error = nullptr);
    void fetchAll();
    bool allFetched() const;
    // Empty when the rows are read in pages by key; else why they are read from the start.
    QString pagingRefusal() const { return m_pagingRefusal; }
    // Rows held in memory, and how many may be held before pages far from the one in use are
    // dropped (rows with pending changes are always kept).
    int loadedRowCount() const;
    void setRowBudget(int rows) { m_maxLoaded = qMax(rows, 512); }

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
    bool isEmpty() const { return m_total == 0; }

    // Finds the first row in the dataset's order whose fields equal the values (text without
    // regard to case) and makes it current; the engine finds it and its position, and only the
    // page around it is read. A value that is not there leaves the current row and returns
    // false.
    bool locate(const QStringList& fields, const QVariantList& values);
    // Finds the first row in the dataset's order whose field, read as text, starts with
    // `prefix` (without regard to case) and makes it current, the way locate() does; the
    // incremental searches use it. False, the current row kept, when no row starts so.
    bool locatePrefix(const QString& field, const QString& prefix);

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
    // `alsoWrite`, when given, runs in the same transaction after the rows (see ApplyStep);
    // only when there is something to write.
    ApplyResult applyUpdates(const ApplyStep& alsoWrite = {});
    void cancelUpdates();

    // Grid support: hides the columns that are not presented.
    bool isColumnPresented(int column) const;
    // The model column that shows a field (-1 when there is none), and the field of a column.
    int columnOfField(const QString& field) const;
    QString fieldOfColumn(int column) const;
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
        bool (*ticked)(const QVariant& value) = nullptr;
        bool fixed = false;
    };
    enum class RowStatus { Unchanged, Modified, Inserted };
    struct Row {
        QVector<QVariant> values;   // as the database holds them (bind form)
        QVector<QVariant> original; // as read
        RowStatus status = RowStatus::Unchanged;
        quint64 changeSeq = 0;
    };
    // The rows in order: runs of rows read, and gaps of rows not read (or dropped). A dead gap
    // stands for rows that vanished meanwhile; it is removed from the model at the next chance.
    struct Segment {
        QList<Row> rows;
        int gap = 0;
        bool dead = false;
        bool loaded() const { return gap == 0 && !dead; }
        int size() const { return loaded() ? int(rows.size()) : gap; }
    };
    struct PendingOp {
        UpdateKind kind;
        int row; // position in the model, or index in m_deleted for deletes
        quint64 seq;
    };
    class Reader;
    static constexpr int kPage = 256; // rows read at a time

    void setupFields(const QSqlRecord& rec);
    bool runRead(QSqlQuery& q, const QString& sql, const Bindings& extra, QString* why);
    bool openPaged(QString* error);
    QList<Row> fetchBlock(int count);
    void readFurther(int count);
    Row rowOf(const QSqlQuery& query) const;
    static bool sameValue(const QVariant& a, const QVariant& b);
    QList<Row> readRows(const QList<KeysetCondition>& parts, bool reverse, int limit,
                        bool stopAtShown, bool* reachedShown);
    Row* rowAt(int pos) const;     // reads the page around it when needed; nullptr if vanished
    Row* loadedRow(int pos) const; // never reads
    int segmentOf(int pos, int* offset) const;
    int boundaryRow(int seg, bool left, QVariantList* values) const;
    void loadAround(int pos);
    void loadGap(int seg, int offset, int count);
    void placeRows(int seg, int offset, QList<Row> rows, bool deadBefore, bool deadAfter);
    void mergeSegments();
    void dropFarRows(int focus);
    void removeDeadGaps();
    void removeRowAt(int pos);
    QString keyText(const Row& row) const;
    QVariantList sortValues(const Row& row) const;
    bool locateWhere(const std::function<bool(const Row&)>& matches, const KeysetCondition& match);
    void setState(State s);
    void addNewRow(int at);
    void markChanged(Row& row);
    QString valueText(const Field& f, const QVariant& raw) const;
    QVariant fromText(const Field& f, const QString& text) const;
    ApplyResult applyOnce(const QList<PendingOp>& ops, const ApplyStep& alsoWrite,
                          bool* commitLost);
    bool inDatabase(const PendingOp& op, QVariant* identity);
    QStringList rowStillAsRead(const Row& r, QVariantList* binds) const;
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
    mutable QList<Segment> m_segments;
    int m_total = 0;
    QList<Row> m_deleted;
    std::unique_ptr<Reader> m_reader;
    std::unique_ptr<QSqlQuery> m_cursor; // statements read from the start, while rows remain
    std::unique_ptr<KeysetQuery> m_keyset;
    QString m_pagingRefusal;
    mutable QSet<QString> m_loadedKeys; // keys of the rows read, so none is shown twice
    QVector<int> m_keyFields;
    QVector<int> m_sortFields;
    int m_maxLoaded = 16 * 256; // rows held before far pages are dropped
    mutable bool m_inData = false;
    int m_current = -1;
    State m_state = State::Inactive;
    Row m_editSnapshot;
    quint64 m_seq = 0;
    QString m_lastError;
    SqlDialect m_dialect; // of the connection, while open
};

} // namespace falq
