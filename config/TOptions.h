#pragma once
// The language dialog: the radio group LangSel with the five languages, OK and Cancel.
//
//   TOptions dlg(this);
//   dlg.SetLanguage(settings.LanguageIndex);
//   if (dlg.exec() == QDialog::Accepted) settings.LanguageIndex = dlg.Language();

#include <QDialog>

class TRadioGroup;
class QPushButton;

class TOptions : public QDialog {
    Q_OBJECT
public:
    explicit TOptions(QWidget* parent = nullptr);
    void SetLanguage(int languageIndex);
    int Language() const;
    TRadioGroup* LangSel() const { return m_langSel; }
    QPushButton* OkBtn() const { return m_ok; }
    QPushButton* CancelBtn() const { return m_cancel; }

private:
    TRadioGroup* m_langSel;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};
