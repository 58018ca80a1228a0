#include "ncp/Waker.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace ncp {

Waker::Waker() : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{}

Waker::~Waker()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void Waker::Wake()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_fd, &one, sizeof one);
}

void Waker::Clear()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read = ::read(m_fd, &count, sizeof count);
}

} // namespace ncp
