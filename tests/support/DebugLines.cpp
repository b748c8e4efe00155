#include "DebugLines.h"

#include <algorithm>

QStringList DebugLines::s_texts;
std::atomic<int> DebugLines::s_count{0};
QtMessageHandler DebugLines::s_previous = nullptr;

DebugLines::DebugLines(const QStringList& texts)
{
    s_texts = texts;
    s_count = 0;
    s_previous = qInstallMessageHandler(&Catch);
}

DebugLines::~DebugLines()
{
    qInstallMessageHandler(s_previous);
}

void DebugLines::Catch(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (std::all_of(s_texts.begin(), s_texts.end(), [&](const QString& text) { return message.contains(text); }))
        ++s_count;
    s_previous(type, context, message);
}
