#include "TKelvara.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTime>
#include <QToolBar>
#include <QWindowStateChangeEvent>
#include <algorithm>

#include "FileFilters.h"
#include "InterchangeCommands.h"
#include "Language.h"
#include "LogbookCommands.h"
#include "LogbookFile.h"
#include "Messages.h"
#include "SaveTexts.h"
#include "SettingsRecord.h"
#include "Startup.h"
#include "TAboutBox.h"
#include "TCaptionRegistry.h"
#include "TDiveCollection.h"
#include "TDiveListModel.h"
#include "TOptions.h"
#include "TQtPrompts.h"
#include "TRecoveryKeeper.h"
#include "TStartDlg.h"
#include "TTitleFit.h"
#include "TWidgetCaptions.h"
#include "ToolGlyphs.h"
#include "WidgetPlacement.h"

namespace {

enum EMenu { kLogbookMenu, kDivesMenu, kWindowMenu, kOptionsMenu, kHelpMenu, kMenuCount };

struct TMenuDef {
    const char* Name;
    const char* Caption;  // built-in German caption
};
constexpr TMenuDef kMenus[kMenuCount] = {
    {"LogbookMenu", "&Logbuch"},  {"DivesMenu", "&Tauchgänge"}, {"WindowMenu", "&Fenster"},
    {"OptionsMenu", "&Optionen"}, {"HelpMenu", "&?"},
};

using ENeed = ECommandNeeds;

struct TCommandDef {
    ECommand Command;
    EMenu Menu;
    const char* ItemName;
    const char* Caption;  // built-in German caption
    const char* Shortcut;
    ENeed Needs;
    bool SeparatorBefore;
};

// Menu order.
constexpr TCommandDef kCommandDefs[] = {
    {ECommand::New, kLogbookMenu, "NewItem", "&Neu", "", ENeed::Nothing, false},
    {ECommand::Open, kLogbookMenu, "OpenItem", "Ö&ffnen", "F3", ENeed::Nothing, false},
    {ECommand::Save, kLogbookMenu, "SaveItem", "&Speichern", "F2", ENeed::Nothing, false},
    {ECommand::SaveAs, kLogbookMenu, "SaveAsItem", "Speichern &unter", "", ENeed::Nothing, false},
    {ECommand::Import, kLogbookMenu, "ImportItem", "&Importieren", "", ENeed::Nothing, true},
    {ECommand::Export, kLogbookMenu, "ExportItem", "&Exportieren", "", ENeed::Nothing, false},
    {ECommand::Renumber, kLogbookMenu, "RenumberItem", "Neu nu&merieren", "", ENeed::Dive, true},
    {ECommand::Print, kLogbookMenu, "PrintItem", "&Drucken", "", ENeed::Dive, true},
    {ECommand::Exit, kLogbookMenu, "ExitItem", "&Beenden", "", ENeed::Nothing, true},
    {ECommand::Transfer, kDivesMenu, "TransferItem", "Über&tragen", "F5", ENeed::Nothing, false},
    {ECommand::Insert, kDivesMenu, "InsertItem", "&Einfügen", "F7", ENeed::Nothing, true},
    {ECommand::Delete, kDivesMenu, "DeleteItem", "&Löschen", "F8", ENeed::Dive, false},
    {ECommand::Edit, kDivesMenu, "EditItem", "&Bearbeiten", "", ENeed::Dive, false},
    {ECommand::Statistics, kDivesMenu, "StatisticItem", "&Statistik", "", ENeed::Dive, true},
    {ECommand::Select, kDivesMenu, "SelectItem", "Sele&ktieren", "", ENeed::Dive, false},
    {ECommand::TimeZone, kDivesMenu, "TimezoneItem", "&Zeitzone", "", ENeed::Dive, false},
    {ECommand::DiveList, kWindowMenu, "DiveListItem", "Tauchgang&liste", "", ENeed::Nothing, false},
    {ECommand::Data, kWindowMenu, "DataItem", "&Daten", "", ENeed::Dive, false},
    {ECommand::Profile, kWindowMenu, "ProfileItem", "&Profil", "", ENeed::Profile, false},
    {ECommand::DiveComputer, kWindowMenu, "DiveCompItem", "&Tauchcomputer", "", ENeed::Profile, true},
    {ECommand::Physiological, kWindowMenu, "PhysioItem", "&Physiologische Daten", "", ENeed::Profile, false},
    {ECommand::Tissue, kWindowMenu, "TissueItem", "G&ewebedaten", "", ENeed::Profile, false},
    {ECommand::CountrySettings, kOptionsMenu, "CountryItem", "&Ländereinstellungen", "", ENeed::Nothing,
     false},
    {ECommand::SerialPort, kOptionsMenu, "InterfaceItem", "&Schnittstelle", "", ENeed::Nothing, false},
    {ECommand::Info, kHelpMenu, "InfoItem", "&Info...", "", ENeed::Nothing, false},
};

struct TButtonDef {
    ECommand Command;
    const char* Name;
    const char* Hint;  // built-in German hint
    EToolGlyph Glyph;
};

// Tool bar order, left to right.
constexpr TButtonDef kButtonDefs[kToolGlyphCount] = {
    {ECommand::New, "NewBtn", "Neues Logbuch", EToolGlyph::New},
    {ECommand::Open, "OpenBtn", "Logbuch öffnen", EToolGlyph::Open},
    {ECommand::Save, "SaveBtn", "Logbuch speichern", EToolGlyph::Save},
    {ECommand::Print, "PrintBtn", "Drucken", EToolGlyph::Print},
    {ECommand::Transfer, "TransferBtn", "Tauchgänge übertragen", EToolGlyph::Transfer},
    {ECommand::Edit, "EditBtn", "Tauchgang bearbeiten", EToolGlyph::Edit},
    {ECommand::Insert, "InsertBtn", "Tauchgang einfügen", EToolGlyph::Insert},
    {ECommand::Delete, "DeleteBtn", "Tauchgänge löschen", EToolGlyph::Delete},
    {ECommand::Statistics, "StatisticBtn", "Statistik", EToolGlyph::Statistics},
    {ECommand::Select, "SelectBtn", "Tauchgänge selektieren", EToolGlyph::Select},
    {ECommand::TimeZone, "TimezoneBtn", "Zeitzone anpassen", EToolGlyph::TimeZone},
    {ECommand::Data, "DataBtn", "Datenfenster", EToolGlyph::Data},
    {ECommand::Profile, "ProfileBtn", "Profilfenster", EToolGlyph::Profile},
    {ECommand::DiveComputer, "DiveCompBtn", "Tauchcomputer", EToolGlyph::DiveComputer},
    {ECommand::Physiological, "PhysioBtn", "Physiologische Daten", EToolGlyph::Physiological},
    {ECommand::Tissue, "TissueBtn", "Gewebedaten", EToolGlyph::Tissue},
};

bool Satisfied(ENeed need, bool haveDive, bool haveProfile) {
    switch (need) {
        case ENeed::Nothing:
            return true;
        case ENeed::Dive:
            return haveDive;
        case ENeed::Profile:
            return haveProfile;
    }
    return false;
}

ENeed NeedOf(ECommand command) {
    for (const TCommandDef& def : kCommandDefs)
        if (def.Command == command) return def.Needs;
    return ENeed::Nothing;
}

// Kept for the three window toggles, whose marks follow their windows' states.
bool IsToggle(ECommand command) {
    return command == ECommand::DiveComputer || command == ECommand::Physiological ||
           command == ECommand::Tissue;
}

int LastLine(const TDiveCollection& logbook) { return static_cast<int>(logbook.Count()) - 1; }

}  // namespace

