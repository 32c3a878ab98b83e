#include "core/extended.h"

#include <bit>
#include <cstring>
#include <utility>

#include "core/wide_uint.h"

namespace {

constexpr int kBias = 16383;
constexpr int kMaxExponent = 0x7FFF;
constexpr uint64_t kLeadingBit = uint64_t{1} << 63;
constexpr uint64_t kQuietBit = uint64_t{1} << 62;
constexpr uint64_t kHalf = kLeadingBit;  // of the bits below the last place

// The x87 "indefinite": the NaN that an invalid operation delivers.
constexpr Extended kDefaultNaN = Extended::FromBits(0xFFFF, 0xC000000000000000u);

enum class Kind { kZero, kFinite, kInfinite, kNaN, kUnsupported };

// A finite non-zero value as sig * 2^(exponent - kBias - 63), with the
// leading bit of sig set; a subnormal gets an exponent below 1.
struct Unpacked {
  bool negative;
  int32_t exponent;
  uint64_t sig;
};

Kind Classify(const Extended& x) {
  const int e = x.SignExponent() & 0x7FFF;
  const uint64_t s = x.Significand();
  if (e == kMaxExponent) {
    if (!(s & kLeadingBit)) return Kind::kUnsupported;  // pseudo-infinity / pseudo-NaN
    return (s << 1) ? Kind::kNaN : Kind::kInfinite;
  }
  if (e == 0) return s ? Kind::kFinite : Kind::kZero;  // subnormal or pseudo-denormal
  return (s & kLeadingBit) ? Kind::kFinite : Kind::kUnsupported;  // unnormal
}

bool IsSignalling(const Extended& x) {
  return Classify(x) == Kind::kNaN && !(x.Significand() & kQuietBit);
}

Unpacked Unpack(const Extended& x) {
  int32_t e = x.SignExponent() & 0x7FFF;
  uint64_t s = x.Significand();
  if (e == 0) {
    // A subnormal has the scale of exponent 1; normalise it.
    const int shift = wide::LeadingZeros(s);
    s <<= shift;
    e = 1 - shift;
  }
  return {x.IsNegative(), e, s};
}

Extended Pack(bool negative, int exponent, uint64_t sig) {
  return Extended::FromBits(static_cast<uint16_t>((negative ? 0x8000 : 0) | exponent), sig);
}

Extended Infinity(bool negative) { return Pack(negative, kMaxExponent, kLeadingBit); }
Extended Zero(bool negative) { return Pack(negative, 0, 0); }

// Shifts hi:lo right by count (>= 1), ORing every bit shifted out into the
// lowest bit so that the rounding still sees that something was there.
void ShiftRightJam(uint64_t& hi, uint64_t& lo, int64_t count) {
  if (count >= 128) {
    lo = (hi | lo) != 0;
    hi = 0;
  } else if (count >= 64) {
    const int c = static_cast<int>(count - 64);
    const uint64_t lost = (c ? (hi << (64 - c)) : 0) | lo;
    lo = (c ? (hi >> c) : hi) | (lost != 0);
    hi = 0;
  } else {
    const int c = static_cast<int>(count);
    const uint64_t lost = lo << (64 - c);
    lo = (hi << (64 - c)) | (lo >> c) | (lost != 0);
    hi >>= c;
  }
}

bool RoundsUp(uint64_t sig, uint64_t extra) {
  return extra > kHalf || (extra == kHalf && (sig & 1));
}

// Rounds sig (leading bit set) with the bits below it in extra (its top bit
// the half, the rest sticky) at the given exponent, to nearest even, into the
// extended range.
Extended RoundPack(bool negative, int64_t exponent, uint64_t sig, uint64_t extra, FloatFlags& flags) {
  if (exponent >= kMaxExponent) {
    flags |= kFlagOverflow | kFlagInexact;
    return Infinity(negative);
  }
  if (exponent <= 0) {
    // Tiny unless rounding at full precision would carry up to the smallest
    // normal number (detection after rounding).
    const bool tiny = exponent < 0 || sig != ~uint64_t{0} || extra < kHalf;
    ShiftRightJam(sig, extra, 1 - exponent);
    if (extra) {
      flags |= kFlagInexact;
      if (tiny) flags |= kFlagUnderflow;
    }
    if (RoundsUp(sig, extra)) ++sig;
    // Rounding up to the leading bit makes it the smallest normal number.
    return Pack(negative, (sig & kLeadingBit) ? 1 : 0, sig);
  }
  if (extra) flags |= kFlagInexact;
  if (RoundsUp(sig, extra)) {
    if (++sig == 0) {
      sig = kLeadingBit;
      if (++exponent >= kMaxExponent) {
        flags |= kFlagOverflow | kFlagInexact;
        return Infinity(negative);
      }
    }
  }
  return Pack(negative, static_cast<int>(exponent), sig);
}

// The NaN that an operation with a NaN operand delivers, as the x87 unit
// chooses it: a signalling operand raises invalid; a quiet NaN operand wins
// over a signalling one; of two NaNs of the same kind the one with the larger
// significand wins. The result is always quiet.
Extended PropagateNaN(const Extended& a, const Extended& b, FloatFlags& flags) {
  const bool a_nan = Classify(a) == Kind::kNaN, b_nan = Classify(b) == Kind::kNaN;
  const bool a_sig = IsSignalling(a), b_sig = IsSignalling(b);
  const auto quiet = [](const Extended& x) {
    return Extended::FromBits(x.SignExponent(), x.Significand() | kQuietBit);
  };
  if (a_sig || b_sig) flags |= kFlagInvalid;
  if (a_nan && !b_nan) return quiet(a);
  if (b_nan && !a_nan) return quiet(b);
  if (a_sig != b_sig) return quiet(a_sig ? b : a);
  const uint64_t sa = a.Significand() | kQuietBit, sb = b.Significand() | kQuietBit;
  if (sa != sb) return quiet(sa > sb ? a : b);
  return quiet(a.IsNegative() ? b : a);
}

// The common head of the binary operations: NaNs and unsupported encodings.
// Returns true and sets result when that settles the operation.
bool HandleNonNumbers(const Extended& a, const Extended& b, Kind ka, Kind kb, Extended& result,
                      FloatFlags& flags) {
  if (ka == Kind::kUnsupported || kb == Kind::kUnsupported) {
    flags |= kFlagInvalid;
    result = kDefaultNaN;
    return true;
  }
  if (ka == Kind::kNaN || kb == Kind::kNaN) {
    result = PropagateNaN(a, b, flags);
    return true;
  }
  return false;
}

Extended AddMagnitudes(Unpacked a, Unpacked b, FloatFlags& flags) {
  if (a.exponent < b.exponent) std::swap(a, b);
  const int64_t d = int64_t{a.exponent} - b.exponent;
  uint64_t bsig = b.sig, bextra = 0;
  if (d) ShiftRightJam(bsig, bextra, d);
  const uint64_t sum = a.sig + bsig;
  if (sum < a.sig) {  // carry out: shift the 65-bit sum right by one
    const uint64_t extra = ((sum & 1) << 63) | (bextra >> 1) | (bextra & 1);
    return RoundPack(a.negative, int64_t{a.exponent} + 1, (sum >> 1) | kLeadingBit, extra, flags);
  }
  return RoundPack(a.negative, a.exponent, sum, bextra, flags);
}

Extended SubtractMagnitudes(Unpacked a, Unpacked b, FloatFlags& flags) {
  // The result takes the sign of the operand of larger magnitude.
  if (a.exponent < b.exponent || (a.exponent == b.exponent && a.sig < b.sig)) std::swap(a, b);
  if (a.exponent == b.exponent) {
    const uint64_t diff = a.sig - b.sig;
    if (diff == 0) return Zero(false);  // x - x is +0 when rounding to nearest
    const int shift = wide::LeadingZeros(diff);
    return RoundPack(a.negative, int64_t{a.exponent} - shift, diff << shift, 0, flags);
  }
  // At a distance of 1 nothing is shifted out and the difference may need
  // any normalisation; from 2 on (the only case with a sticky bit) it is at
  // least 2^126 and needs at most one bit, so the sticky bit stays below the
  // half.
  uint64_t bhi = b.sig, blo = 0;
  ShiftRightJam(bhi, blo, int64_t{a.exponent} - b.exponent);
  uint64_t hi = a.sig - bhi - (blo != 0);
  uint64_t lo = 0 - blo;
  int64_t exponent = a.exponent;
  if (hi == 0) {  // exact: b.sig / 2 took nearly all of a.sig
    hi = lo;
    lo = 0;
    exponent -= 64;
  }
  if (const int shift = wide::LeadingZeros(hi)) {
    hi = (hi << shift) | (lo >> (64 - shift));
    lo <<= shift;
    exponent -= shift;
  }
  return RoundPack(a.negative, exponent, hi, lo, flags);
}

// A zero operand leaves the other unchanged, but a subnormal is delivered in
// its canonical encoding: renormalise through RoundPack (exact, no flags).
Extended Canonical(const Extended& x) {
  if (Classify(x) != Kind::kFinite) return x;
  const Unpacked u = Unpack(x);
  FloatFlags ignored = 0;
  return RoundPack(u.negative, u.exponent, u.sig, 0, ignored);
}

Extended AddSigned(const Extended& a, const Extended& b, bool negate_b, FloatFlags& flags) {
  const Kind ka = Classify(a), kb = Classify(b);
  Extended result;
  if (HandleNonNumbers(a, b, ka, kb, result, flags)) return result;
  const bool a_neg = a.IsNegative();
  const bool b_neg = b.IsNegative() != negate_b;
  if (ka == Kind::kInfinite || kb == Kind::kInfinite) {
    if (ka == Kind::kInfinite && kb == Kind::kInfinite && a_neg != b_neg) {
      flags |= kFlagInvalid;
      return kDefaultNaN;
    }
    return Infinity(ka == Kind::kInfinite ? a_neg : b_neg);
  }
  if (kb == Kind::kZero) {
    if (ka == Kind::kZero) return Zero(a_neg && b_neg);
    return Canonical(a);
  }
  if (ka == Kind::kZero) return Canonical(negate_b ? -b : b);
  Unpacked ua = Unpack(a), ub = Unpack(b);
  ub.negative = b_neg;
  return a_neg == b_neg ? AddMagnitudes(ua, ub, flags) : SubtractMagnitudes(ua, ub, flags);
}

}  // namespace

