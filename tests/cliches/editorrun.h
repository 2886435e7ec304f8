#pragma once
// The cliché editor opened on a test installation with a small register: clients 1 and 2,
// suppliers 5 and 6, the installer's code tables, and the clichés the test adds.
#include "../shell/shellrun.h"
#include "CORTP010.h"
#include "imagefiles.h"
#include "locatedialog.h"
#include "plantroot.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include <functional>

namespace falq::test {

inline void addCodes(Installation& inst) {
    QVERIFY(inst.exec("fact", "INSERT INTO CLIENTES (CODIGO, NOME, SIGLA) VALUES "
                              "(1, 'Cartonagem Norte', 'NORTE'), (2, 'Frutas do Sul', 'SUL')"));
    QVERIFY(inst.exec("fact", "INSERT INTO FORNECEDORES (CODIGO, NOME, SIGLA) VALUES "
                              "(5, 'Gravuras Lda', 'GRAV'), (6, 'Polímeros SA', 'POLI')"));
}

// Writes `row` into `table` of the register, its columns replaced by the `values` given.
inline void insertRow(Installation& inst, const QString& table, QMap<QString, QVariant> row,
                      const QMap<QString, QVariant>& values) {
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        row[it.key()] = it.value();
    QStringList marks;
    for (int i = 0; i < row.size(); ++i)
        marks << "?";
    QVERIFY(inst.exec("main",
                      QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                          .arg(table, row.keys().join(", "), marks.join(", ")),
                      row.values()));
}

// A cliché row as another program would write it; unnamed columns get plain values.
inline void addCliche(Installation& inst, const QString& number,
                      const QMap<QString, QVariant>& values = {}) {
    const QMap<QString, QVariant> row = {{"CLICHENRO", number},
                                         {"CLINRO", 1},
                                         {"SIGLACLI", "NORTE"},
                                         {"PRODNRO", "P" + number.left(7)},
                                         {"REFERENCIA", "Ref " + number},
                                         {"FORNECEDOR", 5},
                                         {"FORNSIGLA", "GRAV"},
                                         {"REFER_FORN", "RF" + number},
                                         {"CODBARRAS", ""},
                                         {"MODELO", 1},
                                         {"MAQUINA", 2},
                                         {"COR_01", 1},
                                         {"COR_02", 3},
                                         {"COR_03", 0},
                                         {"COR_04", 0},
                                         {"COR_05", 0},
                                         {"COR_06", 0},
                                         {"OBSERV1", ""},
                                         {"OBSERV2", ""},
                                         {"CORTANTENRO", "CT-" + number},
                                         {"FICHASETUP", 7},
                                         {"ROTACOES_PREV", 0},
                                         {"UTILIZA", "S"},
                                         {"COMERCIALNRO", ""}};
    insertRow(inst, "CLICHES", row, values);
}

// A drawing as another program would write it; unnamed columns get plain values.
inline void addDrawing(Installation& inst, const QString& number,
                       const QMap<QString, QVariant>& values = {}) {
    const QMap<QString, QVariant> row = {
        {"DESENHONRO", number}, {"CORTANTENRO", "CT-" + number.left(10)},
        {"PRODNRO", "P12"},     {"CLIENTE", 1},
        {"SIGLACLI", "NORTE"},  {"REFERENCIA", "Ref " + number},
        {"MAQUINA", 2},         {"FORNECEDOR", 5},
        {"SIGLAFORN", "GRAV"},  {"LARGURA", 200},
        {"COMPRIM", 300},       {"ALTURA", 150},
        {"LARG_PLACA", 600},    {"COMP_PLACA", 1100},
        {"QUANTID", 500},       {"CARTAO", 1},
        {"DESENHADOR", 2},      {"VNDNRO", 0},
        {"VNDNOME", ""},        {"DIR_CANAL", "V"},
        {"GOLPES_CAIXA", 2},    {"VISTA", "E"},
        {"ROTACOES_PREV", 0},   {"UTILIZA", "S"},
        {"COMERCIALNRO", ""}};
    insertRow(inst, "DESENHOS", row, values);
}

// The cliché image folder of the installation (stored relative to the plant root).
inline QString clicheFolder(Installation& inst) {
    return resolveFolder(inst.scalar("main", "SELECT PATHCLICHE FROM PARGER").toString(),
                         inst.root());
}

// Waits for the queued steps (field messages, the save point) to run.
inline void settle() {
    for (int i = 0; i < 5; ++i)
        QTest::qWait(10);
}

// The widget `name` of `window` (a warning when there is none).
template <class T> T* widgetOf(QWidget* window, const char* name) {
    T* widget = window->findChild<T*>(QLatin1String(name));
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}

// The name of the widget with the focus.
inline QString focusedName() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}

// Shows a window and waits until it is the active one and its queued steps ran.
inline bool showAndSettle(QWidget* window) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        return false;
    settle();
    return true;
}

// Activates a window again, as the desktop does when a dialog over it closes.
inline bool activateAgain(QWidget* window) {
    window->activateWindow();
    const bool active = QTest::qWaitForWindowActive(window);
    settle();
    return active;
}

