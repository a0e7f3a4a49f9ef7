#pragma once

// Runs a script in a page of the browser engine and waits for its result
// (an invalid value when it does not come within ten seconds).
#include <QElapsedTimer>
#include <QTest>
#include <QVariant>
#include <QWebEnginePage>

inline QVariant RunJavaScript(QWebEnginePage& page, const QString& js)
{
    QVariant result;
    bool done = false;
    page.runJavaScript(js, [&](const QVariant& v) {
        result = v;
        done = true;
    });
    QElapsedTimer waited;
    waited.start();
    while (!done && waited.elapsed() < 10000)
        QTest::qWait(10);
    return result;
}
