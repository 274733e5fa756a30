#include "TTransferCommand.h"

#include <utility>
#include <vector>

#include "TReplyImage.h"
#include "TTransferVerdict.h"

namespace {
// Clears the busy guard on every way out of the command.
class TBusyGuard {
public:
    explicit TBusyGuard(bool& busy) : m_busy(busy) { m_busy = true; }
    ~TBusyGuard() { m_busy = false; }
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

private:
    bool& m_busy;
};

// Sorts and renumbers; true when that moved or renumbered a dive (a logbook whose dives
// were edited out of date order), which changes what a save would write.
bool SortChangesLogbook(TDiveCollection& logbook) {
    std::vector<std::pair<const TDiveRec*, std::uint16_t>> before;
    before.reserve(logbook.Count());
    for (const auto& d : logbook.Dives()) before.emplace_back(d.get(), d->DiveNumber);
    logbook.SortAndRenumber();
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (logbook.Dives()[i].get() != before[i].first || logbook.At(i).DiveNumber != before[i].second)
            return true;
    }
    return false;
}
}  // namespace

TTransferOutcome TTransferCommand::Run(bool ready, TDiveCollection& logbook, TDownloadSettings& settings,
                                       IDownloadWindow& window, IDownloadPrompts& prompts,
                                       const std::function<QDateTime()>& now) {
    TTransferOutcome out;
    if (m_busy || !ready) return out;
    TBusyGuard guard(m_busy);
    out.Ran = true;

    if (logbook.NumberingBroken()) {
        std::uint16_t start = logbook.At(0).DiveNumber;
        if (!prompts.AskRenumber(start)) return out;
        logbook.Renumber(start);
        prompts.Renumbered();
        out.Renumbered = true;
        out.Modified = true;
    }

    if (!window.FindInterface(settings.InterfacePort, settings.RaiseRts)) {
        out.Message = DownloadMessage::LumilinkNotFound;
        prompts.ShowMessage(DownloadMessage::LumilinkNotFound, TMessageBox::Error);
        return out;
    }

    const std::uint32_t reference = logbook.LastDeviceTime();
    auto choice = settings.DiveChoice >= 1 ? TDiveChoice::All : TDiveChoice::OnlyNewer;
    window.SendRequest(choice, reference);
    out.Result = window.ShowModal(choice);
    settings.DiveChoice = static_cast<std::uint8_t>(choice);

    const TReplyImage image(window.Image());
    const TTransferVerdict verdict = EvaluateTransfer(out.Result, window.Failed(), image);
    out.RebuildList = verdict.RebuildList;
    if (verdict.Message) {
        out.Message = verdict.Message;
        prompts.ShowMessage(*verdict.Message, verdict.Box);
    }
    if (verdict.Import) {
        out.Import = ImportDives(image, logbook, choice, reference, now(), prompts);
        if (out.Import.Modified) out.Modified = true;
        if (SortChangesLogbook(logbook)) out.Modified = true;
    }
    return out;
}
