/*
 * The NetWare client contract: every entry point the monitor looks up in the client libraries, with the
 * argument widths it passes and what it relies on. A library that exports these names with these
 * signatures serves as the client; the simulated client in nwsim/ is one.
 *
 * Conventions: every entry point returns a 32-bit completion code, 0 = success, unless noted. Text is
 * NUL-terminated 8-bit. Connection handles, connection references and directory contexts are 32-bit.
 * Buffers are provided by the caller at the sizes given, zeroed; a client must not write past them. A name
 * that fills its whole buffer or field may come back unterminated: the monitor never reads past the
 * buffer. Multi-byte fields inside records are little-endian.
 *
 * Handle 0: the monitor puts the primary connection in the place of 0 before each call, so a client sees 0
 * only when there is no primary connection, and in NWSetBroadcastMode, which gets the handle as the
 * monitor's caller gave it. A client may take 0 as the primary connection (the simulated one does, except
 * in NWSetBroadcastMode) or fail it as a handle it never issued.
 *
 * Completion codes: the monitor tells 0 from any other code and shows a failure in hexadecimal as it is;
 * it gives no code a meaning of its own. The codes named below are those a client is expected to use, as
 * the simulated client does; "fails" without a code means any nonzero code.
 *
 * Fallbacks: where the newer connection library lacks a call, the monitor uses an older one, each named
 * at its entry point below. The fallbacks NWCCOpenConnByRef, NWGetConnectionNumber and NWGetConnectionList
 * (and NWCallsInit) are looked up on every use; every other entry point once, when first needed.
 *
 * Each library's section ends with the list of its entry points (NW_CALLS_ENTRY_POINTS and so on). The
 * function-pointer types, the monitor's entry-point slots and the simulated client's exports are all made
 * from these lists, so an entry point is written as its prototype and one list entry.
 */
#ifndef SEMBROLIN_NWCLIENT_H
#define SEMBROLIN_NWCLIENT_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define NWAPI __stdcall
#else
#define NWAPI
#endif

#ifdef _WIN32
#define NW_LIB_CALLS "CALWIN32.DLL"
#define NW_LIB_CONNECTIONS "CLXWIN32.DLL"
#define NW_LIB_DIRECTORY "NETWIN32.DLL"
#define NW_LIB_LOCALE "LOCWIN32.DLL"
#else
#define NW_LIB_CALLS "libcalwin32.so"
#define NW_LIB_CONNECTIONS "libclxwin32.so"
#define NW_LIB_DIRECTORY "libnetwin32.so"
#define NW_LIB_LOCALE "liblocwin32.so"
#endif

/* Buffer and record sizes. */
#define NW_SERVER_INFO_SIZE 148     /* NWGetFileServerInfo record */
#define NW_CONN_REF_INFO_SIZE 240   /* NWCCGetAllConnRefInfo record */
#define NW_CONN_REF_INFO_VALUE 48   /* 32-bit connection number in it */
#define NW_CONN_REF_INFO_NAME 56    /* NUL-terminated server name in it */
#define NW_LOCALE_INFO_SIZE 132     /* NWLlocaleconv record */
#define NW_LOCALE_CODE_PAGE 56      /* 32-bit code page in it */
#define NW_LOCALE_COUNTRY 60        /* 32-bit country in it */
#define NW_NAME_BUFFER_SIZE 1028    /* names the client writes: server, login, context, tree */
#define NW_CONN_INFO_NAME_SIZE 1025 /* NWCCGetConnInfo server name length passed */
#define NW_LOGIN_TIME_SIZE 8        /* NWGetConnectionInformation login time */
#define NW_DATE_TIME_SIZE 8         /* NWGetFileServerDateAndTime: year-1900, month, day, h, m, s, weekday */
#define NW_PATH_SIZE 256            /* NWGetDriveStatus paths */
#define NW_SERVER_LIST_MAX 49       /* NWGetConnectionList entries */
#define NW_OBJECT_NAME_SIZE 1025    /* bindery object names the monitor passes, NUL included */
#define NW_PROPERTY_VALUE_SIZE 1025 /* NWReadPropertyValue segment */
#define NW_DS_BUFFER_SIZE 4096      /* NWDSAllocBuf size the monitor asks for */

