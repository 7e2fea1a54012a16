// Refusal lines for the debugger.
#include "sound_report.h"

#include <windows.h>

static const char SOUND_REPORT_DIGITS[] = "0123456789ABCDEF";

char *sound_report_hex(char *text, uint32_t value) {
    text[0] = '0';
    text[1] = 'x';
    for (int digit = 0; digit < 8; ++digit)
        text[2 + digit] = SOUND_REPORT_DIGITS[(value >> (28 - 4 * digit)) & 0xF];
    text[10] = '\0';
    return text;
}

// Appends `text` to the line at `*used`, keeping room for the line end and the NUL.
static void sound_report_append(char *line, int *used, const char *text) {
    const int last = SOUND_REPORT_LINE_SIZE - 2;
    while (*text != '\0' && *used < last)
        line[(*used)++] = *text++;
}

static void sound_report_write(const char *subject, const char *reason, const char *code) {
    char line[SOUND_REPORT_LINE_SIZE];
    int used = 0;
    sound_report_append(line, &used, subject != nullptr ? subject : "(none)");
    sound_report_append(line, &used, ": ");
    sound_report_append(line, &used, reason);
    if (code != nullptr) {
        sound_report_append(line, &used, " (");
        sound_report_append(line, &used, code);
        sound_report_append(line, &used, ")");
    }
    line[used++] = '\n';
    line[used] = '\0';
    OutputDebugStringA(line);
}

void sound_report(const char *subject, const char *reason) {
    sound_report_write(subject, reason, nullptr);
}

void sound_report_code(const char *subject, const char *reason, uint32_t code) {
    char hex[SOUND_REPORT_HEX_SIZE];
    sound_report_write(subject, reason, sound_report_hex(hex, code));
}
