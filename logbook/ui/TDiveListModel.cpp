#include "TDiveListModel.h"

#include "TDiveCollection.h"

TDiveListModel::TDiveListModel(QObject* parent) : QAbstractListModel(parent) {}

void TDiveListModel::SetLogbook(const TDiveCollection* logbook) {
    beginResetModel();
    m_logbook = logbook;
    endResetModel();
}

void TDiveListModel::Refill() {
    beginResetModel();
    endResetModel();
}

int TDiveListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !m_logbook) return 0;
    return static_cast<int>(m_logbook->Count());
}

QVariant TDiveListModel::data(const QModelIndex& index, int role) const {
    if (!m_logbook || !index.isValid() || index.row() < 0 ||
        static_cast<std::size_t>(index.row()) >= m_logbook->Count())
        return {};
    if (role == Qt::DisplayRole) return m_logbook->At(static_cast<std::size_t>(index.row())).ListLine();
    return {};
}
