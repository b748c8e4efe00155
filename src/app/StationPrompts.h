#pragma once

#include "dialogs/DialogPrompts.h"

#include <functional>

struct LogBrowserPrompts;

// How the window's modal boxes and dialogs are answered; tests and the unattended start replace the operator. The
// settings dialogs get the DialogPrompts part, the log browser the part it uses.
struct StationPrompts : DialogPrompts
{
    // Asks for an existing directory; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& caption)> existingDirectory;

    // Interactive answers: dialogs run modally, warnings wait for the operator.
    static StationPrompts Interactive();
    // Warnings that do not hold anything back.
    static StationPrompts Unattended();

    LogBrowserPrompts ForLogBrowser() const;
};
