#include "platform/core/colors.h"

#include <optional>

#include <QApplication>
#include <QPalette>

namespace veilix {

namespace {
std::optional<SystemColorTable>& Table() {
    static std::optional<SystemColorTable> table;
    return table;
}

TColor FromQColor(const QColor& c) {
    return RGBColor(std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue()));
}

SystemColorTable TableFromPalette() {
    const QPalette palette = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
    SystemColorTable table{};
    table.fill(RGBColor(192, 192, 192));
    // Indices of the classic system colour list.
    table[0] = FromQColor(palette.color(QPalette::Dark));              // scroll bar
    table[1] = FromQColor(palette.color(QPalette::Shadow));            // background
    table[2] = FromQColor(palette.color(QPalette::Highlight));         // active caption
    table[3] = FromQColor(palette.color(QPalette::Mid));               // inactive caption
    table[4] = FromQColor(palette.color(QPalette::Base));              // menu
    table[5] = FromQColor(palette.color(QPalette::Base));              // window
    table[6] = FromQColor(palette.color(QPalette::Shadow));            // window frame
    table[7] = FromQColor(palette.color(QPalette::Text));              // menu text
    table[8] = FromQColor(palette.color(QPalette::Text));              // window text
    table[9] = FromQColor(palette.color(QPalette::HighlightedText));   // caption text
    table[13] = FromQColor(palette.color(QPalette::Highlight));        // highlight
    table[14] = FromQColor(palette.color(QPalette::HighlightedText));  // highlight text
    table[15] = FromQColor(palette.color(QPalette::Button));           // button face
    table[16] = FromQColor(palette.color(QPalette::Dark));             // button shadow
    table[17] = FromQColor(palette.color(QPalette::PlaceholderText));  // grey text
    table[18] = FromQColor(palette.color(QPalette::ButtonText));       // button text
    table[20] = FromQColor(palette.color(QPalette::Light));            // button highlight
    table[21] = FromQColor(palette.color(QPalette::Shadow));           // 3D dark shadow
    table[22] = FromQColor(palette.color(QPalette::Midlight));         // 3D light
    table[29] = FromQColor(palette.color(QPalette::Highlight));        // menu highlight
    table[30] = FromQColor(palette.color(QPalette::Window));           // menu bar
    return table;
}
}  // namespace

bool IsSystemColor(TColor color) { return (color & 0xFF000000) == 0xFF000000; }

TColor ColorToRGB(TColor color) {
    if (!IsSystemColor(color)) return color & 0x00FFFFFF;
    const unsigned index = color & 0xFF;
    return index < kSystemColorCount ? SystemColors()[index] : clBlack;
}

const SystemColorTable& SystemColors() {
    if (!Table()) Table() = TableFromPalette();
    return *Table();
}

void SetSystemColors(const SystemColorTable& table) { Table() = table; }
void ResetSystemColors() { Table().reset(); }

}  // namespace veilix
