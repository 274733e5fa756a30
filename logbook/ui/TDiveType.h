#pragma once
// The dive type dialog ("Type of Dive"): four either/or groups of the DiveType flag word,
// each with a "-" button for "not stated".
//
//   std::uint16_t flags = dive.DiveType;
//   if (diveType.Execute(flags)) dive.DiveType = flags;   // bits 0..1 are then 0

#include <cstdint>
#include <memory>

#include "TOkCancelDialog.h"

class QPushButton;
class QRadioButton;

class TDiveType : public TOkCancelDialog {
    Q_OBJECT
public:
    explicit TDiveType(QWidget* parent = nullptr);

    // Chooses the four "-" buttons, then each button whose flag is set, in the order SCR,
    // Nitrox, Nostop, Decomp, Square, Multil, Fresh, Sea.
    void Load(std::uint16_t flags);
    // The flags of the chosen buttons.
    std::uint16_t Flags() const;
    // Load, run modally; on OK `flags` becomes the choice.
    bool Execute(std::uint16_t& flags);

    QRadioButton* Button(const QString& name) const;

private:
    struct TChoice {
        QRadioButton* Button;
        std::uint16_t Flag;
    };
    std::vector<QRadioButton*> m_none;
    std::vector<TChoice> m_choices;
};
