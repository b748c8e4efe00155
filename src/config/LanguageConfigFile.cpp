#include "config/LanguageConfigFile.h"

#include "config/LanguageConfigNode.h"
#include "config/XmlNodeList.h"

LanguageConfigFile::LanguageConfigFile(const LanguageConfigFile& other) : Ox_XmlFileBase(other)
{
    CopyNodeList(other.m_languages, m_languages);
}

LanguageConfigFile& LanguageConfigFile::operator=(const LanguageConfigFile& other)
{
    Ox_XmlFileBase::operator=(other);
    CopyNodeList(other.m_languages, m_languages);
    return *this;
}

LanguageConfigFile::~LanguageConfigFile()
{
    qDeleteAll(m_languages);
}

QString LanguageConfigFile::RootName() const
{
    return QStringLiteral("language_config");
}

const LanguageConfigNode* LanguageConfigFile::FindLanguage(const QString& name) const
{
    for (const LanguageConfigNode* language : m_languages) {
        if (language->name() == name)
            return language;
    }
    return nullptr;
}

void LanguageConfigFile::AddLanguage(const LanguageConfigNode& language)
{
    m_languages.append(new LanguageConfigNode(language));
}

void LanguageConfigFile::Clear()
{
    qDeleteAll(m_languages);
    m_languages.clear();
}

bool LanguageConfigFile::ReadFromXml(const QDomElement& root)
{
    if (!ReadNodeList(root, m_languages)) {
        SetErrorString(QStringLiteral("Read '%1' failed!").arg(LanguageConfigNode().NodeName()));
        return false;
    }
    return true;
}

bool LanguageConfigFile::WriteToXml(QDomDocument& document, QDomElement& root)
{
    if (!WriteNodeList(document, root, m_languages)) {
        SetErrorString(QStringLiteral("Write %1 failed!").arg(LanguageConfigNode().NodeName()));
        return false;
    }
    return true;
}
