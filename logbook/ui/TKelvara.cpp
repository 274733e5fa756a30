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
#include "Language.h"
#include "LogbookCommands.h"
#include "Messages.h"
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

}  // namespace

TKelvara::TKelvara(SettingsRecord& settings, TKelwinPaths paths, std::unique_ptr<IKelwinPrompts> prompts,
                   QWidget* parent)
    : QMainWindow(parent),
      m_settings(settings),
      m_paths(std::move(paths)),
      m_prompts(std::move(prompts)),
      m_idleHook(this) {
    setObjectName(QStringLiteral("Kelvara"));
    // Dialogs and tool windows grow to show their titles whole in every language.
    new TTitleFit(this);
    resize(644, 403);
    setMinimumSize(540, 136);

    if (!m_prompts) m_prompts = std::make_unique<TQtPrompts>(this);
    m_session = std::make_unique<TLogbookSession>(m_settings, m_paths, *m_prompts);
    m_session->SetView(this);
    m_session->OpenDialog() = {QString(), OpenDialogFilter(kGerman), QStringLiteral(".LOG"), QString(),
                               QString()};
    m_session->SaveDialog() = {QString(), SaveDialogFilter(kGerman), QStringLiteral(".LOG"), QString(),
                               QString()};

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
    m_model->SetLogbook(&m_session->Logbook());
    m_diveList->setModel(m_model);
    m_diveList->installEventFilter(this);
    connect(m_diveList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                DiveListCurrentChanged(current.isValid() ? current.row() : -1);
            });
    // A click on the line that is already current changes no current index, but it is
    // still a selection made by hand.
    connect(m_diveList, &QListView::pressed, this, [this] { m_session->SetHandSelection(true); });
    connect(m_diveList, &QListView::doubleClicked, this, [this] {
        if (CommandAvailable(ECommand::Edit) && CurrentDive()) Slot(ECommand::Edit).Handler();
    });
    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    layout->addWidget(m_diveList);
    layout->addWidget(m_mdiArea, 1);
    setCentralWidget(central);

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
    m_captions->AddFileDialog(QStringLiteral("OpenDialog"), &m_session->OpenDialog());
    m_captions->AddFileDialog(QStringLiteral("SaveDialog"), &m_session->SaveDialog());
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
    const bool haveDive = CurrentDive() != nullptr;
    for (TCommandSlot& slot : m_commands) {
        const bool available = static_cast<bool>(slot.Handler);
        if (slot.MenuItem)
            slot.MenuItem->setEnabled(available && Satisfied(slot.MenuNeeds, haveDive, HasProfile()));
        if (slot.ToolButton)
            slot.ToolButton->setEnabled(available && Satisfied(slot.ButtonNeeds, haveDive, HasProfile()));
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

void TKelvara::LoadStartLogbook() { m_session->LoadStartLogbook(); }

void TKelvara::SetModified(bool modified) { m_session->SetModified(modified); }

void TKelvara::SetLogbookName(const QString& path) { m_session->SetLogbookName(path); }

void TKelvara::LogbookNameChanged(const QString& name) {
    setWindowTitle(MainCaption(name, m_paths.DocumentsDir));
}

void TKelvara::LogbookReplaced(TDiveCollection& logbook) { m_model->SetLogbook(&logbook); }

void TKelvara::FillDiveList(int index) {
    m_filling = true;
    m_model->Refill();
    const int count = static_cast<int>(Logbook().Count());
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
    if (index < 0 || index >= static_cast<int>(Logbook().Count())) return;
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
    if (!m_session->SetCurrent(index)) return;
    UpdateCommandStates();
    NotifyCurrentDive();
}

void TKelvara::ShowCurrentAgain(int index) {
    m_session->SetCurrent(index);
    UpdateCommandStates();
    NotifyCurrentDive();
}

void TKelvara::SelectLines(const std::vector<bool>& lines) {
    // The focused line stays where it is.
    QItemSelection selection;
    for (std::size_t i = 0; i < lines.size() && static_cast<int>(i) < m_model->rowCount(); ++i)
        if (lines[i]) {
            const QModelIndex index = m_model->index(static_cast<int>(i), 0);
            selection.select(index, index);
        }
    m_diveList->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TKelvara::NotifyCurrentDive() {
    for (const auto& listener : m_currentDiveListeners) listener(CurrentDive());
}

void TKelvara::ReleaseCurrent() {
    // The windows that show the current dive must not keep a dive that is released.
    if (!m_session->DropCurrent()) return;
    m_replacingCurrent = true;
    NotifyCurrentDive();
    m_replacingCurrent = false;
}

void TKelvara::DiveListCurrentChanged(int row) {
    if (m_filling) return;
    m_session->SetHandSelection(true);
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

EAnswer TKelvara::CloseQuery() { return m_session->CloseQuery(); }

bool TKelvara::EnsureNumbering() { return m_session->EnsureNumbering(); }

void TKelvara::ReplaceLogbook(std::unique_ptr<TDiveCollection> logbook) {
    m_session->ReplaceLogbook(std::move(logbook));
}

void TKelvara::NewClick() { m_session->New(); }
void TKelvara::OpenClick() { m_session->Open(); }
void TKelvara::SaveClick() { m_session->Save(); }
void TKelvara::SaveAsClick() { m_session->SaveAs(); }
void TKelvara::ExportClick() { m_session->Export(); }
void TKelvara::ImportClick() { m_session->Import(); }
void TKelvara::RenumberClick() { m_session->Renumber(); }
void TKelvara::DeleteClick() { m_session->Delete(); }

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
    if (CurrentDive()) NotifyCurrentDive();
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
    m_session->Recovery().Discard();
    event->accept();
}
