#include "platform/DialogBoxes.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

QWidget* owner()
{
    return QApplication::activeWindow();
}

QString plain(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

QMessageBox::StandardButton standardButton(int answer)
{
    using namespace Dialogs;
    switch (answer) {
    case vbCancel: return QMessageBox::Cancel;
    case vbAbort: return QMessageBox::Abort;
    case vbRetry: return QMessageBox::Retry;
    case vbIgnore: return QMessageBox::Ignore;
    case vbYes: return QMessageBox::Yes;
    case vbNo: return QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

class QtBackend : public Dialogs::Backend
{
public:
    int msgBox(const QString& prompt, int buttons, const QString& title) override
    {
        using namespace Dialogs;
        QMessageBox box(owner());
        box.setWindowTitle(title.isEmpty() ? appTitle() : title);
        box.setTextFormat(Qt::PlainText);
        box.setText(plain(prompt));
        switch (buttons & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }

        // The buttons in their order on the box with the answer each gives.
        QList<std::pair<QMessageBox::StandardButton, int>> order;
        for (int answer : ButtonAnswers(buttons))
            order.append({standardButton(answer), answer});
        QMessageBox::StandardButtons set;
        for (const auto& b : order)
            set |= b.first;
        box.setStandardButtons(set);
        box.setDefaultButton(standardButton(DefaultAnswer(buttons)));
        // Esc answers Cancel where there is one; a plain box closes with OK.
        for (const auto& b : order)
            if (b.second == vbCancel || order.size() == 1)
                box.setEscapeButton(b.first);

        box.exec();
        const auto clicked = box.standardButton(box.clickedButton());
        for (const auto& b : order)
            if (b.first == clicked)
                return b.second;
        // Closed without a button: the Cancel answer where there is one, else the last button's.
        for (const auto& b : order)
            if (b.second == vbCancel)
                return vbCancel;
        return order.last().second;
    }

    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(owner(), title.isEmpty() ? Dialogs::appTitle() : title,
                                                   plain(prompt), QLineEdit::Normal, defaultText, &ok);
        return ok ? text : QString();
    }

    QString saveFile(const Dialogs::SaveRequest& request) override
    {
        QFileDialog dialog(owner(), request.title, request.initialFolder);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // Saving over an existing file asks first (QFileDialog does so in save mode).
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (!request.filters.isEmpty()) {
            dialog.setNameFilters(request.filters);
            const int index = request.filterIndex - 1;
            if (index >= 0 && index < request.filters.size())
                dialog.selectNameFilter(request.filters[index]);
        }
        if (!request.defaultExtension.isEmpty())
            dialog.setDefaultSuffix(request.defaultExtension);
        if (!request.defaultFileName.isEmpty())
            dialog.selectFile(request.defaultFileName);
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        const QStringList files = dialog.selectedFiles();
        return files.isEmpty() ? QString() : files.first();
    }
};

} // namespace

namespace Dialogs {

Backend& boxes()
{
    static QtBackend backend;
    return backend;
}

} // namespace Dialogs
