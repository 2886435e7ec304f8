#pragma once
// A register window (usage, purchases and repairs) opened on a test installation with
// clients 1 and 2, suppliers 5 and 6, the drawings D-1 and D-2 and the clichés A-100 and
// CL-123456789 (12 characters).
#include "../cliches/editorrun.h"

namespace falq::test {

template <class Window> struct RegisterOn {
    RegisterOn() : e("Edit_Desenho") {
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
        return inst.ok() && e.open();
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
    Installation inst;
    EditorOf<Window> e;
};

} // namespace falq::test
