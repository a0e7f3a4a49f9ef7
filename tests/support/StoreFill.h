#pragma once

// Fills a store of submissions with the PHP page's own functions
// (data/formmailer/qvstore.php), run by php without a server: in SQLite,
// or, with php -n (no PDO), in the CSV file.
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include <tuple>
#include <utility>

namespace StoreFill
{
// One submission: values in form order, attachments as field, name and
// contents, and the mail's result ("1", "0", or "" for none noted).
struct Entry
{
    QList<std::pair<QString, QString>> values;
    QList<std::tuple<QString, QString, QByteArray>> files;
    QString mail = QStringLiteral("1");
};

// Adds the entries to the store in folder (made as the page makes it; the
// web folder is taken to be a sibling "site"); the ids in their order, or
// an empty list when php failed (then *output says why).
inline QStringList Add(const QString& dataDir, const QString& folder, bool csv, const QList<Entry>& entries,
                       QByteArray* output = nullptr)
{
    QJsonArray list;
    for (const Entry& entry : entries) {
        QJsonArray values, files;
        for (const auto& [name, value] : entry.values)
            values.append(QJsonArray{name, value});
        for (const auto& [field, name, data] : entry.files)
            files.append(QJsonObject{
                {"field", field}, {"name", name}, {"data", QString::fromLatin1(data.toBase64())}});
        list.append(QJsonObject{{"values", values}, {"files", files}, {"mail", entry.mail}});
    }
    const QString site = QFileInfo(folder).absolutePath() + QStringLiteral("/site");
    QDir().mkpath(site);
    const QString script =
        QStringLiteral("require $argv[1]; $_SERVER['DOCUMENT_ROOT'] = $argv[2];"
                       "$s = qv_store_open($argv[3]); if (!is_array($s)) { echo 'FAIL ', $s; exit(1); }"
                       "foreach (json_decode($argv[4], true) as $e) {"
                       "  $v = array(); foreach ($e['values'] as $p) $v[$p[0]] = $p[1];"
                       "  $f = array(); foreach ($e['files'] as $a) $f[] = array('field' => $a['field'],"
                       "    'name' => $a['name'], 'data' => base64_decode($a['data']));"
                       "  $id = qv_store_add($s, $v, $f); if ($id === '') { echo 'FAIL add'; exit(1); }"
                       "  if ($e['mail'] !== '') qv_store_mail_result($s, $id, $e['mail'] === '1');"
                       "  echo $id, \"\\n\"; }");
    QStringList args;
    if (csv)
        args << QStringLiteral("-n");
    args << QStringLiteral("-r") << script << QStringLiteral("--")
         << dataDir + QStringLiteral("/formmailer/qvstore.php") << site << folder
         << QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
    QProcess php;
    php.start(QStringLiteral("php"), args);
    php.waitForFinished(30000);
    const QByteArray out = php.readAllStandardOutput();
    if (output)
        *output = out + php.readAllStandardError();
    if (php.exitCode() != 0)
        return {};
    QStringList ids = QString::fromLatin1(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& id : ids)
        if (id.size() != 16)
            return {};
    return ids;
}
} // namespace StoreFill
