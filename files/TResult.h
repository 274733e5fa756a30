#pragma once
// The outcome of an operation that can fail, as the libraries hand it to their callers:
// success, or the whole message for the user (which file, and why), in the user's
// language where the library knows it. Results that carry more (the loaded logbook, the
// dives read) derive from it.
//
//   TResult r = AppendHistoryRecord(path, now, settings);
//   if (!r.Ok()) prompts.ShowError(r.ErrorText);
//
//   TResult Check() { ...; return TResult::Failure(text); }

#include <QString>
#include <utility>

class TResult {
public:
    // The message for the user; empty for success.
    QString ErrorText;

    // A result with an error text, or marked failed, is a failure.
    bool Ok() const { return !m_failed && ErrorText.isEmpty(); }
    void Fail(QString text) {
        m_failed = true;
        ErrorText = std::move(text);
    }
    static TResult Failure(QString text) {
        TResult r;
        r.Fail(std::move(text));
        return r;
    }

private:
    bool m_failed = false;
};
