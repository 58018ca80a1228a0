#include "nwsim/face/Socket.h"

#include <unistd.h>

#include <utility>

namespace nwsim {

Socket::~Socket()
{
    if (Valid()) {
        ::close(m_descriptor);
    }
}

Socket::Socket(Socket &&other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1))
{}

Socket &Socket::operator=(Socket &&other) noexcept
{
    if (this != &other) {
        Socket old(std::exchange(m_descriptor, std::exchange(other.m_descriptor, -1)));
    }
    return *this;
}

} // namespace nwsim
