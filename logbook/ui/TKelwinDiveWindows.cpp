#include "TKelwinDiveWindows.h"

#include <QDateTime>
#include <QListView>
#include <QMdiArea>

#include "Language.h"
#include "LogbookCommands.h"
#include "TActivity.h"
#include "TDispDlg.h"
#include "TDiveCollection.h"
#include "TDiveRec.h"
#include "TDiveType.h"
#include "TEditDlg.h"
#include "TKelvara.h"
#include "TSelectDialog.h"
#include "TTimezone.h"

TKelwinDiveWindows::TKelwinDiveWindows(TKelvara& main) : m_main(main) {
    m_diveType = new TDiveType(&main);
    m_activity = new TActivity(&main);
    m_edit = new TEditDlg(*m_diveType, *m_activity, &main);
    m_disp = new TDispDlg(*main.MdiArea(), main.Settings(), *m_edit);
    m_select = new TSelectDialog(*m_diveType, *m_activity, &main);
    m_timezone = new TTimezone(&main);

    main.SetCommandHandler(ECommand::Insert, [this] { InsertClick(); });
    main.SetCommandHandler(ECommand::Edit, [this] { EditClick(); });
    main.SetCommandHandler(ECommand::Data, [this] { DataClick(); });
    main.SetCommandHandler(ECommand::Select, [this] { SelectClick(); });
    main.SetCommandHandler(ECommand::TimeZone, [this] { TimezoneClick(); });
    QPointer<TDispDlg> disp = m_disp;
    main.AddCurrentDiveListener([disp, &main](TDiveRec* dive) {
        if (!disp) return;
        // Another dive follows at once: the window stays where and as it is.
        if (!dive && main.ReplacingCurrent())
            disp->ForgetDive();
        else
            disp->ShowDive(dive);
    });
    main.AddDiveListFilledListener([disp] {
        if (disp) disp->ShowTitle();
    });
    QPointer<TEditDlg> edit = m_edit;
    main.AddUnitsChangedListener([edit] {
        if (edit) edit->RebuildAltitudeList();
    });
    m_disp->ShowDive(main.CurrentDive());
}

TKelwinDiveWindows::~TKelwinDiveWindows() {
    // While there is no current dive the data window has left the main window, which then
    // no longer deletes it.
    if (m_disp && !m_disp->parent()) delete m_disp.data();
}

TDispDlg* TKelwinDiveWindows::DispDlg() const { return m_disp; }
TEditDlg* TKelwinDiveWindows::EditDlg() const { return m_edit; }
TDiveType* TKelwinDiveWindows::DiveType() const { return m_diveType; }
TActivity* TKelwinDiveWindows::Activity() const { return m_activity; }
TSelectDialog* TKelwinDiveWindows::SelectDialog() const { return m_select; }
TTimezone* TKelwinDiveWindows::Timezone() const { return m_timezone; }

void TKelwinDiveWindows::PlaceEditDialog() {
    if (!m_disp || m_disp->TakenOut()) return;
    QMdiArea* area = m_main.MdiArea();
    m_edit->move(area->viewport()->mapToGlobal(m_disp->pos()));
}

void TKelwinDiveWindows::InsertClick() {
    if (!m_main.EnsureNumbering()) return;
    auto record = TDiveRec::CreateEmpty(QDateTime::currentDateTime());
    m_edit->LoadFromDive(*record);
    // While the dialog is open the new record is the dive shown.
    m_disp->ShowDive(record.get());
    PlaceEditDialog();
    const bool accepted = m_edit->exec() == QDialog::Accepted;
    if (accepted) m_edit->StoreToDive(*record);
    m_disp->ShowDive(m_main.CurrentDive());
    if (accepted) m_main.Session().InsertDive(std::move(record));
}

void TKelwinDiveWindows::EditClick() {
    TDiveRec* dive = m_main.CurrentDive();
    if (!dive) return;
    m_edit->LoadFromDive(*dive);
    PlaceEditDialog();
    if (m_edit->exec() != QDialog::Accepted) return;
    m_edit->StoreToDive(*dive);
    m_main.Session().DiveEdited(*dive);
}

void TKelwinDiveWindows::DataClick() { m_disp->ShowWindow(); }

void TKelwinDiveWindows::SelectClick() {
    TDiveCollection& log = m_main.Logbook();
    if (log.IsEmpty()) return;
    m_select->Load(log);
    if (m_select->exec() != QDialog::Accepted) return;
    m_main.Session().SelectDives(m_select->Criteria());
}

void TKelwinDiveWindows::TimezoneClick() {
    TDiveCollection& log = m_main.Logbook();
    if (m_timezone->exec() == QDialog::Accepted)
        if (const std::optional<int> amount = m_timezone->Amount())
            m_main.Session().ShiftSelected(*amount, m_timezone->Later());
    const int focused = m_main.FocusedIndex();
    if (focused >= 0 && static_cast<std::size_t>(focused) < log.Count())
        m_disp->ShowDive(&log.At(static_cast<std::size_t>(focused)));
}
