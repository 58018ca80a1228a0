#pragma once

#include <cstdint>

#include <QString>

#include "netware/NWBuffer.h"
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
        // Directory services have started; the context's flags follow the component's switches from then on.
        bool started = false;

        // A slot for every entry point of both libraries, under the entry point's name.
#define NW_DIRECTORY_SLOT(name) NW_ENTRY_POINT(name, directory)
#define NW_LOCALE_SLOT(name) NW_ENTRY_POINT(name, locale)
        NW_DIRECTORY_ENTRY_POINTS(NW_DIRECTORY_SLOT)
        NW_LOCALE_ENTRY_POINTS(NW_LOCALE_SLOT)
#undef NW_DIRECTORY_SLOT
#undef NW_LOCALE_SLOT

        // Every call that directory services need before they can start, in the order they are bound.
        bool BindDirectoryCalls();
    };

    TNWNDS();
    ~TNWNDS();
    TNWNDS(const TNWNDS &) = delete;
    TNWNDS &operator=(const TNWNDS &) = delete;
};

constexpr uint32_t kNWDSDereferenceAliases = 1;
constexpr uint32_t kNWDSTranslateStrings = 2;
constexpr uint32_t kNWDSTypelessNames = 4;
constexpr uint32_t kNWDSAsyncMode = 8;
constexpr uint32_t kNWDSCanonicalizeNames = 16;
constexpr uint32_t kNWDSDereferenceBaseClass = 64;
constexpr uint32_t kNWDSDisallowReferrals = 128;

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

// A new context like the process-wide one, or a fresh one when there is none; 0 when neither can be made.
uint32_t DuplicateContext();
// Gives context the name context; on success the process-wide context is replaced by a copy of it.
bool UseContextName(uint32_t &context, const QString &name);
// The object's directory ID, its bytes reversed, in hexadecimal without leading zeros; empty on failure.
QString MapNameToID(uint32_t conn, const QString &name);
uint32_t AuditObjectID(uint32_t conn, const QString &name);

inline constexpr int kNWAttributeCount = 143;
inline constexpr int kNWAttributeFullName = 29;
// Row n of the attribute-name table; empty outside it.
QString AttributeName(int n);
// Reads the first value of attribute n of the object into value, a text of at most NW_NAME_BUFFER_SIZE
// bytes. The request and reply buffers are freed on every path.
bool ReadAttribute(uint32_t context, const QString &object, int n, TNWBuffer<NW_NAME_BUFFER_SIZE> &value);
bool ReadFirstValue(uint32_t context, NWDSBuf buffer, int n, TNWBuffer<NW_NAME_BUFFER_SIZE> &value);
// Reads it in a context of its own, named contextName (empty: a copy of the process-wide one).
bool ReadObjectAttribute(const QString &contextName, const QString &object, int n, QString &text);
