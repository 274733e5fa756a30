#pragma once
// The dive list of the main window as a model over the open logbook: one row per dive,
// in logbook order (row = index in the collection), showing the dive's list line. Rows
// are produced on demand, so a logbook of 65535 dives fills the list at once.
//
//   TDiveListModel model;
//   model.SetLogbook(&logbook);      // after the logbook changed as a whole
//   view->setModel(&model);

#include <QAbstractListModel>

class TDiveCollection;

class TDiveListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit TDiveListModel(QObject* parent = nullptr);

    // Shows the logbook (or nothing); call again (Refill) after dives were added, removed,
    // renumbered or sorted. The logbook must outlive its use by the model.
    void SetLogbook(const TDiveCollection* logbook);
    void Refill();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const TDiveCollection* m_logbook = nullptr;
};
