#pragma once

#include "config/Ox_ClassWithErrorString.h"

class QDomDocument;
class QDomElement;

// One XML configuration file: the declaration, a named root carrying version="1", and the content that the
// concrete class reads and writes below that root.
class Ox_XmlFileBase : public Ox_ClassWithErrorString
{
public:
    // Replaces the content of this object. After a failure the object holds whatever was read before the fault.
    bool Load(const QString& path);
    // Writes the whole file or nothing: a failed save leaves the old file as it was.
    bool Save(const QString& path);

    virtual QString RootName() const = 0;

    // A file that exists but cannot be loaded is moved aside ("<path>.unreadable-<date>-<time>") before the
    // caller writes defaults over it. True when the path is free for writing.
    static bool SetAsideUnreadable(const QString& path);

protected:
    virtual bool ReadFromXml(const QDomElement& root) = 0;
    virtual bool WriteToXml(QDomDocument& document, QDomElement& root) = 0;

private:
    int m_version = 1;
};
