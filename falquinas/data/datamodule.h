#pragma once
// A data module: a named holder of shared datasets, created and freed with the session.
#include "dataset.h"

#include <QMap>
#include <QObject>

namespace falq {

class DataModule : public QObject {
    Q_OBJECT
public:
    explicit DataModule(const QString& name, QObject* parent = nullptr);
    ~DataModule() override;

    Dataset* add(Dataset* dataset);
    Dataset* dataset(const QString& name) const;
    QList<Dataset*> datasets() const { return m_datasets.values(); }

private:
    QMap<QString, Dataset*> m_datasets;
};

} // namespace falq
