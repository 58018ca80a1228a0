#include "ncp/wire/Messages.h"

#include <algorithm>

namespace ncp {

namespace {

constexpr std::size_t kServerInformationSize = 128;
constexpr std::size_t kStationInfoSize = 62;
constexpr std::uint8_t kYearsBefore2000 = 80;

// One field of 123/2: where it lies packed on the wire, its width, and where it lies in the record.
struct StatisticsField
{
    std::size_t wire;
    std::size_t width;
    std::size_t record;
};

// Server time and the console version, the four station and request counters, the 24 error counters,
// the five 16-bit counters (2 bytes of alignment after them), and the three packet totals.
constexpr std::array<StatisticsField, 7> kStatisticsFields{{
    {0, 4, 0},
    {4, 2, 4},
    {6, 2, 8},
    {8, 16, 12},
    {24, 96, 28},
    {120, 10, 124},
    {130, 12, 136},
}};

template <typename T> std::optional<T> whole(const ByteReader &in, T value)
{
    return in.Failed() ? std::nullopt : std::optional<T>(std::move(value));
}

ObjectId takeId(ByteReader &in)
{
    ObjectId id{};
    const ByteView bytes = in.Take(id.size());
    std::copy(bytes.begin(), bytes.end(), id.begin());
    return id;
}

std::uint8_t fullYear(std::uint8_t year)
{
    return year < kYearsBefore2000 ? std::uint8_t(year + 100) : year;
}

} // namespace

Bytes EncodeServerInformation(const ServerInformation &information)
{
    ByteWriter out;
    out.PaddedText(information.name, kNameField)
        .U8(information.majorVersion)
        .U8(information.minorVersion)
        .BigEndian16(information.maxConnections)
        .BigEndian16(information.connectionsInUse)
        .BigEndian16(information.maxVolumes)
        .U8(information.revision)
        .U8(information.sftLevel)
        .U8(information.ttsLevel)
        .BigEndian16(information.peakConnections)
        .Zeros(9)
        .BigEndian16(information.productMajor)
        .BigEndian16(information.productMinor)
        .BigEndian16(information.productRevision)
        .U8(information.language);
    return out.Zeros(kServerInformationSize - out.Data().size()).Take();
}

std::optional<ServerInformation> DecodeServerInformation(ByteView data)
{
    ByteReader in(data);
    ServerInformation information;
    information.name = in.PaddedText(kNameField);
    information.majorVersion = in.U8();
    information.minorVersion = in.U8();
    information.maxConnections = in.BigEndian16();
    information.connectionsInUse = in.BigEndian16();
    information.maxVolumes = in.BigEndian16();
    information.revision = in.U8();
    information.sftLevel = in.U8();
    information.ttsLevel = in.U8();
    information.peakConnections = in.BigEndian16();
    in.Skip(9);
    information.productMajor = in.BigEndian16();
    information.productMinor = in.BigEndian16();
    information.productRevision = in.BigEndian16();
    information.language = in.U8();
    return whole(in, information);
}

std::optional<StatisticsRecord> RecordFromStatistics(ByteView data)
{
    if (data.size() < kStatisticsWireSize)
        return std::nullopt;
    StatisticsRecord record{};
    for (const StatisticsField &field : kStatisticsFields)
        std::copy_n(data.begin() + std::ptrdiff_t(field.wire), field.width,
                    record.begin() + std::ptrdiff_t(field.record));
    return record;
}

Bytes StatisticsFromRecord(const StatisticsRecord &record)
{
    Bytes data(kStatisticsWireSize);
    for (const StatisticsField &field : kStatisticsFields)
        std::copy_n(record.begin() + std::ptrdiff_t(field.record), field.width,
                    data.begin() + std::ptrdiff_t(field.wire));
    return data;
}

Bytes EncodeDateTime(const DateTime &dateTime)
{
    return Bytes(dateTime.begin(), dateTime.begin() + 7);
}

std::optional<DateTime> DecodeDateTime(ByteView data)
{
    if (data.size() < 7)
        return std::nullopt;
    DateTime dateTime{};
    std::copy_n(data.begin(), 7, dateTime.begin());
    dateTime[0] = fullYear(dateTime[0]);
    return dateTime;
}

Bytes EncodeSetDateTime(const DateTime &dateTime)
{
    Bytes data(dateTime.begin(), dateTime.begin() + 6);
    data[0] = std::uint8_t(dateTime[0] % 100);
    return data;
}

std::optional<DateTime> DecodeSetDateTime(ByteView data)
{
    if (data.size() < 6)
        return std::nullopt;
    DateTime dateTime{};
    std::copy_n(data.begin(), 6, dateTime.begin());
    dateTime[0] = fullYear(dateTime[0]);
    return dateTime;
}

Bytes EncodeObjectName(const ObjectName &object)
{
    return ByteWriter().BigEndian16(object.type).LengthPrefixedText(object.name).Take();
}

std::optional<ObjectName> DecodeObjectName(ByteView data)
{
    ByteReader in(data);
    ObjectName object;
    object.type = in.BigEndian16();
    object.name = in.LengthPrefixedText();
    return whole(in, object);
}

Bytes EncodeBinderyObject(const BinderyObject &object)
{
    return ByteWriter().Append(object.id).BigEndian16(object.type).PaddedText(object.name, kNameField).Take();
}

std::optional<BinderyObject> DecodeBinderyObject(ByteView data)
{
    ByteReader in(data);
    BinderyObject object;
    object.id = takeId(in);
    object.type = in.BigEndian16();
    object.name = in.PaddedText(kNameField);
    return whole(in, object);
}

std::optional<login::Key> DecodeLoginKey(ByteView data)
{
    login::Key key{};
    if (data.size() < key.size())
        return std::nullopt;
    std::copy_n(data.begin(), key.size(), key.begin());
    return key;
}

Bytes EncodeKeyedLogin(const KeyedLogin &login)
{
    return ByteWriter().Append(login.answer).Append(EncodeObjectName(login.object)).Take();
}

std::optional<KeyedLogin> DecodeKeyedLogin(ByteView data)
{
    KeyedLogin login;
    if (data.size() < login.answer.size())
        return std::nullopt;
    std::copy_n(data.begin(), login.answer.size(), login.answer.begin());
    const std::optional<ObjectName> object = DecodeObjectName(data.subspan(login.answer.size()));
    if (!object)
        return std::nullopt;
    login.object = *object;
    return login;
}

Bytes EncodeStationInfo(const StationInfo &station)
{
    return ByteWriter()
        .Append(station.id)
        .BigEndian16(station.type)
        .PaddedText(station.name, kNameField)
        .Append(station.loginTime)
        .Zeros(1)
        .Take();
}

std::optional<StationInfo> DecodeStationInfo(ByteView data)
{
    ByteReader in(data);
    StationInfo station;
    station.id = takeId(in);
    station.type = in.BigEndian16();
    station.name = in.PaddedText(kNameField);
    const ByteView time = in.Take(station.loginTime.size());
    std::copy(time.begin(), time.end(), station.loginTime.begin());
    in.Skip(kStationInfoSize - in.Position());
    return whole(in, station);
}

Bytes EncodePingRequest()
{
    return Bytes(3, 0);
}

Bytes EncodePing(const Ping &ping)
{
    std::string padded = ping.tree.substr(0, kTreeNameField);
    padded.resize(kTreeNameField, '_');
    return ByteWriter()
        .U8(ping.version)
        .Zeros(3)
        .LittleEndian32(std::uint32_t(kTreeNameField + 1))
        .PaddedText(padded, kTreeNameField + 1)
        .BigEndian32(0)
        .BigEndian32(0)
        .LittleEndian32(0)
        .Take();
}

std::optional<Ping> DecodePing(ByteView data)
{
    ByteReader in(data);
    Ping ping;
    ping.version = in.U8();
    in.Skip(3);
    const std::uint32_t length = in.LittleEndian32();
    // The name ends in a NUL that its length counts; a longer field is no tree name.
    if (in.Failed() || length == 0 || length > kTreeNameField + 1)
        return std::nullopt;
    const ByteView name = in.Take(length);
    if (in.Failed() || name.back() != 0)
        return std::nullopt;
    ping.tree.assign(name.begin(), std::find(name.begin(), name.end(), std::uint8_t(0)));
    ping.tree.erase(ping.tree.find_last_not_of('_') + 1);
    return ping;
}

Bytes EncodeBufferRequest(const BufferOffer &offer)
{
    return ByteWriter().BigEndian16(offer.size).U8(offer.securityFlags).Take();
}

std::optional<BufferOffer> DecodeBufferRequest(ByteView data)
{
    ByteReader in(data);
    BufferOffer offer;
    offer.size = in.BigEndian16();
    if (in.Remaining() > 0)
        offer.securityFlags = in.U8();
    return whole(in, offer);
}

Bytes EncodeBufferReply(const BufferOffer &offer)
{
    return ByteWriter().BigEndian16(offer.size).BigEndian16(0).U8(offer.securityFlags).Take();
}

std::optional<BufferOffer> DecodeBufferReply(ByteView data)
{
    ByteReader in(data);
    BufferOffer offer;
    offer.size = in.BigEndian16();
    if (in.Remaining() >= 3) {
        in.Skip(2);
        offer.securityFlags = in.U8();
    }
    return whole(in, offer);
}

} // namespace ncp
