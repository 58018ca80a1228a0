#include "WireTestSupport.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "ncp/wire/LoginCrypt.h"
#include "ncp/wire/Messages.h"
#include "nwsim/ScenarioParser.h"

namespace nwsim::test {

namespace {

// -1 stands for any byte.
std::vector<int> pattern(std::string_view text)
{
    std::vector<int> bytes;
    std::istringstream words{std::string(text)};
    for (std::string word; words >> word;) {
        if (word.front() == '\'') {
            bytes.insert(bytes.end(), word.begin() + 1, word.end() - 1);
            continue;
        }
        const auto star = word.find('*');
        int times = 1;
        if (star != std::string::npos) {
            std::from_chars(word.data() + star + 1, word.data() + word.size(), times);
        }
        for (int time = 0; time < times; ++time) {
            for (std::size_t i = 0; i + 1 < std::min(star, word.size()); i += 2) {
                int value = -1;
                std::from_chars(word.data() + i, word.data() + i + 2, value, 16);
                bytes.push_back(value);
            }
        }
    }
    return bytes;
}

ncp::Bytes bindery(std::uint8_t subfunction, const ncp::Bytes &data)
{
    return ncp::ByteWriter()
        .U8(23)
        .BigEndian16(std::uint16_t(1 + data.size()))
        .U8(subfunction)
        .Append(data)
        .Take();
}

} // namespace

ncp::Bytes Bytes(std::string_view text)
{
    const std::vector<int> bytes = pattern(text);
    return ncp::Bytes(bytes.begin(), bytes.end());
}

bool Matches(std::string_view text, ncp::ByteView data)
{
    return std::ranges::equal(pattern(text), data,
                              [](int want, std::uint8_t got) { return want < 0 || want == got; });
}

Scenario ParseScenario(const std::string &text)
{
    std::istringstream input(text);
    return ScenarioParser::Parse(input);
}

void WireClient::Send(ncp::ByteView packet)
{
    const ncp::Bytes frame = ncp::ByteWriter()
                                 .Append(Bytes("'DmdT'"))
                                 .BigEndian32(std::uint32_t(16 + packet.size()))
                                 .BigEndian32(1)
                                 .BigEndian32(4104)
                                 .Append(packet)
                                 .Take();
    for (ncp::ByteView rest(frame); !rest.empty() && m_session.Wanted() > 0;) {
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
    Send(Bytes("1111 00 ff 01 ff 00"));
    const ncp::Bytes frame = Due();
    m_number = frame.size() < 16 ? 0 : std::uint16_t(frame[13] << 8 | frame[11]);
    m_sequence = 0;
    return m_number;
}

std::optional<ncp::Reply> WireClient::Call(std::string_view body)
{
    return Call(Bytes(body));
}

std::optional<ncp::Reply> WireClient::Call(ncp::ByteView body)
{
    const ncp::Bytes address{++m_sequence, std::uint8_t(m_number), 1, std::uint8_t(m_number >> 8)};
    Send(ncp::ByteWriter().BigEndian16(0x2222).Append(address).Append(body).Data());
    const ncp::Bytes frame = Due();
    if (frame.empty()) {
        return std::nullopt;
    }
    const ncp::Bytes header = ncp::ByteWriter()
                                  .Append(Bytes("'tNcP'"))
                                  .BigEndian32(std::uint32_t(frame.size()))
                                  .Append(Bytes("3333"))
                                  .Append(address)
                                  .Take();
    EXPECT_TRUE(std::ranges::equal(header, ncp::ByteView(frame).first(std::min(frame.size(), header.size()))))
        << testing::PrintToString(frame);
    return ncp::DecodeReply(ncp::ByteView(frame).subspan(std::min<std::size_t>(frame.size(), 8)));
}

std::uint8_t WireClient::Login(const std::string &user, const std::string &password)
{
    const ncp::ObjectName object{ncp::kBinderyUser, user};
    const auto key = ncp::DecodeLoginKey(Call("17 0001 17").value_or(ncp::Reply{}).data);
    const auto found = ncp::DecodeBinderyObject(
        Call(bindery(53, ncp::EncodeObjectName(object))).value_or(ncp::Reply{}).data);
    // An object the server does not know is logged in to all the same, so that the server says so.
    const ncp::login::Hash hash = ncp::login::PasswordHash(found ? found->id : ncp::ObjectId{}, password);
    const auto login = Call(bindery(
        24, ncp::EncodeKeyedLogin({ncp::login::Answer(key.value_or(ncp::login::Key{}), hash), object})));
    return login ? login->completion : 0xFF;
}

} // namespace nwsim::test
