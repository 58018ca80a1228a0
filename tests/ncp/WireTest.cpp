#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ncp/wire/FrameReader.h"
#include "ncp/wire/LoginCrypt.h"
#include "ncp/wire/Messages.h"
#include "ncp/wire/Packet.h"

using namespace ncp;

namespace {

Bytes hex(const std::string &text)
{
    Bytes bytes;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == ' ')
            continue;
        bytes.push_back(std::uint8_t(std::stoul(text.substr(i, 2), nullptr, 16)));
        ++i;
    }
    return bytes;
}

struct RequestCase
{
    const char *name;
    Request request;
    const char *frame;
};

Request numbered(Request request, std::uint8_t sequence, std::uint16_t connection)
{
    request.sequence = sequence;
    request.connection = connection;
    return request;
}

class RequestFrames : public testing::TestWithParam<RequestCase>
{
};

} // namespace

// Each request as its frame header, type, sequence, connection low, task, connection high, function and,
// where the function has them, the length word and the subfunction.
TEST_P(RequestFrames, AreLaidOutAsOnTheWire)
{
    EXPECT_EQ(EncodeRequestFrame(GetParam().request), hex(GetParam().frame));
    const Bytes frame = hex(GetParam().frame);
    const std::optional<Request> decoded = DecodeRequest(ByteView(frame).subspan(kRequestFrameHeader));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->function, GetParam().request.function);
    EXPECT_EQ(decoded->subfunction, GetParam().request.subfunction);
    EXPECT_EQ(decoded->data, GetParam().request.data);
    EXPECT_EQ(decoded->connection, GetParam().request.connection);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, RequestFrames,
    testing::Values(
        RequestCase{"ServerInformation", numbered(MakeRequest(23, 17), 1, 0x0105),
                    "446D6454 0000001A 00000001 00001008 2222 01 05 01 01 17 0001 11"},
        RequestCase{"Statistics", numbered(MakeRequest(123, 2), 9, 3),
                    "446D6454 0000001A 00000001 00001008 2222 09 03 01 00 7B 0001 02"},
        RequestCase{"PingHasNoLengthWord", numbered(MakeRequest(104, 1, {0, 0, 0}), 2, 3),
                    "446D6454 0000001B 00000001 00001008 2222 02 03 01 00 68 01 000000"},
        RequestCase{"DateHasNoSubfunction", numbered(MakeRequest(20), 4, 3),
                    "446D6454 00000017 00000001 00001008 2222 04 03 01 00 14"},
        RequestCase{"BigPacket", numbered(MakeRequest(97, 0, EncodeBufferRequest({4096, 0})), 1, 3),
                    "446D6454 0000001A 00000001 00001008 2222 01 03 01 00 61 1000 00"},
        RequestCase{"ObjectId", numbered(MakeRequest(23, 53, EncodeObjectName({1, "ADA"})), 5, 3),
                    "446D6454 00000020 00000001 00001008 2222 05 03 01 00 17 0007 35 0001 03414441"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Packets, CreateAndDestroyCarryNoSubfunction)
{
    Request create;
    create.type = PacketType::Create;
    create.connection = 0xFFFF;
    EXPECT_EQ(EncodeRequestFrame(create), hex("446D6454 00000017 00000001 00001008 1111 00 FF 01 FF 00"));
}

TEST(Packets, RepliesAreReadFromTheirFrames)
{
    FrameReader reader(FrameReader::Direction::Replies, kReplyBufferSize);
    reader.Append(hex("744E6350 00000012 3333 05 07 01 00 C6 40 AB CD"));
    Bytes frame;
    ASSERT_EQ(reader.Next(frame), FrameReader::Result::Frame);
    const std::optional<Reply> reply = DecodeReply(ByteView(frame).subspan(kReplyFrameHeader));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->sequence, 5);
    EXPECT_EQ(reply->connection, 7);
    EXPECT_EQ(reply->completion, 0xC6);
    EXPECT_EQ(reply->status, 0x40);
    EXPECT_EQ(reply->data, hex("ABCD"));
    EXPECT_EQ(reader.Next(frame), FrameReader::Result::NeedMore);
}