Extended Extended::FromDouble(double value, FloatFlags& flags) {
  const uint64_t bits = std::bit_cast<uint64_t>(value);
  const bool negative = bits >> 63;
  const int e = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t fraction = bits & 0xFFFFFFFFFFFFFu;
  if (e == 0x7FF) {
    if (!fraction) return Infinity(negative);
    if (!(fraction & (uint64_t{1} << 51))) flags |= kFlagInvalid;  // signalling
    return Pack(negative, kMaxExponent, kLeadingBit | kQuietBit | (fraction << 11));
  }
  if (e == 0) {
    if (!fraction) return Zero(negative);
    const int shift = wide::LeadingZeros(fraction);
    // fraction * 2^-1074 = (fraction << shift) * 2^(E - kBias - 63)
    return Pack(negative, -1074 + 63 + kBias - shift, fraction << shift);
  }
  return Pack(negative, e - 1023 + kBias, kLeadingBit | (fraction << 11));
}

Extended Extended::FromUint64(uint64_t value) {
  if (!value) return Extended();
  const int shift = wide::LeadingZeros(value);
  return Pack(false, kBias + 63 - shift, value << shift);
}

Extended Extended::FromInt64(int64_t value) {
  const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  const Extended x = FromUint64(magnitude);
  return value < 0 ? -x : x;
}

