#pragma once
// While it lives, files this process writes may not grow beyond `bytes`:
// writes past the limit fail with EFBIG, the way they fail on a full disk
// (ENOSPC), and need no root or small file system. SIGXFSZ, which would end
// the process, is ignored meanwhile. Both are restored on destruction.
#include <csignal>
#include <sys/resource.h>

namespace lumora::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        m_ok = getrlimit(RLIMIT_FSIZE, &m_before) == 0;
        rlimit limited = m_before;
        limited.rlim_cur = bytes;
        m_ok = m_ok && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_before);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool active() const { return m_ok; }

private:
    void (*m_handler)(int);
    rlimit m_before{};
    bool m_ok = false;
};

} // namespace lumora::test
