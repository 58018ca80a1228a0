#pragma once

namespace nwsim {

// Owns a socket's file descriptor and closes it.
class Socket
{
public:
    explicit Socket(int descriptor = -1) : m_descriptor(descriptor) {}
    ~Socket();
    Socket(Socket &&other) noexcept;
    Socket &operator=(Socket &&other) noexcept;
    Socket(const Socket &) = delete;
    Socket &operator=(const Socket &) = delete;

    int Descriptor() const { return m_descriptor; }
    bool Valid() const { return m_descriptor >= 0; }

private:
    int m_descriptor;
};

} // namespace nwsim
