#pragma once

#include <QString>
#include <QStringList>

class QWidget;
class TfrmMain;

// Renders the program's windows to PNG files, so the whole program can be
// looked at without a display: the main window on each of its pages, then
// every other window that exists.
class TScreenshots
{
public:
    explicit TScreenshots(QString folder) : m_folder(std::move(folder)) {}

    // The files written, in order; empty and an error text on failure.
    QStringList Render(TfrmMain& window, QString* error = nullptr);

private:
    bool Save(QWidget* widget, const QString& name, QString* error);

    QString m_folder;
    QStringList m_written;
};
