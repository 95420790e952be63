#pragma once

#include <QList>
#include <QString>

// The Save-As dialog for exports and downloads. Set DefaultFileName,
// DefaultExtension and the filters, call ShowSave, then read the results; an empty
// FileName means the user cancelled (or, on a reused object, that no earlier choice
// was made: a cancel keeps the results of the last successful dialog).
class clsSaveDialog
{
public:
    clsSaveDialog();

    // Results of the last successful dialog.
    bool ReadOnly() const { return m_readOnly; }
    QString ShortFileName() const { return m_shortFileName; }
    QString ShortFileTitle() const { return m_shortFileTitle; }
    QString Extension() const { return m_extension; }  // without the dot
    QString FileName() const { return m_fileName; }    // name and extension
    QString Path() const { return m_path; }            // folder with its trailing '/'
    QString PathFile() const { return m_pathFile; }

    void ShowSave();
    void ClearAllFilters();
    void RemoveFilter(const QString& Extension);
    // Adds "Description (*.Extension)" under the key Extension; a key already present
    // keeps its first filter.
    void AddFilter(const QString& Description, const QString& Extension);

    QString DialogTitle() const { return m_dialogTitle; }
    void setDialogTitle(const QString& title) { m_dialogTitle = title; }
    QString InitialFolder() const { return m_initialFolder; }
    void setInitialFolder(const QString& folder) { m_initialFolder = folder; }
    QString FileTitle() const { return m_fileTitle; }
    void setFileTitle(const QString& title) { m_fileTitle = title; }
    QString DefaultExtension() const { return m_defaultExtension; }
    void setDefaultExtension(const QString& extension) { m_defaultExtension = extension; }
    QString DefaultFileName() const { return m_defaultFileName; }
    void setDefaultFileName(const QString& name) { m_defaultFileName = name; }

    // The filter list as the dialog gets it: per filter its text, a zero, its
    // pattern, a zero; one more zero at the end (a single zero for no filters).
    QString BuildFilter() const;
    // 1-based position of the first filter whose key equals DefaultExtension
    // (without regard to case); 1 when none does.
    int GetFilterIndex() const;

private:
    struct Filter
    {
        QString key;
        QString text;
    };

    QList<Filter> m_filters;
    QString m_defaultFileName;
    QString m_defaultExtension;
    QString m_fileTitle;
    QString m_initialFolder;
    QString m_dialogTitle;
    QString m_pathFile;
    QString m_path;
    QString m_fileName;
    QString m_extension;
    QString m_shortFileName;
    QString m_shortFileTitle;
    bool m_readOnly = false;
};
