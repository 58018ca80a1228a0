#include "WireTestSupport.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <sstream>

#include <gtest/gtest.h>

#include "ncp/wire/LoginCrypt.h"
#include "ncp/wire/Messages.h"
#include "nwsim/ScenarioParser.h"

namespace nwsim::test {

Pattern::Pattern(std::string_view text)
{
    std::istringstream words{std::string(text)};
    for (std::string word; words >> word;) {
        if (word.front() == '\'') {
            bytes.insert(bytes.end(), word.begin() + 1, word.end() - 1);
            continue;
        }
        const auto star = word.find('*');
        const std::string unit = word.substr(0, star);
        int times = 1;
        if (star != std::string::npos) {
            std::from_chars(word.data() + star + 1, word.data() + word.size(), times);
        }
        std::vector<int> once;
        for (std::size_t i = 0; i + 1 < unit.size(); i += 2) {
            int value = -1;
            if (unit.compare(i, 2, "..") != 0) {
                std::from_chars(unit.data() + i, unit.data() + i + 2, value, 16);
            }
            once.push_back(value);
        }
        for (int i = 0; i < times; ++i) {
            bytes.insert(bytes.end(), once.begin(), once.end());
        }
    }
}

ncp::Bytes Pattern::Exact() const
{
    return ncp::Bytes(bytes.begin(), bytes.end());
}

bool Pattern::Matches(ncp::ByteView data) const
{
    if (data.size() != bytes.size()) {
        return false;
    }
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (bytes[i] >= 0 && bytes[i] != data[i]) {
            return false;
        }
    }
    return true;
}

std::string Hex(ncp::ByteView data)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (const std::uint8_t byte : data) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
        text += ' ';
    }
    return text;
}

Scenario ParseScenario(const std::string &text)
{
    std::istringstream input(text);
    return ScenarioParser::Parse(input);
}

WireClient::WireClient(WireServer &server, const std::uint64_t &now) : m_session(server), m_now(now)
{}

void WireClient::Send(ncp::ByteView packet)
{
    ncp::ByteWriter frame;
    frame.Append(Pattern("'DmdT'").Exact())
        .BigEndian32(std::uint32_t(16 + packet.size()))
        .BigEndian32(1)
        .BigEndian32(4104)
        .Append(packet);
    ncp::ByteView rest(frame.Data());
    while (!rest.empty() && m_session.Wanted() > 0) {
        const std::size_t piece = std::min(rest.size(), m_session.Wanted());
        m_session.Receive(rest.first(piece), m_now);
        rest = rest.subspan(piece);
    }
}

ncp::Bytes WireClient::Due()
{
    ncp::Bytes out;
    while (m_session.Due() && *m_session.Due() <= m_now) {
        const ncp::Bytes piece = m_session.Take(m_now);
        out.insert(out.end(), piece.begin(), piece.end());
    }
    return out;
}

std::uint16_t WireClient::Create()
{
    Send(Pattern("1111 00 ff 01 ff 00").Exact());
    const ncp::Bytes reply = Due();
    const std::optional<ncp::Reply> decoded =
        reply.size() > 8 ? ncp::DecodeReply(ncp::ByteView(reply).subspan(8)) : std::nullopt;
    m_number = decoded ? decoded->connection : 0;
    m_sequence = 0;
    return m_number;
}

std::optional<ncp::Reply> WireClient::Call(std::string_view body)
{
    ++m_sequence;
    const ncp::Bytes packet = ncp::ByteWriter()
                                  .BigEndian16(0x2222)
                                  .U8(m_sequence)
                                  .U8(std::uint8_t(m_number))
                                  .U8(1)
                                  .U8(std::uint8_t(m_number >> 8))
                                  .Append(Pattern(body).Exact())
                                  .Take();
    Send(packet);
    const ncp::Bytes frame = Due();
    if (frame.empty()) {
        return std::nullopt;
    }
    ncp::ByteReader header(frame);
    EXPECT_EQ(header.BigEndian32(), 0x744E6350u) << Hex(frame);
    EXPECT_EQ(header.BigEndian32(), frame.size()) << Hex(frame);
    std::optional<ncp::Reply> reply = ncp::DecodeReply(ncp::ByteView(frame).subspan(8));
    EXPECT_TRUE(reply && reply->type == ncp::PacketType::Reply) << Hex(frame);
    if (reply) {
        EXPECT_EQ(reply->sequence, m_sequence);
        EXPECT_EQ(reply->connection, m_number);
        EXPECT_EQ(reply->task, 1);
    }
    return reply;
}

std::uint8_t WireClient::Login(const std::string &user, const std::string &password)
{
    const std::optional<ncp::Reply> key = Call("17 0001 17");
    const std::string name = Hex(ncp::ByteWriter().LengthPrefixedText(user).Data());
    const std::optional<ncp::Reply> object =
        Call("17 " + Hex(ncp::ByteWriter().BigEndian16(std::uint16_t(4 + user.size())).Data()) + " 35 0001 " +
             name);
    if (!key || !object || key->data.size() != 8) {
        return 0xFF;
    }
    ncp::login::Key keyBytes{};
    std::copy_n(key->data.begin(), keyBytes.size(), keyBytes.begin());
    // An object the server does not know is logged in to all the same, so the server says so.
    std::array<std::uint8_t, 4> id{};
    std::copy_n(object->data.begin(), std::min<std::size_t>(object->data.size(), id.size()), id.begin());
    const ncp::login::Response answer = ncp::login::Answer(keyBytes, ncp::login::PasswordHash(id, password));
    const std::optional<ncp::Reply> login =
        Call("17 " + Hex(ncp::ByteWriter().BigEndian16(std::uint16_t(12 + user.size())).Data()) + " 18 " +
             Hex(answer) + " 0001 " + name);
    return login ? login->completion : 0xFF;
}

} // namespace nwsim::test
