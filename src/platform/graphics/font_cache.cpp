#include "platform/graphics/font_cache.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <QCoreApplication>

#include "platform/graphics/fonts.h"

namespace veilix {

namespace {
// Beyond this many fonts something draws with ever-new fonts: start afresh.
constexpr std::size_t kMostFonts = 32;

struct Entry {
    TFont key;  // colour cleared: it does not change the glyphs
    std::unique_ptr<CachedFont> value;
};

std::vector<Entry>& Entries() {
    // Not destroyed at exit, when Qt's font engines may be gone already: the
    // fonts go with the application object instead (RegisterCleanup).
    static auto* entries = new std::vector<Entry>;
    return *entries;
}

int CellHeight(QFont font, int pixelSize) {
    font.setPixelSize(pixelSize);
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

// A positive height asks for the whole cell (character plus leading): the
// largest pixel size whose cell fits, starting from a proportional guess.
int PixelSizeForCell(const QFont& font, int cellHeight) {
    const int atCell = std::max(CellHeight(font, cellHeight), 1);
    int size = std::max(1, (cellHeight * cellHeight + atCell / 2) / atCell);
    while (size > 1 && CellHeight(font, size) > cellHeight) --size;
    while (CellHeight(font, size + 1) <= cellHeight) ++size;
    return size;
}

QFont MakeQFont(const TFont& f) {
    QFont font(QString::fromStdString(f.Name));
    font.setStyleStrategy(QFont::NoAntialias);
    font.setBold((f.Style & fsBold) != 0);
    font.setItalic((f.Style & fsItalic) != 0);
    font.setUnderline((f.Style & fsUnderline) != 0);
    font.setStrikeOut((f.Style & fsStrikeOut) != 0);
    if (f.Height < 0)
        font.setPixelSize(-f.Height);
    else if (f.Height > 0)
        font.setPixelSize(PixelSizeForCell(font, f.Height));
    return font;
}

std::unique_ptr<CachedFont> Make(const TFont& f) {
    const QFont font = MakeQFont(f);
    const QFontMetrics metrics(font);
    return std::make_unique<CachedFont>(CachedFont{font, metrics, 8 * std::max(metrics.averageCharWidth(), 1)});
}

void RegisterCleanup() {
    // Qt's font engines go with the application object: so do ours.
    static bool registered = false;
    if (registered) return;
    registered = true;
    qAddPostRoutine([] {
        ClearFontCache();
        registered = false;
    });
}
}  // namespace

const CachedFont& FontFor(const TFont& font) {
    TFont key = font;
    key.Color = 0;
    std::vector<Entry>& entries = Entries();
    const auto found = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.key == key; });
    if (found != entries.end()) return *found->value;
    // Registered here rather than at start-up: adding fonts makes fontconfig
    // scan the system's fonts, which then delays only the first menu, and that
    // needs the scan anyway.
    RegisterBundledFonts();
    if (entries.size() >= kMostFonts) entries.clear();
    RegisterCleanup();
    entries.push_back(Entry{key, Make(key)});
    return *entries.back().value;
}

void ClearFontCache() { Entries().clear(); }

}  // namespace veilix
