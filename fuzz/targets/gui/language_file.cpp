// The language file as the window reads it: Shift-JIS bytes decoded (code page 932), split
// into lines and fields, each matching line applied to the controls it names (captions, combo
// items, multi-line captions, fonts) and its text stored. Any bytes either apply or are
// refused with the conversion error of a bad font field; the stored texts stay well-formed
// UTF-16 whose UTF-8 form (as messages show them) matches the core's own conversion.
//
// Input: the file's bytes.
#include "FuzzSupport.h"
#include "app/LanguageFields.h"
#include "app/LanguageKeys.h"
#include "app/gui/LanguageTable.h"
#include "seams/ConversionError.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace
{

// A few controls of every kind the keys address, under one root, made once.
QWidget &controls()
{
    static QWidget *root = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "language_file";
        static char *argv[] = {name, nullptr};
        new QApplication(argc, argv);
        auto *w = new QWidget;
        auto add = [w](QWidget *child, const char *objectName) {
            child->setParent(w);
            child->setObjectName(QString::fromLatin1(objectName));
        };
        add(new QPushButton, "ConnectSpeedButton"); // caption
        add(new QLabel, "Label83");                 // stored text, caption emptied
        add(new QLabel, "Label64");                 // multi-line caption
        add(new QLabel, "Label70");                 // stored text and caption
        for (const char *combo :
             {"AilGainChComboBox", "EleGainChComboBox", "RudGainChComboBox", "CondSelChComboBox"})
            add(new QComboBox, combo); // items
        return w;
    }();
    return *root;
}

bool wellFormed(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate()) {
            if (i + 1 >= text.size() || !text[i + 1].isLowSurrogate())
                return false;
            ++i;
        } else if (text[i].isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QWidget &root = controls();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = vireo::LanguageTable::decode(bytes);
    // One character at most for every byte: a decoder never invents text.
    FUZZ_CHECK(text.size() <= bytes.size());
    FUZZ_CHECK(wellFormed(text));

    vireo::LanguageTable table;
    try {
        table.apply(text, root, QStringLiteral("language.dat"));
    } catch (const vireo::ConversionError &e) {
        FUZZ_CHECK(std::string_view(e.what()).find("language.dat, line ") == 0);
    }
    for (const vireo::LanguageKey &key : vireo::languageKeys()) {
        if (!vireo::storesText(key.kind))
            continue;
        const QString stored =
            table.text(QString::fromLatin1(key.key.data(), static_cast<qsizetype>(key.key.size())));
        FUZZ_CHECK(stored.indexOf(QLatin1Char('\n')) < 0 && stored.indexOf(QLatin1Char('\r')) < 0);
        FUZZ_CHECK(stored.indexOf(QLatin1Char('_')) < 0); // blanks travel as "_" inside the split
        FUZZ_CHECK(vireo::toUtf8(stored.toStdU16String()) == stored.toStdString());
    }
    return 0;
}
