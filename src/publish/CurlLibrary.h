#pragma once

#include <QString>

#include <curl/curl.h>

#include <type_traits>

// libcurl, loaded when the first transfer needs it instead of with the
// program: it brings some twenty libraries of its own (TLS, SSH, LDAP, ...)
// that every start would otherwise load and relocate for a feature used now
// and then. The members are libcurl's own functions under their names
// without the prefix.
struct TCurlLibrary
{
    decltype(&curl_easy_init) easy_init = nullptr;
    decltype(&curl_easy_reset) easy_reset = nullptr;
    decltype(&curl_easy_setopt) easy_setopt = nullptr;
    decltype(&curl_easy_perform) easy_perform = nullptr;
    decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
    decltype(&curl_easy_strerror) easy_strerror = nullptr;
    decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
    decltype(&curl_slist_append) slist_append = nullptr;
    decltype(&curl_slist_free_all) slist_free_all = nullptr;

    // easy_setopt for the three kinds of value libcurl reads from its
    // variable argument; anything else (an int, say) would be read wrongly.
    template <typename T> CURLcode SetOpt(CURL* handle, CURLoption option, T value) const
    {
        static_assert(std::is_pointer_v<T> || std::is_same_v<T, long> || std::is_same_v<T, curl_off_t>,
                      "libcurl takes a long, a curl_off_t or a pointer");
        return easy_setopt(handle, option, value);
    }

    // Loaded and initialised once per process, on first use from any
    // thread; nullptr when the library or one of its functions is missing,
    // with the reason in *reason.
    static const TCurlLibrary* Get(QString* reason = nullptr);
};
