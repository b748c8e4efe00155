#include "config/Ox_XmlNodeBase.h"

#include <QDebug>
#include <QDomDocument>
#include <QDomElement>

bool Ox_XmlNodeBase::CheckNodeName(const QDomElement& element) const
{
    if (element.tagName() == NodeName())
        return true;
    qDebug("warning:ReadFromXmlNode\nelement's nodename is %s,expect %s", element.tagName().toLocal8Bit().constData(),
           NodeName().toLocal8Bit().constData());
    return false;
}

QDomElement Ox_XmlNodeBase::CreateTextElement(QDomDocument& document, const QString& tag, const QString& text)
{
    QDomElement element = document.createElement(tag);
    element.appendChild(document.createTextNode(text));
    return element;
}

void Ox_XmlNodeBase::AppendTextElement(QDomDocument& document, QDomElement& parent, const QString& tag,
                                       const QString& text)
{
    parent.appendChild(CreateTextElement(document, tag, text));
}

void Ox_XmlNodeBase::AppendBoolElement(QDomDocument& document, QDomElement& parent, const QString& tag, bool value)
{
    AppendTextElement(document, parent, tag, value ? QStringLiteral("true") : QStringLiteral("false"));
}

bool Ox_XmlNodeBase::ReadBoolElement(const QDomElement& element)
{
    return element.text() == QLatin1String("true");
}
