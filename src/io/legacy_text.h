#pragma once
// 8-bit texts of streams written before version 9 and of the narrow font record.
#include <QByteArray>
#include <QString>
#include "platform/qor_global.h"

namespace qor {

enum class LegacyCodePage { Utf8, Gbk, Latin1 };

// The code page that legacy 8-bit texts are read and written in (UTF-8 unless the host says
// its old files came from a Chinese or Western system).
QOR_EXPORT void SetLegacyCodePage(LegacyCodePage page);
QOR_EXPORT LegacyCodePage GetLegacyCodePage();

QOR_EXPORT QString DecodeLegacyText(const QByteArray &bytes);
QOR_EXPORT QByteArray EncodeLegacyText(const QString &text);

} // namespace qor
