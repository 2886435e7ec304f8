#pragma once
// Code table window: the one implementation of the five code-table windows (designers,
// colours, machines, boards, models). A grid of every row, a code box and one or two detail
// boxes; rows are inserted, changed and deleted here, and written when the focus returns to
// the grid and when the window closes. Each member's differences are in its description
// (codetables.h).
#include "gridexport.h"

#include <QDialog>
#include <QPointer>
#include <memory>

class QLineEdit;
class QLabel;

namespace Ui {
class CodeTableWindow;
}

namespace falq {

class Dataset;
class Session;
struct CodeTableMember;
struct CodeTableDetail;
class CodeTableList;

class CodeTableWindow : public QDialog {
    Q_OBJECT
public:
    // `list`: the printed list the main menu created for the window (the window makes its
    // own when none is given).
    CodeTableWindow(Session& session, const CodeTableMember& member, CodeTableList* list,
                    QWidget* parent = nullptr);
    ~CodeTableWindow() override;

    const CodeTableMember& member() const { return m_member; }
    bool inserting() const { return m_inserting; }
    bool cancelled() const { return m_cancelled; }
    GridExporter& exporter() { return m_exporter; }
    CodeTableList* list() const { return m_list; }

    // The buttons, the grid's focus and the boxes' exits (named as the window's events).
    void BotInserirClick();
    void BotCancelarClick();
    void BotDeleteClick();
    void BitPrintClick();
    void BotExcelClick();
    void DBGrid1Enter();
    void DBGrid1Exit();
    void Edit_CodigoExit();

    void reject() override; // Escape closes through the same save point

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    enum class Check { Passed, Refused, Dropped }; // Dropped: a duplicate code drops the new row

    void FormActivate();
    void readRights();
    void focusChanged(QWidget* old, QWidget* now);
    bool isBox(QWidget* w) const;
    QLineEdit* detailBox(int i) const;
    QLineEdit* designationBox() const;
    Check checkCode(bool moveOn);
    Check checkDetail(int i);
    Check checkPendingRow();
    // Returning to the grid: checks, writes the pending row, reopens on the current code.
    bool savePoint(bool closing);
    void setBrowsing(bool browsing);
    void reopen();
    void refuse(QWidget* box, const QString& message = {});
    bool codeExists(const QVariant& code, bool* ok);
    QString rememberKey() const;

    std::unique_ptr<Ui::CodeTableWindow> ui;
    Session& m_session;
    const CodeTableMember& m_member;
    Dataset* m_dataset;
    QPointer<CodeTableList> m_list;
    std::unique_ptr<CodeTableList> m_ownList;
    GridExporter m_exporter;
    QList<QLabel*> m_labels;
    QList<QLineEdit*> m_boxes;
    bool m_canInsert = false;
    bool m_browsing = false;
    bool m_inserting = false;
    bool m_cancelled = false;
    bool m_codeAccepted = false;
    bool m_opened = false;
    bool m_closed = false;
    QPointer<QWidget> m_refocus;    // the box a refused check sends the focus back to
    QPointer<QWidget> m_lastInside; // where the focus was last in this window
};

} // namespace falq
