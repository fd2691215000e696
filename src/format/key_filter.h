#pragma once
// The key filter of the in-place editor: a numeric cell accepts only what can still make a
// number of its type (or a formula). Plain functions of the editor state, so that the editor,
// paste handling and tests share one rule.
#include <QChar>
#include <QString>
#include <QStringView>
#include "core/model/enums.h"
#include "platform/qor_global.h"

namespace qor {

// Checks one typed character. text is the editor's text, selStart the 0-based caret, selLength
// the selection. Key is set to the null character when it is rejected; control characters
// (below 32) always pass.
QOR_AUTOTEST_EXPORT void MxFormatKeyPress(const QString &text, int selStart, int selLength,
                                          QChar &key, TValueType valueType, int digits);
// The same as a predicate.
QOR_AUTOTEST_EXPORT bool KeyAccepted(const QString &text, int selStart, int selLength, QChar key,
                                     TValueType valueType, int digits);

// A paste goes through only when its characters would be accepted typed one after another at
// the caret (the selection replaced first).
QOR_AUTOTEST_EXPORT bool PasteAccepted(const QString &text, int selStart, int selLength,
                                       const QString &pasted, TValueType valueType, int digits);

} // namespace qor
