#include "app/ui/Screenshots.h"

#include "app/ui/frmMain.h"
#include "preview/ui/PreviewTab.h"
#include "preview/ui/frmPreview.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>

namespace
{
// Lets pending layouts and paints happen.
void Settle(int milliseconds = 50)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits until a preview reports its page (or gives up after a while: the
// screenshot then shows what there is).
template <typename Preview> void WaitForPage(Preview* preview)
{
    QEventLoop loop;
    QObject::connect(preview, &Preview::PageShown, &loop, &QEventLoop::quit);
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
    Settle(300);
}
} // namespace

bool TScreenshots::Save(QWidget* widget, const QString& name, QString* error)
{
    const QString file = QDir(m_folder).filePath(name + QStringLiteral(".png"));
    if (!widget->grab().save(file)) {
        if (error)
            *error = QStringLiteral("cannot write ") + file;
        return false;
    }
    m_written << file;
    return true;
}

QStringList TScreenshots::Render(TfrmMain& window, QString* error)
{
    m_written.clear();
    if (!QDir().mkpath(m_folder)) {
        if (error)
            *error = QStringLiteral("cannot make the folder ") + m_folder;
        return {};
    }
    window.show();
    Settle();
    QTabWidget* pages = window.Pages();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        if (auto* preview = pages->widget(i)->findChild<TPreviewTab*>())
            WaitForPage(preview);
        Settle();
        const QString name = QStringLiteral("main-%1-%2").arg(i + 1).arg(pages->widget(i)->objectName());
        if (!Save(&window, name, error))
            return {};
    }
    pages->setCurrentIndex(0);

    const QList<QWidget*> windows = QApplication::topLevelWidgets();
    for (QWidget* other : windows) {
        if (other == &window || qobject_cast<QMenu*>(other) || other->objectName().isEmpty() ||
            other->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (auto* preview = qobject_cast<TfrmPreview*>(other)) {
            preview->ShowPreview();
            preview->RefreshPage();
            WaitForPage(preview);
        } else {
            other->show();
            Settle();
        }
        const bool saved = Save(other, other->objectName(), error);
        other->close();
        if (!saved)
            return {};
    }
    return m_written;
}
