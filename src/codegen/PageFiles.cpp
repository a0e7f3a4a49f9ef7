#include "codegen/PageFiles.h"

#include "base/AtomicFile.h"
#include "model/FormProject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace PageFiles
{
bool ContainsCalendarField(const TFormProject& project)
{
    for (const auto& field : project.ListField)
        if (field->NeedsCalendar())
            return true;
    return false;
}

namespace
{
// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page has no character.
constexpr char16_t Cp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                     0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

int Cp1252Byte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] && Cp1252High[i] == c)
            return 0x80 + i;
    return -1;
}
} // namespace

QByteArray PageBytes(const QString& page, const QString& encoding, PageKind kind)
{
    if (encoding.compare(QLatin1String("utf-8"), Qt::CaseInsensitive) == 0)
        return kind == PageKind::Php ? page.toUtf8() : QByteArray("\xEF\xBB\xBF") + page.toUtf8();
    QByteArray bytes;
    bytes.reserve(page.size());
    for (char32_t c : page.toUcs4()) {
        const int b = Cp1252Byte(c);
        if (b >= 0)
            bytes += static_cast<char>(b);
        else
            bytes += "&#" + QByteArray::number(static_cast<uint>(c)) + ';';
    }
    return bytes;
}

TStatus WritePage(const QString& fileName, const QString& page, const QString& encoding, PageKind kind)
{
    return WriteFileAtomically(fileName, PageBytes(page, encoding, kind));
}

TStatus CopyAdditionalFiles(const TFormProject& project, const QString& dataDir, const QString& fileName,
                            bool overwrite)
{
    if (!ContainsCalendarField(project))
        return {};
    const QString target = QFileInfo(fileName).absoluteDir().filePath(QStringLiteral("cal.png"));
    if (QFileInfo::exists(target) && !overwrite)
        return {};
    QFile::remove(target);
    QFile source(dataDir + QStringLiteral("/cal/cal.png"));
    if (!source.copy(target))
        return TFailure{source.errorString(), target};
    return {};
}
} // namespace PageFiles
