#pragma once

// A platform service the program reaches through one replaceable object, so that tests can put a fake
// in its place. Interface must provide `static Interface &Platform()`.
template <class Interface>
class TAdapter
{
public:
    virtual ~TAdapter() = default;

    static Interface &Current() { return s_override ? *s_override : Interface::Platform(); }
    // A null fake puts the platform's service back.
    static void Override(Interface *fake) { s_override = fake; }

private:
    static inline Interface *s_override = nullptr;
};

// Installs a fake for the lifetime of a scope.
template <class Interface>
class TAdapterOverride
{
public:
    explicit TAdapterOverride(Interface &fake) { Interface::Override(&fake); }
    ~TAdapterOverride() { Interface::Override(nullptr); }
    TAdapterOverride(const TAdapterOverride &) = delete;
    TAdapterOverride &operator=(const TAdapterOverride &) = delete;
};