double Extended::ToDouble(FloatFlags& flags) const {
  const uint64_t sign = IsNegative() ? uint64_t{1} << 63 : 0;
  const auto make = [](uint64_t bits) { return std::bit_cast<double>(bits); };
  switch (Classify(*this)) {
    case Kind::kZero:
      return make(sign);
    case Kind::kInfinite:
      return make(sign | 0x7FF0000000000000u);
    case Kind::kUnsupported:
      flags |= kFlagInvalid;
      return make(0xFFF8000000000000u);
    case Kind::kNaN:
      if (!(significand_ & kQuietBit)) flags |= kFlagInvalid;
      return make(sign | 0x7FF8000000000000u | ((significand_ >> 11) & 0xFFFFFFFFFFFFFu));
    case Kind::kFinite:
      break;
  }
  const Unpacked u = Unpack(*this);
  const int64_t e = int64_t{u.exponent} - kBias;  // value = sig * 2^(e - 63)
  const uint64_t overflowed = sign | 0x7FF0000000000000u;
  if (e > 1023) {
    flags |= kFlagOverflow | kFlagInexact;
    return make(overflowed);
  }
  if (e >= -1022) {
    uint64_t mantissa = u.sig >> 11;
    const uint64_t rest = u.sig << 53;  // the 11 dropped bits, at the top
    int64_t biased = e + 1023;
    if (rest) flags |= kFlagInexact;
    if (RoundsUp(mantissa, rest)) {
      if (++mantissa == uint64_t{1} << 53) {
        mantissa >>= 1;
        if (++biased > 2046) {
          flags |= kFlagOverflow | kFlagInexact;
          return make(overflowed);
        }
      }
    }
    return make(sign | (static_cast<uint64_t>(biased) << 52) | (mantissa & 0xFFFFFFFFFFFFFu));
  }
  // Subnormal double: fewer bits, tininess judged after rounding at 53 bits.
  const bool tiny = e < -1023 || (u.sig >> 11) != (uint64_t{1} << 53) - 1 || (u.sig << 53) < kHalf;
  uint64_t mantissa = u.sig, extra = 0;
  ShiftRightJam(mantissa, extra, 11 + (-1022 - e));
  if (extra) {
    flags |= kFlagInexact;
    if (tiny) flags |= kFlagUnderflow;
  }
  if (RoundsUp(mantissa, extra)) ++mantissa;  // reaching 2^52 gives the smallest normal
  return make(sign | mantissa);
}

