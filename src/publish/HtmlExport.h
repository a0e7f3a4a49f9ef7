#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Placing the HTML form into a page of the user's: the blocks cut from the
// generated form, and how they are put into the page's markup, renewed and
// taken out again; and the user's page itself, read in its own character set
// and written back in it.
//
// The markup worked on is the document's root element as the browser engine
// writes it out. What lies outside the root element (the document type
// declaration, comments before <html> and after </html>) is not part of it:
// it is kept from the file as read and put back around the root on saving.
namespace HtmlExport
{
inline const QString FormBegin = QStringLiteral("<!-- QVFORM begin -->");
inline const QString FormEnd = QStringLiteral("<!-- QVFORM end -->");
inline const QString ScriptBegin = QStringLiteral("<!-- QVFORMJSBEGIN -->");
inline const QString ScriptEnd = QStringLiteral("<!-- QVFORMJSEND -->");
// Pasted at the caret and then replaced by the form block.
inline const QString Placeholder = QStringLiteral("INPUTQVFORM");

struct TBlocks
{
    QString form;   // FormBegin, CR LF, <form ...> ... </form>, FormEnd, CR LF
    QString script; // ScriptBegin, the scripts, ScriptEnd
};

// The two blocks of a generated HTML form; nothing when the form lacks
// "<form", "</form>" or one of the script markers (the cut would land in
// the wrong place). Markers that stand inside a script element widen the
// script block to the script elements of the head.
std::optional<TBlocks> BlocksOf(const QString& generated);

// Whether the markup holds a form block.
bool HasForm(const QString& markup);

// The script block put directly after a bare "<head>" (letter case does not
// matter), on a line of its own. A head tag with attributes gets none.
QString InsertScript(const QString& markup, const QString& script);

// The markup with the placeholder replaced by the form block and the script
// block after the head tag; nothing when the placeholder is not there
// exactly once (a page that had it already, or a paste that did not land),
// so that no script block goes in without its form.
std::optional<QString> InsertForm(const QString& markup, const TBlocks& blocks);

// Both blocks replaced by fresh ones: the form block where the old one
// stood, the script block after the head tag.
QString Refresh(const QString& markup, const TBlocks& blocks);

// Both blocks taken out; the line break after the form block stays.
QString Remove(const QString& markup);

// The user's page as read from its file.
struct TUserPage
{
    QString text;     // the whole page, decoded
    QString prolog;   // what stands before the root element (doctype, comments)
    QString epilog;   // comments after the root element
    QString charset;  // the character set it was read in ("UTF-8", "windows-1252", ...)
    bool bom = false; // written with a byte-order mark
};

// Reads a page: its character set is the one its byte-order mark or its
// <meta> declaration names; a page that declares none is read by the rule
// for generated pages (UTF-8 when projectEncoding is "utf-8", else
// Windows-1252). Fails on a file that cannot be read or a character set that
// is not known.
TResult<TUserPage> ReadPage(const QString& fileName, const QString& projectEncoding);
TResult<TUserPage> DecodePage(const QByteArray& bytes, const QString& projectEncoding);

// The page's bytes for its own file: the root element's markup between the
// page's prolog and epilog, in the page's character set. Characters the set
// lacks become character references ("&#8364;").
QByteArray PageBytes(const TUserPage& page, const QString& root);

// The bytes of the working copy the browser shows: always UTF-8 with a
// byte-order mark, which the engine believes before any <meta> declaration.
QByteArray WorkingCopyBytes(const TUserPage& page, const QString& root);
// The same for the page as read, before the engine has seen it.
QByteArray WorkingCopyBytes(const TUserPage& page);

// The working copy's name for a page: "page.htm.copy.html" beside it, or
// with attempt > 1 "page.htm.copy-2.html" and so on.
QString WorkingCopyName(const QString& fileName, int attempt = 1);

// Makes the working copy under the first of those names that no file has
// yet (a file of the user's of that name is never touched), and writes the
// bytes. Its path, or why it failed.
TResult<QString> CreateWorkingCopy(const QString& fileName, const QByteArray& bytes);
} // namespace HtmlExport
