#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QtTest>

#include <functional>

// Stands in for the operator at the station's boxes and dialogs: answers as the test decides and keeps what the
// station said and asked.
struct RecordingPrompts
{
    // "title: text" of every box with one OK button.
    QStringList said;
    // The text of every OK/Cancel question.
    QStringList asked;
    bool confirmAnswer = true;
    // Answers a modal dialog; by default with the dialog's own result, i.e. the button the test clicked on it.
    std::function<int(QDialog&)> dialogAnswer = [](QDialog& dialog) { return dialog.result(); };

    // Fills notify, confirm and runDialog of any of the station's prompt sets; the rest stay as given.
    template <class Prompts> Prompts Answer(Prompts prompts = Prompts())
    {
        prompts.notify = [this](QMessageBox::Icon, QWidget*, const QString& title, const QString& text) {
            said << title + ": " + text;
        };
        prompts.confirm = [this](QWidget*, const QString&, const QString& text) {
            asked << text;
            return confirmAnswer;
        };
        prompts.runDialog = [this](QDialog& dialog) { return dialogAnswer(dialog); };
        return prompts;
    }
};

// Clicks the push button of that object name inside parent, as the operator would; a missing or disabled button
// fails the test.
inline void Click(QWidget& parent, const char* name)
{
    auto* button = parent.findChild<QPushButton*>(QLatin1String(name));
    QVERIFY2(button && button->isEnabled(), name);
    button->click();
}
