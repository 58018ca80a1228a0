#include "netware/NWEntryPoint.h"

void *NWLookUp(TLibraryLoader::Handle library, const char *name)
{
    return library ? TLibraryLoader::Current().GetProcAddress(library, name) : nullptr;
}
