#pragma once
// Files written completely or not at all.
//
// The content goes to a temporary file beside the target; commit() flushes it to disk,
// closes it and only then gives it its name. A write cut short (a full disk, a quota, a size
// limit, a network share that went away) or a failed close leaves no file behind, or the
// earlier file as it was, and the reason is kept for the message: the file's name and the
// system's reason in Portuguese. Every file the programs write (copied documents, scanned
// images, exports, reports, the installer's files) goes through here.
#include <QFileDevice>
#include <QIODevice>
#include <QSaveFile>

#include <functional>

namespace falq {

// The system's reason for a failed file operation (an errno value), in Portuguese: "Disco
// cheio", "Ficheiro maior do que o sistema permite", ... (the system's own text for the rare
// ones).
QString systemReason(int errorNumber);
// The refusal to write `path`: "Não foi possível gravar <path>: <reason>".
QString writeFailure(const QString& path, const QString& reason);

enum class ExistingFile {
    Refuse, // an existing file is never touched: "já existe"
    Replace // an existing file is replaced as a whole once the new one is complete
};

// A device to write one file through (directly, or with QImageWriter, QPdfWriter,
// QTextStream...). Destroyed without a successful commit(), it leaves nothing.
class WholeFileWriter : public QIODevice {
    Q_OBJECT
public:
    WholeFileWriter(const QString& path, ExistingFile existing, QObject* parent = nullptr);
    ~WholeFileWriter() override;

    // Starts the file, with `permissions` from the first byte when given. False with the
    // reason in error() when it cannot be created or exists and may not be replaced.
    bool create(QFileDevice::Permissions permissions = {});
    // Gives the complete file its name. False, with no file, when anything failed.
    bool commit();
    // Drops what was written.
    void cancel();

    // Written from the first byte to the last: a writer that must go back cannot use it.
    bool isSequential() const override { return true; }

    QString path() const { return m_path; }
    bool failed() const { return !m_error.isEmpty(); }
    // The first failure, naming the file and the system's reason.
    QString error() const { return m_error; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    void fail(const QString& text);
    // The reason of the last failure of the file: the system's, else the file's own words.
    QString reason(int errorNumber) const;

    QString m_path;
    ExistingFile m_existing;
    QSaveFile m_file;
    bool m_reserved = false; // the empty file that holds the name while Refuse writes
    QString m_error;
};

// Writes `data` as the file `path`, completely or not at all. False with the reason in
// `error`.
bool writeWholeFile(const QString& path, const QByteArray& data, ExistingFile existing,
                    QString* error, QFileDevice::Permissions permissions = {});

// Files that a library writes itself, by name (a spreadsheet): `fill` writes a temporary file
// beside the target, and only a complete file takes the target's name. The library's own
// temporary files go to a folder that belongs to this one writing (beside the target, so on
// the same disk): removed with whatever is left in it once the filler is done. A library
// that writes its temporary files without checking them must check what it wrote itself.
struct WholeFileResult {
    bool ok = false;
    bool cancelled = false;
    QString error;
    QString path; // the name the file took
};

struct FillTarget {
    QString path;    // the file to write (exists, empty)
    QString scratch; // the folder for a library's temporary files
};

// Fills `target.path`; false on failure (with `error`) or when cancelled (error left empty).
// The filled file is then flushed to the disk and checked before it takes its name.
using FileFiller = std::function<bool(const FillTarget& target, QString* error)>;

// Writes `path`, replacing an earlier file of that name once the new one is complete.
WholeFileResult writeWholeFile(const QString& path, const FileFiller& fill);

// Writes a new file in `folder` and never replaces one: `name(attempt)` gives the name to try
// (attempt 0, 1, ...) until a name is free.
WholeFileResult writeNewFile(const QString& folder, const std::function<QString(int)>& name,
                             const FileFiller& fill);

} // namespace falq
