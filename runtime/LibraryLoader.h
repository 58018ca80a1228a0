#pragma once

#include <string>

#include "runtime/Adapter.h"

// Loads a shared library by file name and finds its entry points by name: LoadLibraryA and
// GetProcAddress on Windows, dlopen and dlsym elsewhere. Libraries are never unloaded.
class TLibraryLoader : public TAdapter<TLibraryLoader>
{
public:
    using Handle = void *;

    // Null when the library cannot be loaded.
    virtual Handle LoadLibrary(const char *fileName) = 0;
    // Null when the library has no such entry point.
    virtual void *GetProcAddress(Handle library, const char *name) = 0;

    static TLibraryLoader &Platform();
};

// The platform's loader. With a folder, file names are looked for in that folder only; without one, the
// platform's search order applies (the library path first, then the program's own RUNPATH).
class TPlatformLibraryLoader : public TLibraryLoader
{
public:
    explicit TPlatformLibraryLoader(std::string folder = {});

    Handle LoadLibrary(const char *fileName) override;
    void *GetProcAddress(Handle library, const char *name) override;

    // The program's private library folder, where its RUNPATH points: beside the program in a build, in
    // lib/sembrolin of the prefix once installed. Empty when the program's own path cannot be read.
    static std::string PrivateFolder();

private:
    std::string m_folder;
};
