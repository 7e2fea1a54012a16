// What the panel and scenario readers share: the text's lines, decimal
// numbers, and the list of mistakes and warnings found, each with its place.
#ifndef BENCH_READING_H
#define BENCH_READING_H

#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct Diagnostic {
    bool error = true;   // false: a warning, and the run goes on
    std::string where;   // "PATH line N (KEY=TEXT)" or "SCRIPT:N", or empty
    std::string what;
};

class Diagnostics {
public:
    void error(const std::string &where, const std::string &what);
    void warning(const std::string &where, const std::string &what);
    bool has_errors() const;
    size_t warning_count() const;
    const std::vector<Diagnostic> &items() const { return items_; }
    // Writes every item not yet printed, warnings as "warning: WHERE: WHAT".
    void print(FILE *out);

private:
    std::vector<Diagnostic> items_;
    size_t printed_ = 0;
};

// "WHERE: WHAT", with "warning: " before a warning.
std::string format(const Diagnostic &item);

// The lines of a text file: a UTF-8 byte-order mark and line ends removed.
std::vector<std::string> split_lines(const std::string &text);

std::string trim(const std::string &text);
std::string lower(std::string text);

// A whole decimal number from `min` to `max` (no octal, no hexadecimal, no
// exponent); false with the reason in `why`.
bool read_whole(const std::string &text, long long min, long long max, long long &value,
                std::string &why);
// The same into an int; the reason begins with `name` ("x: ...").
bool read_int(const std::string &name, const std::string &text, long long min, long long max, int &number,
              std::string &why);
// A decimal number with an optional fraction ("-2", "0.5"), within +-`limit`.
bool read_decimal(const std::string &text, double limit, double &value, std::string &why);

// A zoom of the bench's window: "fit" (0) or a whole percentage within the
// bench's limits.
bool read_zoom(const std::string &text, int &percent, std::string &why);

// The file's bytes, at most `max_bytes`; false with the reason in `why`.
bool read_text_file(const std::string &path, long long max_bytes, std::string &text,
                    std::string &why);

}  // namespace bench

#endif
