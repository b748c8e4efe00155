#pragma once

#include "app/ConfigBackup.h"

#include <QCoreApplication>

#include <functional>

struct StationPrompts;
class QWidget;

// Import Config and Export Config as the operator runs them: the directory asked for, overwriting confirmed, the
// outcome reported. The log is closed before its files are copied.
class ConfigBackupRunner
{
    Q_DECLARE_TR_FUNCTIONS(ConfigBackupRunner)

public:
    // The prompts are the window's, which outlives this.
    ConfigBackupRunner(const StationPrompts& prompts, std::function<void()> closeLog, QWidget* parent);

    void Import();
    void Export();

private:
    void Report(const QString& title, const QString& successText, const QString& noneText,
                const ConfigBackup::Result& result);

    const StationPrompts& m_prompts;
    const std::function<void()> m_closeLog;
    QWidget* const m_parent;
};
