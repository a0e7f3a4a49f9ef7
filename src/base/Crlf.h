#pragma once

#include <QLatin1String>

// The line end of every generated page and of every multi-line text held in
// memory.
inline constexpr QLatin1String CRLF("\r\n");
