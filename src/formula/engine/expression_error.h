#pragma once
// The one exception type of the evaluator: every failure of an evaluation carries an English text.
#include <QString>
#include <stdexcept>
#include <string>

#include "platform/qor_global.h"

namespace qor {

class QOR_EXPORT EExpressionError : public std::runtime_error {
public:
    explicit EExpressionError(const std::string &message) : std::runtime_error(message) {}
    QString Message() const { return QString::fromUtf8(what()); }
};

} // namespace qor