TKelvara::TKelvara(SettingsRecord& settings, TKelwinPaths paths, std::unique_ptr<IKelwinPrompts> prompts,
                   QWidget* parent)
    : QMainWindow(parent),
      m_settings(settings),
      m_paths(std::move(paths)),
      m_prompts(std::move(prompts)),
      m_logbook(std::make_unique<TDiveCollection>()),
      m_recovery(std::make_unique<TRecoveryKeeper>(RecoveryDirectory(m_paths.DataDir),
                                                   [this] {
                                                       return TRecoverySnapshot{
                                                           m_settings.LogbookName,
                                                           LogbookImage(*m_logbook, m_settings.DosText != 0)};
                                                   })),
      m_idleHook(this) {
    setObjectName(QStringLiteral("Kelvara"));
    // Dialogs and tool windows grow to show their titles whole in every language.
    new TTitleFit(this);
    resize(644, 403);
    setMinimumSize(540, 136);

    m_openDialog = {QString(), OpenDialogFilter(kGerman), QStringLiteral(".LOG"), QString(), QString()};
    m_saveDialog = {QString(), SaveDialogFilter(kGerman), QStringLiteral(".LOG"), QString(), QString()};

    CreateMenusAndToolBar();

    QFont listFont(QStringLiteral("Sans Serif"), 8, QFont::Bold);
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_diveList = new QListView(central);
    m_diveList->setObjectName(QStringLiteral("DiveList"));
    m_diveList->setFont(listFont);
    m_diveList->setFixedWidth(65);
    m_diveList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_diveList->setUniformItemSizes(true);
    m_diveList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_diveList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_model = new TDiveListModel(this);
    m_model->SetLogbook(m_logbook.get());
    m_diveList->setModel(m_model);
    m_diveList->installEventFilter(this);
    connect(m_diveList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                DiveListCurrentChanged(current.isValid() ? current.row() : -1);
            });
    // A click on the line that is already current changes no current index, but it is
    // still a selection made by hand.
    connect(m_diveList, &QListView::pressed, this, [this] { m_handSelection = true; });
    connect(m_diveList, &QListView::doubleClicked, this, [this] {
        if (CommandAvailable(ECommand::Edit) && m_currentDive) Slot(ECommand::Edit).Handler();
    });
    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    layout->addWidget(m_diveList);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);

    if (!m_prompts) m_prompts = std::make_unique<TQtPrompts>(this);
    m_startDlg = new TStartDlg(this);
    if (auto* qtPrompts = dynamic_cast<TQtPrompts*>(m_prompts.get())) qtPrompts->SetStartDlg(m_startDlg);
    m_options = new TOptions(Program::Kelwin, this);

    SetCommandHandler(ECommand::New, [this] { NewClick(); });
    SetCommandHandler(ECommand::Open, [this] { OpenClick(); });
    SetCommandHandler(ECommand::Save, [this] { SaveClick(); });
    SetCommandHandler(ECommand::SaveAs, [this] { SaveAsClick(); });
    SetCommandHandler(ECommand::Import, [this] { ImportClick(); });
    SetCommandHandler(ECommand::Export, [this] { ExportClick(); });
    SetCommandHandler(ECommand::Renumber, [this] { RenumberClick(); });
    SetCommandHandler(ECommand::Delete, [this] { DeleteClick(); });
    SetCommandHandler(ECommand::Exit, [this] { ExitClick(); });
    SetCommandHandler(ECommand::DiveList, [this] { DiveListClick(); });
    SetCommandHandler(ECommand::CountrySettings, [this] { CountrySettingsClick(); });
    SetCommandHandler(ECommand::Info, [this] { InfoClick(); });

    m_clockTimer.setInterval(1000);
    connect(&m_clockTimer, &QTimer::timeout, this, &TKelvara::TickClock);
    m_clockTimer.start();
    SetupClock();

    m_captions = std::make_unique<TWidgetCaptions>(this, QStringLiteral("TKelvara"));
    m_captions->AddFileDialog(QStringLiteral("OpenDialog"), &m_openDialog);
    m_captions->AddFileDialog(QStringLiteral("SaveDialog"), &m_saveDialog);
    TCaptionRegistry::Of(Program::Kelwin).Register(m_captions.get());

    SetLogbookName(m_settings.LogbookName);
    MakeCurrent(-1);
}

