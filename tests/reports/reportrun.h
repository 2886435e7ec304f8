#pragma once
// The report tests' fixed context: the company and a fixed printing time, the text rendering
// of a form and the reference files of the golden folder.
#include "reportengine.h"

#include <QBuffer>
#include <QDateTime>

namespace falq::test {

inline const QDateTime kPrintedAt(QDate(2026, 3, 5), QTime(14, 30));

inline reports::Context context() {
    return {QStringLiteral("Cartonagem do Vale, Lda"), kPrintedAt};
}

// The form rendered as plain text in the fixed context (its result in `result`, when given).
inline QByteArray text(const reports::Form& form, reports::Source& source,
                       reports::Result* result = nullptr) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const reports::Result r = reports::renderToText(form, source, context(), buffer);
    if (result)
        *result = r;
    return buffer.data();
}

// A reference file of the golden folder.
inline QString golden(const QString& name) {
    return QStringLiteral(GOLDEN_DIR "/") + name;
}

} // namespace falq::test
