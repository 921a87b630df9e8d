#include "ui/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QWidget>

namespace {

// The window the player is using: the topmost modal one, else the active one.
QWidget *ownerWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

void QtDialogs::showMessage(const QString &text, const QString &caption, Icon icon)
{
    QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon, caption, text,
                    QMessageBox::Ok, ownerWindow());
    box.exec();
}

bool QtDialogs::askYesNo(const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, ownerWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

QString QtDialogs::askText(const QString &prompt, const QString &caption, const QString &defaultText)
{
    QInputDialog input(ownerWindow());
    input.setInputMode(QInputDialog::TextInput);
    input.setWindowTitle(caption);
    input.setLabelText(prompt);
    input.setTextValue(defaultText);
    if (input.exec() != QDialog::Accepted)
        return QString();
    return input.textValue();
}
