// Why a sound stays silent, told to a debugger: one line per refusal through
// OutputDebugStringA, "SUBJECT: REASON" and, where a code says more,
// " (0xXXXXXXXX)". The line is built on the stack: no allocation and no
// formatting from a run-time library.
#ifndef SOUND_REPORT_H
#define SOUND_REPORT_H

#include <stdint.h>

// The longest line written, its line end included; longer subjects are cut.
#define SOUND_REPORT_LINE_SIZE 512
// "0x" and eight hex digits.
#define SOUND_REPORT_HEX_SIZE 11

// `subject` names the device, a resource or a file; `reason` says what was wrong.
void sound_report(const char *subject, const char *reason);
void sound_report_code(const char *subject, const char *reason, uint32_t code);

// Writes `value` as "0x" and eight upper-case hex digits, NUL-terminated,
// into `text` (SOUND_REPORT_HEX_SIZE characters); returns `text`.
char *sound_report_hex(char *text, uint32_t value);

#endif
