#pragma once

#include "runtime/LibraryLoader.h"

// An entry point found anew, null when the library is not loaded (a null handle) or lacks it.
void *NWLookUp(TLibraryLoader::Handle library, const char *name);

// The slot of one client entry point, in the library whose handle its unit keeps. Bound() looks the entry
// point up only while the slot is empty and keeps what it found for the life of the process; Fresh() looks
// it up on every use and keeps nothing, for the few calls the layer falls back on.
template <class Fn> class TNWEntryPoint
{
public:
    // library is the unit's handle itself, which stays null until the unit loads the library.
    TNWEntryPoint(const char *name, const TLibraryLoader::Handle &library) : m_name(name), m_library(library)
    {}
    TNWEntryPoint(const TNWEntryPoint &) = delete;
    TNWEntryPoint &operator=(const TNWEntryPoint &) = delete;

    Fn Bound();
    Fn Fresh() const { return reinterpret_cast<Fn>(NWLookUp(m_library, m_name)); }

private:
    const char *m_name;
    const TLibraryLoader::Handle &m_library;
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

// Declares the slot of an entry point under the entry point's own name, in the library of that handle.
#define NW_ENTRY_POINT(name, library) TNWEntryPoint<decltype(&::name)> name{#name, library};
