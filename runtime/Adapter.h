#pragma once

// A platform service the program reaches through one replaceable object, so that tests can put a fake
// in its place. Interface must provide `static Interface &Platform()`.
template <class Interface>
class TAdapter
{
public:
    virtual ~TAdapter() = default;

    static Interface &Current() { return s_override ? *s_override : Interface::Platform(); }
    // Returns the override it replaces; null puts the platform's service back.
    static Interface *Override(Interface *fake)
    {
        Interface *previous = s_override;
        s_override = fake;
        return previous;
    }

private:
    static inline Interface *s_override = nullptr;
};

// Installs a fake for the lifetime of a scope; nested scopes unwind to the fake they replaced.
template <class Interface>
class TAdapterOverride
{
public:
    explicit TAdapterOverride(Interface &fake) : m_previous(Interface::Override(&fake)) {}
    ~TAdapterOverride() { Interface::Override(m_previous); }
    TAdapterOverride(const TAdapterOverride &) = delete;
    TAdapterOverride &operator=(const TAdapterOverride &) = delete;

private:
    Interface *m_previous;
};
