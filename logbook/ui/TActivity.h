#pragma once
// The activities dialog ("Activity"): twelve check boxes, one bit of the dive's Activities
// word each (bit i is the i-th check box in control order), and the free "Other:" text.
//
//   std::uint16_t word = dive.Activities;  QString other = ...;
//   if (activity.Execute(word, other)) { dive.Activities = word; ... }

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TWidgetCaptions;

class TActivity : public QDialog {
    Q_OBJECT
public:
    explicit TActivity(QWidget* parent = nullptr);
    ~TActivity() override;

    void Load(std::uint16_t activities, const QString& other);
    std::uint16_t Activities() const;
    QString Other() const;
    // Load, run modally; on OK both values are read back.
    bool Execute(std::uint16_t& activities, QString& other);

    QCheckBox* Box(int bit) const;
    QLineEdit* EOther() const { return m_other; }
    QPushButton* OKBtn() const { return m_ok; }
    QPushButton* CancelBtn() const { return m_cancel; }

private:
    std::vector<QCheckBox*> m_boxes;  // control order = bit order
    QLabel* m_otherLabel;
    QLineEdit* m_other;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::unique_ptr<TWidgetCaptions> m_captions;
};
