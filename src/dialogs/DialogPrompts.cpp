#include "dialogs/DialogPrompts.h"

#include <QDialog>

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
    return prompts;
}