TKelvara::~TKelvara() {
    TCaptionRegistry::Of(Program::Kelwin).Unregister(m_captions.get());
    // The list must let go of the logbook before it is released.
    m_diveList->setModel(nullptr);
    m_model->SetLogbook(nullptr);
}

void TKelvara::CreateMenusAndToolBar() {
    for (const TMenuDef& def : kMenus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(def.Caption));
        menu->setObjectName(QString::fromLatin1(def.Name));
        m_menus.push_back(menu);
    }
    for (const TCommandDef& def : kCommandDefs) {
        QMenu* menu = m_menus[static_cast<std::size_t>(def.Menu)];
        if (def.SeparatorBefore) menu->addSeparator();
        auto* action = new QAction(QString::fromUtf8(def.Caption), this);
        action->setObjectName(QString::fromLatin1(def.ItemName));
        if (*def.Shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(def.Shortcut)));
        if (IsToggle(def.Command)) action->setCheckable(true);
        const ECommand command = def.Command;
        connect(action, &QAction::triggered, this, [this, command, action] {
            TCommandSlot& slot = Slot(command);
            // The mark of a toggle follows its window, not the click.
            if (action->isCheckable()) action->setChecked(!action->isChecked());
            if (slot.Handler) slot.Handler();
        });
        menu->addAction(action);
        TCommandSlot& slot = Slot(def.Command);
        slot.MenuItem = action;
        slot.MenuNeeds = def.Needs;
    }

    m_toolBar = addToolBar(QStringLiteral("ToolBar"));
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(20, 20));
    m_toolBar->setFixedHeight(30);
    m_toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const TButtonDef& def : kButtonDefs) {
        auto* action = new QAction(ToolGlyph(def.Glyph), QString(), this);
        action->setObjectName(QString::fromLatin1(def.Name));
        action->setToolTip(QString::fromUtf8(def.Hint));
        const ECommand command = def.Command;
        connect(action, &QAction::triggered, this, [this, command] {
            if (TCommandSlot& slot = Slot(command); slot.Handler) slot.Handler();
        });
        m_toolBar->addAction(action);
        if (QWidget* button = m_toolBar->widgetForAction(action)) {
            button->setObjectName(QString::fromLatin1(def.Name) + QStringLiteral("Widget"));
            button->setFixedSize(25, 25);
        }
        TCommandSlot& slot = Slot(def.Command);
        slot.ToolButton = action;
        slot.ButtonNeeds = NeedOf(def.Command);
    }
    auto* spacer = new QWidget(m_toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_toolBar->addWidget(spacer);
    m_clock = new QLabel(m_toolBar);
    m_clock->setObjectName(QStringLiteral("Clock"));
    m_clock->setAlignment(Qt::AlignCenter);
    m_clock->setFont(QFont(QStringLiteral("Sans Serif"), 8, QFont::Bold));
    m_clock->setFrameShape(QFrame::StyledPanel);
    m_clock->setFrameShadow(QFrame::Sunken);
    m_toolBar->addWidget(m_clock);
    auto* margin = new QWidget(m_toolBar);
    margin->setFixedWidth(5);
    m_toolBar->addWidget(margin);
}

