#pragma once

#include "config/Ox_XmlFileBase.h"

#include <QList>

class LanguageConfigNode;

// lang/lang_config.xml: the languages the station knows. Supplied with the installation.
class LanguageConfigFile : public Ox_XmlFileBase
{
public:
    LanguageConfigFile() = default;
    LanguageConfigFile(const LanguageConfigFile& other);
    LanguageConfigFile& operator=(const LanguageConfigFile& other);
    ~LanguageConfigFile() override;

    QString RootName() const override;

    // Borrowed pointers in file order; the file keeps ownership.
    const QList<LanguageConfigNode*>& Languages() const { return m_languages; }
    // The first entry with exactly this name; null when there is none.
    const LanguageConfigNode* FindLanguage(const QString& name) const;
    // Appends a copy.
    void AddLanguage(const LanguageConfigNode& language);
    void Clear();

protected:
    bool ReadFromXml(const QDomElement& root) override;
    bool WriteToXml(QDomDocument& document, QDomElement& root) override;

private:
    QList<LanguageConfigNode*> m_languages;
};