/* Offsets in the server-info record. */
#define NW_SERVER_INFO_TIME 0
#define NW_SERVER_INFO_NCP_REQUESTS 20 /* cumulative, wraps modulo 2^32 */
#define NW_SERVER_INFO_UTILIZATION 24  /* CPU percent: unsigned, 0 to 100 */
#define NW_SERVER_INFO_PACKETS_SERVICED 140
#define NW_SERVER_INFO_PACKETS_ROUTED 144

/* NWCCGetConnInfo information types. */
#define NW_CONN_INFO_BROADCAST_STATE 2 /* 2 bytes */
#define NW_CONN_INFO_CONN_NUMBER 5     /* 4 bytes, the low 16 bits count */
#define NW_CONN_INFO_SERVER_NAME 7     /* up to 1025 bytes; a name of 1025 bytes needs no NUL */

/* Directory context keys. */
#define NW_DS_CTX_FLAGS 1 /* 32-bit flags */
#define NW_DS_CTX_NAME 3  /* NUL-terminated name context */

/* Completion codes. The monitor tells success from failure and shows any failure as it is, naming none;
   the named failures are those the simulated client answers with. */
#define NW_SUCCESS 0x0000u
#define NW_ERR_INVALID_CONNECTION 0x8801u
#define NW_ERR_SERVER_UNKNOWN 0x8847u
#define NW_ERR_NO_MORE_ENTRIES 0x8866u
#define NW_ERR_NO_CONSOLE_RIGHTS 0x89C6u
#define NW_ERR_NO_SUCH_OBJECT 0x89FCu
#define NW_ERR_NOT_SUPPORTED 0x89FBu /* also: statistics of a server before version 4 */

typedef void *NWDSBuf; /* opaque directory request buffer */

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Calls library (NW_LIB_CALLS) ---- */

/* Both arguments point to one 32-bit local. 0 = the client is ready; otherwise the monitor asks for the
   primary connection on every use instead of keeping it. */
uint32_t NWAPI NWCallsInit(uint32_t *reserved1, uint32_t *reserved2);
/* Fallback for NWCCGetPrimConnRef, used when the connection library lacks it. Fails (NW_ERR_INVALID_CONNECTION)
   when there is no primary connection. */
uint32_t NWAPI NWGetPrimaryConnectionID(uint32_t *conn);
/* Fallback for NWCCGetConnInfo type NW_CONN_INFO_CONN_NUMBER. Asked anew on every use: numbers change. */
uint32_t NWAPI NWGetConnectionNumber(uint32_t conn, uint16_t *number);
/* name: NW_NAME_BUFFER_SIZE bytes; loginTime: NW_LOGIN_TIME_SIZE bytes. */
uint32_t NWAPI NWGetConnectionInformation(uint32_t conn, uint16_t number, char *name, uint16_t *objectType,
                                          uint32_t *objectID, uint8_t *loginTime);
/* Fallback for NWCCScanConnRefs. Fills at most listSize (49) entries, each the low 16 bits of a connection
   handle that the other calls take as it is, and sets *count to the number filled. The monitor reads no
   more than listSize entries whatever *count says, and skips entries left 0. mode is 0. */
uint32_t NWAPI NWGetConnectionList(uint16_t mode, uint16_t *list, uint16_t listSize, uint16_t *count);
/* Fallback for NWCCGetConnInfo type NW_CONN_INFO_SERVER_NAME. name: NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWGetFileServerName(uint32_t conn, char *name);
/* Fallback for NWCCOpenConnByName, tried when that is missing, fails or gives handle 0; also, with
   NWSetPrimaryConnectionID, for NWCCSetPrefServerName. name is upper case (NW_OBJECT_NAME_SIZE bytes) except
   in that second use, where it is as the user wrote it; reserved1 is 0 and reserved2 null. Unknown name:
   NW_ERR_SERVER_UNKNOWN. */
uint32_t NWAPI NWGetConnectionHandle(const char *name, uint16_t reserved1, uint32_t *conn,
                                     uint16_t *reserved2);
