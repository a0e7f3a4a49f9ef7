#pragma once

#include "base/Prompter.h"
#include "codegen/PageFiles.h"

#include <QString>
#include <functional>
#include <optional>

class TFormProject;
class TLanguageTexts;

// The commands on the generated pages: generate the HTML form or the PHP
// page into its view, save either through a file dialog, copy either to the
// clipboard. Every command generates afresh from the project, so what a view
// shows is never what gets saved unless it was just generated. A failed
// generation is reported and ends the command before anything is written.
class TGenerationCommands
{
public:
    using Page = PageFiles::PageKind;
    using TextSink = std::function<void(const QString&)>;

    TGenerationCommands(const TFormProject& project, const TLanguageTexts& texts, Prompter& prompter,
                        QString dataDir);

    // Where a fresh page goes (the code views); and the clipboard.
    void SetView(Page page, TextSink view);
    void SetClipboard(TextSink clipboard) { m_clipboard = std::move(clipboard); }
    // A fixed form number instead of a random one (reproducible pages).
    void SetFixedFormID(std::optional<int> id) { m_formId = id; }

    // The page, put into its view; no value (and a message) on failure.
    std::optional<QString> Generate(Page page);
    // The same without a message on failure (the preview window's refresh,
    // which simply tries again at its next tick).
    std::optional<QString> GenerateQuietly(Page page);
    std::optional<QString> GenerateHTML() { return Generate(Page::Html); }
    std::optional<QString> GeneratePHP() { return Generate(Page::Php); }

    bool ExportHTML();
    bool ExportPHP();
    bool CopyHTML() { return Copy(Page::Html); }
    bool CopyPHP() { return Copy(Page::Php); }

    // Generates the page and writes it to fileName by the encoding rule,
    // with the calendar picture beside it when the page needs one (an
    // existing picture stays). Failures are reported.
    bool WritePage(Page page, const QString& fileName);

private:
    std::optional<QString> Run(Page page, QString* error);
    bool Copy(Page page);
    // Shows what would fail on the server, if anything, and asks whether to
    // go on; true when the command may go on.
    bool ConfirmWarnings(Page page);
    QString AskFileName(QString& lastName, const QString& filter, const QString& suffix);
    bool Write(Page page, const QString& text, const QString& fileName);
    void Fail(const QString& text);

    const TFormProject& m_project;
    const TLanguageTexts& m_texts;
    Prompter& m_prompter;
    QString m_dataDir;
    TextSink m_htmlView;
    TextSink m_phpView;
    TextSink m_clipboard;
    std::optional<int> m_formId;
    QString m_htmlName = QStringLiteral("formular.htm");
    QString m_phpName = QStringLiteral("formular.php");
};
