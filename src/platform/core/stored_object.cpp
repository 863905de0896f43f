#include "platform/core/stored_object.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <string_view>
#include <utility>

#include "platform/core/colors.h"
#include "platform/core/exception.h"

namespace veilix {

namespace {

constexpr const char* kInvalidValue = "Valeur de propriété incorrecte";

constexpr std::pair<TColor, const char*> kColorNames[] = {
    {clBlack, "clBlack"},
    {clLime, "clLime"},
    {clSilver, "clSilver"},
    {clWhite, "clWhite"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenuText, "clMenuText"},
    {clHighlight, "clHighlight"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
};

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

// The pieces between separators, empty ones included ("a..b" has three).
std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    for (std::size_t from = 0;;) {
        const auto at = text.find(separator, from);
        pieces.emplace_back(text.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
        if (at == std::string_view::npos) return pieces;
        from = at + 1;
    }
}

bool IsIdentifier(const std::string& text) {
    if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0]))) return false;
    return std::ranges::all_of(text, [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

bool IsPropertyName(const std::string& text) { return std::ranges::all_of(Split(text, '.'), IsIdentifier); }

[[noreturn]] void Malformed() { throw EReadError(); }
[[noreturn]] void BadValue() { throw EReadError(kInvalidValue); }

TStoredObject ReadHeader(const std::string& line) {
    const std::string prefix = "object ";
    const auto colon = line.find(':');
    if (line.rfind(prefix, 0) != 0 || colon == std::string::npos) Malformed();
    TStoredObject object;
    object.Name = Trimmed(line.substr(prefix.size(), colon - prefix.size()));
    object.ClassName = Trimmed(line.substr(colon + 1));
    if (!IsIdentifier(object.Name) || !IsIdentifier(object.ClassName)) Malformed();
    return object;
}

TStoredProperty ReadProperty(const std::string& line) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) Malformed();
    TStoredProperty property{Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1))};
    if (!IsPropertyName(property.Name) || property.Value.empty()) Malformed();
    return property;
}

}  // namespace

std::string WriteStoredObject(const TStoredObject& object) {
    std::string text = "object " + object.Name + ": " + object.ClassName + "\n";
    for (const TStoredProperty& property : object.Properties)
        text += "  " + property.Name + " = " + property.Value + "\n";
    return text + "end\n";
}

TStoredObject ReadStoredObject(const std::string& text) {
    TStoredObject object;
    enum class Where { before, inside, after } where = Where::before;
    for (std::string line : Split(text, '\n')) {
        line = Trimmed(line);
        if (line.empty()) continue;
        switch (where) {
            case Where::before:
                object = ReadHeader(line);
                where = Where::inside;
                break;
            case Where::inside:
                if (line == "end")
                    where = Where::after;
                else
                    object.Properties.push_back(ReadProperty(line));
                break;
            case Where::after: Malformed();
        }
    }
    if (where != Where::after) Malformed();
    return object;
}

std::string BooleanText(bool value) { return value ? "True" : "False"; }

bool BooleanFromText(const std::string& text) {
    if (text == "True") return true;
    if (text == "False") return false;
    BadValue();
}

std::string IntegerText(std::int64_t value) { return std::to_string(value); }

std::int64_t IntegerFromText(const std::string& text, std::int64_t least, std::int64_t most) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value < least || value > most) BadValue();
    return value;
}

std::string StringText(const std::string& value) {
    std::string text = "'";
    for (char c : value) text += c == '\'' ? std::string("''") : std::string(1, c);
    return text + "'";
}

std::string StringFromText(const std::string& text) {
    if (text.size() < 2 || text.front() != '\'' || text.back() != '\'') BadValue();
    std::string value;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '\'') {
            if (i + 2 >= text.size() || text[i + 1] != '\'') BadValue();
            ++i;
        }
        value += text[i];
    }
    return value;
}

std::string ColorText(TColor value) {
    for (const auto& [color, name] : kColorNames)
        if (color == value) return name;
    return IntegerText(static_cast<std::int32_t>(value));
}

TColor ColorFromText(const std::string& text) {
    for (const auto& [color, name] : kColorNames)
        if (text == name) return color;
    return static_cast<TColor>(static_cast<std::int32_t>(IntegerFromText(text, INT32_MIN, INT32_MAX)));
}

std::string SetText(std::uint32_t bits, std::span<const char* const> names) {
    std::string text = "[";
    for (std::size_t n = 0; n < names.size(); ++n) {
        if (!(bits & (std::uint32_t(1) << n))) continue;
        if (text.size() > 1) text += ", ";
        text += names[n];
    }
    return text + "]";
}

std::uint32_t SetFromText(const std::string& text, std::span<const char* const> names) {
    if (text.size() < 2 || text.front() != '[' || text.back() != ']') BadValue();
    std::uint32_t bits = 0;
    const std::vector<std::string> members = Split(std::string_view(text).substr(1, text.size() - 2), ',');
    if (members.size() == 1 && Trimmed(members.front()).empty()) return 0;  // the empty set
    for (const std::string& written : members) {
        const std::string member = Trimmed(written);
        const auto it = std::ranges::find_if(names, [&](const char* name) { return member == name; });
        if (it == names.end()) BadValue();
        bits |= std::uint32_t(1) << (it - names.begin());
    }
    return bits;
}

}  // namespace veilix
