#pragma once

#include <QString>

// Operations that can fail return false and leave a readable text here; nothing is thrown.
class Ox_ClassWithErrorString
{
public:
    virtual ~Ox_ClassWithErrorString() = default;

    // The text of the last failure; a later success does not clear it.
    QString GetErrorString() const { return m_errorString; }

protected:
    void SetErrorString(const QString& text) { m_errorString = text; }

private:
    QString m_errorString;
};