void TKelvara::SetCommandHandler(ECommand command, std::function<void()> handler) {
    Slot(command).Handler = std::move(handler);
    UpdateCommandStates();
}

bool TKelvara::CommandAvailable(ECommand command) const {
    const TCommandSlot& slot = Slot(command);
    return slot.Handler && slot.MenuItem && slot.MenuItem->isEnabled();
}

void TKelvara::UpdateCommandStates() {
    const bool haveDive = m_currentDive != nullptr;
    for (TCommandSlot& slot : m_commands) {
        const bool available = static_cast<bool>(slot.Handler);
        if (slot.MenuItem)
            slot.MenuItem->setEnabled(available && Satisfied(slot.MenuNeeds, haveDive, m_hasProfile));
        if (slot.ToolButton)
            slot.ToolButton->setEnabled(available && Satisfied(slot.ButtonNeeds, haveDive, m_hasProfile));
    }
}

QAction* TKelvara::Action(ECommand command) const { return Slot(command).MenuItem; }
QAction* TKelvara::Button(ECommand command) const { return Slot(command).ToolButton; }
QMenu* TKelvara::Menu(int index) const {
    return index >= 0 && index < static_cast<int>(m_menus.size()) ? m_menus[static_cast<std::size_t>(index)]
                                                                  : nullptr;
}

void TKelvara::AddCurrentDiveListener(std::function<void(TDiveRec*)> listener) {
    m_currentDiveListeners.push_back(std::move(listener));
}

void TKelvara::AddUnitsChangedListener(std::function<void()> listener) {
    m_unitsChangedListeners.push_back(std::move(listener));
}

void TKelvara::AddDiveListFilledListener(std::function<void()> listener) {
    m_listFilledListeners.push_back(std::move(listener));
}

void TKelvara::SetProfileKeyHandler(std::function<void(int, Qt::KeyboardModifiers)> handler) {
    m_profileKeys = std::move(handler);
}

void TKelvara::RegisterPlacedWindow(WindowPlacement SettingsRecord::*placement, QWidget* window) {
    m_placedWindows.emplace_back(placement, window);
}

void TKelvara::SetToggleMark(ECommand command, bool checked) {
    if (!IsToggle(command)) return;
    if (QAction* item = Action(command)) item->setChecked(checked);
}

