#include "app/AppServices.h"

#include <QDir>

TAppServices::TAppServices(Prompter& prompter, QString dataDir, QString appDataFolder, QString tempBase)
    : m_prompter(prompter), m_dataDir(std::move(dataDir)), m_appDataFolder(std::move(appDataFolder)),
      m_settings(DataFile(QStringLiteral("lang.ini")), m_appDataFolder),
      m_texts(DataFile(QStringLiteral("lang.ini")), &prompter, m_settings.LanguageSource()),
      m_history(m_appDataFolder, m_settings), m_tempFolder(std::move(tempBase))
{
    QDir().mkpath(m_appDataFolder);
}

QString TAppServices::DataFile(const QString& relativePath) const
{
    return m_dataDir + QLatin1Char('/') + relativePath;
}
