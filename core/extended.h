#pragma once
// The 80-bit extended floating-point format (sign, 15-bit exponent with bias
// 16383, 64-bit significand with an explicit leading bit), computed in
// software with plain integer operations so that every result and every
// exception flag is the same on every processor, whatever its control word,
// and under every compiler.
//
// Every operation rounds to nearest, ties to even, to 64 bits within the
// extended exponent range, with subnormal results. Nothing traps: each
// operation ORs the exceptions it raises into the caller's FloatFlags, and
// the caller decides which of them are errors. Tininess is detected after
// rounding, and underflow is flagged only for an inexact tiny result, as the
// x87 unit does with underflow masked.

#include <cstdint>

// Exception flags, at the bit positions of the x87 status word.
using FloatFlags = unsigned;
inline constexpr FloatFlags kFlagInvalid = 0x01;
inline constexpr FloatFlags kFlagZeroDivide = 0x04;
inline constexpr FloatFlags kFlagOverflow = 0x08;
inline constexpr FloatFlags kFlagUnderflow = 0x10;
inline constexpr FloatFlags kFlagInexact = 0x20;

class Extended {
 public:
  constexpr Extended() = default;  // +0

  // The raw encoding: the top 16 bits (sign and exponent) and the significand.
  static constexpr Extended FromBits(uint16_t sign_exponent, uint64_t significand) {
    Extended x;
    x.sign_exponent_ = sign_exponent;
    x.significand_ = significand;
    return x;
  }
  constexpr uint16_t SignExponent() const { return sign_exponent_; }
  constexpr uint64_t Significand() const { return significand_; }

  // Exact conversions. A signalling NaN double raises invalid and loads quiet.
  static Extended FromDouble(double value, FloatFlags& flags);
  static Extended FromInt64(int64_t value);
  static Extended FromUint64(uint64_t value);

  // Rounds to double (53 bits, the double exponent range, subnormals).
  double ToDouble(FloatFlags& flags) const;

  constexpr bool IsNegative() const { return sign_exponent_ & 0x8000; }
  bool IsZero() const;
  bool IsNaN() const;       // quiet or signalling
  bool IsInfinite() const;

  // Changes the sign only; raises nothing.
  constexpr Extended operator-() const {
    return FromBits(static_cast<uint16_t>(sign_exponent_ ^ 0x8000), significand_);
  }

  friend constexpr bool operator==(const Extended& a, const Extended& b) = default;  // bitwise

 private:
  uint16_t sign_exponent_ = 0;
  uint64_t significand_ = 0;
};

Extended Add(const Extended& a, const Extended& b, FloatFlags& flags);
Extended Subtract(const Extended& a, const Extended& b, FloatFlags& flags);
Extended Multiply(const Extended& a, const Extended& b, FloatFlags& flags);
Extended Divide(const Extended& a, const Extended& b, FloatFlags& flags);

// Numeric comparison (+0 equals -0); a NaN compares unordered. Only a
// signalling NaN or an unsupported encoding raises invalid.
enum class FloatOrder { kLess, kEqual, kGreater, kUnordered };
FloatOrder Compare(const Extended& a, const Extended& b, FloatFlags& flags);
