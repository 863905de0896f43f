#include "platform/core/shortcut.h"

#include <array>
#include <utility>

namespace veilix {

namespace {

std::string KeyName(std::uint8_t key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return "Num " + std::to_string(key - VK_NUMPAD0);
    static constexpr std::array<std::pair<std::uint8_t, const char*>, 20> kNamed{{
        {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},        {VK_RETURN, "Enter"},    {VK_ESCAPE, "Esc"},
        {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"},     {VK_NEXT, "PgDn"},       {VK_END, "End"},
        {VK_HOME, "Home"},   {VK_LEFT, "Left"},      {VK_UP, "Up"},           {VK_RIGHT, "Right"},
        {VK_DOWN, "Down"},   {VK_INSERT, "Ins"},     {VK_DELETE, "Del"},      {VK_MULTIPLY, "Num *"},
        {VK_ADD, "Num +"},   {VK_SUBTRACT, "Num -"}, {VK_DECIMAL, "Num Del"}, {VK_DIVIDE, "Num /"},
    }};
    for (const auto& [code, name] : kNamed)
        if (code == key) return name;
    return {};
}

}  // namespace

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = KeyName(std::uint8_t(shortCut & 0xFF));
    if (name.empty()) return {};
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    return text + name;
}

}  // namespace veilix
