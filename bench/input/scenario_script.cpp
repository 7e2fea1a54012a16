#include "scenario_script.h"

#include <sstream>

#include "bench_limits.h"

namespace bench {

const std::vector<CommandSyntax> COMMANDS = {
    {"click", "X Y|X Y WINDOW|GAUGE..."},
    {"mouse", "X Y|X Y WINDOW"},
    {"key", "KEY"},
    {"zoom", "ZOOM"},
    {"run", "TICKS"},
    {"set", "VARIABLE VALUE"},
    {"expect", "VARIABLE VALUE"},
    {"expect-event", "EVENT"},
    {"expect-no-event", "EVENT"},
    {"expect-sound", "GAUGE BYTES"},
    {"expect-no-sound", "GAUGE"},
    {"expect-shown", "GAUGE BITMAP"},
    {"expect-hidden", "GAUGE BITMAP"},
    {"snapshot", "FILE|FILE WINDOW"},
    {"window-snapshot", "FILE|FILE WINDOW"},
    {"expect-window-as-panel", "|WINDOW"},
    {"note", "TEXT..."},
    {"quit", ""},
    {"reload", ""},
    {"lose-sound", "GAUGE"},
    {"fail-sound", "GAUGE OPERATION|GAUGE OPERATION CODE"},
};

namespace {

constexpr double MAX_VALUE = 2147483647.0;

std::vector<std::string> split(const std::string &text, char separator) {
    std::vector<std::string> parts;
    std::istringstream in(text);
    for (std::string part; std::getline(in, part, separator);)
        parts.push_back(part);
    if (!text.empty() && text.back() == separator)
        parts.emplace_back();
    if (text.empty())
        parts.emplace_back();
    return parts;
}

std::vector<std::string> words_of(const std::string &text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

bool read_hex_or_whole(const std::string &text, double &value, std::string &why) {
    long long number = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string digits = text.substr(2);
        if (digits.size() > 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
            why = "\"" + text + "\" is not a 32-bit hexadecimal number";
            return false;
        }
        value = static_cast<double>(std::stoull(digits, nullptr, 16));
        return true;
    }
    if (!read_whole(text, 0, 4294967295LL, number, why))
        return false;
    value = static_cast<double>(number);
    return true;
}

// One argument by its placeholder; false with the reason.
bool read_argument(const std::string &placeholder, const std::string &word, double &number,
                   std::string &why) {
    long long whole = 0;
    number = 0;
    if (placeholder == "X" || placeholder == "Y") {
        if (!read_whole(word, -MAX_CLICK_COORDINATE, MAX_CLICK_COORDINATE, whole, why))
            return false;
        number = static_cast<double>(whole);
    } else if (placeholder == "TICKS") {
        if (!read_whole(word, 0, MAX_SCRIPT_TICKS, whole, why))
            return false;
        number = static_cast<double>(whole);
    } else if (placeholder == "BYTES") {
        if (!read_whole(word, 1, 2147483647LL, whole, why))
            return false;
        number = static_cast<double>(whole);
    } else if (placeholder == "VALUE") {
        return read_decimal(word, MAX_VALUE, number, why);
    } else if (placeholder == "VARIABLE") {
        if (word.find_first_not_of("0123456789") == std::string::npos &&
            !read_whole(word, 1, 4294967295LL, whole, why)) {
            why = "token " + why;
            return false;
        }
    } else if (placeholder == "EVENT") {
        if (word != "start" && word != "stop")
            return read_hex_or_whole(word, number, why) ||
                   (why = "\"" + word + "\" is no event: start, stop or a number", false);
    } else if (placeholder == "KEY") {
        const std::string key = lower(word);
        const bool shift_digit = key.size() == 7 && key.compare(0, 6, "shift+") == 0 && key[6] >= '1' && key[6] <= '9';
        if (!shift_digit && key != "z" && key != "plus" && key != "minus" && key != "f5") {
            why = "\"" + word + "\" is no key the bench presses: shift+1 to shift+9, z, plus, minus or f5";
            return false;
        }
        number = shift_digit ? key[6] - '0' : 0;
    } else if (placeholder == "ZOOM") {
        int percent = 0;
        if (!read_zoom(word, percent, why))
            return false;
        number = percent;
    } else if (placeholder == "BITMAP") {
        return read_hex_or_whole(word, number, why) ||
               (why = "\"" + word + "\" is no bitmap number (e.g. 0x2000)", false);
    }
    return true;
}

enum class Fit { Read, WrongCount, BadArgument, OutOfRange };

// Reads `words` as one form; `rest` is the text after the command word.
Fit read_form(const std::string &form, const std::vector<std::string> &words,
              const std::string &rest, Command &command, std::string &why) {
    std::vector<std::string> placeholders = words_of(form);
    const bool takes_rest = !placeholders.empty() && placeholders.back().size() > 3 &&
                            placeholders.back().compare(placeholders.back().size() - 3, 3, "...") == 0;
    const size_t fixed = placeholders.size() - (takes_rest ? 1 : 0);
    const bool rest_may_be_empty = takes_rest && placeholders.back() == "TEXT...";
    if (takes_rest ? words.size() < fixed + (rest_may_be_empty ? 0 : 1) : words.size() != fixed)
        return Fit::WrongCount;
    command.words.clear();
    command.numbers.clear();
    for (size_t i = 0; i < fixed; ++i) {
        double number = 0;
        if (!read_argument(placeholders[i], words[i], number, why))
            return why.find("out of range") != std::string::npos ? Fit::OutOfRange : Fit::BadArgument;
        command.words.push_back(words[i]);
        command.numbers.push_back(number);
    }
    if (takes_rest) {
        // The rest of the line from its first word after the fixed ones, spaces kept.
        size_t at = 0;
        for (size_t i = 0; i < fixed; ++i)
            at = rest.find(words[i], at) + words[i].size();
        command.words.push_back(trim(rest.substr(at)));
        command.numbers.push_back(0);
    }
    return Fit::Read;
}

const CommandSyntax *find_syntax(const std::string &name) {
    for (const CommandSyntax &syntax : COMMANDS)
        if (name == syntax.name)
            return &syntax;
    return nullptr;
}

// The ticks a command runs: its TICKS arguments.
long long ticks_of(const Command &command) {
    const CommandSyntax *syntax = find_syntax(command.name);
    if (syntax == nullptr)
        return 0;
    const std::vector<std::string> forms = split(syntax->forms, '|');
    if (command.form < 0 || command.form >= static_cast<int>(forms.size()))
        return 0;
    const std::vector<std::string> placeholders = words_of(forms[command.form]);
    long long ticks = 0;
    for (size_t i = 0; i < placeholders.size() && i < command.numbers.size(); ++i)
        if (placeholders[i] == "TICKS")
            ticks += static_cast<long long>(command.numbers[i]);
    return ticks;
}

}  // namespace

std::string argument_word(const Command &command, const std::string &placeholder) {
    const CommandSyntax *syntax = find_syntax(command.name);
    if (syntax == nullptr)
        return std::string();
    const std::vector<std::string> forms = split(syntax->forms, '|');
    if (command.form < 0 || static_cast<size_t>(command.form) >= forms.size())
        return std::string();
    const std::vector<std::string> placeholders = words_of(forms[command.form]);
    for (size_t i = 0; i < placeholders.size() && i < command.words.size(); ++i)
        if (placeholders[i] == placeholder)
            return command.words[i];
    return std::string();
}

std::string usage(const CommandSyntax &syntax) {
    std::string text = "usage:";
    bool first = true;
    for (const std::string &form : split(syntax.forms, '|')) {
        text += std::string(first ? " " : " | ") + syntax.name + (form.empty() ? "" : " " + form);
        first = false;
    }
    return text;
}

std::vector<Command> read_scenario_text(const std::string &path, const std::string &text,
                                        Diagnostics &found) {
    std::vector<Command> commands;
    long long ticks = 0;
    int files = 0;
    const std::vector<std::string> lines = split_lines(text);
    for (size_t index = 0; index < lines.size(); ++index) {
        const std::string where = path + ":" + std::to_string(index + 1);
        // A word beginning with '#' starts a comment.
        std::string line = lines[index];
        for (size_t hash = line.find('#'); hash != std::string::npos; hash = line.find('#', hash + 1))
            if (hash == 0 || line[hash - 1] == ' ' || line[hash - 1] == '\t') {
                line.resize(hash);
                break;
            }
        std::vector<std::string> words = words_of(line);
        if (words.empty())
            continue;
        const CommandSyntax *syntax = find_syntax(words[0]);
        if (syntax == nullptr) {
            found.error(where, "unknown command \"" + words[0] + "\"");
            continue;
        }
        const std::string rest = trim(line.substr(line.find(words[0]) + words[0].size()));
        words.erase(words.begin());
        Command command;
        command.line = static_cast<int>(index) + 1;
        command.name = syntax->name;
        std::string why, first_why;
        Fit fit = Fit::WrongCount;
        const std::vector<std::string> forms = split(syntax->forms, '|');
        for (size_t form = 0; form < forms.size() && fit != Fit::Read && fit != Fit::OutOfRange; ++form) {
            fit = read_form(forms[form], words, rest, command, why);
            command.form = static_cast<int>(form);
            if (first_why.empty() && fit != Fit::WrongCount)
                first_why = why;
        }
        if (fit == Fit::OutOfRange) {
            found.error(where, why);
            continue;
        }
        if (fit != Fit::Read) {
            found.error(where, first_why.empty() ? usage(*syntax) : first_why + "; " + usage(*syntax));
            continue;
        }
        const long long before = ticks;
        ticks += ticks_of(command);
        if (before <= MAX_SCRIPT_TICKS && ticks > MAX_SCRIPT_TICKS)
            found.error(where, "the script's runs come to more than " + std::to_string(MAX_SCRIPT_TICKS) +
                                   " ticks, the bench's limit");
        const std::vector<std::string> placeholders = words_of(forms[command.form]);
        for (size_t i = 0; i < placeholders.size(); ++i) {
            if (placeholders[i] == "FILE" && ++files == MAX_SNAPSHOTS + 1)
                found.error(where, "more than " + std::to_string(MAX_SNAPSHOTS) +
                                       " pictures written, the bench's limit");
        }
        commands.push_back(command);
    }
    return commands;
}

long long run_ticks(const std::vector<Command> &commands) {
    long long ticks = 0;
    for (const Command &command : commands)
        ticks += ticks_of(command);
    return ticks;
}

}  // namespace bench
