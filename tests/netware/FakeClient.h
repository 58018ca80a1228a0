#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "netware/nwclient.h"
#include "runtime/LibraryLoader.h"

// An in-process NetWare client: the four libraries and their entry points from a table the test controls.
// Entry points can be removed or replaced, their completion codes scripted, and every look-up and call is
// counted per entry point. The entry points are plain C functions, so they reach the fake through Active().
class TFakeClient : public TLibraryLoader
{
public:
    struct Connection
    {
        uint32_t handle;
        std::string server;
        uint16_t number;
        uint32_t reference;
        uint32_t infoCode = 0;
    };

    TFakeClient();
    ~TFakeClient() override;

    Handle LoadLibrary(const char *fileName) override;
    void *GetProcAddress(Handle library, const char *name) override;

    static TFakeClient &Active();

    void RemoveLibrary(const std::string &fileName) { m_libraries.erase(fileName); }
    void Remove(const std::string &entryPoint) { m_entryPoints.erase(entryPoint); }
    // Keeps the entry point in its library.
    template <class Fn> void Replace(const std::string &entryPoint, Fn function)
    {
        m_entryPoints.at(entryPoint).function = reinterpret_cast<void *>(function);
    }
    // The completion code an entry point answers with; 0 unless scripted.
    void SetCode(const std::string &entryPoint, uint32_t code) { m_codes[entryPoint] = code; }
    uint32_t Code(const std::string &entryPoint) const;

    // Counts a call; the entry points call it first.
    void Called(const std::string &entryPoint) { ++m_calls[entryPoint]; }
    int Calls(const std::string &entryPoint) const;
    int Lookups(const std::string &entryPoint) const;
    int TotalCalls() const;
    void ResetCounts();

    const Connection *Find(uint32_t handle) const;
    const Connection *FindReference(uint32_t reference) const;
    const Connection *FindServer(const std::string &server) const;

    // The scripted client. The primary connection is the first one.
    std::vector<Connection> connections{{0x101, "ALPHA", 7, 0x51}, {0x102, "BETA", 9, 0x52}};
    std::string loginName = "SUPERVISOR";
    // Empty: the server is not a directory server.
    std::string treeName;
    std::string whoAmI = "ADMIN.ACME";
    // Written by the client as it is: a count above the list size is a fault the layer must survive.
    int connectionListCount = -1;
    std::array<uint8_t, NW_SERVER_INFO_SIZE> serverStats{};
    uint8_t majorVersion = 4;
    uint8_t minorVersion = 11;
    std::array<uint8_t, NW_DATE_TIME_SIZE> serverDate{126, 3, 2, 12, 30, 15, 1, 0};
    // Bindery objects by upper-case name and type value, with their IDs in the server's byte order.
    std::map<std::pair<std::string, uint16_t>, uint32_t> binderyObjects{{{"SUPERVISOR", 0x0100}, 0x00012345}};
    std::map<std::string, std::string> identifications{{"SUPERVISOR", "Sam Supervisor"}};
    uint16_t firstDrive = 6;
    // Drive statuses by drive number (1 = A); 0 = free.
    std::array<uint16_t, 27> driveStatus{};
    uint16_t broadcastState = 2;
    uint8_t errorMode = 0;
    uint32_t maximumConnections = 0x10032;
    // The directory: attribute values of the objects, and object IDs in the server's byte order.
    std::map<std::string, std::map<std::string, std::string>> dsAttributes{
        {"ADMIN.ACME", {{"Full Name", "Ada Admin"}}}};
    std::map<std::string, uint32_t> dsObjectIDs{{"ADMIN.ACME", 0x00ABCDEF}};
    // How a read answers: the number of parts, each ending with iteration handle -1 only when it is the last;
    // a negative number never ends.
    int dsReadParts = 1;

    // What the client saw.
    uint32_t contextFlags = 0;
    // Every flag word written, in order.
    std::vector<uint32_t> flagWrites;
    std::string contextName;
    uint32_t nextContext = 0x700;
    std::vector<uint32_t> freedContexts;
    uint32_t flagsWhileCanonicalizing = 0;
    uint32_t lastConnection = 0;
    // The scalar arguments of the latest call of each entry point that records them.
    std::map<std::string, std::vector<uint32_t>> arguments;
    std::string lastServerName;
    std::string preferredServer;
    std::array<uint8_t, 6> setDateTime{};
    std::set<NWDSBuf> liveBuffers;
    // Handles freed that the client never gave out.
    std::vector<NWDSBuf> strayFrees;
    std::string lastObjectName;
    std::string lastPropertyName;
    std::string lastAttributeName;
    uint32_t unicodeCountry = 0;
    uint32_t unicodeCodePage = 0;

private:
    struct EntryPoint
    {
        Handle library;
        void *function;
    };

    std::set<std::string> m_libraries;
    std::map<std::string, EntryPoint> m_entryPoints;
    std::map<std::string, uint32_t> m_codes;
    std::map<std::string, int> m_calls;
    std::map<std::string, int> m_lookups;
    TFakeClient *m_previous;
};
