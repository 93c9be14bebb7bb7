#include "sim/SimScript.h"

#include "sim/LcdSnapshot.h"
#include "sim/Simulation.h"

#include <cctype>
#include <strings.h>

namespace dispcraft {

namespace {

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
        }
        const size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
        }
        if (i > start) {
            out.push_back(line.substr(start, i - start));
        }
    }
    return out;
}

bool same(std::string_view a, const char* b) {
    return a.size() == std::char_traits<char>::length(b) && strncasecmp(a.data(), b, a.size()) == 0;
}

// A whole decimal number (a '-' may lead), or a hex one after "0x".
std::optional<int64_t> number(std::string_view text) {
    int base = 10;
    std::string_view digits = text;
    bool negative = false;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.remove_prefix(2);
    } else if (!digits.empty() && digits[0] == '-') {
        negative = true;
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.size() > 15) {
        return std::nullopt;
    }
    int64_t v = 0;
    for (char c : digits) {
        const auto u = static_cast<unsigned char>(c);
        if (base == 16 ? !std::isxdigit(u) : !std::isdigit(u)) {
            return std::nullopt;
        }
        v = v * base + (std::isdigit(u) ? u - '0' : std::tolower(u) - 'a' + 10);
    }
    return negative ? -v : v;
}

// "K3" -> 3 within 1..last, for a key name with the given letter.
std::optional<int> keyNumber(std::string_view text, char letter, int last) {
    if (text.size() < 2 || std::toupper(static_cast<unsigned char>(text[0])) != letter) {
        return std::nullopt;
    }
    auto n = number(text.substr(1));
    if (!n || !std::isdigit(static_cast<unsigned char>(text[1])) || *n < 1 || *n > last) {
        return std::nullopt;
    }
    return static_cast<int>(*n);
}

bool safeName(std::string_view name) {
    if (name.empty() || name.size() > 100 || name[0] == '.') {
        return false;
    }
    for (char c : name) {
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.')) {
            return false;
        }
    }
    return true;
}

Message text(std::string s) { return Message::text(std::move(s)); }

struct LineReader {
    const SimulatedPlc& plc;
    int line;
    std::optional<SimScript::Error> error;

    void fail(Message m) {
        if (!error) {
            error = SimScript::Error{line, std::move(m)};
        }
    }

    // PORT AREA ADDRESS[.BIT] VALUE from words[1..4].
    bool addressAndValue(const std::vector<std::string_view>& w, size_t from, ScriptCommand& c) {
        if (w.size() != from + 4) {
            fail(text("write " + std::string(w[0]) + " PORT AREA ADDRESS[.BIT] VALUE"));
            return false;
        }
        const std::string_view address = w[from + 2];
        const size_t dot = address.find('.');
        std::optional<std::string_view> bit;
        std::string_view word = address;
        if (dot != std::string_view::npos) {
            word = address.substr(0, dot);
            bit = address.substr(dot + 1);
        }
        SimulatedPlc::Located at = plc.locate(w[from], w[from + 1], word, bit);
        if (!at.location) {
            fail(at.error);
            return false;
        }
        c.location = *at.location;
        c.address = std::string(w[from]) + " " + std::string(w[from + 1]) + " " + std::string(address);
        const auto v = number(w[from + 3]);
        if (c.location.isBit()) {
            if (!v || (*v != 0 && *v != 1)) {
                fail(text("a bit is 0 or 1, not " + std::string(w[from + 3])));
                return false;
            }
        } else if (!v || *v < -32768 || *v > 65535) {
            fail(text("a word holds -32768 to 65535 (or 0x0000 to 0xFFFF), not " + std::string(w[from + 3]) +
                      "; write a 32-bit value as two words, the low one first"));
            return false;
        }
        c.number = *v & 0xFFFF;
        c.valueText = std::string(w[from + 3]);
        return true;
    }
};

} // namespace

