#include "dialogs/DialogPrompts.h"

#include <QDialog>
#include <QFileDialog>

void DialogPrompts::SetBoxText(QMessageBox& box, const QString& text)
{
    const int paragraphEnd = text.indexOf(QLatin1String("\n\n"));
    if (text.count(QLatin1Char('\n')) <= 15 || paragraphEnd < 0) {
        box.setText(text);
        return;
    }
    box.setText(text.left(paragraphEnd));
    box.setDetailedText(text.mid(paragraphEnd + 2));
}

DialogPrompts DialogPrompts::Interactive()
{
    DialogPrompts prompts;
    prompts.runDialog = [](QDialog& dialog) { return dialog.exec(); };
    prompts.notify = [](QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text) {
        QMessageBox box(icon, title, QString(), QMessageBox::Ok, parent);
        SetBoxText(box, text);
        box.exec();
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
