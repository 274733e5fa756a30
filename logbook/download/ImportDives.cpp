#include "ImportDives.h"

TImportReport ImportDives(const TReplyImage& image, TDiveCollection& logbook, TDiveChoice choice,
                          std::uint32_t reference, const QDateTime& now, IDownloadPrompts& prompts) {
    TImportReport report;
    const auto blocks = image.CutDiveBlocks();
    if (!blocks) {
        // Never import part of a reply whose blocks do not fit its data.
        prompts.ShowMessage(DownloadMessage::PcLinkError, TMessageBox::Error);
        return report;
    }
    // L = 5 (or a few bytes too few for a block): the dive computer holds no dive for us.
    if (blocks->empty()) {
        report.NoNewDive = true;
        prompts.ShowNoNewDive();
        return report;
    }

    if (!IsSupportedHwSw(image.FirstHwSw())) {
        prompts.ShowMessage(DownloadMessage::NotSupported, TMessageBox::Information);
        return report;
    }

    const bool wasEmpty = logbook.IsEmpty();
    if (wasEmpty) {
        std::uint16_t start = 1;
        if (!prompts.AskStartNumber(start)) return report;  // a cancelled question changes nothing
        if (logbook.StartNumber != start) {
            logbook.StartNumber = start;
            report.Modified = true;
        }
    }

    const std::uint32_t serial = image.FirstSerial();
    if (serial != logbook.DiveComputerId) {
        if (!wasEmpty && !prompts.AskAcceptNewComputer()) return report;
        logbook.DiveComputerId = serial;
        report.Modified = true;
    }

    const std::uint32_t clock = image.DeviceClock();
    for (const auto block : *blocks) {
        std::size_t used = 0;
        auto rec = TDiveRec::CreateFromDevice(block, clock, now, &used);
        if (!rec || rec->DayNo == 0) continue;
        ++report.Offered;
        switch (logbook.AddDive(std::move(rec), reference, static_cast<int>(choice))) {
            case AddDiveResult::Accepted:
                ++report.Added;
                break;
            case AddDiveResult::Full:
                ++report.NotAdded;
                break;
            case AddDiveResult::Duplicate:
            case AddDiveResult::NotNewer:
                break;
        }
    }
    if (report.Added > 0) report.Modified = true;
    if (report.NotAdded > 0) prompts.ShowNotAdded(static_cast<int>(report.NotAdded));
    // Every dive of the reply was already in the logbook (or older than its last one):
    // without a word the user could not tell this from a transfer that failed.
    if (report.Added == 0 && report.NotAdded == 0) {
        report.NoNewDive = true;
        prompts.ShowNoNewDive();
    }
    return report;
}
