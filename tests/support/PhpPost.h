#pragma once

// Requests to the pages of the end-to-end tests as a browser sends them: a
// GET, or a POST of a form (multipart) with optional files; and what PHP
// keeps in a session file.
#include <QFile>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QUrl>
#include <utility>

#include <sys/file.h>

namespace PhpPost
{
// A form's values in the order the browser sends them (a name may repeat).
using Post = QList<std::pair<QString, QString>>;
// Files as field name and contents.
using Files = QList<std::pair<QString, QByteArray>>;

struct Response
{
    int status = 0;
    QByteArray body;
    QString location;
    QList<QNetworkReply::RawHeaderPair> headers;

    QByteArray Header(const QByteArray& name) const
    {
        for (const auto& [key, value] : headers)
            if (key.compare(name, Qt::CaseInsensitive) == 0)
                return value;
        return QByteArray();
    }
};

struct Options
{
    bool latin1 = false; // the values as a browser posts them from a single-byte page
    // The name and type every posted file arrives with.
    QString fileName = QStringLiteral("../../etc/evil name.txt");
    QString fileType = QStringLiteral("text/html");
};

// Redirects are not followed: the response says where they lead.
inline Response Request(QNetworkAccessManager& net, const QUrl& url, const Post& post = {},
                        const Files& files = {}, const Options& options = {})
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    // A fresh connection per request: PHP's single-threaded server closes
    // its connections, and a request that went out on one it had just
    // closed is sent again and runs twice (drawing a second picture code,
    // say).
    net.clearConnectionCache();
    request.setRawHeader("Connection", "close");
    QNetworkReply* reply;
    if (post.isEmpty() && files.isEmpty()) {
        reply = net.get(request);
    } else {
        auto* multi = new QHttpMultiPart(QHttpMultiPart::FormDataType);
        for (const auto& [key, value] : post) {
            QHttpPart part;
            part.setHeader(QNetworkRequest::ContentDispositionHeader,
                           QStringLiteral("form-data; name=\"%1\"").arg(key));
            part.setBody(options.latin1 ? value.toLatin1() : value.toUtf8());
            multi->append(part);
        }
        for (const auto& [key, data] : files) {
            QHttpPart part;
            part.setHeader(
                QNetworkRequest::ContentDispositionHeader,
                QStringLiteral("form-data; name=\"%1\"; filename=\"%2\"").arg(key, options.fileName));
            part.setHeader(QNetworkRequest::ContentTypeHeader, options.fileType);
            part.setBody(data);
            multi->append(part);
        }
        reply = net.post(request, multi);
        multi->setParent(reply);
    }
    QSignalSpy done(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        done.wait(20000);
    Response r{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
               QString::fromLatin1(reply->rawHeader("Location")), reply->rawHeaderPairs()};
    delete reply;
    return r;
}

// Sets the first value of that name, or appends one.
inline void Set(Post& post, const QString& key, const QString& value)
{
    for (auto& [name, old] : post)
        if (name == key) {
            old = value;
            return;
        }
    post.append({key, value});
}

inline QString Value(const Post& post, const QString& key)
{
    for (const auto& [name, value] : post)
        if (name == key)
            return value;
    return QString();
}

// The post appended with the hidden values of a form's page, as a browser
// sends them.
inline Post WithHiddenValues(Post post, const QString& page)
{
    const QRegularExpression hidden(
        QStringLiteral("<input type=\"hidden\" name=\"([^\"]+)\" value=\"([^\"]*)\">"));
    for (auto it = hidden.globalMatch(page); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        post.append({m.captured(1), m.captured(2).replace(QLatin1String("&amp;"), QLatin1String("&"))});
    }
    return post;
}

// The picture code a PHP session file holds; empty when it holds none.
inline QString SessionCaptcha(const QString& sessionFile)
{
    QFile f(sessionFile);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    // PHP's server may answer before it has written the session; it holds
    // the file's lock until then.
    flock(f.handle(), LOCK_SH);
    const QString text = QString::fromLatin1(f.readAll());
    flock(f.handle(), LOCK_UN);
    return QRegularExpression(QStringLiteral("captcha\\|s:\\d+:\"([^\"]*)\"")).match(text).captured(1);
}

// The session file of the client net is, by the cookie that names it;
// empty when net holds no such cookie for the site.
inline QString SessionFile(QNetworkAccessManager& net, const QUrl& site, const QString& sessions,
                           const QByteArray& cookieName = "PHPSESSID")
{
    for (const QNetworkCookie& c : net.cookieJar()->cookiesForUrl(site))
        if (c.name() == cookieName)
            return sessions + QStringLiteral("/sess_") + QString::fromLatin1(c.value());
    return QString();
}
} // namespace PhpPost
