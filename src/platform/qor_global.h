#pragma once
// Export macros of the qorgrid shared library.
#include <QtCore/qglobal.h>

#if defined(QOR_BUILD_LIB)
#  define QOR_EXPORT Q_DECL_EXPORT
#else
#  define QOR_EXPORT Q_DECL_IMPORT
#endif

// Internals that the test suites reach; not part of the public API.
#define QOR_AUTOTEST_EXPORT QOR_EXPORT
