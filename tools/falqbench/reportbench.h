#pragma once
// falqbench scenarios of the report engine and the spreadsheet export, on generated rows
// (no installation needed): a listing rendered to PDF and to text, and a grid exported to
// .xlsx, each with the growth of the process's peak memory while it runs.
#include <QList>
#include <QString>
#include <functional>

namespace falq::bench {

struct ReportScenario {
    QString name;
    QString description;
    // Timed; `detail` says what was made (pages, rows).
    std::function<bool(QString* error, QString* detail)> run;
    std::function<void()> cleanup; // after each run, not timed
    QString output;                // the file a run writes (kept with --shots), if any
};

QList<ReportScenario> reportScenarios(const QString& folder);

// How far the resident memory of the process rises above where it stood at start() (Linux;
// -1 elsewhere).
class MemoryProbe {
public:
    void start();
    double growthMiB() const;

private:
    double m_start = -1;
};

} // namespace falq::bench
