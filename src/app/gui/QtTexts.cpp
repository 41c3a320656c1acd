#include "app/gui/QtTexts.h"

#include "app/gui/LanguageTable.h"

#include <cstring>

namespace vireo
{

namespace
{

struct QtText {
    const char *context, *source, *key;
};

// "#" in a text is a line break, as in the multi-line texts of the file.
constexpr QtText Texts[] = {
    {"QPlatformTheme", "OK", "DialogMessageOk"},
    {"QPlatformTheme", "Cancel", "DialogMessageCancel"},
    {"QPlatformTheme", "Yes", "DialogMessageYes"},
    {"QPlatformTheme", "No", "DialogMessageNo"},
    {"QPlatformTheme", "Open", "QtTextOpen"},
    {"QPlatformTheme", "Save", "QtTextSave"},
    {"QPlatformTheme", "Close", "QtTextClose"},
    {"QFileDialog", "Open", "QtTextOpen"},
    {"QFileDialog", "&Open", "QtTextOpenButton"},
    {"QFileDialog", "&Save", "QtTextSaveButton"},
    {"QFileDialog", "Save As", "QtTextSaveAs"},
    {"QFileDialog", "Look in:", "QtTextLookIn"},
    {"QFileDialog", "File &name:", "QtTextFileName"},
    {"QFileDialog", "Files of type:", "QtTextFileType"},
    {"QFileDialog", "Back", "QtTextBack"},
    {"QFileDialog", "Forward", "QtTextForward"},
    {"QFileDialog", "Parent Directory", "QtTextParent"},
    {"QFileDialog", "Create New Folder", "QtTextCreateFolder"},
    {"QFileDialog", "List View", "QtTextListView"},
    {"QFileDialog", "Detail View", "QtTextDetailView"},
    {"QFileDialog", "New Folder", "QtTextNewFolder"},
    {"QFileDialog", "&New Folder", "QtTextNewFolderItem"},
    {"QFileDialog", "&Rename", "QtTextRename"},
    {"QFileDialog", "&Delete", "QtTextDeleteItem"},
    {"QFileDialog", "Show &hidden files", "QtTextShowHidden"},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?", "QtTextReplace"},
    {"QFileSystemModel", "Name", "QtTextName"},
    {"QFileSystemModel", "Size", "QtTextSize"},
    {"QFileSystemModel", "Type", "QtTextType"},
    {"QFileSystemModel", "Date Modified", "QtTextDateModified"},
    {"QLineEdit", "&Undo", "QtTextUndo"},
    {"QLineEdit", "&Redo", "QtTextRedo"},
    {"QLineEdit", "Cu&t", "QtTextCut"},
    {"QLineEdit", "&Copy", "QtTextCopy"},
    {"QLineEdit", "&Paste", "QtTextPaste"},
    {"QLineEdit", "Delete", "QtTextDelete"},
    {"QLineEdit", "Select All", "QtTextSelectAll"},
};

} // namespace

QtTextTranslator::QtTextTranslator(const LanguageTable &table, QObject *parent)
    : QTranslator(parent), table_(table)
{
}

QString QtTextTranslator::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return {};
    for (const QtText &t : Texts)
        if (std::strcmp(t.context, context) == 0 && std::strcmp(t.source, sourceText) == 0) {
            QString text = table_.text(QLatin1String(t.key));
            return text.replace(QLatin1Char('#'), QLatin1Char('\n')); // empty: Qt's own text
        }
    return {};
}

} // namespace vireo
