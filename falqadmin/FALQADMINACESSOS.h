#pragma once
// Access rights per user: for the user and chapter chosen in the two lists, the rights of
// the current company on every program of the chapter ("S"/"N" check boxes). A user seen for
// the first time in a company gets a row for every program of the catalogue, every right
// granted. A box is ticked when the main program grants that right. Ticks are written when the grid
// is left, before another user or chapter is shown, and when the window closes.
#include "admindata.h"

#include <QDialog>
#include <memory>

class QTableView;

namespace Ui {
class TFALQADMINACESSOS;
}

namespace falq {

class TFALQADMINACESSOS : public QDialog {
    Q_OBJECT
public:
    explicit TFALQADMINACESSOS(AdminSession& session, QWidget* parent = nullptr);
    ~TFALQADMINACESSOS() override;

    QString currentUser() const { return m_user; }
    QString currentChapter() const { return m_chapter; }

    void reject() override; // Escape closes through the same writing

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void UserChange();
    void ChapterChange();
    bool saveRights();
    void firstFlagOfRow();
    void focusChanged(QWidget* old, QWidget* now);
    // Follows the cursor of a list; `change` runs when it moved to another row, after the
    // ticks were written (when they cannot be, the cursor goes back).
    void followList(QTableView* view, Dataset* list, int* row, void (TFALQADMINACESSOS::*change)());
    static void selectQuietly(QTableView* view, int row);

    std::unique_ptr<Ui::TFALQADMINACESSOS> ui;
    AdminSession& m_session;
    std::unique_ptr<Dataset> m_users;
    std::unique_ptr<Dataset> m_chapters;
    std::unique_ptr<Dataset> m_rights;
    QString m_user;
    QString m_chapter;
    int m_userRow = -1;
    int m_chapterRow = -1;
    int m_saveAttempts = 0;
    bool m_closed = false;
};

} // namespace falq
