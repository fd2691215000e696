#pragma once
// The built-in function table of the evaluator.
#include <string_view>

#include "formula/engine/exp_value.h"
#include "platform/qor_global.h"

class QRandomGenerator;

namespace qor::exp {

// Computes the built-in named `name` (any case) into value. False when there is no such
// built-in or it was given too few arguments: the name is then resolved elsewhere.
QOR_AUTOTEST_EXPORT bool CallBuiltin(std::string_view name, const ExpValue *args, int argCount, ExpValue &value,
                                     QRandomGenerator &random);

} // namespace qor::exp
