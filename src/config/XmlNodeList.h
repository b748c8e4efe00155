#pragma once

#include <QDomElement>
#include <QList>

#include <memory>

// The lists of a configuration file own their nodes; these helpers read, write and copy such lists.

// Refills list with a new Node for every child element named like Node, in document order; other children are
// skipped. Stops at the first child that fails to read; the nodes read before it stay in the list.
template <class Node> bool ReadNodeList(const QDomElement& parent, QList<Node*>& list)
{
    qDeleteAll(list);
    list.clear();
    const QString tag = Node().NodeName();
    for (QDomElement child = parent.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        if (child.tagName() != tag)
            continue;
        auto node = std::make_unique<Node>();
        if (!node->ReadFromXmlNode(child))
            return false;
        list.append(node.release());
    }
    return true;
}

template <class Node> bool WriteNodeList(QDomDocument& document, QDomElement& parent, const QList<Node*>& list)
{
    for (const Node* node : list) {
        if (!node->WriteToXmlNode(document, parent))
            return false;
    }
    return true;
}

// Replaces the nodes of to by copies of those of from.
template <class Node> void CopyNodeList(const QList<Node*>& from, QList<Node*>& to)
{
    if (&from == &to)
        return;
    qDeleteAll(to);
    to.clear();
    for (const Node* node : from)
        to.append(new Node(*node));
}