/* record: NW_SERVER_INFO_SIZE bytes; see the NW_SERVER_INFO_* offsets. Without console rights:
   NW_ERR_NO_CONSOLE_RIGHTS; a server before version 4 may fail with NW_ERR_NOT_SUPPORTED. */
uint32_t NWAPI NWGetFileServerInfo(uint32_t conn, uint8_t *record);
/* name: NW_NAME_BUFFER_SIZE bytes. The monitor asks NWGetFileServerInfo as well only when the major version is
   4 or more. */
uint32_t NWAPI NWGetFileServerInformation(uint32_t conn, char *name, uint8_t *majorVersion,
                                          uint8_t *minorVersion, uint8_t *revision, uint16_t *maxConnections,
                                          uint16_t *maxConnectionsUsed, uint16_t *connectionsInUse,
                                          uint16_t *volumes, uint8_t *sftLevel, uint8_t *ttsLevel);
/* dateTime: NW_DATE_TIME_SIZE bytes. A date that does not exist (month 13, 30 February) is reported to the
   monitor's caller as an error. */
uint32_t NWAPI NWGetFileServerDateAndTime(uint32_t conn, uint8_t *dateTime);
/* year counts from 1900. */
uint32_t NWAPI NWSetFileServerDateAndTime(uint32_t conn, uint8_t year, uint8_t month, uint8_t day,
                                          uint8_t hour, uint8_t minute, uint8_t second);
/* Sets *count; the monitor presets it to 0, uses the low 16 bits and ignores the completion code. */
uint32_t NWAPI NWGetMaximumConnections(uint32_t *count);
/* 0 = the login has console rights on that server; otherwise NW_ERR_NO_CONSOLE_RIGHTS. */
uint32_t NWAPI NWCheckConsolePrivileges(uint32_t conn);
/* 0 = the login is a manager on that server; otherwise any failure. */
uint32_t NWAPI NWIsManager(uint32_t conn);
/* *drive: the first network drive, 1 = A to 26 = Z; the monitor presets 0 and takes anything else as none. */
uint32_t NWAPI NWGetFirstDrive(uint16_t *drive);
/* With NWGetConnectionHandle, the fallback for NWCCSetPrefServerName. */
uint32_t NWAPI NWSetPrimaryConnectionID(uint32_t conn);
/* objectType is a bindery type in the client's byte order (user = 0x0100); objectName is upper case,
   NW_OBJECT_NAME_SIZE bytes. *objectID comes back in the server's byte order, which the monitor reverses with
   NWLongSwap to show it. Unknown object: NW_ERR_NO_SUCH_OBJECT. On a directory server the monitor falls back
   on NWDSAuditGetObjectID when this fails. */
uint32_t NWAPI NWGetObjectID(uint32_t conn, const char *objectName, uint16_t objectType, uint32_t *objectID);
/* The monitor reads only segment 1 of "IDENTIFICATION" (the full name) into segmentData of
   NW_PROPERTY_VALUE_SIZE bytes and ignores the completion code beyond 0 or not. */
uint32_t NWAPI NWReadPropertyValue(uint32_t conn, const char *objectName, uint16_t objectType,
                                   const char *propertyName, uint8_t segment, uint8_t *segmentData,
                                   uint8_t *moreSegments, uint8_t *flags);
/* drive 1 = A; pathFormat 0. *status 0 = the drive is free; the three paths: NW_PATH_SIZE bytes each. */
uint32_t NWAPI NWGetDriveStatus(uint16_t drive, uint16_t pathFormat, uint16_t *status, uint32_t *conn,
                                char *rootPath, char *relativePath, char *fullPath);
/* mode 0 to 3: on, server messages only, off, stored. conn is passed as given, 0 included. */
uint32_t NWAPI NWSetBroadcastMode(uint32_t conn, uint16_t mode);
/* mode 0 to 2: interactive, NetWare, DOS; *previousMode: the mode before. */
uint32_t NWAPI NWSetNetWareErrorMode(uint8_t mode, uint8_t *previousMode);
/* Returns the value with its four bytes reversed (not a completion code). */
uint32_t NWAPI NWLongSwap(uint32_t value);