// An editing window of the register (the cliché or the drawing editor) with its helpers.
template <class Window> struct EditorOf {
    explicit EditorOf(const char* number = "Edit_ClicheNro") : numberBox(number) {}
    Run run;
    RecordingMessages& messages = run.messages;
    std::unique_ptr<Window> window;
    const char* numberBox; // the record number's box

    // Opens the session and the editor, shown and active, the grid focused.
    bool open() {
        if (!run.start() || !run.menu.sessionOpen())
            return false;
        return reopen();
    }
    bool reopen() {
        window = std::make_unique<Window>(run.session, &run.menu);
        return showAndSettle(window.get()) && QApplication::focusWidget() == grid();
    }

    // Activates the window again, as the desktop does when a dialog over it closes.
    bool activate() { return activateAgain(window.get()); }
    // A window over this one opens and closes, as a viewer or a preview does: this one is
    // active again.
    bool reactivate() {
        QDialog over(window.get());
        over.show();
        over.activateWindow();
        if (!QTest::qWaitForWindowActive(&over))
            return false;
        over.close();
        return activate();
    }

    template <class T = QLineEdit> T* w(const char* name) const {
        return widgetOf<T>(window.get(), name);
    }
    QTableView* grid() const { return w<QTableView>("DBGrid1"); }
    QPushButton* button(const char* name) const { return w<QPushButton>(name); }
    QString focused() const { return focusedName(); }
    // Leaves the grid with Tab, as a user does: the die number box takes the focus.
    void leaveGrid() {
        QTest::keyClick(grid(), Qt::Key_Tab);
        settle();
    }
    // Clicks a box (the focus moves there; the box left is checked).
    void click(const char* name) {
        QTest::mouseClick(w(name), Qt::LeftButton);
        settle();
    }
    // Replaces the box's text by typing (accented letters too).
    void type(const char* name, const QString& text) {
        QLineEdit* box = w(name);
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Delete);
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
    }
    // Clicks a cell of the grid (the save point when a row is being edited).
    void clickGrid(int row = 0) {
        QTableView* g = grid();
        const QRect cell = g->visualRect(g->model()->index(row, 0));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        settle();
    }
    QString gridNumber(int row) const { return grid()->model()->index(row, 0).data().toString(); }
    // Leaves a box with Tab, as a user does.
    void tab(const char* name) {
        QTest::keyClick(w(name), Qt::Key_Tab);
        settle();
    }
    // Clicks a box, types its text and leaves it with Tab.
    void fill(const char* name, const QString& text) {
        click(name);
        type(name, text);
        QTest::keyClick(w(name), Qt::Key_Tab);
        settle();
    }
    // "&Eliminar" answered No, then Yes: the confirmation asked, `rows()` (the register's count)
    // still `before` after the No and one less after the Yes.
    void deleteNoThenYes(const std::function<int()>& rows, int before) {
        messages.answers = {false};
        button("BotDelete")->click();
        QCOMPARE(messages.asked, QStringList{"ELIMINAÇÃO !!! Confirma ?"});
        QCOMPARE(rows(), before);
        messages.answers = {true};
        button("BotDelete")->click();
        settle();
        QCOMPARE(rows(), before - 1);
    }
    // "&Inserir", then the number typed (when given) and Tab.
    void insert(const QString& number = {}) {
        button("BotInserir")->click();
        settle();
        if (number.isEmpty())
            return;
        QTest::keyClicks(w(numberBox), number);
        QTest::keyClick(w(numberBox), Qt::Key_Tab);
        settle();
    }
};

using Editor = EditorOf<TCORTF010>;

// A test's installation with the codes of addCodes() and the given clichés, and the editor.
struct EditorOn {
    explicit EditorOn(const QStringList& cliches = {QStringLiteral("A-100")}) {
        if (!inst.ok())
            return;
        addCodes(inst);
        for (const QString& number : cliches)
            addCliche(inst, number);
    }
    bool open() {
        if (!inst.ok())
            qWarning("%s", qPrintable(inst.error()));
        return inst.ok() && e.open();
    }
    Installation inst;
    Editor e;
};

// Opens the editor `Window` from the menu's `entry` and from its `button` on a started `run`
// whose menu has its windows: each time it is the modal window and "Terminar" closes it, the
// `datasets` closed after it.
template <class Window>
void opensFromTheMenu(Run& run, const char* entry, const char* button,
                      const QStringList& datasets) {
    for (const bool viaButton : {false, true}) {
        bool seen = false;
        QTimer::singleShot(0, [&seen] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            QVERIFY(window);
            seen = true;
            window->template findChild<QPushButton*>("BitTerminar")->click();
        });
        if (viaButton)
            QTest::mouseClick(run.menu.findChild<QWidget*>(button), Qt::LeftButton);
        else
            run.menu.findChild<QAction*>(entry)->trigger();
        QVERIFY2(seen, viaButton ? "button" : "menu");
        for (const QString& name : datasets)
            QVERIFY2(!run.session.dataset(name)->isOpen(), qPrintable(name));
    }
}

// Runs `act` on the next modal window (a "Localizar" dialog) as soon as it shows.
inline void onModal(const std::function<void(QWidget*)>& act, bool* seen) {
    QTimer::singleShot(0, [act, seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        *seen = true;
        act(modal);
    });
}

} // namespace falq::test
