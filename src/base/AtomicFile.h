#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

// Replaces the file with the bytes in one step: a write that fails leaves
// the old file as it was, and says why (the file's path is the place).
// ownerOnly: only the user may read and write the file (it holds passwords).
TStatus WriteFileAtomically(const QString& path, const QByteArray& bytes, bool ownerOnly = false);