#define NW_CALLS_ENTRY_POINTS(X)                                                                             \
    X(NWCallsInit)                                                                                           \
    X(NWGetPrimaryConnectionID)                                                                              \
    X(NWGetConnectionNumber)                                                                                 \
    X(NWGetConnectionInformation)                                                                            \
    X(NWGetConnectionList)                                                                                   \
    X(NWGetFileServerName)                                                                                   \
    X(NWGetConnectionHandle)                                                                                 \
    X(NWGetFileServerInfo)                                                                                   \
    X(NWGetFileServerInformation)                                                                            \
    X(NWGetFileServerDateAndTime)                                                                            \
    X(NWSetFileServerDateAndTime)                                                                            \
    X(NWGetMaximumConnections)                                                                               \
    X(NWCheckConsolePrivileges)                                                                              \
    X(NWIsManager)                                                                                           \
    X(NWGetFirstDrive)                                                                                       \
    X(NWSetPrimaryConnectionID)                                                                              \
    X(NWGetObjectID)                                                                                         \
    X(NWReadPropertyValue)                                                                                   \
    X(NWGetDriveStatus)                                                                                      \
    X(NWSetBroadcastMode)                                                                                    \
    X(NWSetNetWareErrorMode)                                                                                 \
    X(NWLongSwap)

/* ---- Connection library (NW_LIB_CONNECTIONS) ---- */

uint32_t NWAPI NWCCGetPrimConnRef(uint32_t *connRef);
/* Fallback: looked up on every use. openState 1, reserved 0. */
uint32_t NWAPI NWCCOpenConnByRef(uint32_t connRef, uint32_t openState, uint32_t reserved, uint32_t *conn);
/* Writes at most bufferLength bytes; see the NW_CONN_INFO_* types (the broadcast state is 0 to 3). Invalid
   handle: NW_ERR_INVALID_CONNECTION. */
uint32_t NWAPI NWCCGetConnInfo(uint32_t conn, uint32_t infoType, uint32_t bufferLength, void *buffer);
/* *iterator starts at 0; each call gives the next reference; a nonzero code ends the scan
   (NW_ERR_NO_MORE_ENTRIES after the last one). The monitor stops after 4096 references all the same. */
uint32_t NWAPI NWCCScanConnRefs(uint32_t *iterator, uint32_t *connRef);
/* infoVersion 1; info: NW_CONN_REF_INFO_SIZE bytes. The name field runs from offset 56 to the end of the
   record (184 bytes); a name that fills it needs no NUL. A failure leaves that connection out of the list. */
uint32_t NWAPI NWCCGetAllConnRefInfo(uint32_t connRef, uint32_t infoVersion, uint8_t *info);
/* startConn 0, name upper case (NW_OBJECT_NAME_SIZE bytes), nameFormat 2, openState 1, tranType 0; success
   needs *conn nonzero. Unknown name: NW_ERR_NO_SUCH_OBJECT. The handle is never closed. */
uint32_t NWAPI NWCCOpenConnByName(uint32_t startConn, const char *name, uint32_t nameFormat,
                                  uint32_t openState, uint32_t tranType, uint32_t *conn);
/* name as the user wrote it (not upper-cased), NW_OBJECT_NAME_SIZE bytes. Unknown name: NW_ERR_SERVER_UNKNOWN. */
uint32_t NWAPI NWCCSetPrefServerName(const char *name);

#define NW_CONNECTIONS_ENTRY_POINTS(X)                                                                       \
    X(NWCCGetPrimConnRef)                                                                                    \
    X(NWCCOpenConnByRef)                                                                                     \
    X(NWCCGetConnInfo)                                                                                       \
    X(NWCCScanConnRefs)                                                                                      \
    X(NWCCGetAllConnRefInfo)                                                                                 \
    X(NWCCOpenConnByName)                                                                                    \
    X(NWCCSetPrefServerName)

/* ---- Directory library (NW_LIB_DIRECTORY) ---- */

