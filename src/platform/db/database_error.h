#pragma once
// The error a data set raises when it refuses an operation or the database refuses a write.
#include <QString>
#include <stdexcept>
#include "platform/qor_global.h"

namespace qor::db {

class QOR_EXPORT EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString &Message() const { return m_message; }

private:
    QString m_message;
};

} // namespace qor::db
