#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

// How the settings dialogs' modal dialogs and boxes are answered; tests replace the operator.
struct DialogPrompts
{
    // Runs a dialog and returns its result code (QDialog::Accepted or Rejected).
    std::function<int(QDialog&)> runDialog;
    // Shows a message box with one OK button (a warning titled "Warn", an error titled "Error"); an unattended
    // station must not wait on it.
    std::function<void(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text)> notify;
    // Asks a question with OK and Cancel, Cancel the default; true for OK.
    std::function<bool(QWidget* parent, const QString& title, const QString& text)> confirm;
    // Asks for a file to write; empty when cancelled. chosenFilter receives the filter the operator picked.
    std::function<QString(QWidget* parent, const QString& caption, const QString& proposedPath, const QString& filters,
                          QString* chosenFilter)>
        saveFileName;
    // Asks for an existing file to read; empty when cancelled.
    std::function<QString(QWidget* parent, const QString& caption, const QString& filters)> openFileName;

    // The operator's answers: dialogs run modally, boxes wait for OK.
    static DialogPrompts Interactive();
    // Puts text into a box of notify. A long text (the wrong lines of an imported file) keeps its first paragraph in
    // the box and the rest behind "Show Details...", so that the box and its OK button fit on the screen.
    static void SetBoxText(QMessageBox& box, const QString& text);
};