bool Extended::IsZero() const { return Classify(*this) == Kind::kZero; }
bool Extended::IsNaN() const { return Classify(*this) == Kind::kNaN; }
bool Extended::IsInfinite() const { return Classify(*this) == Kind::kInfinite; }

Extended Add(const Extended& a, const Extended& b, FloatFlags& flags) {
  return AddSigned(a, b, false, flags);
}

Extended Subtract(const Extended& a, const Extended& b, FloatFlags& flags) {
  return AddSigned(a, b, true, flags);
}

Extended Multiply(const Extended& a, const Extended& b, FloatFlags& flags) {
  const Kind ka = Classify(a), kb = Classify(b);
  Extended result;
  if (HandleNonNumbers(a, b, ka, kb, result, flags)) return result;
  const bool negative = a.IsNegative() != b.IsNegative();
  if (ka == Kind::kInfinite || kb == Kind::kInfinite) {
    if (ka == Kind::kZero || kb == Kind::kZero) {
      flags |= kFlagInvalid;
      return kDefaultNaN;
    }
    return Infinity(negative);
  }
  if (ka == Kind::kZero || kb == Kind::kZero) return Zero(negative);
  const Unpacked ua = Unpack(a), ub = Unpack(b);
  const wide::U128 p = wide::Multiply(ua.sig, ub.sig);
  const int64_t exponent = int64_t{ua.exponent} + ub.exponent - kBias;
  if (p.hi & kLeadingBit) return RoundPack(negative, exponent + 1, p.hi, p.lo, flags);
  return RoundPack(negative, exponent, (p.hi << 1) | (p.lo >> 63), p.lo << 1, flags);
}

