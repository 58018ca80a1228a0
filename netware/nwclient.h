/*
 * The NetWare client contract: every entry point the monitor looks up in the client libraries, with the
 * argument widths it passes and what it relies on. A library that exports these names with these
 * signatures serves as the client; the simulated client in nwsim/ is one.
 *
 * Conventions: every entry point returns a 32-bit completion code, 0 = success, unless noted. Text is
 * NUL-terminated 8-bit. Connection handles, connection references and directory contexts are 32-bit.
 * Buffers are provided by the caller at the sizes given; a client must not write past them. Multi-byte
 * fields inside records are little-endian.
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

/* Offsets in the server-info record. */
#define NW_SERVER_INFO_TIME 0
#define NW_SERVER_INFO_NCP_REQUESTS 20 /* cumulative, wraps modulo 2^32 */
#define NW_SERVER_INFO_UTILIZATION 24  /* CPU percent */
#define NW_SERVER_INFO_PACKETS_SERVICED 140
#define NW_SERVER_INFO_PACKETS_ROUTED 144

/* NWCCGetConnInfo information types. */
#define NW_CONN_INFO_BROADCAST_STATE 2 /* 2 bytes */
#define NW_CONN_INFO_CONN_NUMBER 5     /* 4 bytes, the low 16 bits count */
#define NW_CONN_INFO_SERVER_NAME 7     /* up to 1025 bytes */

/* Directory context keys. */
#define NW_DS_CTX_FLAGS 1 /* 32-bit flags */
#define NW_DS_CTX_NAME 3  /* NUL-terminated name context */

/* Completion codes the monitor or the simulated client use. */
#define NW_SUCCESS 0x0000u
#define NW_ERR_INVALID_CONNECTION 0x8801u
#define NW_ERR_SERVER_UNKNOWN 0x8847u
#define NW_ERR_NO_MORE_ENTRIES 0x8866u
#define NW_ERR_NO_CONSOLE_RIGHTS 0x89C6u
#define NW_ERR_NO_SUCH_OBJECT 0x89FCu
#define NW_ERR_NOT_SUPPORTED 0x89FBu

typedef void *NWDSBuf; /* opaque directory request buffer */

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Calls library (NW_LIB_CALLS) ---- */

/* Both arguments point to one 32-bit local. 0 = the client is ready. */
uint32_t NWAPI NWCallsInit(uint32_t *reserved1, uint32_t *reserved2);
/* Older primary-connection call, used when the connection library lacks NWCCGetPrimConnRef. */
uint32_t NWAPI NWGetPrimaryConnectionID(uint32_t *conn);
uint32_t NWAPI NWGetConnectionNumber(uint32_t conn, uint16_t *number);
/* name: NW_NAME_BUFFER_SIZE bytes; loginTime: NW_LOGIN_TIME_SIZE bytes. */
uint32_t NWAPI NWGetConnectionInformation(uint32_t conn, uint16_t number, char *name, uint16_t *objectType,
                                          uint32_t *objectID, uint8_t *loginTime);
/* Fills at most listSize 16-bit handles and sets *count; mode is 0. */
uint32_t NWAPI NWGetConnectionList(uint16_t mode, uint16_t *list, uint16_t listSize, uint16_t *count);
/* name: NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWGetFileServerName(uint32_t conn, char *name);
/* name is upper case; reserved1 is 0 and reserved2 null. */
uint32_t NWAPI NWGetConnectionHandle(const char *name, uint16_t reserved1, uint32_t *conn, uint16_t *reserved2);
/* record: NW_SERVER_INFO_SIZE bytes; see the NW_SERVER_INFO_* offsets. Needs console rights. */
uint32_t NWAPI NWGetFileServerInfo(uint32_t conn, uint8_t *record);
/* name: NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWGetFileServerInformation(uint32_t conn, char *name, uint8_t *majorVersion, uint8_t *minorVersion,
                                          uint8_t *revision, uint16_t *maxConnections, uint16_t *maxConnectionsUsed,
                                          uint16_t *connectionsInUse, uint16_t *volumes, uint8_t *sftLevel,
                                          uint8_t *ttsLevel);
/* dateTime: NW_DATE_TIME_SIZE bytes. */
uint32_t NWAPI NWGetFileServerDateAndTime(uint32_t conn, uint8_t *dateTime);
/* year counts from 1900. */
uint32_t NWAPI NWSetFileServerDateAndTime(uint32_t conn, uint8_t year, uint8_t month, uint8_t day, uint8_t hour,
                                          uint8_t minute, uint8_t second);
