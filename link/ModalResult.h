#pragma once
// Results of a transfer window's modal run.

enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrNo = 7 };
