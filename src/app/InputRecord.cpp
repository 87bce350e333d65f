#include "app/InputRecord.h"

#include <GLFW/glfw3.h>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <istream>

namespace {

// The movement keys' letters in file order: forward, backward, left, right, jump.
constexpr std::string_view kKeyLetters = "WSADJ";

struct FunctionKeyName {
    int key;
    std::string_view name;
};

// The function keys a record keeps: those that change the game or the view.
constexpr std::array<FunctionKeyName, 8> kFunctionKeyNames = {{
    {GLFW_KEY_F1, "F1"},
    {GLFW_KEY_F2, "F2"},
    {GLFW_KEY_F3, "F3"},
    {GLFW_KEY_F4, "F4"},
    {GLFW_KEY_F5, "F5"},
    {GLFW_KEY_F6, "F6"},
    {GLFW_KEY_F9, "F9"},
    {GLFW_KEY_F11, "F11"},
}};

std::vector<std::string_view> splitOn(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

std::optional<double> parseNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<PlayerKeys> parseKeys(std::string_view text) {
    if (text.size() != kKeyLetters.size()) {
        return std::nullopt;
    }
    std::array<std::uint8_t, 5> held{};
    for (std::size_t i = 0; i < held.size(); ++i) {
        if (text[i] != kKeyLetters[i] && text[i] != '-') {
            return std::nullopt;
        }
        held[i] = text[i] == kKeyLetters[i];
    }
    return PlayerKeys{held[0], held[1], held[2], held[3], held[4]};
}

std::optional<int> functionKeyCode(std::string_view name) {
    for (const FunctionKeyName& entry : kFunctionKeyNames) {
        if (entry.name == name) {
            return entry.key;
        }
    }
    return std::nullopt;
}

std::string_view functionKeyName(int key) {
    for (const FunctionKeyName& entry : kFunctionKeyNames) {
        if (entry.key == key) {
            return entry.name;
        }
    }
    return "?";
}

bool parseFunctionKeys(std::string_view text, FrameInput& frame) {
    if (text == "-") {
        return true;
    }
    const std::vector<std::string_view> names = splitOn(text, ',');
    if (names.size() > FrameInput::kMaxFunctionKeys) {
        return false;
    }
    for (std::string_view name : names) {
        const std::optional<int> key = functionKeyCode(name);
        if (!key) {
            return false;
        }
        frame.addFunctionKey(*key);
    }
    return true;
}

std::optional<FrameInput> parseFrame(std::string_view line) {
    const std::vector<std::string_view> fields = splitOn(line, ' ');
    if (fields.size() != 5) {
        return std::nullopt;
    }
    FrameInput frame;
    const std::optional<double> dt = parseNumber(fields[0]);
    const std::optional<PlayerKeys> keys = parseKeys(fields[1]);
    const std::optional<double> lookX = parseNumber(fields[2]);
    const std::optional<double> lookY = parseNumber(fields[3]);
    if (!dt || *dt < 0.0 || !keys || !lookX || !lookY || !parseFunctionKeys(fields[4], frame)) {
        return std::nullopt;
    }
    frame.dt = *dt;
    frame.keys = *keys;
    frame.look = glm::dvec2(*lookX, *lookY);
    return frame;
}

std::optional<std::uint64_t> parseChecksum(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.size() != 16 || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "level <checksum> <path>"; the path is the rest of the line and may hold spaces.
bool parseLevelLine(std::string_view line, InputRecord& record) {
    constexpr std::string_view kPrefix = "level ";
    constexpr std::size_t kDigits = 16;
    const std::size_t pathStart = kPrefix.size() + kDigits + 1;
    if (!line.starts_with(kPrefix) || line.size() <= pathStart || line[pathStart - 1] != ' ') {
        return false;
    }
    const std::optional<std::uint64_t> checksum = parseChecksum(line.substr(kPrefix.size(), kDigits));
    if (!checksum) {
        return false;
    }
    record.levelChecksum = *checksum;
    record.levelPath = line.substr(pathStart);
    return true;
}

bool readLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

char* writeNumber(char* out, char* end, double value) {
    return std::to_chars(out, end, value).ptr;
}

} // namespace

std::optional<InputRecord> InputRecord::parse(std::istream& in, std::string& problem) {
    InputRecord record;
    std::string line;
    int lineNumber = 1;
    const auto fail = [&](const std::string& reason) -> std::optional<InputRecord> {
        problem = "line " + std::to_string(lineNumber) + ": " + reason;
        return std::nullopt;
    };

    const std::string expectedFormat = std::string(kFormatName) + " " + std::to_string(kVersion);
    if (!readLine(in, line)) {
        return fail("empty, expected \"" + expectedFormat + "\"");
    }
    const std::vector<std::string_view> format = splitOn(line, ' ');
    if (format.size() != 2 || format[0] != kFormatName) {
        return fail("not an input record, expected \"" + expectedFormat + "\"");
    }
    if (format[1] != std::to_string(kVersion)) {
        return fail("version " + std::string(format[1]) + " is not supported, expected \"" + expectedFormat +
                    "\"");
    }

    ++lineNumber;
    if (!readLine(in, line) || !parseLevelLine(line, record)) {
        return fail("expected \"level <checksum, 16 hex digits> <level path>\"");
    }

    while (readLine(in, line)) {
        ++lineNumber;
        const std::optional<FrameInput> frame = parseFrame(line);
        if (!frame) {
            return fail("expected \"<dt> <keys WSADJ or -> <look x> <look y> <function keys or ->\"");
        }
        record.frames.push_back(*frame);
    }
    if (in.bad()) {
        return fail("the file cannot be read");
    }
    return record;
}

std::optional<InputRecord> InputRecord::read(const std::string& path, std::string& problem) {
    std::ifstream file(path);
    if (!file) {
        problem = "'" + path + "': the file cannot be read";
        return std::nullopt;
    }
    std::optional<InputRecord> record = parse(file, problem);
    if (!record) {
        problem = "'" + path + "' " + problem;
    }
    return record;
}

std::string InputRecord::header(const std::string& levelPath, std::uint64_t levelChecksum) {
    return std::string(kFormatName) + " " + std::to_string(kVersion) + "\nlevel " +
           checksumText(levelChecksum) + " " + levelPath + "\n";
}

std::size_t InputRecord::formatFrame(const FrameInput& frame, char (&line)[kMaxFrameLine]) {
    char* out = line;
    char* const end = line + kMaxFrameLine;
    out = writeNumber(out, end, frame.dt);
    *out++ = ' ';
    const std::array<std::uint8_t, 5> held = {frame.keys.forward, frame.keys.backward, frame.keys.left,
                                              frame.keys.right, frame.keys.jump};
    for (std::size_t i = 0; i < held.size(); ++i) {
        *out++ = held[i] ? kKeyLetters[i] : '-';
    }
    *out++ = ' ';
    out = writeNumber(out, end, frame.look.x);
    *out++ = ' ';
    out = writeNumber(out, end, frame.look.y);
    *out++ = ' ';
    if (frame.functionKeyCount == 0) {
        *out++ = '-';
    }
    for (int i = 0; i < frame.functionKeyCount; ++i) {
        if (i > 0) {
            *out++ = ',';
        }
        const std::string_view name = functionKeyName(frame.functionKeys[static_cast<std::size_t>(i)]);
        out = std::copy(name.begin(), name.end(), out);
    }
    *out++ = '\n';
    return static_cast<std::size_t>(out - line);
}

std::string InputRecord::checksumText(std::uint64_t checksum) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(checksum));
    return text;
}
