#include "link/Identification.h"

#include <initializer_list>

namespace vireo
{
namespace
{

class ShapeBuilder
{
public:
    explicit ShapeBuilder(std::vector<ShapeStep> &steps) : steps_(steps) {}

    void each(ShapeAction action, std::initializer_list<const char *> controls)
    {
        for (const char *c : controls)
            steps_.push_back({action, c, {}});
    }
    void numbered(ShapeAction action, const char *prefix, int first, int last)
    {
        for (int i = first; i <= last; ++i)
            steps_.push_back({action, prefix + std::to_string(i), {}});
    }
    void step(ShapeAction action, std::string control, std::string arg = {})
    {
        steps_.push_back({action, std::move(control), std::move(arg)});
    }

private:
    std::vector<ShapeStep> &steps_;
};

// The pirouette gain entry exists only on firmware that lacks the automatic gain.
void pirouetteGainEntry(ShapeBuilder &b, bool hidden)
{
    b.each(hidden ? ShapeAction::Hide : ShapeAction::Show, {"Label63", "Edit25", "PirouGainSetButton"});
    b.step(ShapeAction::SetTextKey, "Label70", hidden ? "PRSLabel4" : "PRSLabel3");
}

void shapeKind1(ShapeBuilder &b, std::string_view fw)
{
    using A = ShapeAction;
    b.each(A::Hide, {"TabSheet8", "TabSheet9", "ResHeliSelectGroupBox"});
    b.step(A::SelectFirstItem, "ResHeliSelectComboBox");
    b.numbered(A::Show, "StaticText", 66, 71);
    b.numbered(A::Show, "Label", 75, 80);
    b.each(A::Hide, {"StaticText32", "StaticText39", "StaticText40"});
    if (versionLess(fw, " 1.0.5")) {
        b.each(A::Enable,
               {"DBRadioGroup", "DB0RadioButton", "DB1RadioButton", "DB2RadioButton", "DB3RadioButton"});
        b.each(A::Disable, {"PirouGroup", "PirouUseCheckBox", "PirouDirCheckBox", "Label63", "Label70"});
        b.step(A::SetTextKey, "Label70", "PRSLabel3");
        b.each(A::Disable,
               {"PirouCheckButton", "Edit25", "PirouGainSetButton", "ERingGroup", "ERingUseCheckBox"});
    } else {
        pirouetteGainEntry(b, versionAtLeast(fw, " 2.0.5"));
        b.each(A::Enable, {"PirouGroup", "ERingGroup"});
    }
    if (versionAtLeast(fw, " 2.0.0"))
        b.step(A::ReadAllDefaults, {});
}

void shapeKind2(ShapeBuilder &b, std::string_view fw)
{
    using A = ShapeAction;
    b.step(A::Show, "TabSheet8");
    b.step(versionGreater(fw, " 0.2.5") ? A::Show : A::Hide, "TabSheet9");
    pirouetteGainEntry(b, versionAtLeast(fw, " 0.3.4"));
    b.each(versionGreater(fw, " 0.3.8") ? A::Show : A::Hide,
           {"AxisControlSelectGroupBox", "Label105", "Label106", "AxisMode3AxisRadioButton",
            "AxisMode1AxisRadioButton"});
    const bool extraSet = versionAtLeast(fw, " 0.5.0");
    b.each(extraSet ? A::Enable : A::Disable,
           {"ExtraRadioButton", "CondSelChComboBox", "Label108", "SwashNarrowComboBox", "Label109"});
    if (!extraSet)
        b.step(A::CheckInsteadIfChecked, "ExtraRadioButton", "Mode0RadioButton");
    b.each(A::Show, {"ResHeliSelectGroupBox", "StaticText32", "StaticText39", "StaticText40"});
    b.numbered(A::Hide, "StaticText", 66, 71);
    b.numbered(A::Hide, "Label", 75, 80);
    b.each(A::Enable, {"PirouGroup", "ERingGroup"});
    b.step(A::ReadAllDefaults, {});
}

} // namespace

namespace
{

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// "d.d.d" followed by CR LF.
bool isVersionLine(std::string_view text)
{
    return text.size() == 7 && isDigit(text[0]) && text[1] == '.' && isDigit(text[2]) && text[3] == '.' &&
           isDigit(text[4]) && text.substr(5) == "\r\n";
}

} // namespace

bool isLoaderVersionAnswer(std::string_view upverReply)
{
    return isVersionLine(upverReply);
}

bool isFirmwareVersionAnswer(std::string_view verReply)
{
    return verReply == LoaderVersionAnswer ||
           (verReply.size() == 8 && verReply[0] == ' ' && isVersionLine(verReply.substr(1)));
}

std::optional<Identification> decideIdentification(std::string_view upverReply, std::string_view verReply,
                                                   std::uint32_t baud)
{
    using A = ShapeAction;
    if (!isLoaderVersionAnswer(upverReply) || !isFirmwareVersionAnswer(verReply))
        return std::nullopt;
    Identification id;
    ShapeBuilder b(id.shape);

    id.kind = upverReply == Kind1LoaderAnswer ? UnitKind::Kind1 : UnitKind::Kind2;
    id.loaderVersion = std::string(upverReply.substr(0, upverReply.find('\r')));
    b.step(A::SetTextKey, "Label83", id.kind == UnitKind::Kind1 ? "KALMKind1" : "KALMKind2");

    // A Kind1 unit answering at 250000 baud is its loader: the application runs at 230400.
    if (verReply == LoaderVersionAnswer || (baud == 250000 && id.kind == UnitKind::Kind1)) {
        id.loaderOnly = true;
        id.firmwareVersion = std::string(LoaderVersion);
        b.each(A::Hide,
               {"TabSheet2", "TabSheet3", "TabSheet4", "TabSheet6", "TabSheet7", "TabSheet8", "TabSheet9"});
        b.step(A::Show, "TabSheet5");
        b.step(A::ActivatePage, "TabSheet5");
        b.step(A::Show, "LEDGreenImage");
        b.step(A::ErrorBox, {}, "FirmwareErrorMessage");
    } else {
        id.firmwareVersion = std::string(verReply.substr(0, 6));
        b.numbered(A::Show, "TabSheet", 2, 9);
        if (id.kind == UnitKind::Kind1)
            shapeKind1(b, id.firmwareVersion);
        else
            shapeKind2(b, id.firmwareVersion);
    }
    b.step(A::SetText, "Label35", id.firmwareVersion);
    return id;
}

std::optional<Identification> identifyUnit(SerialLink &link)
{
    // Both answers are judged by their text whatever their exchange reported: a loader's
    // six-byte "0000\r\n" ends the eight-byte wait by time-out.
    link.exchange("UPVER\r\n", 7, 500, LossCheck::Off);
    const std::string upver(link.replyText());
    link.exchange("VER\r\n", 8, 500, LossCheck::Off);
    return decideIdentification(upver, link.replyText(), link.baudRate);
}

} // namespace vireo