/* Returns a context handle, 0 = failure (not a completion code). */
uint32_t NWAPI NWDSCreateContext(void);
uint32_t NWAPI NWDSFreeContext(uint32_t context);
/* Returns a context handle, 0 = failure (not a completion code). */
uint32_t NWAPI NWDSDuplicateContext(uint32_t context);
/* Optional, looked up on every use; without it the monitor uses NWDSDuplicateContext. Its code is ignored:
   *newContext stays 0 on failure. */
uint32_t NWAPI NWDSDuplicateContextHandle(uint32_t context, uint32_t *newContext);
/* key NW_DS_CTX_FLAGS: value points to a 32-bit flag word; NW_DS_CTX_NAME: NUL-terminated text. */
uint32_t NWAPI NWDSSetContext(uint32_t context, uint32_t key, const void *value);
/* key NW_DS_CTX_NAME: value has NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWDSGetContext(uint32_t context, uint32_t key, void *value);
/* size NW_DS_BUFFER_SIZE. On failure a client leaves *buffer as it was or sets it to null; the monitor
   presets it to null. The monitor frees with NWDSFreeBuf, on every path, exactly the buffers whose
   allocation succeeded, never a handle that a failed allocation left behind. */
uint32_t NWAPI NWDSAllocBuf(uint32_t size, NWDSBuf *buffer);
uint32_t NWAPI NWDSInitBuf(uint32_t context, uint32_t operation, NWDSBuf buffer);
uint32_t NWAPI NWDSFreeBuf(NWDSBuf buffer);
uint32_t NWAPI NWDSPutAttrName(uint32_t context, NWDSBuf buffer, const char *attributeName);
uint32_t NWAPI NWDSPutAttrVal(uint32_t context, NWDSBuf buffer, uint32_t syntax, const void *value);
/* attributeName: NW_NAME_BUFFER_SIZE bytes, holding the name asked for on entry. The monitor reads only the
   first attribute and ignores *valueCount. */
uint32_t NWAPI NWDSGetAttrName(uint32_t context, NWDSBuf buffer, char *attributeName, uint32_t *valueCount,
                               uint32_t *syntax);
/* value: NW_NAME_BUFFER_SIZE bytes, the monitor reads text values only; a longer value must be cut to fit. */
uint32_t NWAPI NWDSGetAttrVal(uint32_t context, NWDSBuf buffer, uint32_t syntax, void *value);
uint32_t NWAPI NWDSGetAttrCount(uint32_t context, NWDSBuf buffer, uint32_t *count);
uint32_t NWAPI NWDSPutChange(uint32_t context, NWDSBuf buffer, uint32_t changeType,
                             const char *attributeName);
uint32_t NWAPI NWDSModifyObject(uint32_t context, const char *objectName, int32_t *iterationHandle,
                                uint8_t more, NWDSBuf changes);
uint32_t NWAPI NWDSComputeAttrValSize(uint32_t context, NWDSBuf buffer, uint32_t syntax, uint32_t *size);
/* infoType 1, allAttributes 0; *iterationHandle starts at -1 and is -1 again after the last part. The monitor
   reads at most 1024 parts. No such object: any failure (the simulated client: -601). */
uint32_t NWAPI NWDSRead(uint32_t context, const char *objectName, uint32_t infoType, uint8_t allAttributes,
                        NWDSBuf attributeNames, int32_t *iterationHandle, NWDSBuf objectInfo);
uint32_t NWAPI NWDSRemoveObject(uint32_t context, const char *objectName);
uint32_t NWAPI NWDSGenerateObjectKeyPair(uint32_t context, const char *objectName, const char *password,
                                         uint32_t options);
uint32_t NWAPI NWDSGetObjectName(uint32_t context, NWDSBuf buffer, char *objectName, uint32_t *attributeCount,
                                 void *objectInfo);
uint32_t NWAPI NWDSGetObjectCount(uint32_t context, NWDSBuf buffer, uint32_t *count);
uint32_t NWAPI NWDSAddObject(uint32_t context, const char *objectName, int32_t *iterationHandle, uint8_t more,
                             NWDSBuf objectInfo);
uint32_t NWAPI NWDSList(uint32_t context, const char *objectName, int32_t *iterationHandle,
                        NWDSBuf subordinates);
uint32_t NWAPI NWDSOpenStream(uint32_t context, const char *objectName, const char *attributeName,
                              uint32_t flags, uint32_t *fileHandle);
