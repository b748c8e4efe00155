#include "app/ConfigBackupRunner.h"

#include "app/StationPrompts.h"

#include <QDate>

ConfigBackupRunner::ConfigBackupRunner(const StationPrompts& prompts, std::function<void()> closeLog, QWidget* parent)
    : m_prompts(prompts), m_closeLog(std::move(closeLog)), m_parent(parent)
{
}

void ConfigBackupRunner::Import()
{
    const QString directory = m_prompts.existingDirectory(m_parent, tr("Select Import Directory"));
    if (directory.isEmpty())
        return;
    const ConfigBackup::Result result = ConfigBackup::Import(directory, m_closeLog);
    Report(tr("Import Config"), tr("Import success! import %1 file(s)"), tr("No file to import"), result);
}

void ConfigBackupRunner::Export()
{
    const QString directory = m_prompts.existingDirectory(m_parent, tr("Select Export Directory"));
    if (directory.isEmpty())
        return;
    const QString folder = ConfigBackup::FolderFor(directory, QDate::currentDate());
    if (!ConfigBackup::ExistingIn(folder).isEmpty() &&
        !m_prompts.confirm(m_parent, tr("Export Config"),
                           tr("Some config file have been exist, Do you want to overwrite them?")))
        return;
    const ConfigBackup::Result result = ConfigBackup::Export(folder, m_closeLog);
    Report(tr("Export Config"), tr("Export success! export %1 file(s)"), tr("No file to export"), result);
}

// A file that was there but could not be copied is named after the count, so that a partial backup or import
// is not taken for a complete one.
void ConfigBackupRunner::Report(const QString& title, const QString& successText, const QString& noneText,
                                const ConfigBackup::Result& result)
{
    m_prompts.notify(QMessageBox::Information, m_parent, title,
                     result.copied > 0 ? successText.arg(result.copied) : noneText);
    if (!result.failures.isEmpty())
        m_prompts.notify(QMessageBox::Warning, m_parent, tr("Warn"),
                         tr("These files could not be copied; each was left as it was:\n%1")
                             .arg(result.failures.join(QLatin1Char('\n'))));
}
