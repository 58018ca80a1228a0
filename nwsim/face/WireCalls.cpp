#include "nwsim/face/WireCalls.h"

#include <algorithm>
#include <utility>

#include "netware/nwclient.h"
#include "ncp/wire/Messages.h"
#include "nwsim/SimCodes.h"
#include "nwsim/Text.h"

namespace nwsim {

namespace {

namespace fn = ncp::function;
namespace sub = ncp::subfunction;

constexpr std::uint8_t kInvalidLength = 0x7E;
constexpr std::uint8_t kNoConsoleRights = 0xC6;
constexpr std::uint8_t kBadPassword = 0xDE;
constexpr std::uint8_t kIllegalName = 0xEF;
// Also what a station that is not logged in gives.
constexpr std::uint8_t kNotSupported = 0xFB;
constexpr std::uint8_t kNoSuchObject = 0xFC;
constexpr std::uint8_t kFailure = 0xFF;

constexpr std::uint8_t kSupervisorLevel = 0x33;
constexpr std::uint8_t kObjectLevel = 0x22;
constexpr std::uint32_t kNobody = 0xFFFFFFFF;
constexpr std::uint16_t kLargestBuffer = 4096;
constexpr std::uint8_t kEnglish = 4;
constexpr std::uint8_t kTcpAddress = 6;
constexpr std::uint32_t kTcpAddressLength = 6;

// The network's completion code as a server sends it: 0x89xx as its low byte, the client's own codes as a
// failure, and the code of a server that stopped as nothing at all.
std::optional<WireCalls::Answer> fromNetwork(std::uint32_t code, ncp::Bytes data)
{
    if (code == codes::kServerNotResponding) {
        return std::nullopt;
    }
    if (code == NW_SUCCESS) {
        return WireCalls::Answer{0, std::move(data)};
    }
    return WireCalls::Answer{(code & 0xFF00u) == 0x8900u ? std::uint8_t(code) : kFailure, {}};
}

WireCalls::Answer failure(std::uint8_t completion)
{
    return {completion, {}};
}

// The network speaks the client's byte order: bindery types and IDs with their bytes swapped.
std::uint16_t clientType(std::uint16_t wireType)
{
    return std::uint16_t(wireType << 8 | wireType >> 8);
}

ncp::ObjectId wireId(std::uint32_t clientOrder)
{
    const std::uint32_t id = text::SwapBytes(clientOrder);
    return {std::uint8_t(id >> 24), std::uint8_t(id >> 16), std::uint8_t(id >> 8), std::uint8_t(id)};
}

std::uint32_t recordField(const ncp::StatisticsRecord &record, std::size_t offset)
{
    return ncp::ByteReader(ncp::ByteView(record).subspan(offset, 4)).LittleEndian32();
}

// 23/232: the interval marker, a processor of the 80286's line, ten service processes, the utilisation, a
// bindery and memory of a modest server, and no dynamic memory records, whose count's byte order is disputed.
ncp::Bytes miscLayout(const ncp::StatisticsRecord &record)
{
    return ncp::ByteWriter()
        .BigEndian32(recordField(record, NW_SERVER_INFO_TIME))
        .U8(2)
        .U8(0)
        .U8(10)
        .U8(std::uint8_t(std::min<std::uint32_t>(recordField(record, NW_SERVER_INFO_UTILIZATION), 100)))
        .BigEndian16(0)
        .BigEndian16(96)
        .BigEndian16(41)
        .BigEndian16(32768)
        .BigEndian16(0)
        .BigEndian16(0)
        .Take();
}

// 23/231: the request counter stands for the file service packets, the rest of the packets serviced for the
// other packets; the twenty error counters stay zero.
ncp::Bytes lanLayout(const ncp::StatisticsRecord &record)
{
    const std::uint32_t requests = recordField(record, NW_SERVER_INFO_NCP_REQUESTS);
    return ncp::ByteWriter()
        .BigEndian32(recordField(record, NW_SERVER_INFO_TIME))
        .BigEndian16(40)
        .BigEndian16(12)
        .BigEndian16(3)
        .BigEndian32(requests)
        .Zeros(40)
        .BigEndian32(0)
        .BigEndian32(recordField(record, NW_SERVER_INFO_PACKETS_SERVICED) - requests)
        .BigEndian32(recordField(record, NW_SERVER_INFO_PACKETS_ROUTED))
        .Take();
}

std::string volumeName(std::uint16_t volume)
{
    return volume == 0 ? "SYS" : "VOL" + std::to_string(volume);
}

} // namespace

const std::array<WireCalls::Call, 20> WireCalls::kCalls{{
    {fn::kServerDateTime, 0, &WireCalls::dateTime},
    {fn::kFileServices, sub::kVolumeList, &WireCalls::volumes},
    {fn::kBindery, sub::kServerInformation, &WireCalls::information},
    {fn::kBindery, sub::kStationInfoByte, &WireCalls::stationInfoByte},
    {fn::kBindery, sub::kLoginKey, &WireCalls::loginKey},
    {fn::kBindery, sub::kKeyedLogin, &WireCalls::keyedLogin},
    {fn::kBindery, sub::kStationInfo, &WireCalls::stationInfo},
    {fn::kBindery, sub::kObjectId, &WireCalls::objectId},
    {fn::kBindery, sub::kAccessLevel, &WireCalls::accessLevel},
    {fn::kBindery, sub::kIsManager, &WireCalls::manager},
    {fn::kBindery, sub::kConsolePrivileges, &WireCalls::consolePrivileges},
    {fn::kBindery, sub::kSetDateTime, &WireCalls::setDateTime},
    {fn::kBindery, sub::kLanStatistics, &WireCalls::lanStatistics},
    {fn::kBindery, sub::kMiscInformation, &WireCalls::miscInformation},
    {fn::kLogout, 0, &WireCalls::logout},
    {fn::kNegotiateBuffer, 0, &WireCalls::negotiateBuffer},
    {fn::kBigPacket, 0, &WireCalls::bigPacket},
    {fn::kDirectory, sub::kPing, &WireCalls::ping},
    {fn::kStatistics, sub::kServerStatistics, &WireCalls::statistics},
    {fn::kStatistics, sub::kNetworkAddresses, &WireCalls::addresses},
}};

WireCalls::WireCalls(Network &network, const Scenario &scenario, std::size_t server,
                     const StationTable &stations)
    : m_network(network), m_setup(scenario.servers.at(server)), m_binderyUser(scenario.BinderyUser()),
      m_stations(stations), m_random(std::random_device{}())
{
    m_network.GetConnectionHandle(m_setup.name.c_str(), &m_handle);
}

void WireCalls::SetAddress(const WireAddress &address)
{
    m_address = address;
}

std::optional<WireCalls::Answer> WireCalls::Serve(const ncp::Request &request, Station &station,
                                                  bool demandSigning)
{
    m_demandSigning = demandSigning;
    const auto call = std::ranges::find_if(kCalls, [&](const Call &c) {
        return c.function == request.function && c.subfunction == request.subfunction;
    });
    if (call == kCalls.end()) {
        return failure(kNotSupported);
    }
    return (this->*call->handler)(request, station);
}

bool WireCalls::Statistics(const ncp::Request &request)
{
    return request.type == ncp::PacketType::Request &&
           ((request.function == fn::kStatistics && request.subfunction == sub::kServerStatistics) ||
            (request.function == fn::kBindery &&
             (request.subfunction == sub::kLanStatistics || request.subfunction == sub::kMiscInformation)));
}

void WireCalls::Refuse()
{
    ncp::StatisticsRecord record{};
    m_network.GetFileServerCounters(m_handle, record.data());
}

std::optional<WireCalls::Answer> WireCalls::dateTime(const ncp::Request &, Station &)
{
    ncp::DateTime dateTime{};
    const std::uint32_t code = m_network.GetFileServerDateAndTime(m_handle, dateTime.data());
    return fromNetwork(code, ncp::EncodeDateTime(dateTime));
}

std::optional<WireCalls::Answer> WireCalls::setDateTime(const ncp::Request &request, Station &station)
{
    if (!console(station)) {
        return failure(kNoConsoleRights);
    }
    const std::optional<ncp::DateTime> dateTime = ncp::DecodeSetDateTime(request.data);
    if (!dateTime) {
        return failure(kInvalidLength);
    }
    return fromNetwork(m_network.SetFileServerDateAndTime(m_handle, dateTime->data()), {});
}

std::optional<WireCalls::Answer> WireCalls::information(const ncp::Request &, Station &)
{
    std::array<char, NW_NAME_BUFFER_SIZE> name{};
    ncp::ServerInformation info;
    const std::uint32_t code = m_network.GetFileServerInformation(
        m_handle, name.data(), &info.majorVersion, &info.minorVersion, &info.revision, &info.maxConnections,
        &info.peakConnections, &info.connectionsInUse, &info.maxVolumes, &info.sftLevel, &info.ttsLevel);
    info.name = name.data();
    info.productMajor = info.majorVersion;
    info.productMinor = info.minorVersion;
    info.productRevision = info.revision;
    info.language = kEnglish;
    return fromNetwork(code, ncp::EncodeServerInformation(info));
}

std::optional<WireCalls::Answer> WireCalls::statistics(const ncp::Request &, Station &station)
{
    ncp::StatisticsRecord record{};
    const std::uint32_t code = m_network.GetFileServerInfo(m_handle, record.data());
    return consoleOnly(station, fromNetwork(code, ncp::StatisticsFromRecord(record)));
}

std::optional<WireCalls::Answer> WireCalls::miscInformation(const ncp::Request &, Station &station)
{
    return counters(station, miscLayout);
}

std::optional<WireCalls::Answer> WireCalls::lanStatistics(const ncp::Request &, Station &station)
{
    return counters(station, lanLayout);
}

std::optional<WireCalls::Answer> WireCalls::counters(const Station &station,
                                                     ncp::Bytes (*layout)(const ncp::StatisticsRecord &))
{
    ncp::StatisticsRecord record{};
    const std::uint32_t code = m_network.GetFileServerCounters(m_handle, record.data());
    return consoleOnly(station, fromNetwork(code, layout(record)));
}

std::optional<WireCalls::Answer> WireCalls::objectId(const ncp::Request &request, Station &)
{
    const std::optional<ncp::ObjectName> object = ncp::DecodeObjectName(request.data);
    if (!object) {
        return failure(kInvalidLength);
    }
    ncp::ObjectId id{};
    const std::uint32_t code = findObject(*object, id);
    return fromNetwork(code, ncp::EncodeBinderyObject({id, object->type, text::Upper(object->name)}));
}

std::optional<WireCalls::Answer> WireCalls::loginKey(const ncp::Request &, Station &station)
{
    ncp::login::Key key{};
    std::ranges::generate(key, [this] { return std::uint8_t(m_random()); });
    station.key = key;
    return Answer{0, ncp::Bytes(key.begin(), key.end())};
}

// A key answers one login only, right or wrong, and any login attempt ends the one before.
std::optional<WireCalls::Answer> WireCalls::keyedLogin(const ncp::Request &request, Station &station)
{
    const std::optional<ncp::KeyedLogin> login = ncp::DecodeKeyedLogin(request.data);
    if (!login) {
        return failure(kInvalidLength);
    }
    const std::optional<ncp::login::Key> key = std::exchange(station.key, std::nullopt);
    station.login.reset();
    if (login->object.type != ncp::kBinderyUser) {
        return failure(kNoSuchObject);
    }
    ncp::ObjectId id{};
    if (const std::uint32_t code = findObject(login->object, id); code != NW_SUCCESS) {
        return fromNetwork(code, {});
    }
    if (!key) {
        return failure(kFailure);
    }
    const std::string name = text::Upper(login->object.name);
    const auto password = m_setup.passwords.find(name);
    const ncp::login::Hash hash =
        ncp::login::PasswordHash(id, password == m_setup.passwords.end() ? "" : password->second);
    if (ncp::login::Answer(*key, hash) != login->answer) {
        return failure(kBadPassword);
    }
    ncp::DateTime now{};
    const std::uint32_t code = m_network.GetFileServerDateAndTime(m_handle, now.data());
    WireLogin loggedIn{id, name, {}};
    std::copy_n(now.begin(), loggedIn.time.size(), loggedIn.time.begin());
    station.login = loggedIn;
    return fromNetwork(code, {});
}

std::optional<WireCalls::Answer> WireCalls::logout(const ncp::Request &, Station &station)
{
    station.login.reset();
    return Answer{};
}

std::optional<WireCalls::Answer> WireCalls::stationInfo(const ncp::Request &request, Station &)
{
    ncp::ByteReader in(request.data);
    const std::uint32_t number = in.LittleEndian32();
    return in.Failed() ? failure(kInvalidLength) : loggedInfo(number);
}

std::optional<WireCalls::Answer> WireCalls::stationInfoByte(const ncp::Request &request, Station &)
{
    return request.data.empty() ? failure(kInvalidLength) : loggedInfo(request.data[0]);
}

std::optional<WireCalls::Answer> WireCalls::loggedInfo(std::uint32_t number) const
{
    const auto found = number > UINT16_MAX ? m_stations.end() : m_stations.find(std::uint16_t(number));
    if (found == m_stations.end() || !found->second->login) {
        return failure(kNotSupported);
    }
    const WireLogin &login = *found->second->login;
    return Answer{0, ncp::EncodeStationInfo({login.id, ncp::kBinderyUser, login.name, login.time})};
}

std::optional<WireCalls::Answer> WireCalls::accessLevel(const ncp::Request &, Station &station)
{
    if (!station.login) {
        return Answer{0, ncp::ByteWriter().U8(0).BigEndian32(kNobody).Take()};
    }
    const std::uint8_t level = console(station) ? kSupervisorLevel : kObjectLevel;
    return Answer{0, ncp::ByteWriter().U8(level).Append(station.login->id).Take()};
}

std::optional<WireCalls::Answer> WireCalls::consolePrivileges(const ncp::Request &, Station &station)
{
    return consoleOnly(station, fromNetwork(m_network.CheckConsolePrivileges(m_handle), {}));
}

std::optional<WireCalls::Answer> WireCalls::manager(const ncp::Request &, Station &station)
{
    std::optional<Answer> answer = fromNetwork(m_network.IsManager(m_handle), {});
    if (answer && (answer->completion != 0 || !loggedInAsUser(station))) {
        answer->completion = kFailure;
    }
    return answer;
}

std::optional<WireCalls::Answer> WireCalls::negotiateBuffer(const ncp::Request &request, Station &)
{
    const std::optional<ncp::BufferOffer> offer = ncp::DecodeBufferRequest(request.data);
    if (!offer) {
        return failure(kInvalidLength);
    }
    return Answer{0, ncp::ByteWriter().BigEndian16(std::min(offer->size, kLargestBuffer)).Take()};
}

std::optional<WireCalls::Answer> WireCalls::bigPacket(const ncp::Request &request, Station &station)
{
    const std::optional<ncp::BufferOffer> offer = ncp::DecodeBufferRequest(request.data);
    if (!offer) {
        return failure(kInvalidLength);
    }
    station.signing = m_demandSigning;
    const std::uint8_t flags = m_demandSigning ? ncp::kSecuritySigning : 0;
    return Answer{0, ncp::EncodeBufferReply({std::min(offer->size, kLargestBuffer), flags})};
}

std::optional<WireCalls::Answer> WireCalls::ping(const ncp::Request &, Station &)
{
    std::array<char, NW_NAME_BUFFER_SIZE> tree{};
    if (m_network.IsDSServer(m_handle, tree.data()) == 0) {
        return failure(kNotSupported);
    }
    return Answer{0, ncp::EncodePing({.tree = tree.data()})};
}

// 123/17: the statistics header, no server GUID, the last entry, and the listening address as a TCP entry.
std::optional<WireCalls::Answer> WireCalls::addresses(const ncp::Request &, Station &)
{
    ncp::ByteWriter out;
    // Time, console version and revision, reserved word, GUID, next search.
    out.LittleEndian32(0).U8(1).U8(0).Zeros(2 + 16).LittleEndian32(0);
    out.LittleEndian32(m_address.ipv4 ? 1 : 0);
    if (m_address.ipv4) {
        out.LittleEndian32(kTcpAddress).LittleEndian32(kTcpAddressLength).BigEndian16(m_address.port);
        out.Append(*m_address.ipv4);
    }
    return Answer{0, out.Take()};
}

// 22/52: every volume from the first, SYS, then VOL1 and on; no later search.
std::optional<WireCalls::Answer> WireCalls::volumes(const ncp::Request &, Station &)
{
    ncp::ByteWriter out;
    out.LittleEndian32(m_setup.volumes).LittleEndian32(0);
    for (std::uint16_t volume = 0; volume < m_setup.volumes; ++volume) {
        out.LittleEndian32(volume).LengthPrefixedText(volumeName(volume));
    }
    return Answer{0, out.Take()};
}

std::uint32_t WireCalls::findObject(const ncp::ObjectName &object, ncp::ObjectId &id)
{
    // The network reads names as C strings: a NUL inside would name another object.
    if (object.name.find('\0') != std::string::npos) {
        return 0x8900u | kIllegalName;
    }
    std::uint32_t clientOrder = 0;
    const std::uint32_t code =
        m_network.GetObjectID(m_handle, object.name.c_str(), clientType(object.type), &clientOrder);
    id = wireId(clientOrder);
    return code;
}

bool WireCalls::loggedInAsUser(const Station &station) const
{
    return station.login && text::EqualNoCase(station.login->name, m_binderyUser);
}

bool WireCalls::console(const Station &station) const
{
    return loggedInAsUser(station) && m_setup.consoleRights;
}

std::optional<WireCalls::Answer> WireCalls::consoleOnly(const Station &station,
                                                        std::optional<Answer> answer) const
{
    if (answer && answer->completion == 0 && !console(station)) {
        return failure(kNoConsoleRights);
    }
    return answer;
}

} // namespace nwsim
