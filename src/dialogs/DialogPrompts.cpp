#include "dialogs/DialogPrompts.h"

#include <QDialog>
#include <QFileDialog>

DialogPrompts DialogPrompts::Interactive()
{
    DialogPrompts prompts;
    prompts.runDialog = [](QDialog& dialog) { return dialog.exec(); };
    prompts.notify = [](QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text) {
        QMessageBox(icon, title, text, QMessageBox::Ok, parent).exec();
    };
    prompts.confirm = [](QWidget* parent, const QString& title, const QString& text) {
        return QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) ==
               QMessageBox::Ok;
    };
    prompts.saveFileName = [](QWidget* parent, const QString& caption, const QString& proposedPath,
                              const QString& filters, QString* chosenFilter) {
        return QFileDialog::getSaveFileName(parent, caption, proposedPath, filters, chosenFilter);
    };
    prompts.openFileName = [](QWidget* parent, const QString& caption, const QString& filters) {
        return QFileDialog::getOpenFileName(parent, caption, QString(), filters);
    };
    return prompts;
}