/* name: NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWDSWhoAmI(uint32_t context, char *name);
/* canonicalName: NW_CONN_INFO_NAME_SIZE bytes. */
uint32_t NWAPI NWDSCanonicalizeName(uint32_t context, const char *name, char *canonicalName);
/* objectName as the user wrote it, NW_NAME_BUFFER_SIZE bytes; *objectID in the server's byte order, reversed
   by the monitor with NWLongSwap. */
uint32_t NWAPI NWDSMapNameToID(uint32_t context, uint32_t conn, const char *objectName, uint32_t *objectID);
/* objectName as for NWDSMapNameToID; *conn is the connection asked about (never 0). */
uint32_t NWAPI NWDSAuditGetObjectID(uint32_t context, const char *objectName, uint32_t *conn,
                                    uint32_t *objectID);
/* Nonzero with a non-empty treeName = a directory server (not a completion code); treeName:
   NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWIsDSServer(uint32_t conn, char *treeName);

#define NW_DIRECTORY_ENTRY_POINTS(X)                                                                         \
    X(NWDSCreateContext)                                                                                     \
    X(NWDSFreeContext)                                                                                       \
    X(NWDSDuplicateContext)                                                                                  \
    X(NWDSDuplicateContextHandle)                                                                            \
    X(NWDSSetContext)                                                                                        \
    X(NWDSGetContext)                                                                                        \
    X(NWDSAllocBuf)                                                                                          \
    X(NWDSInitBuf)                                                                                           \
    X(NWDSFreeBuf)                                                                                           \
    X(NWDSPutAttrName)                                                                                       \
    X(NWDSPutAttrVal)                                                                                        \
    X(NWDSGetAttrName)                                                                                       \
    X(NWDSGetAttrVal)                                                                                        \
    X(NWDSGetAttrCount)                                                                                      \
    X(NWDSPutChange)                                                                                         \
    X(NWDSModifyObject)                                                                                      \
    X(NWDSComputeAttrValSize)                                                                                \
    X(NWDSRead)                                                                                              \
    X(NWDSRemoveObject)                                                                                      \
    X(NWDSGenerateObjectKeyPair)                                                                             \
    X(NWDSGetObjectName)                                                                                     \
    X(NWDSGetObjectCount)                                                                                    \
    X(NWDSAddObject)                                                                                         \
    X(NWDSList)                                                                                              \
    X(NWDSOpenStream)                                                                                        \
    X(NWDSWhoAmI)                                                                                            \
    X(NWDSCanonicalizeName)                                                                                  \
    X(NWDSMapNameToID)                                                                                       \
    X(NWDSAuditGetObjectID)                                                                                  \
    X(NWIsDSServer)

/* ---- Locale library (NW_LIB_LOCALE) ---- */

/* info: NW_LOCALE_INFO_SIZE bytes; see NW_LOCALE_CODE_PAGE and NW_LOCALE_COUNTRY. */
uint32_t NWAPI NWLlocaleconv(uint8_t *info);
uint32_t NWAPI NWInitUnicodeTables(uint32_t country, uint32_t codePage);
uint32_t NWAPI NWFreeUnicodeTables(void);

#define NW_LOCALE_ENTRY_POINTS(X)                                                                            \
    X(NWLlocaleconv)                                                                                         \
    X(NWInitUnicodeTables)                                                                                   \
    X(NWFreeUnicodeTables)

#ifdef __cplusplus
}

/* Function-pointer types, one per entry point (NWCallsInit_fn and so on), taken from the prototypes. */
#define NW_POINTER_TYPE(name) using name##_fn = decltype(&name);
NW_CALLS_ENTRY_POINTS(NW_POINTER_TYPE)
NW_CONNECTIONS_ENTRY_POINTS(NW_POINTER_TYPE)
NW_DIRECTORY_ENTRY_POINTS(NW_POINTER_TYPE)
NW_LOCALE_ENTRY_POINTS(NW_POINTER_TYPE)
#undef NW_POINTER_TYPE
#endif

#endif /* SEMBROLIN_NWCLIENT_H */
