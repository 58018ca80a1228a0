#pragma once

namespace ncp {

// Lets another thread interrupt a wait on a socket: its descriptor joins every poll and becomes readable
// once Wake is called, and stays so.
class Waker
{
public:
    Waker();
    ~Waker();
    Waker(const Waker &) = delete;
    Waker &operator=(const Waker &) = delete;

    void Wake();
    // Makes the descriptor quiet again, for waits that must not be cut short (the last goodbye).
    void Clear();
    int Descriptor() const { return m_fd; }

private:
    int m_fd;
};

} // namespace ncp
