#include "config/LanguageConfigNode.h"

#include <QDomDocument>
#include <QDomElement>

QString LanguageConfigNode::NodeName() const
{
    return QStringLiteral("language");
}

const QVector<LanguageConfigNode::Word>& LanguageConfigNode::Words()
{
    // File order, with the text a file that lacks the element stands for.
    static const QVector<Word> words{
        {"qt_file_name", &LanguageConfigNode::m_qtFileName, ""},
        {"private_file_name", &LanguageConfigNode::m_privateFileName, ""},
        {"black", &LanguageConfigNode::m_black, "video black"},
        {"freeze", &LanguageConfigNode::m_freeze, "video freeze"},
        {"video_lost", &LanguageConfigNode::m_videoLost, "video lost"},
        {"slience", &LanguageConfigNode::m_slience, "slience"},
        {"audio_overload", &LanguageConfigNode::m_audioOverload, "audio overload"},
        {"too_many_alarm", &LanguageConfigNode::m_tooManyAlarm, "too many alarm"},
        {"device_connect_state", &LanguageConfigNode::m_deviceConnectState, "Device can't connect"},
        {"warn", &LanguageConfigNode::m_warn, "warn"},
        {"error", &LanguageConfigNode::m_error, ""},
        {"normal", &LanguageConfigNode::m_normal, "normal"},
        {"track", &LanguageConfigNode::m_track, "track"},
        {"alarm", &LanguageConfigNode::m_alarm, "warning"},
        {"voice", &LanguageConfigNode::m_voice, ""},
    };
    return words;
}

bool LanguageConfigNode::WriteToXmlNode(QDomDocument& document, QDomElement& parent) const
{
    QDomElement language = document.createElement(NodeName());
    language.setAttribute(QStringLiteral("name"), m_name);
    parent.appendChild(language);
    for (const Word& word : Words()) {
        // The voice is optional, so that files without it stay what they were.
        if (word.member == &LanguageConfigNode::m_voice && m_voice.isEmpty())
            continue;
        AppendTextElement(document, language, QLatin1String(word.tag), this->*word.member);
    }
    return true;
}

bool LanguageConfigNode::ReadFromXmlNode(const QDomElement& element)
{
    if (!CheckNodeName(element))
        return false;
    m_name = element.attribute(QStringLiteral("name"));
    for (const Word& word : Words()) {
        const QDomElement child = element.firstChildElement(QLatin1String(word.tag));
        this->*word.member = child.isNull() ? QString::fromLatin1(word.fallback) : child.text();
    }
    return true;
}