/* Sets *count; the monitor presets it to 0 and uses the low 16 bits. */
uint32_t NWAPI NWGetMaximumConnections(uint32_t *count);
uint32_t NWAPI NWCheckConsolePrivileges(uint32_t conn);
uint32_t NWAPI NWIsManager(uint32_t conn);
/* *drive: 1 = A. */
uint32_t NWAPI NWGetFirstDrive(uint16_t *drive);
uint32_t NWAPI NWSetPrimaryConnectionID(uint32_t conn);
/* objectType is a bindery type in the client's byte order (user = 0x0100). */
uint32_t NWAPI NWGetObjectID(uint32_t conn, const char *objectName, uint16_t objectType, uint32_t *objectID);
/* segmentData: 1025 bytes. */
uint32_t NWAPI NWReadPropertyValue(uint32_t conn, const char *objectName, uint16_t objectType,
                                   const char *propertyName, uint8_t segment, uint8_t *segmentData,
                                   uint8_t *moreSegments, uint8_t *flags);
/* The three paths: NW_PATH_SIZE bytes each. */
uint32_t NWAPI NWGetDriveStatus(uint16_t drive, uint16_t pathFormat, uint16_t *status, uint32_t *conn,
                                char *rootPath, char *relativePath, char *fullPath);
uint32_t NWAPI NWSetBroadcastMode(uint32_t conn, uint16_t mode);
uint32_t NWAPI NWSetNetWareErrorMode(uint8_t mode, uint8_t *previousMode);
/* Returns the value with its four bytes reversed (not a completion code). */
uint32_t NWAPI NWLongSwap(uint32_t value);

/* ---- Connection library (NW_LIB_CONNECTIONS) ---- */

uint32_t NWAPI NWCCGetPrimConnRef(uint32_t *connRef);
/* openState 1, reserved 0. */
uint32_t NWAPI NWCCOpenConnByRef(uint32_t connRef, uint32_t openState, uint32_t reserved, uint32_t *conn);
/* Writes at most bufferLength bytes; see the NW_CONN_INFO_* types. */
uint32_t NWAPI NWCCGetConnInfo(uint32_t conn, uint32_t infoType, uint32_t bufferLength, void *buffer);
/* *iterator starts at 0; each call gives the next reference; a nonzero code ends the scan. */
uint32_t NWAPI NWCCScanConnRefs(uint32_t *iterator, uint32_t *connRef);
/* infoVersion 1; info: NW_CONN_REF_INFO_SIZE bytes. */
uint32_t NWAPI NWCCGetAllConnRefInfo(uint32_t connRef, uint32_t infoVersion, uint8_t *info);
/* startConn 0, name upper case, nameFormat 2, openState 1, tranType 0; success needs *conn nonzero. */
uint32_t NWAPI NWCCOpenConnByName(uint32_t startConn, const char *name, uint32_t nameFormat, uint32_t openState,
                                  uint32_t tranType, uint32_t *conn);
uint32_t NWAPI NWCCSetPrefServerName(const char *name);

/* ---- Directory library (NW_LIB_DIRECTORY) ---- */

