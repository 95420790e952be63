#include "core/clsSaveDialog.h"

#include "platform/AppPath.h"
#include "platform/Dialogs.h"

#include <QFileInfo>

clsSaveDialog::clsSaveDialog()
    : m_initialFolder(AppPath()), m_dialogTitle(QStringLiteral("Save As..."))
{
}

void clsSaveDialog::AddFilter(const QString& Description, const QString& Extension)
{
    for (const Filter& f : m_filters)
        if (f.key == Extension)
            return;
    m_filters.append({Extension, Description + QStringLiteral(" (*.") + Extension + QStringLiteral(")")});
}

void clsSaveDialog::RemoveFilter(const QString& Extension)
{
    for (int i = 0; i < m_filters.size(); ++i)
        if (m_filters[i].key == Extension) {
            m_filters.removeAt(i);
            return;
        }
}

void clsSaveDialog::ClearAllFilters()
{
    m_filters.clear();
}

QString clsSaveDialog::BuildFilter() const
{
    const QChar zero(0);
    QString text;
    for (const Filter& f : m_filters) {
        // The pattern comes from the key, so a description holding "*" cannot spoil it.
        text += f.text + zero + QStringLiteral("*.") + f.key + zero;
    }
    return text + zero;
}

int clsSaveDialog::GetFilterIndex() const
{
    for (int i = 0; i < m_filters.size(); ++i)
        if (m_filters[i].key.compare(m_defaultExtension, Qt::CaseInsensitive) == 0)
            return i + 1;
    return 1;
}

void clsSaveDialog::ShowSave()
{
    Dialogs::SaveRequest request;
    request.title = m_dialogTitle;
    request.initialFolder = m_initialFolder;
    request.defaultFileName = m_defaultFileName;
    request.defaultExtension = m_defaultExtension;
    for (const Filter& f : m_filters)
        request.filters << f.text;
    request.filterIndex = GetFilterIndex();

    QString chosen = Dialogs::SaveFile(request);
    if (chosen.isEmpty())
        return;  // cancelled: the results of the last successful dialog stay

    const int slash = chosen.lastIndexOf(QLatin1Char('/'));
    QString name = chosen.mid(slash + 1);
    if (name.isEmpty())
        return;  // a folder is no file to save to
    // A name typed without an extension gets the default one, as the dialog does.
    if (!name.contains(QLatin1Char('.')) && !m_defaultExtension.isEmpty()) {
        name += QLatin1Char('.') + m_defaultExtension;
        chosen += QLatin1Char('.') + m_defaultExtension;
    }

    m_pathFile = chosen;
    m_path = chosen.left(slash + 1);
    m_fileName = name;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    m_extension = dot >= 0 ? name.mid(dot + 1) : QString();
    m_fileTitle = name;
    // There are no short names here: the short forms are the long ones for a file
    // that exists, and empty for one that does not (yet).
    const bool exists = QFileInfo::exists(m_pathFile);
    m_shortFileName = exists ? m_pathFile : QString();
    m_shortFileTitle = exists ? m_fileTitle : QString();
    m_readOnly = false;
}
