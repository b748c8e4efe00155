#pragma once

#include <QStringList>
#include <QtGlobal>

#include <atomic>

// Counts the debug lines, from any thread, that contain every one of the texts while it lives; one at a time.
class DebugLines
{
public:
    explicit DebugLines(const QStringList& texts);
    ~DebugLines();
    DebugLines(const DebugLines&) = delete;
    DebugLines& operator=(const DebugLines&) = delete;

    int Count() const { return s_count; }

private:
    static void Catch(QtMsgType type, const QMessageLogContext& context, const QString& message);

    static QStringList s_texts;
    static std::atomic<int> s_count;
    static QtMessageHandler s_previous;
};