// A frame whose header cannot be right is refused before its body is awaited.
TEST(Packets, BadFrameHeadersAreRefusedAtOnce)
{
    for (const char *header :
         {"744E6351 00000010", "744E6350 00000009", "744E6350 00001019", "446D6454 00000010"}) {
        FrameReader reader(FrameReader::Direction::Replies, kReplyBufferSize);
        reader.Append(hex(header));
        Bytes frame;
        EXPECT_EQ(reader.Next(frame), FrameReader::Result::Malformed) << header;
    }
    // The top bits of the length are flags, never length.
    FrameReader reader(FrameReader::Direction::Replies, kReplyBufferSize);
    reader.Append(hex("744E6350 80000010 3333 00 01 01 00 00 00"));
    Bytes frame;
    EXPECT_EQ(reader.Next(frame), FrameReader::Result::Frame);
}

TEST(Messages, ServerInformationFieldsLieWhereTheLayoutPutsThem)
{
    Bytes data = hex("4B455354524F4C");
    data.resize(128);
    const Bytes fields = hex("05 46 00FA 0023 0040 03 02 01 0096");
    std::ranges::copy(fields, data.begin() + 48);
    data[70] = 0, data[71] = 6, data[72] = 0, data[73] = 50;
    const std::optional<ServerInformation> information = DecodeServerInformation(data);
    ASSERT_TRUE(information);
    EXPECT_EQ(information->name, "KESTROL");
    EXPECT_EQ(information->majorVersion, 5);
    EXPECT_EQ(information->minorVersion, 70);
    EXPECT_EQ(information->maxConnections, 250);
    EXPECT_EQ(information->connectionsInUse, 35);
    EXPECT_EQ(information->maxVolumes, 64);
    EXPECT_EQ(information->revision, 3);
    EXPECT_EQ(information->sftLevel, 2);
    EXPECT_EQ(information->ttsLevel, 1);
    EXPECT_EQ(information->peakConnections, 150);
    EXPECT_EQ(information->productMajor, 6);
    EXPECT_EQ(information->productMinor, 50);
    EXPECT_EQ(EncodeServerInformation(*information), data);
    EXPECT_FALSE(DecodeServerInformation(ByteView(data).first(75)));
}

// The packed wire fields go to their aligned places in the record, the padding stays zero, and back.
TEST(Messages, StatisticsAreRepackedIntoTheRecord)
{
    Bytes wire(kStatisticsWireSize);
    for (std::size_t i = 0; i < wire.size(); ++i)
        wire[i] = std::uint8_t(i + 1);
    const std::optional<StatisticsRecord> record = RecordFromStatistics(wire);
    ASSERT_TRUE(record);
    const auto at = [&](std::size_t offset) { return (*record)[offset]; };
    EXPECT_EQ(at(0), 1);     // server time
    EXPECT_EQ(at(4), 5);     // console version
    EXPECT_EQ(at(8), 7);     // reserved word
    EXPECT_EQ(at(12), 9);    // stations in use
    EXPECT_EQ(at(20), 17);   // NCP requests
    EXPECT_EQ(at(24), 21);   // utilisation
    EXPECT_EQ(at(120), 117); // last 32-bit error counter
    EXPECT_EQ(at(124), 121); // too many hops
    EXPECT_EQ(at(136), 131); // NetBIOS propagated
    EXPECT_EQ(at(140), 135); // packets serviced
    EXPECT_EQ(at(147), 142); // packets routed, last byte
    for (const std::size_t padding : {6, 7, 10, 11, 134, 135})
        EXPECT_EQ(at(padding), 0) << padding;
    EXPECT_EQ(StatisticsFromRecord(*record), wire);
    EXPECT_FALSE(RecordFromStatistics(ByteView(wire).first(141)));
}

