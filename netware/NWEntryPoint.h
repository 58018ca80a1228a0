#pragma once

#include "runtime/LibraryLoader.h"

// The four client libraries; the units that load them keep their handles.
enum class TNWLibrary
{
    Calls,
    Connections,
    Directory,
    Locale,
};

// The handle of a library, null while it is not loaded.
TLibraryLoader::Handle NWLibraryHandle(TNWLibrary library);
// An entry point found anew, null when its library is not loaded or lacks it.
void *NWLookUp(TNWLibrary library, const char *name);

// The slot of one client entry point. Bound() looks the entry point up only while the slot is empty and
// keeps what it found for the life of the process; Fresh() looks it up on every use and keeps nothing,
// for the few calls the layer falls back on.
template <class Fn> class TNWEntryPoint
{
public:
    constexpr TNWEntryPoint(const char *name, TNWLibrary library) : m_name(name), m_library(library) {}

    Fn Bound();
    Fn Fresh() const { return reinterpret_cast<Fn>(NWLookUp(m_library, m_name)); }

private:
    const char *m_name;
    TNWLibrary m_library;
    Fn m_function = nullptr;
};

template <class Fn> Fn TNWEntryPoint<Fn>::Bound()
{
    if (!m_function)
        m_function = Fresh();
    return m_function;
}

// Binds slots in order and stops at the first entry point that is missing.
template <class... EntryPoints> bool BindInOrder(EntryPoints &...entryPoints)
{
    return (... && (entryPoints.Bound() != nullptr));
}

// Declares the slot of an entry point under the entry point's own name.
#define NW_ENTRY_POINT(name, library)                                                                        \
    TNWEntryPoint<name##_fn> name                                                                            \
    {                                                                                                        \
#name, TNWLibrary::library                                                                           \
    }
