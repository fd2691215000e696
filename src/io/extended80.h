#pragma once
// The 80-bit extended floats of stored records, converted without reinterpreting long double.
#include <array>
#include <cstdint>
#include "platform/qor_global.h"

namespace qor {

using Extended80 = std::array<uint8_t, 10>;

QOR_EXPORT Extended80 DoubleToExtended(double value);
// Values beyond the double range become infinities, those below it zero (with their sign).
QOR_EXPORT double ExtendedToDouble(const Extended80 &bytes);

} // namespace qor
