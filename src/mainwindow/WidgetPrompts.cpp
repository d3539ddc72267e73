#include "mainwindow/WidgetPrompts.h"

#include "app/AppCore.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, TCore::GetAppName(), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// A dialog's title from a menu caption: "Save As..." is titled "Save As".
QString DialogTitle(const QString& key)
{
    QString title = Core().Translate(key);
    if (title.endsWith(u"..."))
        title.chop(3);
    return title;
}

std::optional<QString> ChooseFile(QWidget* parent, const TFileDialogRequest& request,
                                  QFileDialog::AcceptMode mode)
{
    const bool open = mode == QFileDialog::AcceptOpen;
    QFileDialog dialog(parent, DialogTitle(open ? u"Open"_qs : u"Save As..."_qs));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(request.filterDescription + u" (" + request.pattern + u')');
    dialog.setDefaultSuffix(request.defaultExtension.mid(1));
    const QFileInfo proposed(request.proposedName);
    dialog.setDirectory(proposed.path() != u"."
                            ? proposed.path()
                            : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

void TWidgetPrompts::ShowError(const QString& text)
{
    ShowBox(parent_, QMessageBox::Critical, text);
}

void TWidgetPrompts::ShowMessage(const QString& text)
{
    ShowBox(parent_, QMessageBox::Information, text);
}

bool TWidgetPrompts::AskYesNo(const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

TChangedFileAnswer TWidgetPrompts::AskChangedFile(const TChangedFileQuestion& question)
{
    QMessageBox box(QMessageBox::Warning, question.caption, question.text, QMessageBox::NoButton,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    QPushButton* overwrite = box.addButton(question.overwrite, QMessageBox::DestructiveRole);
    QPushButton* reload = box.addButton(question.reload, QMessageBox::ResetRole);
    QPushButton* saveAs = box.addButton(question.saveAs, QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    overwrite->setObjectName(u"btnOverwrite"_qs);
    reload->setObjectName(u"btnReload"_qs);
    saveAs->setObjectName(u"btnSaveAs"_qs);
    box.setDefaultButton(saveAs);
    box.setEscapeButton(cancel);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == overwrite)
        return TChangedFileAnswer::Overwrite;
    if (clicked == reload)
        return TChangedFileAnswer::Reload;
    if (clicked == saveAs)
        return TChangedFileAnswer::SaveAs;
    return TChangedFileAnswer::Cancel;
}

std::optional<QString> TWidgetPrompts::ChooseFileToOpen(const TFileDialogRequest& request)
{
    return ChooseFile(parent_, request, QFileDialog::AcceptOpen);
}

std::optional<QString> TWidgetPrompts::ChooseFileToSave(const TFileDialogRequest& request)
{
    return ChooseFile(parent_, request, QFileDialog::AcceptSave);
}
