#include "TQtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "FileFilters.h"
#include "TStartDlg.h"

TQtPrompts::TQtPrompts(QWidget* parent, TStartDlg* startDlg)
    : m_parent(parent), m_startDlg(startDlg), m_messages(parent) {}

EAnswer TQtPrompts::AskYesNoCancel(const QString& text) { return m_messages.AskYesNoCancel(text); }
bool TQtPrompts::AskYesNo(const QString& text) { return m_messages.AskYesNo(text); }
void TQtPrompts::ShowInformation(const QString& text) { m_messages.ShowInformation(text); }
void TQtPrompts::ShowError(const QString& text) { m_messages.ShowError(text); }

namespace {

QStringList QtFilters(const QString& pipeFilter) {
    return QtFileFilter(pipeFilter).split(QStringLiteral(";;"));
}

void Prepare(QFileDialog& dlg, const TFileDialogSettings& dialog) {
    dlg.setWindowTitle(dialog.Title);
    dlg.setNameFilters(QtFilters(dialog.Filter));
    QString ext = dialog.DefaultExt;
    if (ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    dlg.setDefaultSuffix(ext);
    if (!dialog.Directory.isEmpty()) dlg.setDirectory(dialog.Directory);
    if (!dialog.Suggested.isEmpty()) {
        const QFileInfo suggested(dialog.Suggested);
        dlg.setDirectory(suggested.absolutePath());
        dlg.selectFile(suggested.fileName());
    }
}

}  // namespace

std::optional<TFileChoice> TQtPrompts::ChooseOpenFile(const TFileDialogSettings& dialog) {
    QFileDialog dlg(m_parent);
    Prepare(dlg, dialog);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    TFileChoice choice;
    choice.Path = dlg.selectedFiles().front();
    choice.FilterIndex = static_cast<int>(dlg.nameFilters().indexOf(dlg.selectedNameFilter()));
    return choice;
}

std::optional<QString> TQtPrompts::ChooseSaveFile(const TFileDialogSettings& dialog) {
    QFileDialog dlg(m_parent);
    Prepare(dlg, dialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    return dlg.selectedFiles().front();
}

std::optional<TFileChoice> TQtPrompts::ChooseSaveFileAndFilter(const TFileDialogSettings& dialog) {
    QFileDialog dlg(m_parent);
    Prepare(dlg, dialog);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
    TFileChoice choice;
    choice.Path = dlg.selectedFiles().front();
    choice.FilterIndex = static_cast<int>(dlg.nameFilters().indexOf(dlg.selectedNameFilter()));
    return choice;
}

bool TQtPrompts::AskStartNumber(std::uint16_t& value) {
    if (!m_startDlg) {
        value = 1;
        return false;
    }
    return m_startDlg->AskStartNumber(value);
}
