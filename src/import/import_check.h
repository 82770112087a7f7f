// The importers' failed-check report: one line on the import diagnostics
// channel naming the source line of the check, so that a user who sends
// the line in tells us exactly which expectation the file broke.
#ifndef C51_IMPORT_IMPORT_CHECK_H_
#define C51_IMPORT_IMPORT_CHECK_H_

#include "support/import_diagnostics.h"

// Returns false from the enclosing function after reporting `text` when
// `condition` does not hold.
#define C51_IMPORT_CHECK(condition, text)                                             \
  do {                                                                                \
    if (!(condition)) {                                                               \
      ::c51::ImportDiagnostics("import_assert failed : line %d, %s", __LINE__, text); \
      return false;                                                                   \
    }                                                                                 \
  } while (0)

#endif  // C51_IMPORT_IMPORT_CHECK_H_
