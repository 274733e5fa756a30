#include "TLogbookSession.h"

#include <QDir>
#include <QFileInfo>

#include "InterchangeCommands.h"
#include "Language.h"
#include "LogbookCommands.h"
#include "LogbookFile.h"
#include "Messages.h"
#include "SaveTexts.h"
#include "Startup.h"
#include "TDiveCollection.h"
#include "TRecoveryKeeper.h"

namespace {
int LastLine(const TDiveCollection& logbook) { return static_cast<int>(logbook.Count()) - 1; }
}  // namespace

TLogbookSession::TLogbookSession(SettingsRecord& settings, TKelwinPaths paths, IKelwinPrompts& prompts)
    : m_settings(settings),
      m_paths(std::move(paths)),
      m_prompts(prompts),
      m_logbook(std::make_unique<TDiveCollection>()),
      m_recovery(std::make_unique<TRecoveryKeeper>(RecoveryDirectory(m_paths.DataDir), [this] {
          return TRecoverySnapshot{m_settings.LogbookName, LogbookImage(*m_logbook, m_settings.DosText != 0)};
      })) {}

TLogbookSession::~TLogbookSession() = default;

bool TLogbookSession::SetCurrent(int index) {
    TDiveRec* previous = m_currentDive;
    m_currentDive = index >= 0 && static_cast<std::size_t>(index) < m_logbook->Count()
                        ? &m_logbook->At(static_cast<std::size_t>(index))
                        : nullptr;
    m_hasProfile = m_currentDive && m_currentDive->HasProfile();
    return m_currentDive != previous || !m_currentDive;
}

bool TLogbookSession::DropCurrent() {
    if (!m_currentDive) return false;
    m_currentDive = nullptr;
    m_hasProfile = false;
    return true;
}

void TLogbookSession::SetModified(bool modified) {
    m_modified = modified;
    // Unsaved changes get a recovery copy; saved or given-up ones lose theirs.
    if (modified)
        m_recovery->Changed();
    else
        m_recovery->Discard();
}

void TLogbookSession::SetLogbookName(const QString& path) {
    // An empty name (a path too long for the settings record) is a logbook without a
    // name: Save asks for a file instead of writing to "".
    const QString name = path.isEmpty() ? kNoNameLogbook : path;
    m_settings.LogbookName = name;
    if (m_view) m_view->LogbookNameChanged(name);
}

std::vector<std::size_t> TLogbookSession::Selected() const {
    return m_view ? m_view->SelectedIndices() : std::vector<std::size_t>{};
}

void TLogbookSession::Fill(int line) {
    if (m_view) m_view->FillDiveList(line);
}

void TLogbookSession::Show(int line) {
    if (m_view)
        m_view->MakeCurrent(line);
    else
        SetCurrent(line);
}

void TLogbookSession::Release() {
    if (m_view)
        m_view->ReleaseCurrent();
    else
        DropCurrent();
}

void TLogbookSession::Adopt(std::unique_ptr<TDiveCollection> logbook) {
    Release();
    // The old logbook ends only after the view has let go of it.
    std::swap(m_logbook, logbook);
    if (m_view) m_view->LogbookReplaced(*m_logbook);
}

void TLogbookSession::ReplaceLogbook(std::unique_ptr<TDiveCollection> logbook) {
    Adopt(std::move(logbook));
    ShowLastDive();
}

void TLogbookSession::ShowLastDive() {
    Fill(LastLine(*m_logbook));
    Show(LastLine(*m_logbook));
}

void TLogbookSession::LoadStartLogbook() {
    const QString name = m_settings.LogbookName;
    if (CanOpenReadWrite(name)) {
        LogbookLoadResult loaded = LoadLogbookFile(name, m_settings.DosText != 0);
        if (loaded.Ok()) {
            Adopt(std::move(loaded.Collection));
        } else {
            // Keep the damaged file out of reach of a later Save: the program starts with a
            // new, unnamed logbook.
            m_prompts.ShowError(loaded.ErrorText);
            SetLogbookName(kNoNameLogbook);
        }
    }
    m_modified = false;
    ShowLastDive();
    OfferRecovery();
}

