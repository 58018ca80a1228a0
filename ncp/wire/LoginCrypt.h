#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "ncp/wire/Bytes.h"

// The keyed bindery login: the password never crosses the wire, only a one-way hash of it mixed with the
// key the server hands out for each login.
namespace ncp::login {

using Hash = std::array<std::uint8_t, 16>;
using Key = std::array<std::uint8_t, 8>;
using Response = std::array<std::uint8_t, 8>;
using Salt = std::span<const std::uint8_t, 4>;

// The one-way function: four bytes of salt and a byte string of any length to 16 bytes.
Hash Shuffle(Salt salt, ByteView data);
// What the server stores: the password (as the user typed it; it is upper-cased here, as servers expect)
// hashed with the object ID's four bytes as they came on the wire.
Hash PasswordHash(Salt objectId, std::string_view password);
// The eight bytes a keyed login sends for the stored hash and the server's key.
Response Answer(const Key &key, const Hash &passwordHash);

} // namespace ncp::login
