#pragma once
// Takes the dives of a sound dive reply into the logbook: the hardware/software code
// check, the start number of an empty logbook, the serial number check with its
// question, then every dive block turned into a record and offered to AddDive.
//
//   TImportReport r = ImportDives(TReplyImage(image), logbook, choice, reference, now, prompts);
//   if (r.Modified) mainWindow.Modified = true;
//   logbook.SortAndRenumber();

#include <QDateTime>
#include <cstddef>
#include <cstdint>

#include "DiveRequest.h"
#include "IDownloadPrompts.h"
#include "TDiveCollection.h"
#include "TReplyImage.h"

struct TImportReport {
    std::size_t Offered = 0;   // records offered to AddDive
    std::size_t Added = 0;     // records appended to the logbook
    std::size_t NotAdded = 0;  // refused because the logbook already holds 65535 dives
    bool Modified = false;     // dives added, DiveComputerId or StartNumber changed
    bool NoNewDive = false;    // the reply held no dive the logbook lacked (the user was told)
};

// `image` must be a valid dive reply whose blocks fit its data (EvaluateTransfer says so);
// a damaged one imports nothing. `reference` is the DeviceTime of the logbook's last dive
// taken before the request went out; `now` the local date and time of the download.
TImportReport ImportDives(const TReplyImage& image, TDiveCollection& logbook, TDiveChoice choice,
                          std::uint32_t reference, const QDateTime& now, IDownloadPrompts& prompts);