void TLogbookSession::OfferRecovery() {
    const std::vector<TRecoveryCopy> copies = TRecoveryKeeper::PendingCopies(m_recovery->Folder());
    if (copies.empty()) return;
    const TRecoveryCopy& copy = copies.front();
    if (!m_prompts.AskYesNo(RestoreChangesText(copy.LogbookName, copy.Written))) {
        TRecoveryKeeper::RemoveCopy(copy.CopyPath);
        return;
    }
    LogbookLoadResult loaded = LoadLogbookFile(copy.CopyPath, m_settings.DosText != 0);
    if (!loaded.Ok()) {
        m_prompts.ShowError(loaded.ErrorText);
        return;
    }
    SetLogbookName(copy.LogbookName);
    ReplaceLogbook(std::move(loaded.Collection));
    // The restored changes are unsaved changes again, with their copy kept until saved.
    m_recovery->Adopt(copy.CopyPath);
    SetModified(true);
}

EAnswer TLogbookSession::CloseQuery() {
    if (!m_modified) return EAnswer::No;
    const QString text =
        FormatMessage(GetMessage(38), m_settings.LogbookName) + QLatin1Char('\n') + GetMessage(40);
    const EAnswer answer = m_prompts.AskYesNoCancel(text);
    if (answer == EAnswer::Yes) {
        Save();
        // The changes were not saved (write error, or the file dialog was cancelled):
        // going on would lose them.
        if (m_modified) return EAnswer::Cancel;
    }
    return answer;
}

bool TLogbookSession::EnsureNumbering() {
    if (!m_logbook->NumberingBroken()) return true;
    std::uint16_t start = m_logbook->At(0).DiveNumber;
    if (!m_prompts.AskStartNumber(start)) return false;
    m_logbook->Renumber(start);
    ShowLastDive();
    SetModified(true);
    return true;
}

void TLogbookSession::New() {
    if (CloseQuery() == EAnswer::Cancel) return;
    SetLogbookName(kNoNameLogbook);
    Adopt(std::make_unique<TDiveCollection>());
    Show(0);
    SetModified(false);
}

void TLogbookSession::Open() {
    if (CloseQuery() == EAnswer::Cancel) return;
    m_openDialog.Title = GetMessage(35);
    m_openDialog.Directory = DialogFolder();
    const std::optional<TFileChoice> choice = m_prompts.ChooseOpenFile(m_openDialog);
    if (!choice) return;
    if (!CanOpenReadWrite(choice->Path)) {
        m_prompts.ShowInformation(FormatMessage(GetMessage(39), choice->Path));
        return;
    }
    // The second filter entry is the format older than 3.02, with DOS texts.
    const bool dosText = choice->FilterIndex == 1 || m_settings.DosText != 0;
    LogbookLoadResult loaded = LoadLogbookFile(choice->Path, dosText);
    if (!loaded.Ok()) {
        // Nothing is lost: the logbook open before stays open as it was.
        m_prompts.ShowError(loaded.ErrorText);
        return;
    }
    SetLogbookName(choice->Path);
    ReplaceLogbook(std::move(loaded.Collection));
    SetModified(false);
}

QString TLogbookSession::DialogFolder() const {
    // The folder of the open logbook; a logbook without a name starts in the documents folder.
    const QFileInfo logbook(m_settings.LogbookName);
    if (m_settings.LogbookName != kNoNameLogbook && logbook.isAbsolute() && logbook.dir().exists())
        return logbook.absolutePath();
    return m_paths.DocumentsDir == QStringLiteral("/") ? QString() : m_paths.DocumentsDir;
}

bool TLogbookSession::WriteLogbook(const QString& path, bool selectedOnly) {
    std::vector<bool> selected;
    if (selectedOnly) {
        selected.assign(m_logbook->Count(), false);
        for (std::size_t line : Selected())
            if (line < selected.size()) selected[line] = true;
    }
    TLogbookSaveOptions how;
    how.SelectedOnly = selectedOnly;
    how.IsSelected = [&selected](std::size_t i) { return i < selected.size() && selected[i]; };
    // A logbook file is never replaced without keeping the previous one.
    how.BackupDir = BackupDirectory(m_paths.DataDir);
    const LogbookSaveResult saved = SaveLogbookFile(path, *m_logbook, m_settings.DosText != 0, how);
    if (!saved.Ok()) {
        m_prompts.ShowError(saved.ErrorText);
        return false;
    }
    return true;
}

