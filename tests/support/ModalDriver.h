#pragma once

// Answers modal dialogs in GUI tests: the action runs on the next modal
// dialog of the wanted class once it is shown (the modal call itself runs
// its own event loop meanwhile). Nested dialogs are answered by registering
// the next action inside the outer one.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

template <typename Dialog> void WhenModal(std::function<void(Dialog*)> act)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(dialog);
    });
    poll->start();
}

#include <QTest>

// Types a text key by key, each key carrying its character (so "ü" and "@"
// arrive as a keyboard layout delivers them).
inline void TypeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Replaces a text box's text by typing: select all, then type.
inline void Retype(QWidget* widget, const QString& text)
{
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Delete);
    TypeText(widget, text);
}
