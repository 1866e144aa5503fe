#pragma once

// A full disk for the length of a scope, without privileges: the process's file size limit is
// lowered, and SIGXFSZ ignored so that a write past the limit fails with EFBIG instead of
// ending the process. Both are restored afterwards.

#include <csignal>
#include <cstdint>
#include <sys/resource.h>

class FileSizeLimit {
public:
    explicit FileSizeLimit(uint64_t bytes) {
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit lowered = m_old;
        lowered.rlim_cur = rlim_t(bytes);
        m_ok = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_handler)(int) = SIG_DFL;
    bool m_ok = false;
};
