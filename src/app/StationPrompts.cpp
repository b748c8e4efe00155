#include "app/StationPrompts.h"

#include "log/LogBrowserPrompts.h"

#include <QFileDialog>

StationPrompts StationPrompts::Interactive()
{
    StationPrompts prompts;
    static_cast<DialogPrompts&>(prompts) = DialogPrompts::Interactive();
    prompts.existingDirectory = [](QWidget* parent, const QString& caption) {
        return QFileDialog::getExistingDirectory(parent, caption, QString(), QFileDialog::ShowDirsOnly);
    };
    return prompts;
}

StationPrompts StationPrompts::Unattended()
{
    StationPrompts prompts = Interactive();
    // The box stays up for the operator, but nothing waits for it.
    prompts.notify = [](QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text) {
        auto* box = new QMessageBox(icon, title, QString(), QMessageBox::Ok, parent);
        SetBoxText(*box, text);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    };
    return prompts;
}

LogBrowserPrompts StationPrompts::ForLogBrowser() const
{
    LogBrowserPrompts prompts;
    prompts.runDialog = runDialog;
    prompts.notify = notify;
    prompts.confirm = confirm;
    prompts.saveFileName = saveFileName;
    return prompts;
}
