#include "CatalogueGenerator.h"

#include "SeededRandom.h"
#include "services/JsonString.h"

#include <fstream>
#include <stdexcept>

namespace {

const std::vector<std::string> namePrefixes = {
    "Quill", "Nimbus", "Harbor", "Vertex", "Lumen", "Cobalt", "Pine", "Orbit", "Ember", "Atlas",
    "Drift", "Sable", "Juniper", "Kestrel", "Mosaic", "Tidal", "Onyx", "Meadow", "Beacon", "Cinder",
    "Falcon", "Granite", "Helix", "Iris", "Jade", "Krypton", "Lark", "Marlin", "Nova", "Opal",
};
const std::vector<std::string> nameSuffixes = {
    "Studio", "Mail", "Notes", "Code", "Draw", "Player", "Terminal", "Browser", "Reader", "Sheets",
    "Chat", "Files", "Photo", "Music", "Maps", "Calendar", "Writer", "Slides", "Tasks", "Editor",
};
const std::vector<std::string> sectionTitles = {
    "General", "File", "Edit", "View", "Navigation", "Selection", "Search", "Window", "Tabs", "Debug",
    "Terminal", "Formatting", "Bookmarks", "Tools", "Help", "Playback", "Layers", "Cursor", "Panels",
    "Refactoring", "Clipboard", "Zoom", "History", "Messages", "Éditer", "Ansicht",
};
const std::vector<std::string> verbs = {
    "Open", "Close", "Save", "Toggle", "Show", "Hide", "Move", "Select", "Copy", "Paste", "Cut",
    "Delete", "Duplicate", "Insert", "Find", "Replace", "Go to", "Jump to", "Switch to", "Zoom",
    "Rename", "Split", "Merge", "Fold", "Unfold", "Indent", "Outdent", "Comment", "Format", "Run",
    "Debug", "Stop", "Restart", "Undo", "Redo", "Refresh", "Bookmark", "Expand", "Collapse", "Print",
    "Export", "Import", "Pin", "Mute", "Play", "Pause", "Öffnen", "Aperçu",
};
// Ordered from common to rare (drawn with weight 1 / rank).
const std::vector<std::string> objects = {
    "file", "tab", "window", "line", "selection", "word", "panel", "sidebar", "terminal", "page",
    "folder", "project", "cursor", "block", "bookmark", "cell", "column", "row", "layer", "track",
    "paragraph", "symbol", "definition", "reference", "image", "note", "message", "thread",
    "channel", "playlist", "history", "workspace", "breakpoint", "minimap", "outline", "glossary",
    "watermark", "palette", "snippet", "footnote",
};
const std::vector<std::string> qualifiers = {
    "up", "down", "left", "right", "to start", "to end", "in new window", "and keep focus", "above",
    "below", "all", "recent", "next", "previous",
};
const std::vector<std::string> namedKeys = {
    "up", "down", "left", "right", "tab", "enter", "esc", "delete", "backspace", "home", "end",
    "pageup", "pagedown", "plus", "minus", "comma", "period", "slash", "space", "backslash",
    "leftbracket", "rightbracket", "semicolon", "quote", "backtick",
};
const std::vector<std::string> commentTemplates = {
    "Works only while a %o is focused",
    "Same as the %v command of the menu",
    "Hold shift to %v every %o",
    "Repeat to cycle through each %o",
    "Also available from the context menu of a %o",
    "Needs a %o to be selected first",
};

std::string jsonString(const std::string &text)
{
    std::string out;
    out.reserve(text.size() + 2);
    JsonString::append(out, text);
    return out;
}

std::string lower(std::string text)
{
    for (char &c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

std::string keyText(SeededRandom &random, bool forMac)
{
    auto chord = [&random, forMac] {
        std::string keys;
        if (random.percent(70))
            keys += forMac ? "cmd+" : "ctrl+";
        if (random.percent(30))
            keys += "shift+";
        if (random.percent(18))
            keys += "alt+";
        if (!forMac && random.percent(4))
            keys += "super+";
        const std::size_t kind = random.below(100);
        if (kind < 60)
            keys += char('a' + random.below(26));
        else if (kind < 68)
            keys += char('0' + random.below(10));
        else if (kind < 78)
            keys += "f" + std::to_string(random.between(1, 12));
        else
            keys += random.pick(namedKeys);
        return keys;
    };
    std::string key = chord();
    if (random.percent(8))
        key += " " + chord();
    if (random.percent(5)) {
        // Some authors capitalise names ("Ctrl+Shift+P").
        for (std::size_t i = 0; i < key.size(); ++i) {
            if ((i == 0 || key[i - 1] == '+' || key[i - 1] == ' ') && key[i] >= 'a' && key[i] <= 'z')
                key[i] = char(key[i] - 'a' + 'A');
        }
    }
    return key;
}

std::string shortcutTitle(SeededRandom &random)
{
    std::string title = random.pick(verbs) + " " + objects[random.zipf(objects.size())];
    if (random.percent(30))
        title += " " + random.pick(qualifiers);
    return title;
}

std::string comment(SeededRandom &random)
{
    std::string text = random.pick(commentTemplates);
    const std::string object = objects[random.zipf(objects.size())];
    const std::string verb = lower(random.pick(verbs));
    for (std::size_t at; (at = text.find("%o")) != std::string::npos;)
        text.replace(at, 2, object);
    for (std::size_t at; (at = text.find("%v")) != std::string::npos;)
        text.replace(at, 2, verb);
    return text;
}

// Appends one keymap with `count` shortcuts spread over a few sections.
void writeKeymap(std::string &out, SeededRandom &random, const std::string &title, const std::string &platforms,
                 std::size_t count, bool forMac)
{
    out += "    {\n      \"title\": " + jsonString(title) + ",\n";
    if (!platforms.empty())
        out += "      \"platforms\": [" + platforms + "],\n";
    out += "      \"sections\": [";
    const std::size_t sections = std::max<std::size_t>(1, std::min<std::size_t>(count, random.between(3, 12)));
    const std::size_t offset = random.below(sectionTitles.size());
    std::size_t left = count;
    for (std::size_t s = 0; s < sections; ++s) {
        const std::size_t inSection = s + 1 == sections ? left : std::min(left, std::max<std::size_t>(1, random.between(count / sections / 2, count * 3 / sections / 2)));
        left -= inSection;
        std::string sectionTitle = sectionTitles[(offset + s) % sectionTitles.size()];
        if (s >= sectionTitles.size())
            sectionTitle += " " + std::to_string(s / sectionTitles.size() + 1);
        out += s ? ",\n" : "\n";
        out += "        {\n          \"title\": " + jsonString(sectionTitle) + ",\n          \"shortcuts\": [";
        for (std::size_t i = 0; i < inSection; ++i) {
            out += i ? ",\n" : "\n";
            out += "            {\n              \"title\": " + jsonString(shortcutTitle(random));
            const std::size_t keyKind = random.below(200);
            if (keyKind >= 8)
                out += ",\n              \"key\": " + jsonString(keyText(random, forMac));
            else if (keyKind == 0)
                out += ",\n              \"key\": \"\"";
            if (random.percent(20))
                out += ",\n              \"comment\": " + jsonString(comment(random));
            out += "\n            }";
        }
        out += "\n          ]\n        }";
    }
    out += "\n      ]\n    }";
}

} // namespace

std::vector<std::size_t> CatalogueGenerator::split(std::size_t shortcuts, std::size_t files) const
{
    if (files == 0 || shortcuts < files)
        throw std::invalid_argument("need at least one shortcut per file");
    SeededRandom random(seed ^ 0x5EED5EEDull);
    std::vector<double> weights(files);
    double total = 0;
    for (double &weight : weights) {
        // Between 0.2 and 2.2, most applications near the middle.
        weight = 0.2 + double(random.below(1000) + random.below(1000)) / 1000.0;
        total += weight;
    }
    std::vector<std::size_t> counts(files, 1);
    std::size_t given = files;
    for (std::size_t i = 0; i < files; ++i) {
        const auto extra = std::size_t(double(shortcuts - files) * weights[i] / total);
        counts[i] += extra;
        given += extra;
    }
    for (std::size_t i = 0; given < shortcuts; i = (i + 1) % files, ++given)
        ++counts[i];
    return counts;
}

std::string CatalogueGenerator::appJson(std::size_t index, std::size_t shortcuts) const
{
    SeededRandom random(seed * 1000003ull + index);
    const std::string prefix = namePrefixes[index % namePrefixes.size()];
    const std::string suffix = nameSuffixes[(index / namePrefixes.size()) % nameSuffixes.size()];
    const std::size_t round = index / (namePrefixes.size() * nameSuffixes.size());
    const std::string name = prefix + " " + suffix + (round ? " " + std::to_string(round + 1) : "");
    const std::string slug = lower(prefix) + "-" + lower(suffix) + (round ? "-" + std::to_string(round + 1) : "");

    std::string out;
    out.reserve(shortcuts * 140 + 1024);
    out += "{\n";
    if (random.percent(92))
        out += "  \"bundleId\": " + jsonString("org." + lower(prefix) + "." + suffix + (round ? std::to_string(round + 1) : "")) + ",\n";
    if (random.percent(20))
        out += "  \"aliases\": [" + jsonString(slug) + ", " + jsonString("io.flatpak." + lower(prefix) + lower(suffix)) + "],\n";
    if (random.percent(50))
        out += "  \"hostname\": " + jsonString("www." + lower(prefix) + ".example") + ",\n";
    out += "  \"name\": " + jsonString(name) + ",\n";
    out += "  \"slug\": " + jsonString(slug) + ",\n";
    if (random.percent(50))
        out += "  \"source\": " + jsonString("https://docs." + lower(prefix) + ".example/keyboard") + ",\n";
    if (random.percent(70))
        out += "  \"icon\": " + jsonString("icons/" + slug + ".png") + ",\n";
    out += "  \"keymaps\": [\n";
    const std::size_t layout = random.below(100);
    if (layout < 80) {
        writeKeymap(out, random, "Default", "", shortcuts, false);
    } else if (layout < 95) {
        writeKeymap(out, random, "Linux", "\"linux\", \"windows\"", shortcuts, false);
        out += ",\n";
        writeKeymap(out, random, "macOS", "\"macos\"", std::max<std::size_t>(1, shortcuts / 2), true);
    } else {
        // No keymap names this platform, so the catalogue lists them all.
        writeKeymap(out, random, "Windows", "\"windows\"", shortcuts, false);
    }
    out += "\n  ]\n}\n";
    return out;
}

std::uintmax_t CatalogueGenerator::write(const std::filesystem::path &folder, std::size_t shortcuts,
                                         std::size_t files) const
{
    std::filesystem::create_directories(folder);
    std::uintmax_t bytes = 0;
    const std::vector<std::size_t> counts = split(shortcuts, files);
    for (std::size_t i = 0; i < files; ++i) {
        const std::string json = appJson(i, counts[i]);
        std::ofstream file(folder / ("app" + std::to_string(i) + ".json"), std::ios::binary | std::ios::trunc);
        file.write(json.data(), std::streamsize(json.size()));
        if (!file)
            throw std::runtime_error("cannot write " + (folder / ("app" + std::to_string(i) + ".json")).string());
        bytes += json.size();
    }
    return bytes;
}
