#include "runtime/LibraryLoader.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

TLibraryLoader &TLibraryLoader::Platform()
{
    static TPlatformLibraryLoader loader;
    return loader;
}

TPlatformLibraryLoader::TPlatformLibraryLoader(std::string folder) : m_folder(std::move(folder)) {}

TLibraryLoader::Handle TPlatformLibraryLoader::LoadLibrary(const char *fileName)
{
    const std::string path = m_folder.empty() ? std::string(fileName) : m_folder + "/" + fileName;
#ifdef _WIN32
    return ::LoadLibraryA(path.c_str());
#else
    return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
}

void *TPlatformLibraryLoader::GetProcAddress(Handle library, const char *name)
{
    if (!library)
        return nullptr;
#ifdef _WIN32
    return reinterpret_cast<void *>(::GetProcAddress(static_cast<HMODULE>(library), name));
#else
    return ::dlsym(library, name);
#endif
}
