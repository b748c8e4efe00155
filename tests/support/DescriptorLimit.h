#pragma once

#include <sys/resource.h>

// Sets the soft limit of descriptors that this process may open, until it goes.
class DescriptorLimit
{
public:
    explicit DescriptorLimit(rlim_t limit);
    ~DescriptorLimit();
    DescriptorLimit(const DescriptorLimit&) = delete;
    DescriptorLimit& operator=(const DescriptorLimit&) = delete;

    bool IsSet() const { return m_set; }

private:
    rlimit m_original = {};
    bool m_set = false;
};
