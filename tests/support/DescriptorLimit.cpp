#include "DescriptorLimit.h"

DescriptorLimit::DescriptorLimit(rlim_t limit)
{
    getrlimit(RLIMIT_NOFILE, &m_original);
    rlimit lowered = m_original;
    lowered.rlim_cur = limit;
    m_set = setrlimit(RLIMIT_NOFILE, &lowered) == 0;
}

DescriptorLimit::~DescriptorLimit()
{
    setrlimit(RLIMIT_NOFILE, &m_original);
}
