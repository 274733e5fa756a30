#include "TTransferVerdict.h"

TTransferVerdict EvaluateTransfer(int modalResult, bool failed, const TReplyImage& image) {
    TTransferVerdict v;
    if (modalResult == static_cast<int>(TWindowResult::Cancel)) return v;
    if (modalResult == static_cast<int>(TWindowResult::Abort)) {
        v.Message = DownloadMessage::BatterySaving;
        v.Box = TMessageBox::Information;
        return v;
    }
    v.RebuildList = true;
    if (failed || !image.Valid()) {
        v.Message = DownloadMessage::PcLinkError;
        return v;
    }
    if (image.IsDiveReply()) {
        // A reply whose blocks do not fit its data would put half a dive into the logbook.
        if (!image.CutDiveBlocks()) {
            v.Message = DownloadMessage::PcLinkError;
            return v;
        }
        v.Import = true;
        return v;
    }
    const auto code = image.ErrorCode();
    if (!code) {
        // Too short to hold a response code and error code: not a reply of the dive computer.
        v.Message = DownloadMessage::PcLinkError;
        return v;
    }
    v.Message = ErrorCodeMessage(*code);
    return v;
}