void TKelvara::RestoreFromSettings() {
    m_pendingState = RestoreWidgetPlacement(m_settings.MainPlacement, *this);
    if (isVisible()) m_pendingState = WindowShowState::Normal;
    m_restoreRect = m_pendingState != WindowShowState::Normal
                        ? RestorePlacement(m_settings.MainPlacement).Frame
                        : QRect();
    SetLogbookName(m_settings.LogbookName);
    ToggleMark(ECommand::DiveComputer, &SettingsRecord::PanelPlacement);
    ToggleMark(ECommand::Physiological, &SettingsRecord::PhysioPlacement);
    ToggleMark(ECommand::Tissue, &SettingsRecord::TissuePlacement);
    SetupClock();
}

void TKelvara::ToggleMark(ECommand command, WindowPlacement SettingsRecord::*placement) {
    const auto state = static_cast<WindowShowState>((m_settings.*placement).State);
    if (QAction* item = Action(command)) item->setChecked(state != WindowShowState::Minimised);
}

void TKelvara::LoadStartLogbook() {
    const QString name = m_settings.LogbookName;
    if (CanOpenReadWrite(name)) {
        LogbookLoadResult loaded = LoadLogbookFile(name, m_settings.DosText != 0);
        if (loaded.Ok()) {
            ReleaseCurrent();
            m_logbook = std::move(loaded.Collection);
            m_model->SetLogbook(m_logbook.get());
        } else {
            // Keep the damaged file out of reach of a later Save: the program starts with a
            // new, unnamed logbook.
            m_prompts->ShowError(loaded.ErrorText);
            SetLogbookName(kNoNameLogbook);
        }
    }
    m_modified = false;
    FillDiveList(LastLine(*m_logbook));
    MakeCurrent(LastLine(*m_logbook));
    OfferRecovery();
}

void TKelvara::OfferRecovery() {
    const std::vector<TRecoveryCopy> copies = TRecoveryKeeper::PendingCopies(m_recovery->Folder());
    if (copies.empty()) return;
    const TRecoveryCopy& copy = copies.front();
    if (!m_prompts->AskYesNo(RestoreChangesText(copy.LogbookName, copy.Written))) {
        TRecoveryKeeper::RemoveCopy(copy.CopyPath);
        return;
    }
    LogbookLoadResult loaded = LoadLogbookFile(copy.CopyPath, m_settings.DosText != 0);
    if (!loaded.Ok()) {
        m_prompts->ShowError(loaded.ErrorText);
        return;
    }
    SetLogbookName(copy.LogbookName);
    ReplaceLogbook(std::move(loaded.Collection));
    // The restored changes are unsaved changes again, with their copy kept until saved.
    m_recovery->Adopt(copy.CopyPath);
    SetModified(true);
}

void TKelvara::SetModified(bool modified) {
    m_modified = modified;
    // Unsaved changes get a recovery copy; saved or given-up ones lose theirs.
    if (modified)
        m_recovery->Changed();
    else
        m_recovery->Discard();
}

void TKelvara::SetLogbookName(const QString& path) {
    // An empty name (a path too long for the settings record) is a logbook without a
    // name: Save asks for a file instead of writing to "".
    const QString name = path.isEmpty() ? kNoNameLogbook : path;
    m_settings.LogbookName = name;
    setWindowTitle(MainCaption(name, m_paths.DocumentsDir));
}

void TKelvara::FillDiveList(int index) {
    m_filling = true;
    m_model->Refill();
    const int count = static_cast<int>(m_logbook->Count());
    if (count > 0) {
        const int line = std::clamp(index, 0, count - 1);
        const QModelIndex item = m_model->index(line);
        m_diveList->selectionModel()->setCurrentIndex(item, QItemSelectionModel::ClearAndSelect);
        m_diveList->scrollTo(item);
    }
    m_filling = false;
    for (const auto& listener : m_listFilledListeners) listener();
}

void TKelvara::SelectLine(int index, bool alsoKeepOthers) {
    if (index < 0 || index >= static_cast<int>(m_logbook->Count())) return;
    m_filling = true;
    const QModelIndex item = m_model->index(index);
    m_diveList->selectionModel()->setCurrentIndex(
        item, alsoKeepOthers ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect);
    m_diveList->scrollTo(item);
    m_filling = false;
}

std::vector<std::size_t> TKelvara::SelectedIndices() const {
    std::vector<std::size_t> lines;
    for (const QModelIndex& index : m_diveList->selectionModel()->selectedIndexes())
        lines.push_back(static_cast<std::size_t>(index.row()));
    std::sort(lines.begin(), lines.end());
    return lines;
}

