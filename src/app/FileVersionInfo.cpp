#include "app/FileVersionInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeDatabase>

#include <iterator>

namespace
{
enum FileType : quint32 { App = 1, Driver = 3, Font = 4, VirtualDevice = 5 };

// The file version has four parts; the product version is the project's.
QString FourPartVersion(const QString& version)
{
    QString four = version;
    for (qsizetype parts = version.count(QLatin1Char('.')) + 1; parts < 4; ++parts)
        four += QStringLiteral(".0");
    return four;
}
} // namespace

QString FileFunctionText(quint32 type, quint32 subtype)
{
    static const char* const drivers[] = {"Unknown Driver",  "Printer Driver",       "Keyboard Driver",
                                          "Language Driver", "Display Driver",       "Mouse Driver",
                                          "Network Driver",  "System Driver",        "InstallableDriver",
                                          "Sound Driver",    "Communications Driver"};
    static const char* const fonts[] = {"Unknown Font", "Raster Font", "Vector Font", "Truetype Font"};
    switch (type) {
    case 0: return QStringLiteral("Unknown");
    case App: return QStringLiteral("Application");
    case 2: return QStringLiteral("DLL");
    case Driver: return subtype < std::size(drivers) ? QString::fromLatin1(drivers[subtype]) : QString();
    case Font: return subtype < std::size(fonts) ? QString::fromLatin1(fonts[subtype]) : QString();
    case VirtualDevice:
        return QStringLiteral("Virtual Defice Identifier = ") +
               QStringLiteral("%1").arg(subtype, 8, 16, QLatin1Char('0')).toUpper();
    case 7: return QStringLiteral("Static-link Library");
    default: return QString();
    }
}

TFileVersionInfo TFileVersionInfo::OfProgram()
{
    TFileVersionInfo info;
    info.CompanyName = QStringLiteral("The Quorvel developers");
    info.FileDescription = QStringLiteral("Quorvel, web forms without writing markup");
    info.FileVersion = FourPartVersion(QStringLiteral(QUORVEL_VERSION));
    info.InternalName = QStringLiteral("quorvel");
    info.LegalCopyRight = QStringLiteral("© 2026 The Quorvel developers");
    info.OriginalFileName = QStringLiteral("quorvel");
    info.ProductName = QStringLiteral("Quorvel");
    info.ProductVersion = QStringLiteral(QUORVEL_VERSION);
    info.FileFunction = FileFunctionText(App, 0);
#ifndef NDEBUG
    info.DebugBuild = true;
#endif
    return info;
}

TFileVersionInfo TFileVersionInfo::Read(const QString& path)
{
    const QFileInfo file(path);
    const bool program =
        QCoreApplication::instance() && file.exists() &&
        file.canonicalFilePath() == QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    TFileVersionInfo info = program ? OfProgram() : TFileVersionInfo();
    if (file.exists())
        info.FileType = QMimeDatabase().mimeTypeForFile(file).comment().left(80);
    return info;
}

QString TFileVersionInfo::DisplayedVersion() const
{
    const qsizetype dot = FileVersion.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? FileVersion : FileVersion.left(dot);
}
