#pragma once

#include <QString>

class QDomDocument;
class QDomElement;

// One repeated element of a configuration file (a device, a port, a language) that reads and writes itself.
class Ox_XmlNodeBase
{
public:
    virtual ~Ox_XmlNodeBase() = default;

    virtual QString NodeName() const = 0;
    // Appends this element as the last child of the parent.
    virtual bool WriteToXmlNode(QDomDocument& document, QDomElement& parent) const = 0;
    virtual bool ReadFromXmlNode(const QDomElement& element) = 0;

protected:
    // False, with a warning in the debug output, when the element is not named NodeName().
    bool CheckNodeName(const QDomElement& element) const;
    static QDomElement CreateTextElement(QDomDocument& document, const QString& tag, const QString& text);
    static void AppendTextElement(QDomDocument& document, QDomElement& parent, const QString& tag, const QString& text);
    static void AppendBoolElement(QDomDocument& document, QDomElement& parent, const QString& tag, bool value);
    // Only the exact text "true" is true.
    static bool ReadBoolElement(const QDomElement& element);
};
