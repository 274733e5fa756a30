#pragma once
// The activities dialog ("Activity"): twelve check boxes, one bit of the dive's Activities
// word each (bit i is the i-th check box in control order), and the free "Other:" text.
//
//   std::uint16_t word = dive.Activities;  QString other = ...;
//   if (activity.Execute(word, other)) { dive.Activities = word; ... }

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "TOkCancelDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TActivity : public TOkCancelDialog {
    Q_OBJECT
public:
    explicit TActivity(QWidget* parent = nullptr);

    void Load(std::uint16_t activities, const QString& other);
    std::uint16_t Activities() const;
    QString Other() const;
    // Load, run modally; on OK both values are read back.
    bool Execute(std::uint16_t& activities, QString& other);

    QCheckBox* Box(int bit) const;
    QLineEdit* EOther() const { return m_other; }

private:
    std::vector<QCheckBox*> m_boxes;  // control order = bit order
    QLabel* m_otherLabel;
    QLineEdit* m_other;
};
