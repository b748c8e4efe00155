#pragma once

#include <QString>

#include <memory>

class LanguageConfigFile;
class QTranslator;

// The current language and its two installed translators (Qt's own texts and the station's).
class LanguageConfig
{
public:
    LanguageConfig();
    ~LanguageConfig();
    LanguageConfig(const LanguageConfig&) = delete;
    LanguageConfig& operator=(const LanguageConfig&) = delete;

    // Removes the translators of the previous language and installs those that lang_config.xml names for this
    // one. A language without an entry leaves the built-in English texts. The caller re-translates its windows.
    void Install(const QString& language);
    QString GetLanguage() const { return m_language; }

    // Reads lang_config.xml (creating the lang directory). A file that cannot be loaded leaves file empty and is
    // itself left untouched; false then, with the reason in file's error text.
    static bool ReadLanguageConfig(LanguageConfigFile& file);

private:
    QString m_language;
    std::unique_ptr<QTranslator> m_qtTranslator;
    std::unique_ptr<QTranslator> m_privateTranslator;
};
