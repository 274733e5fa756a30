#pragma once
// What the transfer command does with the result of the transfer window:
//
//   const auto v = EvaluateTransfer(win.ModalResult(), win.Failed(), TReplyImage(win.Image()));
//   if (v.Message) show *v.Message in v.Box;  if (v.Import) ImportDives(...);
//   if (v.RebuildList) rebuild the dive list and select its last dive.

#include <cstdint>
#include <optional>

#include "DownloadMessages.h"
#include "TReplyImage.h"

// The window results of the transfer window (ModalResult values).
enum class TWindowResult : int { Ok = 1, Cancel = 2, Abort = 3, No = 7 };

struct TTransferVerdict {
    std::optional<int> Message;  // message to show, if any
    TMessageBox Box = TMessageBox::Error;
    bool Import = false;       // the image is a sound dive reply: import and sort
    bool RebuildList = false;  // rebuild the list and select the last dive afterwards
};

// Cancel: nothing. Countdown: message 43. Otherwise: NAK limit, wrong checksum or a damaged
// reply (too short for what it announces, or a dive block running past the data) give
// message 44; a dive reply is imported; an error reply shows the message of its error code.
TTransferVerdict EvaluateTransfer(int modalResult, bool failed, const TReplyImage& image);
