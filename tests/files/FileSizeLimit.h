#pragma once
// Makes writes past `bytes` fail for real, as on a full disk, also for root: lowers the
// soft RLIMIT_FSIZE of this process and ignores SIGXFSZ, so the write returns EFBIG
// instead of ending the process. The scope's end restores both.
//
//   { TFileSizeLimit limit(100); SaveFile(path, bytes); }   // fails past 100 bytes

#include <signal.h>
#include <sys/resource.h>

class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = m_old;
        lowered.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~TFileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit m_old{};
    sighandler_t m_oldHandler = SIG_DFL;
};
