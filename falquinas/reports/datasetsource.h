#pragma once
// The rows of a dataset, in its current order, as the rows of a report. Rows still to be read
// are read as the report reaches them.
#include "dataset.h"
#include "reportform.h"

namespace falq::reports {

class DatasetSource : public Source {
public:
    explicit DatasetSource(Dataset& dataset) : m_dataset(dataset) {}
    int fieldIndex(const QString& name) const override { return m_dataset.fieldIndex(name); }
    bool rewind() override {
        m_row = -1;
        return true;
    }
    bool next() override {
        ++m_row;
        while (m_row >= m_dataset.rowCount() && m_dataset.canFetchMore())
            m_dataset.fetchMore();
        return m_row < m_dataset.rowCount();
    }
    QVariant value(int field) const override { return m_dataset.value(m_row, field); }
    int sizeHint() const override { return m_dataset.canFetchMore() ? -1 : m_dataset.rowCount(); }

private:
    Dataset& m_dataset;
    int m_row = -1;
};

} // namespace falq::reports