int TKelvara::FocusedIndex() const {
    const QModelIndex current = m_diveList->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TKelvara::MakeCurrent(int index) {
    TDiveRec* previous = m_currentDive;
    m_currentDive = index >= 0 && static_cast<std::size_t>(index) < m_logbook->Count()
                        ? &m_logbook->At(static_cast<std::size_t>(index))
                        : nullptr;
    m_hasProfile = m_currentDive && m_currentDive->HasProfile();
    if (m_currentDive == previous && m_currentDive) return;
    UpdateCommandStates();
    NotifyCurrentDive();
}

void TKelvara::ShowCurrentAgain(int index) {
    m_currentDive = index >= 0 && static_cast<std::size_t>(index) < m_logbook->Count()
                        ? &m_logbook->At(static_cast<std::size_t>(index))
                        : nullptr;
    m_hasProfile = m_currentDive && m_currentDive->HasProfile();
    UpdateCommandStates();
    NotifyCurrentDive();
}

void TKelvara::NotifyCurrentDive() {
    for (const auto& listener : m_currentDiveListeners) listener(m_currentDive);
}

void TKelvara::ReleaseCurrent() {
    // The windows that show the current dive must not keep a dive that is released.
    if (!m_currentDive) return;
    m_currentDive = nullptr;
    m_hasProfile = false;
    m_replacingCurrent = true;
    NotifyCurrentDive();
    m_replacingCurrent = false;
}

void TKelvara::DiveListCurrentChanged(int row) {
    if (m_filling) return;
    m_handSelection = true;
    MakeCurrent(row);
}

bool TKelvara::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_diveList && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Home:
            case Qt::Key_End:
            case Qt::Key_Left:
            case Qt::Key_Right:
                if (m_profileKeys) m_profileKeys(key->key(), key->modifiers());
                return true;
            default:
                break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

EAnswer TKelvara::CloseQuery() {
    if (!m_modified) return EAnswer::No;
    const QString text =
        FormatMessage(GetMessage(38), m_settings.LogbookName) + QLatin1Char('\n') + GetMessage(40);
    const EAnswer answer = m_prompts->AskYesNoCancel(text);
    if (answer == EAnswer::Yes) {
        SaveClick();
        // The changes were not saved (write error, or the file dialog was cancelled):
        // going on would lose them.
        if (m_modified) return EAnswer::Cancel;
    }
    return answer;
}

bool TKelvara::EnsureNumbering() {
    if (!m_logbook->NumberingBroken()) return true;
    std::uint16_t start = m_logbook->At(0).DiveNumber;
    if (!m_prompts->AskStartNumber(start)) return false;
    m_logbook->Renumber(start);
    FillDiveList(LastLine(*m_logbook));
    MakeCurrent(LastLine(*m_logbook));
    SetModified(true);
    return true;
}

void TKelvara::ReplaceLogbook(std::unique_ptr<TDiveCollection> logbook) {
    ReleaseCurrent();
    m_model->SetLogbook(logbook.get());
    m_logbook = std::move(logbook);
    FillDiveList(LastLine(*m_logbook));
    MakeCurrent(LastLine(*m_logbook));
}

void TKelvara::NewClick() {
    if (CloseQuery() == EAnswer::Cancel) return;
    SetLogbookName(kNoNameLogbook);
    ReleaseCurrent();
    auto empty = std::make_unique<TDiveCollection>();
    m_model->SetLogbook(empty.get());
    m_logbook = std::move(empty);
    MakeCurrent(0);
    SetModified(false);
}

void TKelvara::OpenClick() {
    if (CloseQuery() == EAnswer::Cancel) return;
    m_openDialog.Title = GetMessage(35);
    m_openDialog.Directory = DialogFolder();
    const std::optional<TFileChoice> choice = m_prompts->ChooseOpenFile(m_openDialog);
    if (!choice) return;
    if (!CanOpenReadWrite(choice->Path)) {
        m_prompts->ShowInformation(FormatMessage(GetMessage(39), choice->Path));
        return;
    }
    // The second filter entry is the format older than 3.02, with DOS texts.
    const bool dosText = choice->FilterIndex == 1 || m_settings.DosText != 0;
    LogbookLoadResult loaded = LoadLogbookFile(choice->Path, dosText);
    if (!loaded.Ok()) {
        // Nothing is lost: the logbook open before stays open as it was.
        m_prompts->ShowError(loaded.ErrorText);
        return;
    }
    SetLogbookName(choice->Path);
    ReplaceLogbook(std::move(loaded.Collection));
    SetModified(false);
}

QString TKelvara::DialogFolder() const {
    // The folder of the open logbook; a logbook without a name starts in the documents folder.
    const QFileInfo logbook(m_settings.LogbookName);
    if (m_settings.LogbookName != kNoNameLogbook && logbook.isAbsolute() && logbook.dir().exists())
        return logbook.absolutePath();
    return m_paths.DocumentsDir == QStringLiteral("/") ? QString() : m_paths.DocumentsDir;
}

bool TKelvara::WriteLogbook(const QString& path, bool selectedOnly) {
    std::vector<bool> selected;
    if (selectedOnly) {
        selected.assign(m_logbook->Count(), false);
        for (std::size_t line : SelectedIndices())
            if (line < selected.size()) selected[line] = true;
    }
    TLogbookSaveOptions how;
    how.SelectedOnly = selectedOnly;
    how.IsSelected = [&selected](std::size_t i) { return i < selected.size() && selected[i]; };
    // A logbook file is never replaced without keeping the previous one.
    how.BackupDir = BackupDirectory(m_paths.DataDir);
    const LogbookSaveResult saved = SaveLogbookFile(path, *m_logbook, m_settings.DosText != 0, how);
    if (!saved.Ok()) {
        m_prompts->ShowError(saved.ErrorText);
        return false;
    }
    return true;
}

void TKelvara::SaveClick() {
    if (m_settings.LogbookName == kNoNameLogbook || m_settings.LogbookName.isEmpty()) {
        SaveAsClick();
        return;
    }
    if (WriteLogbook(m_settings.LogbookName, false)) SetModified(false);
}

void TKelvara::SaveAsClick() {
    m_saveDialog.Title = GetMessage(33);
    m_saveDialog.Directory = DialogFolder();
    const std::optional<QString> file = m_prompts->ChooseSaveFile(m_saveDialog);
    if (!file) return;
    const QString path = WithDefaultExtension(*file, m_saveDialog.DefaultExt);
    // The logbook takes the new name only once it is really stored there.
    if (!WriteLogbook(path, false)) return;
    SetLogbookName(path);
    SetModified(false);
}

void TKelvara::ExportClick() {
    // The chosen filter (or the name's extension) picks logbook, UDDF or CSV.
    TFileDialogSettings dialog = ExportDialog(GetMessage(34));
    dialog.Directory = DialogFolder();
    const std::optional<TFileChoice> choice = m_prompts->ChooseSaveFileAndFilter(dialog);
    if (!choice) return;
    const TExportTarget target = ExportTargetOf(*choice);
    if (target.Format == EInterchangeFormat::Logbook) {
        WriteLogbook(target.Path, true);
        return;
    }
    const QString error =
        ExportInterchange(target, *m_logbook, SelectedIndices(), m_settings, m_paths.ExeDir);
    if (!error.isEmpty()) m_prompts->ShowError(error);
}

void TKelvara::ImportClick() {
    m_openDialog.Title = GetMessage(36);
    m_openDialog.Directory = DialogFolder();
    const std::optional<TFileChoice> choice = m_prompts->ChooseOpenFile(ImportDialog(m_openDialog));
    if (!choice) return;
    if (!CanOpenReadWrite(choice->Path)) {
        m_prompts->ShowInformation(FormatMessage(GetMessage(39), choice->Path));
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
        m_prompts->ShowError(imported.ErrorText);
        return;
    }
    FillDiveList(LastLine(*m_logbook));
    SetModified(true);
    if (!m_logbook->IsEmpty()) {
        EnsureNumbering();
        m_logbook->SortAndRenumber();
        SetModified(true);
        int beforeLine = LastLine(*m_logbook);
        for (std::size_t i = 0; i < m_logbook->Count(); ++i)
            if (&m_logbook->At(i) == before) beforeLine = static_cast<int>(i);
        FillDiveList(beforeLine);
        SelectLine(LastLine(*m_logbook), true);
        MakeCurrent(LastLine(*m_logbook));
    }
    if (imported.Summary.NotAdded > 0)
        m_prompts->ShowInformation(
            LogbookFullText(static_cast<int>(imported.Summary.NotAdded), CurrentLanguage()));
    if (!notes.isEmpty()) m_prompts->ShowInformation(notes.join(QLatin1Char('\n')));
}

void TKelvara::RenumberClick() {
    std::uint16_t start = ProposedRenumberStart(*m_logbook);
    if (!m_prompts->AskStartNumber(start)) return;
    m_logbook->Renumber(start);
    FillDiveList(LastLine(*m_logbook));
    MakeCurrent(LastLine(*m_logbook));
    SetModified(true);
}

void TKelvara::DeleteClick() {
    const std::vector<std::size_t> lines = SelectedIndices();
    if (lines.empty()) return;
    if (!m_prompts->AskYesNo(FormatMessage(GetMessage(41), static_cast<long long>(lines.size())))) return;
    ReleaseCurrent();
    DeleteDives(*m_logbook, lines);
    FillDiveList(LastLine(*m_logbook));
    MakeCurrent(LastLine(*m_logbook));
    SetModified(true);
}

void TKelvara::ExitClick() { close(); }

void TKelvara::DiveListClick() { m_diveList->setFocus(); }

void TKelvara::InfoClick() {
    // The picture is stretched over the box's top; a missing one is reported and left out.
    const QString path = m_paths.ExeDir + QStringLiteral("Kelwin.BMP");
    QPixmap picture;
    if (picture.load(path, "BMP"))
        picture = picture.scaled(360, 225, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    else
        m_prompts->ShowError(FormatMessage(GetMessage(32), path));
    TAboutBox box(picture, QString::fromLatin1(SettingsRecord::kVersion), QString(), this);
    box.exec();
}

void TKelvara::CountrySettingsClick() {
    int language = m_settings.LanguageIndex;
    int units = m_settings.UnitSystem;
    if (m_options->Execute(language, units)) ApplyOptions(language, units);
}

void TKelvara::ApplyOptions(int languageIndex, int unitSystem) {
    m_settings.LanguageIndex = static_cast<std::uint8_t>(languageIndex);
    m_settings.UnitSystem = static_cast<std::uint8_t>(unitSystem);
    SetCurrentLanguage(languageIndex);
    SetCurrentUnitSystem(unitSystem);
    SetupClock();
    TCaptionRegistry::Of(Program::Kelwin).ApplyLanguage(languageIndex);
    RebuildUnitTexts();
    QCoreApplication::processEvents();
    if (m_currentDive) NotifyCurrentDive();
}

void TKelvara::RebuildUnitTexts() {
    for (const auto& listener : m_unitsChangedListeners) listener();
}

void TKelvara::SetupClock() {
    const QLocale locale;
    m_clock->setFixedWidth(ClockWidth(m_settings.UnitSystem, locale.amText(), locale.pmText()));
    TickClock();
}

void TKelvara::TickClock() {
    const QLocale locale;
    m_clock->setText(
        ClockText(QTime::currentTime(), m_settings.UnitSystem, locale.amText(), locale.pmText()));
}

void TKelvara::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_pendingState != WindowShowState::Normal) {
        const WindowShowState state = m_pendingState;
        m_pendingState = WindowShowState::Normal;
        ApplyWidgetState(*this, state);
    }
}

