#pragma once

#include <cstdint>

#include <QString>

#include "netware/NWEntryPoint.h"
#include "netware/NWResultCodes.h"
#include "netware/NWUnit.h"
#include "netware/nwclient.h"
#include "runtime/LibraryLoader.h"

// Directory services: the directory and locale libraries and the one directory context the whole
// process works in. Constructing TNWNDS loads both libraries, binds the directory calls and creates the
// context; destroying it frees the context.
class TNWNDS : public TNWUnit<TNWNDS>
{
public:
    struct State
    {
        TLibraryLoader::Handle directory = nullptr;
        TLibraryLoader::Handle locale = nullptr;
        TNWResultCodes codes;
        // 0 = none.
        uint32_t context = 0;

        NW_ENTRY_POINT(NWLlocaleconv, Locale);
        NW_ENTRY_POINT(NWInitUnicodeTables, Locale);
        NW_ENTRY_POINT(NWFreeUnicodeTables, Locale);
        NW_ENTRY_POINT(NWDSCreateContext, Directory);
        NW_ENTRY_POINT(NWDSFreeContext, Directory);
        NW_ENTRY_POINT(NWDSSetContext, Directory);
        NW_ENTRY_POINT(NWDSGetContext, Directory);
        NW_ENTRY_POINT(NWDSAllocBuf, Directory);
        NW_ENTRY_POINT(NWDSInitBuf, Directory);
        NW_ENTRY_POINT(NWDSFreeBuf, Directory);
        NW_ENTRY_POINT(NWDSDuplicateContext, Directory);
        NW_ENTRY_POINT(NWDSPutAttrName, Directory);
        NW_ENTRY_POINT(NWDSPutAttrVal, Directory);
        NW_ENTRY_POINT(NWDSGetAttrName, Directory);
        NW_ENTRY_POINT(NWDSGetAttrVal, Directory);
        NW_ENTRY_POINT(NWDSGetAttrCount, Directory);
        NW_ENTRY_POINT(NWDSPutChange, Directory);
        NW_ENTRY_POINT(NWDSModifyObject, Directory);
        NW_ENTRY_POINT(NWDSComputeAttrValSize, Directory);
        NW_ENTRY_POINT(NWDSRead, Directory);
        NW_ENTRY_POINT(NWDSRemoveObject, Directory);
        NW_ENTRY_POINT(NWDSGenerateObjectKeyPair, Directory);
        NW_ENTRY_POINT(NWDSGetObjectName, Directory);
        NW_ENTRY_POINT(NWDSGetObjectCount, Directory);
        NW_ENTRY_POINT(NWDSAddObject, Directory);
        NW_ENTRY_POINT(NWDSList, Directory);
        NW_ENTRY_POINT(NWDSOpenStream, Directory);
        NW_ENTRY_POINT(NWDSWhoAmI, Directory);
        NW_ENTRY_POINT(NWDSCanonicalizeName, Directory);
        NW_ENTRY_POINT(NWIsDSServer, Directory);

        // Every call that directory services need before they can start, in the order they are bound.
        bool BindDirectoryCalls();
    };

    TNWNDS();
    ~TNWNDS();
    TNWNDS(const TNWNDS &) = delete;
    TNWNDS &operator=(const TNWNDS &) = delete;
};

// Context flag values.
constexpr uint32_t NWDSDereferenceAliases = 1;
constexpr uint32_t NWDSTranslateStrings = 2;
constexpr uint32_t NWDSTypelessNames = 4;
constexpr uint32_t NWDSAsyncMode = 8;
constexpr uint32_t NWDSCanonicalizeNames = 16;
constexpr uint32_t NWDSDereferenceBaseClass = 64;
constexpr uint32_t NWDSDisallowReferrals = 128;

bool IsDirectoryServer(uint32_t conn);
bool InitDirectoryServices();
bool DoneDirectoryServices();

// Operations on the process-wide directory context.
QString GetContextName();
bool SetContextName(const QString &name);
void ResetContext();
bool FreeContext(uint32_t context);
uint32_t GetContextFlags();
// Adds flag values; never removes any.
bool SetContextFlag(uint32_t bits);
bool ClearContextFlag(uint32_t bits);
QString CanonicalName(const QString &name);
QString WhoAmI();
