// The channel on which the importer reports failed checks to the host's
// list window.
#ifndef C51_SUPPORT_IMPORT_DIAGNOSTICS_H_
#define C51_SUPPORT_IMPORT_DIAGNOSTICS_H_

namespace c51 {

// Formats the message (cut to 1023 characters) and sends it, with its
// terminating NUL, to the host's list window. Returns the delivery's
// result, or 0 when nobody listens; the line is then lost silently.
long ImportDiagnostics(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace c51

#endif  // C51_SUPPORT_IMPORT_DIAGNOSTICS_H_
