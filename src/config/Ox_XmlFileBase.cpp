#include "config/Ox_XmlFileBase.h"

#include <QBuffer>
#include <QDateTime>
#include <QDebug>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <algorithm>

namespace {
const char XmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

// QDom keeps attributes in a hash, so its own output orders them differently from run to run. The files are
// written with "version" first and the other attributes by name, which is the order every element expects.
void WriteElement(QXmlStreamWriter& writer, const QDomElement& element)
{
    writer.writeStartElement(element.tagName());
    const QDomNamedNodeMap attributes = element.attributes();
    QStringList names;
    for (int i = 0; i < attributes.count(); ++i)
        names.append(attributes.item(i).nodeName());
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const QString version = QStringLiteral("version");
        return (a == version) != (b == version) ? a == version : a < b;
    });
    for (const QString& name : qAsConst(names))
        writer.writeAttribute(name, element.attribute(name));

    for (QDomNode child = element.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (child.isElement())
            WriteElement(writer, child.toElement());
        else if (child.isText())
            writer.writeCharacters(child.nodeValue());
    }
    writer.writeEndElement();
}

QByteArray SerializeDocument(const QDomElement& root)
{
    QByteArray text(XmlDeclaration);
    QBuffer buffer(&text);
    buffer.open(QIODevice::WriteOnly | QIODevice::Append);
    QXmlStreamWriter writer(&buffer);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(4);
    WriteElement(writer, root);
    writer.writeEndDocument();
    return text;
}
} // namespace

bool Ox_XmlFileBase::Load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        SetErrorString(file.errorString());
        return false;
    }
    QDomDocument document;
    QString message;
    int line = 0;
    int column = 0;
    if (!document.setContent(&file, false, &message, &line, &column)) {
        SetErrorString(QStringLiteral("%1\nLine=%2 Column=%3").arg(message).arg(line).arg(column));
        return false;
    }
    file.close();

    const QDomElement root = document.documentElement();
    if (root.tagName() != RootName()) {
        SetErrorString(
            QStringLiteral("The root node name should be '%1'' but not '%2'").arg(RootName(), root.tagName()));
        return false;
    }
    return ReadFromXml(root);
}

bool Ox_XmlFileBase::Save(const QString& path)
{
    // The new content goes to a temporary file that replaces the old one only once it is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        SetErrorString(file.errorString());
        return false;
    }
    if (RootName().isEmpty()) {
        SetErrorString(QStringLiteral("root name is empty!"));
        return false;
    }
    QDomDocument document;
    QDomElement root = document.createElement(RootName());
    root.setAttribute(QStringLiteral("version"), m_version);
    document.appendChild(root);
    if (!WriteToXml(document, root))
        return false;

    const QByteArray text = SerializeDocument(root);
    // QSaveFile::commit() does not notice a failure of its final flush (a full disk would pass unnoticed and
    // leave a truncated file), so the flush is checked first.
    if (file.write(text) != text.size() || !file.flush() || !file.commit()) {
        SetErrorString(file.errorString());
        return false;
    }
    return true;
}

bool Ox_XmlFileBase::SetAsideUnreadable(const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString stamp = QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("yyyyMMdd-hhmmss"));
    QString kept = QStringLiteral("%1.unreadable-%2").arg(path, stamp);
    for (int n = 2; QFileInfo::exists(kept) && n <= 100; ++n)
        kept = QStringLiteral("%1.unreadable-%2-%3").arg(path, stamp).arg(n);
    if (!QFile::rename(path, kept)) {
        qDebug() << "The unreadable file" << path << "could not be kept aside; it is left as it was";
        return false;
    }
    qDebug() << "The unreadable file" << path << "was kept as" << kept;
    return true;
}
