#pragma once

#include <QMessageBox>
#include <QProgressDialog>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

// How the log browser's modal boxes and its file dialog are answered; tests replace the operator.
struct LogBrowserPrompts
{
    // Runs the browser and returns its result code.
    std::function<int(QDialog&)> runDialog;
    // A box titled "Warn", "Search" or "Save" with one OK button.
    std::function<void(QMessageBox::Icon icon, QWidget* parent, const QString& title, const QString& text)> notify;
    // OK and Cancel, Cancel the default; true for OK.
    std::function<bool(QWidget* parent, const QString& title, const QString& text)> confirm;
    // The file to save to, empty when cancelled; chosenFilter receives the filter the operator picked.
    std::function<QString(QWidget* parent, const QString& caption, const QString& proposedPath, const QString& filters,
                          QString* chosenFilter)>
        saveFileName;
    // Asked between export batches; true stops the export.
    std::function<bool(QProgressDialog& progress)> exportCancelled = [](QProgressDialog& progress) {
        return progress.wasCanceled();
    };
};
