#pragma once
// The language dialog ("Country settings"): the language of the windows and the unit
// system of the values shown. The window that opens it applies the choice.
//
//   int language = settings.LanguageIndex, units = settings.UnitSystem;
//   if (options.Execute(language, units)) mainWindow.ApplyOptions(language, units);

#include <QDialog>
#include <memory>

class QPushButton;
class TRadioGroup;
class TWidgetCaptions;

class TOptions : public QDialog {
    Q_OBJECT
public:
    explicit TOptions(QWidget* parent = nullptr);
    ~TOptions() override;

    // Opens with the given choices and runs modally; on OK the two values take the chosen
    // items and the result is true. Cancel changes nothing.
    bool Execute(int& languageIndex, int& unitSystem);

    // The two halves of Execute, for callers that run the dialog themselves.
    void Load(int languageIndex, int unitSystem);
    bool Finish(int dialogResult, int& languageIndex, int& unitSystem) const;

    TRadioGroup* LangSel() const { return m_langSel; }
    TRadioGroup* UnitSel() const { return m_unitSel; }

private:
    TRadioGroup* m_langSel;
    TRadioGroup* m_unitSel;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    std::unique_ptr<TWidgetCaptions> m_captions;
};
