// libFuzzer target: any bytes as a project file, then both generators.
// Build with -DQUORVEL_FUZZ=ON and clang; run as scripts/fuzz.sh does.
#include "FuzzProject.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString dataDir = [] {
        const QString env = qEnvironmentVariable("QUORVEL_DATA_DIR");
        return env.isEmpty() ? QStringLiteral(QUORVEL_FUZZ_DATA_DIR) : env;
    }();
    static const TLanguageTexts texts(dataDir + QStringLiteral("/lang.ini"), nullptr);
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    (void)FuzzProject::Run(bytes, texts, dataDir);
    return 0;
}
