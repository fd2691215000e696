#include "io/extended80.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace qor {

// Layout: 64-bit significand with an explicit integer bit (bytes 0-7), then 15 bits of
// exponent biased by 16383 and the sign bit (bytes 8-9), little-endian.

Extended80 DoubleToExtended(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, 8);
    const bool negative = bits >> 63;
    const int exp = int((bits >> 52) & 0x7FF);
    uint64_t frac = bits & ((uint64_t(1) << 52) - 1);

    uint16_t e = 0;
    uint64_t mant = 0;
    if (exp == 0x7FF) { // infinity or NaN
        e = 0x7FFF;
        mant = (uint64_t(1) << 63) | (frac << 11);
    } else if (exp == 0) {
        if (frac != 0) { // subnormal double: normalise, the extended range holds it
            int shift = 0;
            while (!(frac & (uint64_t(1) << 52))) {
                frac <<= 1;
                ++shift;
            }
            e = uint16_t(1 - 1023 - shift + 16383);
            mant = frac << 11;
        }
    } else {
        e = uint16_t(exp - 1023 + 16383);
        mant = (uint64_t(1) << 63) | (frac << 11);
    }
    if (negative)
        e |= 0x8000;
    Extended80 out{};
    for (int i = 0; i < 8; ++i)
        out[i] = uint8_t(mant >> (8 * i));
    out[8] = uint8_t(e);
    out[9] = uint8_t(e >> 8);
    return out;
}

double ExtendedToDouble(const Extended80 &b)
{
    uint64_t mant = 0;
    for (int i = 7; i >= 0; --i)
        mant = (mant << 8) | b[i];
    const uint16_t se = uint16_t(b[8] | (b[9] << 8));
    const bool negative = se & 0x8000;
    const int e = se & 0x7FFF;
    // Every double converts to a normalised value with the low 11 significand bits clear:
    // those come back bit for bit.
    const int unbiased = e - 16383;
    if ((mant >> 63) && (mant & 0x7FF) == 0 && unbiased >= -1022 && unbiased <= 1023) {
        const uint64_t bits = (uint64_t(negative) << 63) | (uint64_t(unbiased + 1023) << 52) |
                              ((mant << 1) >> 12);
        double v;
        std::memcpy(&v, &bits, 8);
        return v;
    }
    double result;
    if (e == 0x7FFF) {
        const bool nan = (mant & ~(uint64_t(1) << 63)) != 0;
        result = nan ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
    } else if (mant == 0) {
        result = 0.0;
    } else {
        // value = mant * 2^(e - 16383 - 63); ldexp rounds once into the double range.
        const int exp2 = (e == 0 ? 1 : e) - 16383 - 63;
        // Split the 64-bit significand so no precision is lost before ldexp rounds.
        const double hi = double(mant >> 11) * 2048.0;
        const double lo = double(mant & 0x7FF);
        result = std::ldexp(hi, exp2) + std::ldexp(lo, exp2);
    }
    return negative ? -result : result;
}

} // namespace qor
