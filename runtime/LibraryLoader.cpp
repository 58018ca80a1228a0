#include "runtime/LibraryLoader.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>

#include <filesystem>
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
    if (Handle library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); library || !m_folder.empty())
        return library;
    // The program's RUNPATH applies only while the program itself calls dlopen; a sanitizer's interceptor
    // in between hides it. Looking beside the program does what the RUNPATH would.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return nullptr;
    return ::dlopen((program.parent_path() / fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
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
