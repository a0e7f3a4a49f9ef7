#pragma once

// Runs a script in a page of the browser engine and waits for its result
// (an invalid value when it does not come within ten seconds), in the
// page's own world unless told otherwise.
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

inline QVariant RunJavaScript(QWebEnginePage& page, const QString& js,
                              quint32 world = QWebEngineScript::MainWorld)
{
    QVariant result;
    bool done = false;
    page.runJavaScript(js, world, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    QElapsedTimer waited;
    waited.start();
    while (!done && waited.elapsed() < 10000)
        QTest::qWait(10);
    return result;
}

// Loads an address into the page; true when it loaded within 20 seconds.
inline bool LoadPage(QWebEnginePage& page, const QUrl& url)
{
    QSignalSpy loaded(&page, &QWebEnginePage::loadFinished);
    page.load(url);
    return loaded.wait(20000) && loaded.first().first().toBool();
}
