// SPDX-License-Identifier: MIT
#include "support/FileSizeLimit.h"

#include <csignal>

#include <sys/resource.h>

FileSizeLimit::FileSizeLimit(qint64 maxBytes)
{
    rlimit old{};
    if (getrlimit(RLIMIT_FSIZE, &old) != 0)
        return;
    // Going over the limit raises SIGXFSZ, which would end the test; ignored, the write fails with EFBIG.
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = rlim_t(maxBytes);
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0) {
        std::signal(SIGXFSZ, m_oldHandler);
        return;
    }
    m_oldCurrent = old.rlim_cur;
    m_oldMaximum = old.rlim_max;
    m_active = true;
}

FileSizeLimit::~FileSizeLimit()
{
    if (!m_active)
        return;
    rlimit old{};
    old.rlim_cur = rlim_t(m_oldCurrent);
    old.rlim_max = rlim_t(m_oldMaximum);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, m_oldHandler);
}