void TKelvara::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !m_restoreRect.isValid()) return;
    const auto* change = static_cast<QWindowStateChangeEvent*>(event);
    const Qt::WindowStates wasDown = Qt::WindowMaximized | Qt::WindowMinimized;
    if ((change->oldState() & wasDown) && !(windowState() & wasDown)) {
        const QRect rect = m_restoreRect;
        m_restoreRect = QRect();
        QTimer::singleShot(0, this, [this, rect] { SetWidgetFrame(*this, rect); });
    }
}

void TKelvara::closeEvent(QCloseEvent* event) {
    if (CloseQuery() == EAnswer::Cancel) {
        event->ignore();
        return;
    }
    WindowGeometry main = WidgetGeometry(*this);
    // Still maximised or minimised as it came up: its normal rectangle is the stored one.
    if (m_restoreRect.isValid() && main.State != WindowShowState::Normal) main.NormalFrame = m_restoreRect;
    SavePlacement(m_settings.MainPlacement, main);
    for (const auto& [placement, window] : m_placedWindows)
        if (window) SaveWidgetPlacement(m_settings.*placement, *window);
    try {
        WriteSettings(m_paths.DataDir, m_settings);
    } catch (const std::exception& error) {
        m_prompts->ShowError(QString::fromUtf8(error.what()));
    }
    // Closed on purpose: saved, or the changes given up at the close query.
    m_recovery->Discard();
    event->accept();
}