SimScript::Parsed SimScript::parse(std::string_view script, const SimulatedPlc& plc) {
    Parsed out;
    int lineNo = 0;
    size_t pos = 0;
    while (pos <= script.size() && !out.error) {
        size_t end = script.find('\n', pos);
        if (end == std::string_view::npos) {
            end = script.size();
        }
        std::string_view line = script.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        const size_t hash = line.find('#');
        if (hash != std::string_view::npos) {
            line = line.substr(0, hash);
        }
        const std::vector<std::string_view> w = words(line);
        if (w.empty()) {
            if (end == script.size()) {
                break;
            }
            continue;
        }
        LineReader r{plc, lineNo, std::nullopt};
        ScriptCommand c;
        c.line = lineNo;
        const std::string_view verb = w[0];
        if (same(verb, "set")) {
            c.kind = ScriptCommand::Kind::Set;
            r.addressAndValue(w, 1, c);
        } else if (same(verb, "key") || same(verb, "hold") || same(verb, "release")) {
            const bool press = same(verb, "key");
            std::optional<int> f = w.size() == 2 && press ? keyNumber(w[1], 'F', 4) : std::nullopt;
            std::optional<int> k = w.size() == 2 ? keyNumber(w[1], 'K', 25) : std::nullopt;
            if (f) {
                c.kind = ScriptCommand::Kind::FunctionKey;
                c.number = *f;
            } else if (k) {
                c.kind = press ? ScriptCommand::Kind::Key
                               : same(verb, "hold") ? ScriptCommand::Kind::Hold : ScriptCommand::Kind::Release;
                c.number = *k;
            } else {
                r.fail(text(press ? "key takes F1 to F4 or K1 to K25"
                                  : std::string(verb) + " takes a panel key, K1 to K25"));
            }
        } else if (same(verb, "wait")) {
            c.kind = ScriptCommand::Kind::Wait;
            const auto ms = w.size() == 2 ? number(w[1]) : std::nullopt;
            if (!ms || *ms < 0 || *ms > kLongestWaitMs) {
                r.fail(text("wait takes milliseconds, 0 to " + std::to_string(kLongestWaitMs)));
            } else {
                c.number = *ms;
            }
        } else if (same(verb, "snap")) {
            c.kind = ScriptCommand::Kind::Snap;
            if (w.size() != 2 || !safeName(w[1])) {
                r.fail(text("snap takes one name of letters, digits, '_', '-' and '.', not starting with '.'"));
            } else {
                c.name = std::string(w[1]);
            }
        } else if (same(verb, "expect")) {
            if (w.size() == 3 && same(w[1], "screen")) {
                c.kind = ScriptCommand::Kind::ExpectScreen;
                const auto n = number(w[2]);
                if (!n || *n < 0 || *n > 199) {
                    r.fail(text("expect screen takes a screen number, 0 to 199"));
                } else {
                    c.number = *n;
                }
            } else {
                c.kind = ScriptCommand::Kind::ExpectValue;
                r.addressAndValue(w, 1, c);
            }
        } else {
            r.fail(text("unknown command '" + std::string(verb) +
                        "' (set, key, hold, release, wait, snap or expect)"));
        }
        if (r.error) {
            out.error = r.error;
        } else {
            out.commands.push_back(std::move(c));
        }
        if (end == script.size()) {
            break;
        }
    }
    if (out.error) {
        out.commands.clear();
    }
    return out;
}

SimScript::Outcome SimScript::run(const std::vector<ScriptCommand>& commands, Simulation& sim,
                                  const std::string& outputDir) {
    Outcome out;
    PanelRuntime& panel = sim.panel();
    SimulatedPlc& plc = sim.plc();
    for (const ScriptCommand& c : commands) {
        switch (c.kind) {
        case ScriptCommand::Kind::Set:
            plc.write(c.location, static_cast<uint16_t>(c.number));
            panel.settle();
            break;
        case ScriptCommand::Kind::FunctionKey:
            panel.pressFunctionKey(static_cast<int>(c.number));
            break;
        case ScriptCommand::Kind::Key:
            panel.pressKey(static_cast<int>(c.number));
            panel.releaseKey(static_cast<int>(c.number));
            break;
        case ScriptCommand::Kind::Hold:
            panel.pressKey(static_cast<int>(c.number));
            break;
        case ScriptCommand::Kind::Release:
            panel.releaseKey(static_cast<int>(c.number));
            break;
        case ScriptCommand::Kind::Wait:
            sim.advance(c.number);
            break;
        case ScriptCommand::Kind::Snap: {
            const std::string path = outputDir + "/" + c.name + ".png";
            std::string why;
            if (!LcdSnapshot::writePng(panel.render(), path, &why)) {
                out.error = Error{c.line, Message::text("cannot write " + path + ": " + why)};
                return out;
            }
            out.snapshots.push_back(path);
            break;
        }
        case ScriptCommand::Kind::ExpectScreen:
            if (panel.currentScreen() != c.number) {
                out.failedExpectations.push_back(
                    {c.line, Message::text("expected screen " + std::to_string(c.number) + ", found screen " +
                                           std::to_string(panel.currentScreen()))});
            }
            break;
        case ScriptCommand::Kind::ExpectValue: {
            const uint16_t found = plc.read(c.location);
            if (found != static_cast<uint16_t>(c.number)) {
                out.failedExpectations.push_back(
                    {c.line, Message::text("expected " + c.address + " to be " + c.valueText +
                                           ", found " + std::to_string(found))});
            }
            break;
        }
        }
    }
    return out;
}

} // namespace dispcraft
