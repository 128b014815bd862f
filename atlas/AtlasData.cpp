#include "atlas/AtlasData.h"

#include "markers/core/StandardAcupoints.h"
#include "platform/core/FaceSubstitutes.h"
#include "platform/core/Pinyin.h"
#include "platform/core/TextRules.h"

namespace penrica {

namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendUnicodeEscape(std::string& out, std::uint32_t unit) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kHex[(unit >> shift) & 0xF];
    }
}

// Each character as the program steps it; anything that is no character is written as U+FFFD.
void AppendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t next = NextCharacter(text, pos);
        const std::string_view character = text.substr(pos, next - pos);
        const char32_t cp = CodePointOf(character);
        pos = next;
        if (cp == '"' || cp == '\\') {
            out += '\\';
            out += static_cast<char>(cp);
        } else if (cp == '\n') {
            out += "\\n";
        } else if (cp < 0x20 || cp == '<' || cp == '>' || cp == '&' || cp == 0x2028 ||
                   cp == 0x2029 || cp == 0xFFFD) {
            AppendUnicodeEscape(out, cp);
        } else {
            out.append(character);
        }
    }
    out += '"';
}

void AppendCssString(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            out += '\\';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
            out += ' ';
        } else {
            out += c;
        }
    }
    out += '"';
}

// Line breaks are "\r\n" inside the program; the page shows "\n" as a break.
std::string PageText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            out += text[i];
        }
    }
    return out;
}

class JsonWriter {
public:
    std::string& out;

    void Key(std::string_view key) {
        AppendJsonString(out, key);
        out += ':';
    }
    void Field(std::string_view key, std::string_view value, char after = ',') {
        Key(key);
        AppendJsonString(out, value);
        out += after;
    }
    void Field(std::string_view key, std::int64_t value, char after = ',') {
        Key(key);
        out += IntToText(value);
        out += after;
    }
};

void WriteTexts(JsonWriter& json, std::string_view key, const std::vector<std::string>& texts) {
    json.Key(key);
    json.out += '[';
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i > 0) {
            json.out += ',';
        }
        AppendJsonString(json.out, texts[i]);
    }
    json.out += "],";
}

void WriteIndices(JsonWriter& json, std::string_view key, const std::vector<std::size_t>& indices,
                  char after = ',') {
    json.Key(key);
    json.out += '[';
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (i > 0) {
            json.out += ',';
        }
        json.out += IntToText(static_cast<std::int64_t>(indices[i]));
    }
    json.out += ']';
    json.out += after;
}

void WriteRun(JsonWriter& json, const StyledRun& run) {
    json.out += '{';
    json.Field("text", PageText(run.text));
    json.Field("font", CssFontFamily(run.format.face));
    json.Field("size", run.format.size);
    json.Field("effects", run.format.effects);
    json.Field("colour", CssColour(run.format.colour), '}');
}

void WriteMarker(JsonWriter& json, const AtlasMarker& marker) {
    json.out += '{';
    json.Field("record", marker.record);
    json.Field("name", marker.position.name);
    json.Field("x", marker.position.x);
    json.Field("y", marker.position.y);
    WriteTexts(json, "pinyin", PinyinOf(marker.position.name).syllables);
    const NameStandard& standard = StandardOf(marker.position.name);
    const StandardPoint* first = StandardAcupoints().Points().data();
    std::vector<std::size_t> points;
    for (const StandardPoint* point : standard.points) {
        points.push_back(static_cast<std::size_t>(point - first));
    }
    WriteIndices(json, "points", points);
    WriteTexts(json, "reading", standard.reading.syllables);
    json.Key("runs");
    json.out += '[';
    for (std::size_t i = 0; i < marker.introduction.runs.size(); ++i) {
        if (i > 0) {
            json.out += ',';
        }
        WriteRun(json, marker.introduction.runs[i]);
    }
    json.out += "]}";
}

void WriteImage(JsonWriter& json, const AtlasImage& image, std::string_view picture) {
    json.out += "\n{";
    json.Field("name", image.name);
    json.Field("picture", picture);
    json.Field("width", image.size.width);
    json.Field("height", image.size.height);
    json.Key("markers");
    json.out += '[';
    for (std::size_t i = 0; i < image.markers.size(); ++i) {
        json.out += i > 0 ? ",\n" : "\n";
        WriteMarker(json, image.markers[i]);
    }
    json.out += "]}";
}

// Every meridian's points in table order, which is code order within a meridian.
void WriteStandard(JsonWriter& json) {
    const AcupointTable& table = StandardAcupoints();
    json.out += "{\"meridians\":[";
    for (std::size_t m = 0; m < table.Meridians().size(); ++m) {
        const Meridian& meridian = table.Meridians()[m];
        json.out += m > 0 ? ",\n{" : "\n{";
        json.Field("prefix", meridian.prefix);
        json.Field("fullName", meridian.fullName);
        json.Field("shortName", meridian.shortName);
        json.Key("extra");
        json.out += meridian.prefix == "EX" ? "true," : "false,";
        std::vector<std::size_t> points;
        for (std::size_t p = 0; p < table.Points().size(); ++p) {
            if (table.Points()[p].meridian == m) {
                points.push_back(p);
            }
        }
        WriteIndices(json, "points", points, '}');
    }
    json.out += "],\n\"points\":[";
    for (std::size_t p = 0; p < table.Points().size(); ++p) {
        const StandardPoint& point = table.Points()[p];
        std::string key = point.code;
        std::erase(key, '-');
        json.out += p > 0 ? ",\n{" : "\n{";
        json.Field("code", point.code);
        json.Field("key", key);
        json.Field("name", point.name);
        json.Field("reading", ReadingText(point));
        json.Field("meridian", static_cast<std::int64_t>(point.meridian), '}');
    }
    json.out += "],\n\"older\":{";
    for (std::size_t i = 0; i < table.OlderLetters().size(); ++i) {
        const auto& [older, letters] = table.OlderLetters()[i];
        json.Field(older, letters, i + 1 < table.OlderLetters().size() ? ',' : '}');
    }
    if (table.OlderLetters().empty()) {
        json.out += '}';
    }
    json.out += '}';
}

} // namespace

std::string JsonString(std::string_view text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

std::string CssFontFamily(std::string_view face) {
    std::string out;
    AppendCssString(out, face);
    for (std::string_view substitute : FaceSubstitutes(face)) {
        out += ", ";
        AppendCssString(out, substitute);
    }
    return out;
}

std::string CssColour(std::uint32_t colour) {
    if (colour == kAutomaticColour) {
        return {};
    }
    const std::uint32_t channels[] = {colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF};
    std::string out = "#";
    for (std::uint32_t channel : channels) {
        out += kHex[channel >> 4];
        out += kHex[channel & 0xF];
    }
    return out;
}

std::string AtlasDataScript(const AtlasLibrary& library, const std::vector<std::string>& pictures) {
    std::string out = "window.penricaAtlas = {\"images\":[";
    JsonWriter json{out};
    for (std::size_t i = 0; i < library.images.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        WriteImage(json, library.images[i], i < pictures.size() ? pictures[i] : "");
    }
    out += "],\n\"reports\":[";
    for (std::size_t i = 0; i < library.reports.size(); ++i) {
        out += i > 0 ? ",\n" : "\n";
        out += '{';
        json.Field("image", library.reports[i].image);
        json.Field("text", library.reports[i].text, '}');
    }
    out += "],\n\"standard\":";
    WriteStandard(json);
    out += "};\n";
    return out;
}

} // namespace penrica