void TLogbookSession::Save() {
    if (m_settings.LogbookName == kNoNameLogbook || m_settings.LogbookName.isEmpty()) {
        SaveAs();
        return;
    }
    if (WriteLogbook(m_settings.LogbookName, false)) SetModified(false);
}

void TLogbookSession::SaveAs() {
    m_saveDialog.Title = GetMessage(33);
    m_saveDialog.Directory = DialogFolder();
    const std::optional<QString> file = m_prompts.ChooseSaveFile(m_saveDialog);
    if (!file) return;
    const QString path = WithDefaultExtension(*file, m_saveDialog.DefaultExt);
    // The logbook takes the new name only once it is really stored there.
    if (!WriteLogbook(path, false)) return;
    SetLogbookName(path);
    SetModified(false);
}

void TLogbookSession::Export() {
    // The chosen filter (or the name's extension) picks logbook, UDDF or CSV.
    TFileDialogSettings dialog = ExportDialog(GetMessage(34));
    dialog.Directory = DialogFolder();
    const std::optional<TFileChoice> choice = m_prompts.ChooseSaveFileAndFilter(dialog);
    if (!choice) return;
    const TExportTarget target = ExportTargetOf(*choice);
    if (target.Format == EInterchangeFormat::Logbook) {
        WriteLogbook(target.Path, true);
        return;
    }
    const QString error = ExportInterchange(target, *m_logbook, Selected(), m_settings, m_paths.ExeDir);
    if (!error.isEmpty()) m_prompts.ShowError(error);
}

void TLogbookSession::Import() {
    m_openDialog.Title = GetMessage(36);
    m_openDialog.Directory = DialogFolder();
    const std::optional<TFileChoice> choice = m_prompts.ChooseOpenFile(ImportDialog(m_openDialog));
    if (!choice) return;
    if (!CanOpenReadWrite(choice->Path)) {
        m_prompts.ShowInformation(FormatMessage(GetMessage(39), choice->Path));
        return;
    }
    TDiveRec* before = m_currentDive;
    LogbookImportResult imported;
    QStringList notes;  // texts of a UDDF file that were cut
    if (IsUddfChoice(*choice)) {
        const UddfImportResult uddf = ImportUddfFile(*m_logbook, choice->Path, CurrentLanguage());
        imported.Summary = uddf.Summary;
        imported.ErrorText = uddf.ErrorText;
        if (!uddf.Ok()) imported.Error = LogbookError::ReadError;
        notes = uddf.Notes;
    } else {
        imported = ImportLogbookFile(*m_logbook, choice->Path, m_settings.DosText != 0);
    }
    if (!imported.Ok()) {
        m_prompts.ShowError(imported.ErrorText);
        return;
    }
    Fill(LastLine(*m_logbook));
    SetModified(true);
    if (!m_logbook->IsEmpty()) {
        EnsureNumbering();
        m_logbook->SortAndRenumber();
        SetModified(true);
        int beforeLine = LastLine(*m_logbook);
        for (std::size_t i = 0; i < m_logbook->Count(); ++i)
            if (&m_logbook->At(i) == before) beforeLine = static_cast<int>(i);
        Fill(beforeLine);
        if (m_view) m_view->SelectLine(LastLine(*m_logbook), true);
        Show(LastLine(*m_logbook));
    }
    if (imported.Summary.NotAdded > 0)
        m_prompts.ShowInformation(
            LogbookFullText(static_cast<int>(imported.Summary.NotAdded), CurrentLanguage()));
    if (!notes.isEmpty()) m_prompts.ShowInformation(notes.join(QLatin1Char('\n')));
}

void TLogbookSession::Renumber() {
    std::uint16_t start = ProposedRenumberStart(*m_logbook);
    if (!m_prompts.AskStartNumber(start)) return;
    m_logbook->Renumber(start);
    ShowLastDive();
    SetModified(true);
}

void TLogbookSession::Delete() {
    const std::vector<std::size_t> lines = Selected();
    if (lines.empty()) return;
    if (!m_prompts.AskYesNo(FormatMessage(GetMessage(41), static_cast<long long>(lines.size())))) return;
    Release();
    DeleteDives(*m_logbook, lines);
    ShowLastDive();
    SetModified(true);
}
