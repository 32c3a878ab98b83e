#pragma once
// Exact 64 x 64 -> 128-bit multiplication and 128 / 64-bit division, the two
// integer primitives the extended arithmetic is built on. The compiler's
// 128-bit integer is used where it has one; the portable versions give the
// same results on any other compiler and are tested against it.

#include <cstdint>

namespace wide {

struct U128 {
  uint64_t hi;
  uint64_t lo;
};

// Portable versions, exposed so that tests can check them on every host.
inline U128 PortableMultiply(uint64_t a, uint64_t b) {
  const uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
  const uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
  const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32),
          (middle << 32) | (p00 & 0xFFFFFFFFu)};
}

// Divides hi:lo by divisor; requires hi < divisor so that the quotient fits
// 64 bits. Long division in base 2^32 with a normalised divisor (two
// quotient digits, each estimated from the top digits and corrected).
inline uint64_t PortableDivide(uint64_t hi, uint64_t lo, uint64_t divisor, uint64_t* remainder) {
  int shift = 0;
  while (!(divisor & (uint64_t{1} << 63))) {
    divisor <<= 1;
    ++shift;
  }
  if (shift) {
    hi = (hi << shift) | (lo >> (64 - shift));
    lo <<= shift;
  }
  const uint64_t d1 = divisor >> 32, d0 = divisor & 0xFFFFFFFFu;
  const uint64_t l1 = lo >> 32, l0 = lo & 0xFFFFFFFFu;

  uint64_t q1 = hi / d1;
  uint64_t r = hi - q1 * d1;
  while (q1 >> 32 || q1 * d0 > ((r << 32) | l1)) {
    --q1;
    r += d1;
    if (r >> 32) break;
  }
  const uint64_t top = (hi << 32) + l1 - q1 * divisor;  // fits 64 bits

  uint64_t q0 = top / d1;
  r = top - q0 * d1;
  while (q0 >> 32 || q0 * d0 > ((r << 32) | l0)) {
    --q0;
    r += d1;
    if (r >> 32) break;
  }
  const uint64_t rest = (top << 32) + l0 - q0 * divisor;
  *remainder = rest >> shift;
  return (q1 << 32) | q0;
}

inline U128 Multiply(uint64_t a, uint64_t b) {
#if defined(__SIZEOF_INT128__)
  const unsigned __int128 p = static_cast<unsigned __int128>(a) * b;
  return {static_cast<uint64_t>(p >> 64), static_cast<uint64_t>(p)};
#else
  return PortableMultiply(a, b);
#endif
}

inline uint64_t Divide(uint64_t hi, uint64_t lo, uint64_t divisor, uint64_t* remainder) {
#if defined(__SIZEOF_INT128__)
  const unsigned __int128 n = (static_cast<unsigned __int128>(hi) << 64) | lo;
  *remainder = static_cast<uint64_t>(n % divisor);
  return static_cast<uint64_t>(n / divisor);
#else
  return PortableDivide(hi, lo, divisor, remainder);
#endif
}

inline int LeadingZeros(uint64_t x) {  // x != 0
#if defined(__GNUC__)
  return __builtin_clzll(x);
#else
  int n = 0;
  while (!(x & (uint64_t{1} << 63))) {
    x <<= 1;
    ++n;
  }
  return n;
#endif
}

}  // namespace wide