/* Returns a context handle, 0 = failure (not a completion code). */
uint32_t NWAPI NWDSCreateContext(void);
uint32_t NWAPI NWDSFreeContext(uint32_t context);
/* Returns a context handle, 0 = failure (not a completion code). */
uint32_t NWAPI NWDSDuplicateContext(uint32_t context);
uint32_t NWAPI NWDSDuplicateContextHandle(uint32_t context, uint32_t *newContext);
/* key NW_DS_CTX_FLAGS: value points to a 32-bit flag word; NW_DS_CTX_NAME: NUL-terminated text. */
uint32_t NWAPI NWDSSetContext(uint32_t context, uint32_t key, const void *value);
/* key NW_DS_CTX_NAME: value has NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWDSGetContext(uint32_t context, uint32_t key, void *value);
uint32_t NWAPI NWDSAllocBuf(uint32_t size, NWDSBuf *buffer);
uint32_t NWAPI NWDSInitBuf(uint32_t context, uint32_t operation, NWDSBuf buffer);
uint32_t NWAPI NWDSFreeBuf(NWDSBuf buffer);
uint32_t NWAPI NWDSPutAttrName(uint32_t context, NWDSBuf buffer, const char *attributeName);
uint32_t NWAPI NWDSPutAttrVal(uint32_t context, NWDSBuf buffer, uint32_t syntax, const void *value);
/* attributeName: NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWDSGetAttrName(uint32_t context, NWDSBuf buffer, char *attributeName, uint32_t *valueCount,
                               uint32_t *syntax);
/* value: NW_NAME_BUFFER_SIZE bytes for the text syntaxes the monitor reads. */
uint32_t NWAPI NWDSGetAttrVal(uint32_t context, NWDSBuf buffer, uint32_t syntax, void *value);
uint32_t NWAPI NWDSGetAttrCount(uint32_t context, NWDSBuf buffer, uint32_t *count);
uint32_t NWAPI NWDSPutChange(uint32_t context, NWDSBuf buffer, uint32_t changeType, const char *attributeName);
uint32_t NWAPI NWDSModifyObject(uint32_t context, const char *objectName, int32_t *iterationHandle, uint8_t more,
                                NWDSBuf changes);
uint32_t NWAPI NWDSComputeAttrValSize(uint32_t context, NWDSBuf buffer, uint32_t syntax, uint32_t *size);
/* infoType 1, allAttributes 0; *iterationHandle starts at -1 and is -1 again after the last part. */
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
uint32_t NWAPI NWDSList(uint32_t context, const char *objectName, int32_t *iterationHandle, NWDSBuf subordinates);
uint32_t NWAPI NWDSOpenStream(uint32_t context, const char *objectName, const char *attributeName, uint32_t flags,
                              uint32_t *fileHandle);
/* name: NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWDSWhoAmI(uint32_t context, char *name);
/* canonicalName: NW_CONN_INFO_NAME_SIZE bytes. */
uint32_t NWAPI NWDSCanonicalizeName(uint32_t context, const char *name, char *canonicalName);
uint32_t NWAPI NWDSMapNameToID(uint32_t context, uint32_t conn, const char *objectName, uint32_t *objectID);
uint32_t NWAPI NWDSAuditGetObjectID(uint32_t context, const char *objectName, uint32_t *conn, uint32_t *objectID);
/* Nonzero with a non-empty treeName = a directory server (not a completion code); treeName:
   NW_NAME_BUFFER_SIZE bytes. */
uint32_t NWAPI NWIsDSServer(uint32_t conn, char *treeName);

/* ---- Locale library (NW_LIB_LOCALE) ---- */

/* info: NW_LOCALE_INFO_SIZE bytes; see NW_LOCALE_CODE_PAGE and NW_LOCALE_COUNTRY. */
uint32_t NWAPI NWLlocaleconv(uint8_t *info);
uint32_t NWAPI NWInitUnicodeTables(uint32_t country, uint32_t codePage);
uint32_t NWAPI NWFreeUnicodeTables(void);

#ifdef __cplusplus
}
#endif

