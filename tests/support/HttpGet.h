#pragma once

#include <QByteArray>
#include <QUrl>

// Fetches the URL on the calling thread, waiting at most timeoutMs; the body, or an empty one when the request
// fails. status receives the HTTP status, 0 when there was no answer.
QByteArray HttpGet(const QUrl& url, int* status = nullptr, int timeoutMs = 5000);
