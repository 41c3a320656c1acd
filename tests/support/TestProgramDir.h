#pragma once
// A program directory of its own for a window test: the images that start-up loads, copied
// from the test executable's directory (the build's assets), and a language file of the
// test's choosing, by default the shipped one.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <stdexcept>

namespace vireo::test
{

class TestProgramDir
{
public:
    static constexpr std::array<const char *, 6> Images = {"Vireo_head.png",  "led_off.png",
                                                           "led_red_on.png",  "led_green_on.png",
                                                           "Vireo_title.png", "Vireo_icon_64_64.ico"};

    TestProgramDir()
    {
        if (!dir_.isValid())
            throw std::runtime_error("no temporary directory");
        for (const char *name : Images)
            copyShipped(name);
        copyShipped("language.dat");
    }

    // ProgramDir with its trailing separator.
    QString path() const { return dir_.path() + QLatin1Char('/'); }

    // Replaces the language file (bytes as written, Shift-JIS for Japanese texts).
    void writeLanguageFile(const QByteArray &content) const { write("language.dat", content); }

    void write(const QString &name, const QByteArray &content) const
    {
        QFile f(path() + name);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
            throw std::runtime_error("cannot write " + name.toStdString());
    }

    void remove(const QString &name) const { QFile::remove(path() + name); }

    static QString shipped(const QString &name)
    {
        return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
    }

    // Copies a shipped file (a preset, say) into the directory.
    void copyShipped(const QString &name) const
    {
        if (!QFile::copy(shipped(name), path() + name))
            throw std::runtime_error("missing asset " + name.toStdString() + " next to the test executable");
    }

private:
    QTemporaryDir dir_;
};

} // namespace vireo::test
