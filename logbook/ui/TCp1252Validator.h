#pragma once
// Text fields of the logbook hold Windows-1252 bytes: this validator refuses any character
// the code page cannot store and any text longer than 255 characters, so nothing typed is
// lost when the logbook is saved.
//
//   edit->setValidator(new TCp1252Validator(edit));

#include <QValidator>

class TCp1252Validator : public QValidator {
    Q_OBJECT
public:
    explicit TCp1252Validator(QObject* parent = nullptr) : QValidator(parent) {}

    State validate(QString& input, int& pos) const override;
    // Drops the characters that cannot be stored and cuts the text to 255 characters.
    void fixup(QString& input) const override;
};
