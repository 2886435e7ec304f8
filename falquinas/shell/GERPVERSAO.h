#pragma once
// Database upgrade window: brings the company's main database from its stored version to
// the program's version, step by step, showing each version reached.
#include <QDate>
#include <QDialog>
#include <QSqlDatabase>
#include <memory>

namespace Ui {
class TGERFVERSAO;
}

namespace falq {

class TGERFVERSAO : public QDialog {
    Q_OBJECT
public:
    TGERFVERSAO(QSqlDatabase db, int company, const QString& stored, const QString& target,
                const QDate& workingDate, QWidget* parent = nullptr);
    ~TGERFVERSAO() override;

    bool succeeded() const { return m_ok; }
    QString error() const { return m_error; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void FormActivate();

    std::unique_ptr<Ui::TGERFVERSAO> ui;
    QSqlDatabase m_db;
    int m_company;
    QString m_stored;
    QString m_target;
    QDate m_workingDate;
    bool m_started = false;
    bool m_ok = false;
    QString m_error;
};

} // namespace falq
