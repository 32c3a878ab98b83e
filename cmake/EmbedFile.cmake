# Writes OUTPUT, a C++ file holding the bytes of INPUT behind SYMBOL().
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.
#include <cstdint>
#include <span>
namespace {
alignas(16) constexpr std::uint8_t kBytes[${size}] = {
${bytes}
};
}  // namespace
std::span<const std::uint8_t> ${SYMBOL}() { return {kBytes, ${size}}; }
")
