#pragma once
// The program's answers to the main window's questions: message boxes, the common open
// and save dialogs and the start number dialog.

#include <QPointer>
#include <QWidget>

#include "IKelwinPrompts.h"
#include "TMessagePrompts.h"

class TStartDlg;

class TQtPrompts : public IKelwinPrompts {
public:
    // The boxes are centred on `parent`; `startDlg` may be set later.
    explicit TQtPrompts(QWidget* parent, TStartDlg* startDlg = nullptr);
    void SetStartDlg(TStartDlg* startDlg) { m_startDlg = startDlg; }

    EAnswer AskYesNoCancel(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    void ShowInformation(const QString& text) override;
    void ShowError(const QString& text) override;
    std::optional<TFileChoice> ChooseOpenFile(const TFileDialogSettings& dialog) override;
    std::optional<QString> ChooseSaveFile(const TFileDialogSettings& dialog) override;
    std::optional<TFileChoice> ChooseSaveFileAndFilter(const TFileDialogSettings& dialog) override;
    bool AskStartNumber(std::uint16_t& value) override;

private:
    QPointer<QWidget> m_parent;
    TStartDlg* m_startDlg;
    TMessagePrompts m_messages;
};
