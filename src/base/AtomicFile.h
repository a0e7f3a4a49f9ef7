#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

// Replaces the file with the bytes in one step: a write that fails leaves
// the old file as it was, and says why (the file's path is the place).
TStatus WriteFileAtomically(const QString& path, const QByteArray& bytes);
