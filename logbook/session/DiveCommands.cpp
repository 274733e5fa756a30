// The dive commands of the logbook session: a dive entered by hand, an edited dive, the
// time zone shift and the selection by criteria.

#include "Language.h"
#include "LogbookCommands.h"
#include "Selection.h"
#include "TDiveCollection.h"
#include "TLogbookSession.h"
#include "TimeShift.h"

int TLogbookSession::IndexOf(const TDiveRec& dive) const {
    for (std::size_t i = 0; i < m_logbook->Count(); ++i)
        if (&m_logbook->At(i) == &dive) return static_cast<int>(i);
    return -1;
}

bool TLogbookSession::InsertDive(std::unique_ptr<TDiveRec> dive) {
    if (!dive) return false;
    if (m_logbook->Count() >= TDiveCollection::kMaxDives) {
        m_prompts.ShowInformation(LogbookFullText(1, CurrentLanguage()));
        return false;
    }
    TDiveRec& added = *dive;
    m_logbook->AddDive(std::move(dive), 0, 1);
    m_logbook->SortAndRenumber();
    if (m_logbook->Count() == 1) {
        std::uint16_t start = 1;
        if (!m_prompts.AskStartNumber(start)) {
            // The logbook is empty again: nothing changed that would need saving.
            m_logbook->RemoveAt(0);
            Fill(0);
            Show(-1);
            return false;
        }
        m_logbook->Renumber(start);
    }
    SetModified(true);
    const int index = IndexOf(added);
    Fill(index);
    Show(index);
    return true;
}

void TLogbookSession::DiveEdited(TDiveRec& dive) {
    if (!dive.IsDownloaded()) {
        m_logbook->SortAndRenumber();
        Fill(IndexOf(dive));
    }
    SetModified(true);
    const int index = IndexOf(dive);
    if (m_view)
        m_view->ShowCurrentAgain(index);
    else
        SetCurrent(index);
}

std::size_t TLogbookSession::ShiftSelected(int minutes, bool later) {
    const std::vector<std::size_t> selected = Selected();
    const std::size_t shifted = ApplyShift(*m_logbook, selected, minutes, later);
    SetModified(true);
    return shifted;
}

void TLogbookSession::SelectDives(const TSelectionCriteria& criteria) {
    SetHandSelection(false);
    const std::vector<bool> lines = ApplySelection(*m_logbook, criteria);
    if (m_view) m_view->SelectLines(lines);
}