/* Function-pointer types, one per entry point: NWCallsInit_fn and so on. */
typedef uint32_t(NWAPI *NWCallsInit_fn)(uint32_t *, uint32_t *);
typedef uint32_t(NWAPI *NWGetPrimaryConnectionID_fn)(uint32_t *);
typedef uint32_t(NWAPI *NWGetConnectionNumber_fn)(uint32_t, uint16_t *);
typedef uint32_t(NWAPI *NWGetConnectionInformation_fn)(uint32_t, uint16_t, char *, uint16_t *, uint32_t *,
                                                       uint8_t *);
typedef uint32_t(NWAPI *NWGetConnectionList_fn)(uint16_t, uint16_t *, uint16_t, uint16_t *);
typedef uint32_t(NWAPI *NWGetFileServerName_fn)(uint32_t, char *);
typedef uint32_t(NWAPI *NWGetConnectionHandle_fn)(const char *, uint16_t, uint32_t *, uint16_t *);
typedef uint32_t(NWAPI *NWGetFileServerInfo_fn)(uint32_t, uint8_t *);
typedef uint32_t(NWAPI *NWGetFileServerInformation_fn)(uint32_t, char *, uint8_t *, uint8_t *, uint8_t *,
                                                       uint16_t *, uint16_t *, uint16_t *, uint16_t *, uint8_t *,
                                                       uint8_t *);
typedef uint32_t(NWAPI *NWGetFileServerDateAndTime_fn)(uint32_t, uint8_t *);
typedef uint32_t(NWAPI *NWSetFileServerDateAndTime_fn)(uint32_t, uint8_t, uint8_t, uint8_t, uint8_t, uint8_t,
                                                       uint8_t);
typedef uint32_t(NWAPI *NWGetMaximumConnections_fn)(uint32_t *);
typedef uint32_t(NWAPI *NWCheckConsolePrivileges_fn)(uint32_t);
typedef uint32_t(NWAPI *NWIsManager_fn)(uint32_t);
typedef uint32_t(NWAPI *NWGetFirstDrive_fn)(uint16_t *);
typedef uint32_t(NWAPI *NWSetPrimaryConnectionID_fn)(uint32_t);
typedef uint32_t(NWAPI *NWGetObjectID_fn)(uint32_t, const char *, uint16_t, uint32_t *);
typedef uint32_t(NWAPI *NWReadPropertyValue_fn)(uint32_t, const char *, uint16_t, const char *, uint8_t, uint8_t *,
                                                uint8_t *, uint8_t *);
