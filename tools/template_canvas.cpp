#include "template_canvas.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace veilix {
namespace {

int ParseNumber(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == ',' || text[pos] == '\n')) ++pos;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data() + pos, text.data() + text.size(), value);
    if (error != std::errc()) throw std::invalid_argument("bad run list: " + std::string(text));
    pos = static_cast<std::size_t>(end - text.data());
    return value;
}

}  // namespace

std::vector<LimeRun> ParseRuns(std::string_view text) {
    std::vector<LimeRun> runs;
    std::size_t pos = 0;
    while (text.find_first_of("0123456789", pos) != std::string_view::npos) {
        LimeRun run;
        run.first = ParseNumber(text, pos);
        if (pos >= text.size() || text[pos] != '-') throw std::invalid_argument("bad run list: " + std::string(text));
        ++pos;
        run.last = ParseNumber(text, pos);
        runs.push_back(run);
    }
    return runs;
}

GreenCanvas::GreenCanvas(int width, int height) {
    picture_.width = width;
    picture_.height = height;
    picture_.rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
}

void GreenCanvas::SetGreen(int x, int y, std::uint8_t green) {
    if (x < 0 || y < 0 || x >= picture_.width || y >= picture_.height) {
        throw std::out_of_range("pixel outside the template");
    }
    picture_.rgb[(static_cast<std::size_t>(y) * picture_.width + x) * 3 + 1] = green;
}

void GreenCanvas::FillRun(int y, LimeRun run) {
    for (int x = run.first; x <= run.last; ++x) SetGreen(x, y, 255);
}

void GreenCanvas::FillRuns(int first_row, const std::vector<LimeRun>& runs) {
    for (std::size_t i = 0; i < runs.size(); ++i) FillRun(first_row + static_cast<int>(i), runs[i]);
}

}  // namespace veilix
