#pragma once
// Files written completely or not at all. The content goes to a temporary file beside the
// target; only a complete file takes the target's name. A failed or cancelled write removes
// the temporary file, so no half file is ever left and an earlier file is never damaged.
#include <QString>
#include <functional>

namespace falq {

struct WholeFileResult {
    bool ok = false;
    bool cancelled = false;
    QString error;
    QString path; // the name the file took
};

// Fills `tempPath`; false on failure (with `error`) or when cancelled (error left empty).
using FileFiller = std::function<bool(const QString& tempPath, QString* error)>;

// Writes `path`, replacing an earlier file of that name once the new one is complete.
WholeFileResult writeWholeFile(const QString& path, const FileFiller& fill);

// Writes a new file in `folder` and never replaces one: `name(attempt)` gives the name to try
// (attempt 0, 1, ...) until a name is free.
WholeFileResult writeNewFile(const QString& folder, const std::function<QString(int)>& name,
                             const FileFiller& fill);

} // namespace falq
