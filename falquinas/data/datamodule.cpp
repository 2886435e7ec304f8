#include "datamodule.h"

namespace falq {

DataModule::DataModule(const QString& name, QObject* parent) : QObject(parent) {
    setObjectName(name);
}

DataModule::~DataModule() {
    for (Dataset* d : std::as_const(m_datasets))
        d->close();
}

Dataset* DataModule::add(Dataset* dataset) {
    dataset->setParent(this);
    m_datasets.insert(dataset->name(), dataset);
    return dataset;
}

Dataset* DataModule::dataset(const QString& name) const {
    return m_datasets.value(name);
}

} // namespace falq
