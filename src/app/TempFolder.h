#pragma once

#include <QString>
#include <memory>

class QTemporaryDir;

// The user's temporary folder: a private folder (mode 0700) of the current
// user below the system's temporary folder, made on first use. The shared
// temporary folder is writable by everyone, so a name there could have been
// planted by another user (a symlink, or a folder others can write into);
// such a folder is never used. Quorvel then takes a fresh private folder with
// a random name instead, kept for the rest of the run.
class TTempFolder
{
public:
    // base: the folder below which the private folder lies; empty means the
    // system's temporary folder at the time of each call (TMPDIR).
    explicit TTempFolder(QString base = QString());
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder, without a trailing separator; empty when no private folder
    // could be made at all. Checked anew on every call, so a folder removed
    // by a temp cleaner is made again.
    QString Path();

    // True once the usual folder was refused and the random one is in use.
    bool UsesFallback() const { return m_fallback != nullptr; }

    // The usual name of the private folder below base ("quorvel-<uid>").
    static QString PrivateFolderName();

private:
    QString Base() const;
    QString Fallback(const QString& base);

    QString m_base;
    std::unique_ptr<QTemporaryDir> m_fallback;
};
