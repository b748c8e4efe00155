#include "config/LanguageConfig.h"

#include "app/AppPaths.h"
#include "config/LanguageConfigFile.h"
#include "config/LanguageConfigNode.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QTranslator>

namespace {
// A translator that does not load is kept but not installed.
std::unique_ptr<QTranslator> LoadTranslator(const QString& fileName)
{
    if (fileName.isEmpty())
        return nullptr;
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(fileName, GetLangDir()))
        QCoreApplication::installTranslator(translator.get());
    else
        qDebug() << "The translation file" << fileName << "could not be loaded from" << GetLangDir();
    return translator;
}
} // namespace

LanguageConfig::LanguageConfig() = default;

// A deleted translator removes itself from the application.
LanguageConfig::~LanguageConfig() = default;

void LanguageConfig::Install(const QString& language)
{
    m_language = language;
    m_qtTranslator.reset();
    m_privateTranslator.reset();

    LanguageConfigFile file;
    ReadLanguageConfig(file);
    const LanguageConfigNode* entry = file.FindLanguage(language);
    if (!entry)
        return;
    m_qtTranslator = LoadTranslator(entry->qt_file_name());
    m_privateTranslator = LoadTranslator(entry->private_file_name());
}

bool LanguageConfig::ReadLanguageConfig(LanguageConfigFile& file)
{
    QDir().mkpath(GetLangDir());
    if (file.Load(GetLangConfigPath()))
        return true;
    // The language file is installation data: a broken one is reported and left for the operator to repair.
    qDebug() << "The language file" << GetLangConfigPath() << "could not be read:" << file.GetErrorString();
    file.Clear();
    return false;
}
