#pragma once

#include <QString>
#include <QStringList>

class QWebEngineView;
class TFormProject;
class TLanguageTexts;
class QWidget;
class TfrmMain;

// Renders the program's windows to PNG files, so the whole program can be
// looked at without a display: in every language (a folder each), the main
// window on each of its pages, every other window that exists, and the
// dialogs made for one command.
class TScreenshots
{
public:
    explicit TScreenshots(QString folder) : m_folder(std::move(folder)) {}

    // The files written, in order; empty and an error text on failure.
    QStringList Render(TfrmMain& window, QString* error = nullptr);

private:
    bool RenderLanguage(TfrmMain& window, QString* error);
    bool RenderTextEditors(TfrmMain& window, QString* error);
    bool RenderPublishing(TfrmMain& window, QString* error);
    bool RenderExportWindow(TfrmMain& window, QString* error);
    bool RenderProjectSettings(TfrmMain& window, QString* error);
    bool RenderFormMailers(TfrmMain& window, QString* error);
    bool RenderInbox(TfrmMain& window, QString* error);
    bool RenderSubmissions(TfrmMain& window, QString* error);
    bool RenderDefaultDesign(QString* error);
    bool RenderConditionDialog(TfrmMain& window, QString* error);
    bool RenderConditionalForm(QString* error);
    // The default project of the screenshots' language; false with *missing
    // set for a language without one.
    bool LoadDefaultProject(const TLanguageTexts& texts, TFormProject& project, bool* missing,
                            QString* error) const;
    // Loads a generated page into the view and waits until it is drawn.
    void ShowPage(QWebEngineView& view, const QString& html);
    // A window, page by page when it has pages.
    bool SavePages(QWidget* window, QString* error);
    bool Save(QWidget* widget, const QString& name, QString* error);

    QString m_folder;
    QStringList m_written;
    QString m_language;
};