Extended Divide(const Extended& a, const Extended& b, FloatFlags& flags) {
  const Kind ka = Classify(a), kb = Classify(b);
  Extended result;
  if (HandleNonNumbers(a, b, ka, kb, result, flags)) return result;
  const bool negative = a.IsNegative() != b.IsNegative();
  if (ka == Kind::kInfinite) {
    if (kb == Kind::kInfinite) {
      flags |= kFlagInvalid;
      return kDefaultNaN;
    }
    return Infinity(negative);
  }
  if (kb == Kind::kInfinite) return Zero(negative);
  if (kb == Kind::kZero) {
    if (ka == Kind::kZero) {
      flags |= kFlagInvalid;
      return kDefaultNaN;
    }
    flags |= kFlagZeroDivide;
    return Infinity(negative);
  }
  if (ka == Kind::kZero) return Zero(negative);
  const Unpacked ua = Unpack(a), ub = Unpack(b);
  int64_t exponent = int64_t{ua.exponent} - ub.exponent + kBias;
  uint64_t hi = ua.sig, lo = 0;
  if (ua.sig < ub.sig) {
    --exponent;
  } else {
    lo = hi << 63;
    hi >>= 1;
  }
  uint64_t remainder;
  const uint64_t quotient = wide::Divide(hi, lo, ub.sig, &remainder);
  // Only the position of the remainder against half the divisor matters.
  uint64_t extra = 0;
  if (remainder) {
    const uint64_t other = ub.sig - remainder;
    extra = remainder < other ? 1 : remainder == other ? kHalf : kHalf | 1;
  }
  return RoundPack(negative, exponent, quotient, extra, flags);
}

FloatOrder Compare(const Extended& a, const Extended& b, FloatFlags& flags) {
  const Kind ka = Classify(a), kb = Classify(b);
  if (ka == Kind::kUnsupported || kb == Kind::kUnsupported || IsSignalling(a) || IsSignalling(b)) {
    flags |= kFlagInvalid;
    return FloatOrder::kUnordered;
  }
  if (ka == Kind::kNaN || kb == Kind::kNaN) return FloatOrder::kUnordered;
  if (ka == Kind::kZero && kb == Kind::kZero) return FloatOrder::kEqual;
  // Order by sign, then by magnitude (infinity above every finite value).
  const auto magnitude_less = [](const Extended& x, Kind kx, const Extended& y, Kind ky) {
    if (kx == Kind::kZero) return ky != Kind::kZero;
    if (ky == Kind::kZero || kx == Kind::kInfinite) return false;
    if (ky == Kind::kInfinite) return true;
    const Unpacked ux = Unpack(x), uy = Unpack(y);
    return ux.exponent < uy.exponent || (ux.exponent == uy.exponent && ux.sig < uy.sig);
  };
  const bool a_neg = a.IsNegative() && ka != Kind::kZero;
  const bool b_neg = b.IsNegative() && kb != Kind::kZero;
  if (a_neg != b_neg) return a_neg ? FloatOrder::kLess : FloatOrder::kGreater;
  if (magnitude_less(a, ka, b, kb)) return a_neg ? FloatOrder::kGreater : FloatOrder::kLess;
  if (magnitude_less(b, kb, a, ka)) return a_neg ? FloatOrder::kLess : FloatOrder::kGreater;
  return FloatOrder::kEqual;
}
