#pragma once

#include <QString>
#include <QtGlobal>

// The version information of a file. A program file here carries none of its
// own: Quorvel's comes from the version data compiled into the program, and
// any other file has only its type name. All texts are empty and all flags
// false where a file has no version information.
struct TFileVersionInfo
{
    QString FileType; // the file's type name (at most 80 characters)
    QString CompanyName;
    QString FileDescription;
    QString FileVersion;
    QString InternalName;
    QString LegalCopyRight;
    QString LegalTradeMarks;
    QString OriginalFileName;
    QString ProductName;
    QString ProductVersion;
    QString Comments;
    QString SpecialBuildStr;
    QString PrivateBuildStr;
    QString FileFunction; // the file's kind, see FileFunctionText
    bool DebugBuild = false;
    bool PreRelease = false;
    bool SpecialBuild = false;
    bool PrivateBuild = false;
    bool Patched = false;
    bool InfoInferred = false;

    // The information of the file at path: Quorvel's own for the running
    // program's file, the type name alone for any other file.
    static TFileVersionInfo Read(const QString& path);
    // Quorvel's own, as compiled in.
    static TFileVersionInfo OfProgram();

    // The version as the windows show it: the file version without its last
    // dot and what follows (2.9.0.1 shows as 2.9.0); a version without a
    // dot shows as it is.
    QString DisplayedVersion() const;
};

// The kind of a file by the type and subtype of its fixed version data:
// "Application", "DLL", the drivers and fonts by subtype, ...; empty for a
// type or subtype outside the lists.
QString FileFunctionText(quint32 type, quint32 subtype);
