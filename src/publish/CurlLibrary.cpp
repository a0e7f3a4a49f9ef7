#include "publish/CurlLibrary.h"

#include <dlfcn.h>

namespace
{
struct TLoaded
{
    TCurlLibrary api;
    bool ok = false;
    QString reason;
};

template <typename F> bool Resolve(void* library, const char* name, F& function, QString& reason)
{
    function = reinterpret_cast<F>(dlsym(library, name));
    if (!function)
        reason = QStringLiteral("libcurl has no %1").arg(QLatin1String(name));
    return function != nullptr;
}

TLoaded Load()
{
    TLoaded loaded;
    // The name of the library's stable interface; the bare name only where
    // a development package provides nothing else.
    void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        library = dlopen("libcurl.so", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        loaded.reason =
            QStringLiteral("libcurl could not be loaded: %1").arg(QString::fromLocal8Bit(dlerror()));
        return loaded;
    }
    decltype(&curl_global_init) globalInit = nullptr;
    TCurlLibrary& api = loaded.api;
    QString& reason = loaded.reason;
    if (!Resolve(library, "curl_global_init", globalInit, reason) ||
        !Resolve(library, "curl_easy_init", api.easy_init, reason) ||
        !Resolve(library, "curl_easy_reset", api.easy_reset, reason) ||
        !Resolve(library, "curl_easy_setopt", api.easy_setopt, reason) ||
        !Resolve(library, "curl_easy_perform", api.easy_perform, reason) ||
        !Resolve(library, "curl_easy_getinfo", api.easy_getinfo, reason) ||
        !Resolve(library, "curl_easy_strerror", api.easy_strerror, reason) ||
        !Resolve(library, "curl_easy_cleanup", api.easy_cleanup, reason) ||
        !Resolve(library, "curl_slist_append", api.slist_append, reason) ||
        !Resolve(library, "curl_slist_free_all", api.slist_free_all, reason))
        return loaded; // the library stays loaded: unloading gains nothing
    // Not thread-safe in itself; run inside the one-time initialisation.
    if (globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        reason = QStringLiteral("libcurl could not start");
        return loaded;
    }
    loaded.ok = true;
    return loaded;
}
} // namespace

const TCurlLibrary* TCurlLibrary::Get(QString* reason)
{
    static const TLoaded loaded = Load();
    if (!loaded.ok && reason)
        *reason = loaded.reason;
    return loaded.ok ? &loaded.api : nullptr;
}
