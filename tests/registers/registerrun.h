#pragma once
// A register window (usage, purchases and repairs) opened on a test installation with
// clients 1 and 2, suppliers 5 and 6, the drawings D-1 and D-2 and the clichés A-100 and
// CL-123456789 (12 characters).
#include "../cliches/editorrun.h"

namespace falq::test {

// The columns of a table of refused boxes: the box, what is typed in it and the message the
// save shows (empty: a beep only).
inline void refusalColumns() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
}

// The current row of a table of refused boxes.
struct Refusal {
    QString box;
    QString typed;
    QString message;
};
inline Refusal fetchRefusal() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    return {box, typed, message};
}

// The installation is made before the window's run, and outlives it.
struct InstallationFirst {
    Installation inst;
};

// The register's window with the helpers of EditorOf (open() opens the session and the window).
template <class Window> struct RegisterOn : InstallationFirst, EditorOf<Window> {
    RegisterOn() : EditorOf<Window>("Edit_Desenho") {
        if (!inst.ok())
            return;
        addCodes(inst);
        addDrawing(inst, "D-1");
        addDrawing(inst, "D-2", {{"SIGLACLI", "SUL"}, {"FORNECEDOR", 6}, {"SIGLAFORN", "POLI"}});
        addCliche(inst, "A-100");
        addCliche(inst, "CL-123456789",
                  {{"SIGLACLI", "SUL"}, {"FORNECEDOR", 6}, {"FORNSIGLA", "POLI"}});
    }
    bool open() {
        if (!inst.ok())
            qWarning("%s", qPrintable(inst.error()));
        return inst.ok() && EditorOf<Window>::open();
    }
    int rows(const QString& table, const QString& where = QStringLiteral("1=1")) {
        return inst.scalar("main", "SELECT COUNT(*) FROM " + table + " WHERE " + where).toInt();
    }
    QVariant value(const QString& table, const QString& column,
                   const QString& where = QStringLiteral("1=1")) {
        return inst.scalar("main", "SELECT " + column + " FROM " + table + " WHERE " + where);
    }
    // Makes the server refuse rows whose `column` exceeds `limit` (the apply then fails).
    bool refuseAbove(const QString& table, const QString& column, int limit) {
        if (usePostgres())
            return inst.exec("main", QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT CK_LIMITE "
                                                    "CHECK (%2 <= %3)")
                                         .arg(table, column)
                                         .arg(limit));
        return inst.exec("main", QStringLiteral("CREATE TRIGGER CK_LIMITE BEFORE INSERT ON %1 WHEN "
                                                "NEW.%2 > %3 BEGIN SELECT RAISE(ABORT, 'CK_LIMITE "
                                                "violada'); END")
                                     .arg(table, column)
                                     .arg(limit));
    }
    // "&Inserir", the drawing box left empty: the cliché box takes the focus, `cliche` typed.
    void insertCliche(const QString& cliche = {}) {
        this->insert();
        this->tab("Edit_Desenho");
        if (!cliche.isEmpty())
            QTest::keyClicks(this->w("Edit_Cliche"), cliche);
    }
    // Takes the `flags` (as "ELIMINAR = 'N'") from the user's rights on `program`.
    bool withRights(const QString& program, const QString& flags) {
        return inst.exec("main",
                         QStringLiteral("UPDATE APLICACAODET SET %1 WHERE PROGRAMA = ?").arg(flags),
                         {program});
    }
    // Each button shown or hidden as named.
    void showsButtons(std::initializer_list<std::pair<const char*, bool>> buttons) {
        for (const auto& [name, shown] : buttons)
            QVERIFY2(this->button(name)->isVisible() == shown, name);
    }
    // The refusal's text typed in its box and the grid clicked: the save is refused there,
    // nothing in `table`, the focus kept in the box and the message shown (none: a beep alone).
    void saveRefused(const QString& table, const Refusal& refusal) {
        this->type(qPrintable(refusal.box), refusal.typed);
        const int beeps = this->messages.lonelyBeeps;
        this->clickGrid(); // the save reads and checks every box
        QCOMPARE(rows(table), 0);
        QCOMPARE(this->focused(), refusal.box);
        if (refusal.message.isEmpty()) {
            QVERIFY(this->messages.shown.isEmpty());
            QVERIFY(this->messages.lonelyBeeps > beeps);
        } else {
            QCOMPARE(this->messages.shown, QStringList{refusal.message});
        }
    }
    // The server's refusal (refuseAbove) told once; nothing in `table`.
    void refusedByServer(const QString& table) {
        QCOMPARE(rows(table), 0);
        QCOMPARE(this->messages.shown.size(), 1);
        QVERIFY(this->messages.shown.first().contains("CK_LIMITE", Qt::CaseInsensitive));
    }
};

} // namespace falq::test
