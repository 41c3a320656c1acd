#pragma once
// Qt's own texts (the buttons and labels of its file dialogs and message boxes, the entry
// fields' context menu) taken from the window's language file, so that a Japanese window
// shows no English dialog. Texts the file does not give stay Qt's.
#include <QTranslator>

namespace vireo
{

class LanguageTable;

class QtTextTranslator : public QTranslator
{
public:
    QtTextTranslator(const LanguageTable &table, QObject *parent = nullptr);

    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }

private:
    const LanguageTable &table_;
};

} // namespace vireo
