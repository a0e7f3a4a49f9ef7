#pragma once

#include "base/Result.h"
#include "publish/FtpClient.h"
#include "publish/SubmissionStore.h"

#include <QSet>
#include <QString>
#include <functional>

class TFormProject;

// What a fetch brought: the entries, and whether the server holds no store
// yet (its folder or both its files missing: no submission arrived so far,
// which is no error).
struct TSubmissionFetch
{
    bool noStore = false;
    TSubmissionRead read;
};

// The store of submissions on the server, reached over FTP in its folder
// as the FTP login sees it. Not thread-safe: one thread uses one object.
class TSubmissionServer
{
public:
    // Fetch: the file being fetched (an empty text at the end), the files
    // done and all there are. Delete: the store file being changed, the
    // entries deleted so far and all chosen. False cancels.
    using Progress = std::function<bool(const QString& file, int done, int total)>;

    TSubmissionServer(TFtpSettings settings, QString ftpFolder);

    // The project's connection and its store folder: edtStoreFtpFolder, or
    // "quorvel-data" in the login folder when that is empty.
    static TSubmissionServer Of(const TFormProject& project);
    static QString FtpFolderOf(const TFormProject& project);

    const QString& FtpFolder() const { return m_folder; }
    void SetProgress(Progress progress) { m_progress = std::move(progress); }
    // Every line the client sends and hears.
    void SetProtocol(TFtpClient::LineHook hook) { m_protocol = std::move(hook); }
    // Runs in a deletion after a store file came down and before its
    // changed copy goes up (tests put a visitor's post there).
    void SetBeforeReplace(std::function<void()> hook) { m_beforeReplace = std::move(hook); }

    // Fetches the store's files and the attachments into the local folder
    // (made owner-only; attachments already there with their size are not
    // fetched again) and reads them. A store file the server no longer
    // holds is removed from the folder too.
    TResult<TSubmissionFetch> Fetch(const QString& localFolder);

    // Deletes the entries from the store on the server, and then their
    // attachments; the number of entries deleted. Each store file is
    // fetched, changed, put back under a temporary name and renamed over
    // the original only when the original did not change meanwhile (else
    // the whole step starts over, a few times at most). The caller has
    // asked the user before.
    TResult<int> Delete(const QSet<QString>& ids, QStringList* notes = nullptr);

private:
    bool Open(TFtpClient& client, TFailure* failure, bool* missing);
    TFailure FailureOf(const TFtpClient& client, const QString& name) const;
    bool Report(const QString& file, int done, int total) const;
    // One store file without the entries: false and the failure when it
    // could not be replaced; removed counts the entries it held.
    bool Replace(TFtpClient& client, const QString& name, const QSet<QString>& ids, QStringList* files,
                 int* removed, TFailure* failure);

    TFtpSettings m_settings;
    QString m_folder;
    Progress m_progress;
    TFtpClient::LineHook m_protocol;
    std::function<void()> m_beforeReplace;
};