typedef uint32_t(NWAPI *NWGetDriveStatus_fn)(uint16_t, uint16_t, uint16_t *, uint32_t *, char *, char *, char *);
typedef uint32_t(NWAPI *NWSetBroadcastMode_fn)(uint32_t, uint16_t);
typedef uint32_t(NWAPI *NWSetNetWareErrorMode_fn)(uint8_t, uint8_t *);
typedef uint32_t(NWAPI *NWLongSwap_fn)(uint32_t);
typedef uint32_t(NWAPI *NWCCGetPrimConnRef_fn)(uint32_t *);
typedef uint32_t(NWAPI *NWCCOpenConnByRef_fn)(uint32_t, uint32_t, uint32_t, uint32_t *);
typedef uint32_t(NWAPI *NWCCGetConnInfo_fn)(uint32_t, uint32_t, uint32_t, void *);
typedef uint32_t(NWAPI *NWCCScanConnRefs_fn)(uint32_t *, uint32_t *);
typedef uint32_t(NWAPI *NWCCGetAllConnRefInfo_fn)(uint32_t, uint32_t, uint8_t *);
typedef uint32_t(NWAPI *NWCCOpenConnByName_fn)(uint32_t, const char *, uint32_t, uint32_t, uint32_t, uint32_t *);
typedef uint32_t(NWAPI *NWCCSetPrefServerName_fn)(const char *);
typedef uint32_t(NWAPI *NWDSCreateContext_fn)(void);
typedef uint32_t(NWAPI *NWDSFreeContext_fn)(uint32_t);
typedef uint32_t(NWAPI *NWDSDuplicateContext_fn)(uint32_t);
typedef uint32_t(NWAPI *NWDSDuplicateContextHandle_fn)(uint32_t, uint32_t *);
typedef uint32_t(NWAPI *NWDSSetContext_fn)(uint32_t, uint32_t, const void *);
typedef uint32_t(NWAPI *NWDSGetContext_fn)(uint32_t, uint32_t, void *);
typedef uint32_t(NWAPI *NWDSAllocBuf_fn)(uint32_t, NWDSBuf *);
typedef uint32_t(NWAPI *NWDSInitBuf_fn)(uint32_t, uint32_t, NWDSBuf);
typedef uint32_t(NWAPI *NWDSFreeBuf_fn)(NWDSBuf);
typedef uint32_t(NWAPI *NWDSPutAttrName_fn)(uint32_t, NWDSBuf, const char *);
typedef uint32_t(NWAPI *NWDSPutAttrVal_fn)(uint32_t, NWDSBuf, uint32_t, const void *);
typedef uint32_t(NWAPI *NWDSGetAttrName_fn)(uint32_t, NWDSBuf, char *, uint32_t *, uint32_t *);
typedef uint32_t(NWAPI *NWDSGetAttrVal_fn)(uint32_t, NWDSBuf, uint32_t, void *);
typedef uint32_t(NWAPI *NWDSGetAttrCount_fn)(uint32_t, NWDSBuf, uint32_t *);
typedef uint32_t(NWAPI *NWDSPutChange_fn)(uint32_t, NWDSBuf, uint32_t, const char *);
typedef uint32_t(NWAPI *NWDSModifyObject_fn)(uint32_t, const char *, int32_t *, uint8_t, NWDSBuf);
typedef uint32_t(NWAPI *NWDSComputeAttrValSize_fn)(uint32_t, NWDSBuf, uint32_t, uint32_t *);
typedef uint32_t(NWAPI *NWDSRead_fn)(uint32_t, const char *, uint32_t, uint8_t, NWDSBuf, int32_t *, NWDSBuf);
typedef uint32_t(NWAPI *NWDSRemoveObject_fn)(uint32_t, const char *);
typedef uint32_t(NWAPI *NWDSGenerateObjectKeyPair_fn)(uint32_t, const char *, const char *, uint32_t);
typedef uint32_t(NWAPI *NWDSGetObjectName_fn)(uint32_t, NWDSBuf, char *, uint32_t *, void *);
typedef uint32_t(NWAPI *NWDSGetObjectCount_fn)(uint32_t, NWDSBuf, uint32_t *);
typedef uint32_t(NWAPI *NWDSAddObject_fn)(uint32_t, const char *, int32_t *, uint8_t, NWDSBuf);
typedef uint32_t(NWAPI *NWDSList_fn)(uint32_t, const char *, int32_t *, NWDSBuf);
typedef uint32_t(NWAPI *NWDSOpenStream_fn)(uint32_t, const char *, const char *, uint32_t, uint32_t *);
typedef uint32_t(NWAPI *NWDSWhoAmI_fn)(uint32_t, char *);
typedef uint32_t(NWAPI *NWDSCanonicalizeName_fn)(uint32_t, const char *, char *);
typedef uint32_t(NWAPI *NWDSMapNameToID_fn)(uint32_t, uint32_t, const char *, uint32_t *);
typedef uint32_t(NWAPI *NWDSAuditGetObjectID_fn)(uint32_t, const char *, uint32_t *, uint32_t *);
typedef uint32_t(NWAPI *NWIsDSServer_fn)(uint32_t, char *);
typedef uint32_t(NWAPI *NWLlocaleconv_fn)(uint8_t *);
typedef uint32_t(NWAPI *NWInitUnicodeTables_fn)(uint32_t, uint32_t);
typedef uint32_t(NWAPI *NWFreeUnicodeTables_fn)(void);

#endif /* SEMBROLIN_NWCLIENT_H */