// Servers send the year as two digits or as years since 1900; both read as years since 1900.
TEST(Messages, DatesReadEitherFormOfTheYear)
{
    EXPECT_EQ(DecodeDateTime(hex("7E 03 02 0C 1E 0F 01"))->at(0), 126);
    EXPECT_EQ(DecodeDateTime(hex("1A 03 02 0C 1E 0F 01"))->at(0), 126);
    EXPECT_EQ(DecodeDateTime(hex("5F 0C 1F 17 3B 3B 00"))->at(0), 95);
    EXPECT_EQ(EncodeSetDateTime({126, 3, 2, 12, 30, 15, 0, 0}), hex("1A 03 02 0C 1E 0F"));
    EXPECT_FALSE(DecodeDateTime(hex("7E 03 02 0C 1E 0F")));
}

TEST(Messages, TheTreeNameComesWithoutItsPadding)
{
    std::string padded = "ACORN_TREE";
    padded.resize(32, '_');
    Bytes data = hex("09 000000 21000000");
    data.insert(data.end(), padded.begin(), padded.end());
    data.push_back(0);
    EXPECT_EQ(DecodePing(data)->tree, "ACORN_TREE");
    EXPECT_EQ(EncodePing({9, "ACORN_TREE"}).size(), 8u + 33u + 12u);
    EXPECT_EQ(DecodePing(EncodePing({9, "ACORN_TREE"}))->tree, "ACORN_TREE");
    // A name longer than its field, or one not ending in NUL, is no tree name.
    EXPECT_FALSE(DecodePing(hex("09 000000 22000000")));
    data.back() = '_';
    EXPECT_FALSE(DecodePing(data));
}

TEST(Messages, KeyedLoginCarriesTheAnswerThenTheObject)
{
    const KeyedLogin login{{1, 2, 3, 4, 5, 6, 7, 8}, {kBinderyUser, "ADA"}};
    EXPECT_EQ(EncodeKeyedLogin(login), hex("0102030405060708 0001 03414441"));
    const std::optional<KeyedLogin> decoded = DecodeKeyedLogin(EncodeKeyedLogin(login));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->object.name, "ADA");
    EXPECT_FALSE(DecodeKeyedLogin(hex("0102030405060708 0001 05414441")));
}

// The two published vectors of the keyed login.
TEST(Login, AnswersMatchThePublishedVectors)
{
    const auto answer = [](const char *key, const char *hash) {
        login::Key k{};
        login::Hash h{};
        const Bytes kb = hex(key), hb = hex(hash);
        std::ranges::copy(kb, k.begin());
        std::ranges::copy(hb, h.begin());
        const login::Response r = login::Answer(k, h);
        return Bytes(r.begin(), r.end());
    };
    EXPECT_EQ(answer("12 34 56 78 9A 7B 44 93", "98 32 35 67 DD 2F AA 80 AB DC B0 C0 1E 21 46 34"),
              hex("2F 75 FD B5 B5 DE EE D3"));
    EXPECT_EQ(answer("CE CC F3 6A AC 49 55 7A", "AD 5C 42 40 47 C4 4E 11 6E 7E FF E7 6D F7 B3 25"),
              hex("23 BF 57 8C 63 4F 0F 37"));
    // A key of two equal halves cancels itself out.
    EXPECT_EQ(answer("01 02 03 04 01 02 03 04", "98 32 35 67 DD 2F AA 80 AB DC B0 C0 1E 21 46 34"),
              Bytes(8, 0));
}

TEST(Login, PasswordsHashUpperCasedAndLongOnesWhole)
{
    const ObjectId id{0, 0, 0, 1};
    EXPECT_EQ(login::PasswordHash(id, "secret"), login::PasswordHash(id, "SECRET"));
    EXPECT_NE(login::PasswordHash(id, "SECRET"), login::PasswordHash(ObjectId{0, 0, 0, 2}, "SECRET"));
    const std::string longer(70, 'A');
    EXPECT_NE(login::PasswordHash(id, longer), login::PasswordHash(id, longer + "B"));
    EXPECT_NE(login::PasswordHash(id, ""), login::PasswordHash(id, "A"));
}
